// A pair of arrows bound to a text box: each click steps the box's number by 1
// within the arrows' range, and the box still accepts any typed text.
#pragma once

#include <QLocale>
#include <QWidget>
#include <optional>

class QLineEdit;
class QToolButton;

namespace tavo {

// The up-down arrows step within this range.
inline constexpr int min_updown_seconds = 1;
inline constexpr int max_updown_seconds = 10;

// The number an up-down arrow puts in its box: one more or one less than the
// box's number, kept within the arrows' range. When the box holds no number
// the arrow steps from its own last position. An arrow never moves the number
// against its direction: up never lowers what was typed (15 stays 15 above
// the range's top), down never raises it; then the result is nullopt and the
// box keeps its text.
std::optional<int> stepped_setting(const QString& box_text, int last_position, int delta,
                                   const QLocale& locale);

class UpDownControl final : public QWidget {
    Q_OBJECT
public:
    UpDownControl(QLineEdit* buddy, int initial_position, QWidget* parent = nullptr);

    int position() const { return m_position; }
    // What the arrows set ("Activation Test: Maximum Stimulus Delay"): each
    // arrow's spoken name begins with it, so that a screen reader tells the
    // arrows of one setting from those of another.
    void set_purpose(const QString& purpose);
    void step(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_buddy;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    int m_position;
};

} // namespace tavo
