#include "seconds_setting_box.h"

#include "settings_input.h"

#include <QLocale>

namespace tavo {

SecondsSettingBox::SecondsSettingBox(std::int16_t milliseconds, QString setting_name, Store store,
                                     QWidget* parent)
    : QLineEdit(parent)
    , m_setting_name(std::move(setting_name))
    , m_store(std::move(store)) {
    m_shown = static_cast<std::int16_t>(milliseconds + 1); // differs, so the first show writes
    show_milliseconds(milliseconds);
    // Typing and the arrows both change the text; either is an edit.
    connect(this, &QLineEdit::textChanged, this, &SecondsSettingBox::text_changed);
}

void SecondsSettingBox::show_milliseconds(std::int16_t milliseconds) {
    if (milliseconds == m_shown) {
        return;
    }
    m_shown = milliseconds;
    m_showing = true;
    setText(QString::number(milliseconds / 1000));
    m_showing = false;
}

std::optional<QString> SecondsSettingBox::refusal() const {
    const SettingCheck check = check_seconds_setting(text(), m_setting_name, QLocale::system());
    if (check.milliseconds) {
        return std::nullopt;
    }
    return check.refusal;
}

void SecondsSettingBox::text_changed(const QString& text) {
    if (m_showing) {
        return;
    }
    const SettingCheck check = check_seconds_setting(text, m_setting_name, QLocale::system());
    if (check.milliseconds) {
        m_shown = *check.milliseconds;
        m_store(*check.milliseconds);
    }
}

} // namespace tavo
