#include "sheet_pdf.h"

#include "detail_page.h"
#include "sheet_lines.h"
#include "sheet_painter.h"
#include "whole_file.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>

namespace tavo {

std::optional<QString> write_sheet_pdf(const TypedFields& fields, const TestResults& results,
                                       const QString& pdf_path, const TestData* details) {
    const QFileInfo target(pdf_path);
    if (!target.absoluteDir().exists()) {
        return QStringLiteral("the folder %1 does not exist").arg(target.absolutePath());
    }
    // Drawn in memory first: the file is replaced only by a complete document.
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    QPdfWriter writer(&document);
    writer.setTitle(QStringLiteral("TAVO Results Sheet"));
    writer.setCreator(QStringLiteral("TAVO"));
    const bool us_paper = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    writer.setPageSize(QPageSize(us_paper ? QPageSize::Letter : QPageSize::A4));
    writer.setPageMargins(QMarginsF(12.7, 12.7, 12.7, 12.7), QPageLayout::Millimeter);
    const QString footer =
        sheet_footer(QDate::currentDate(), QTime::currentTime(), QLocale::system());
    SheetPageDrawer detail_page;
    if (details) {
        detail_page = [details](QPainter& painter, const QRectF& page) {
            draw_trial_detail_page(painter, page, *details);
        };
    }
    const SheetDrawing drawing = draw_results_sheet(
        writer, results_sheet_lines(fields, results, footer), 1, {}, detail_page);
    if (!drawing.ok) {
        return QStringLiteral("the PDF file could not be written (%1)").arg(drawing.error);
    }
    return replace_whole_file(pdf_path, document.data());
}

} // namespace tavo
