// A pair of arrows bound to a text box: each click steps the box's number by 1
// within the arrows' range, and the box still accepts any typed text.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace tavo {

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
