#include "sheet_painter.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRectF>

namespace tavo {

namespace {

QFont font_for(const SheetFont& wanted, QPaintDevice& device) {
    QFont font(sheet_font_family);
    font.setPointSizeF(wanted.point_size);
    font.setBold(wanted.bold);
    // Lines keep their blanks exactly: no kerning or hinting that moves them.
    font.setStyleStrategy(QFont::PreferDefault);
    return QFont(font, &device);
}

} // namespace

SheetDrawing draw_results_sheet(QPagedPaintDevice& device, const std::vector<SheetLine>& lines,
                                int copies, const std::function<void()>& discard,
                                const SheetPageDrawer& extra_page) {
    SheetDrawing result;
    if (copies <= 0) {
        return result;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        return {false, 0, QStringLiteral("the printer could not be opened")};
    }
    auto fail = [&](const QString& reason) {
        if (discard) {
            discard();
        }
        painter.end();
        return SheetDrawing{false, result.pages, reason};
    };
    const double page_height = device.height();
    result.pages = 1;
    for (int copy = 0; copy < copies; ++copy) {
        if (copy > 0) {
            if (!device.newPage()) {
                return fail(QStringLiteral("a new page could not be started"));
            }
            ++result.pages;
        }
        double top = 0;
        for (const SheetLine& line : lines) {
            const QFont font = font_for(line.font, device);
            const QFontMetricsF metrics(font, &device);
            if (top > 0 && top + metrics.height() > page_height) {
                if (!device.newPage()) {
                    return fail(QStringLiteral("a new page could not be started"));
                }
                ++result.pages;
                top = 0;
            }
            painter.setFont(font);
            painter.drawText(QPointF(0, top + metrics.ascent()), line.text);
            top += metrics.lineSpacing();
        }
        if (extra_page) {
            if (!device.newPage()) {
                return fail(QStringLiteral("a new page could not be started"));
            }
            ++result.pages;
            extra_page(painter, QRectF(0, 0, device.width(), page_height));
        }
    }
    if (!painter.end()) {
        return {false, result.pages, QStringLiteral("the document could not be finished")};
    }
    return result;
}

} // namespace tavo
