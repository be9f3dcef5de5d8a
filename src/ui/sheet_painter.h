// Draws the results sheet onto any paged device (a printer, a PDF file): line
// by line from the top left, each copy starting on a new page, and lines that
// pass the bottom of a page continuing on the next one.
#pragma once

#include "sheet_lines.h"

#include <QString>
#include <functional>

class QPagedPaintDevice;
class QPainter;
class QRectF;

namespace tavo {

struct SheetDrawing {
    bool ok = true;
    int pages = 0;
    QString error;
};

// The device must not be painting yet; the drawing ends it. With 0 copies
// nothing is drawn and the device is left untouched. When drawing fails part
// way, `discard` runs before the painter ends, so a printer can throw the
// incomplete document away.
// Draws a page of its own after each copy's lines, within the given area.
using SheetPageDrawer = std::function<void(QPainter& painter, const QRectF& page)>;

SheetDrawing draw_results_sheet(QPagedPaintDevice& device, const std::vector<SheetLine>& lines,
                                int copies, const std::function<void()>& discard = {},
                                const SheetPageDrawer& extra_page = {});

} // namespace tavo
