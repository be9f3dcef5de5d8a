// The cells of the read-only tables of Trial Details and Compare: text a
// person can select and copy but not edit, centred in its row.
#pragma once

#include <QString>
#include <Qt>
#include <cstdint>

class QTableWidgetItem;

namespace tavo {

QTableWidgetItem* text_item(const QString& text, Qt::Alignment alignment = Qt::AlignLeft);

// A whole number, right-aligned like every figure.
QTableWidgetItem* number_item(std::int64_t number);

} // namespace tavo
