// Presses a real X server's mouse button for tests that drive the real
// program on an X server of their own (Xvfb), through the XTest extension.
// Nothing here waits: the tests wait for what the program writes.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace tavo::testing {

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

class XRobot {
public:
    // Connects to the display (":12"); ok() is false when it cannot, or the
    // server has no XTest.
    explicit XRobot(const std::string& display);
    ~XRobot();
    XRobot(const XRobot&) = delete;
    XRobot& operator=(const XRobot&) = delete;

    bool ok() const;
    // The top-left corner, on the screen, of the first mapped top-level
    // window whose name contains `name`.
    std::optional<ScreenPoint> find_window(const std::string& name);
    void move(ScreenPoint at);
    void button(bool press);
    void click(ScreenPoint at);

private:
    struct Connection;
    std::unique_ptr<Connection> m_connection;
};

} // namespace tavo::testing
