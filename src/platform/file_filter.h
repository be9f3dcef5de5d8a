// File dialogs are given their filter as "description | pattern" pairs joined
// by "|" ("TAVO (*.tavo) | *.tavo"), several patterns of one pair joined by
// ";". Qt's dialogs take "description (patterns)" entries joined by ";;".
#pragma once

#include <QString>

namespace tavo {

// "TAVO (*.tavo) | *.tavo" gives "TAVO (*.tavo)"; "Text | *.txt;*.text"
// gives "Text (*.txt *.text)".
QString qt_name_filters(const QString& filter);

} // namespace tavo
