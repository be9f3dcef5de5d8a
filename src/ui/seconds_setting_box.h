// A delay or hold setting typed in whole seconds. The document owns the
// setting: what the administrator types or steps goes to it as soon as it is a
// usable number of seconds, and a value the document gets elsewhere shows in
// the box. Text that is no usable setting stays in the box as typed, and Start
// is refused with the reason until it is corrected.
#pragma once

#include <QLineEdit>
#include <cstdint>
#include <functional>
#include <optional>

namespace tavo {

class SecondsSettingBox final : public QLineEdit {
    Q_OBJECT
public:
    using Store = std::function<void(std::int16_t milliseconds)>;

    // `setting_name` is what a refusal calls the setting ("maximum stimulus
    // delay"); `store` hands a usable value to the document.
    SecondsSettingBox(std::int16_t milliseconds, QString setting_name, Store store,
                      QWidget* parent = nullptr);

    // The document's value; the box is rewritten only when the value is not
    // the one the box itself gave or showed last, so typing is never undone.
    void show_milliseconds(std::int16_t milliseconds);

    // Why the box's text cannot start a test, or nullopt when it can.
    std::optional<QString> refusal() const;

private:
    void text_changed(const QString& text);

    QString m_setting_name;
    Store m_store;
    std::int16_t m_shown = 0;
    bool m_showing = false;
};

} // namespace tavo
