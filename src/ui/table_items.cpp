#include "table_items.h"

#include <QTableWidgetItem>

namespace tavo {

QTableWidgetItem* text_item(const QString& text, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QTableWidgetItem* number_item(std::int64_t number) {
    return text_item(QString::number(number), Qt::AlignRight);
}

} // namespace tavo
