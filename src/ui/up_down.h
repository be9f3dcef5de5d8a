// A pair of arrows bound to a text box: each click steps the box's number by 1
// within the arrows' range, and the box still accepts any typed text.
#pragma once

#include <QWidget>

class QLineEdit;

namespace tavo {

class UpDownControl final : public QWidget {
    Q_OBJECT
public:
    UpDownControl(QLineEdit* buddy, int initial_position, QWidget* parent = nullptr);

    int position() const { return m_position; }
    void step(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_buddy;
    int m_position;
};

} // namespace tavo
