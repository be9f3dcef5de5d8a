#include "results_printer.h"

#include "dialogs.h"
#include "sheet_lines.h"
#include "sheet_painter.h"

#include <QPrintDialog>

namespace tavo {

std::optional<int> DesktopPrinterDialog::choose(QWidget* owner, QPrinter& printer,
                                                const QString& title) {
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(title);
    // The sheet is one page per copy: page ranges and selections do not apply.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return printer.copyCount();
}

ResultsPrinter::ResultsPrinter(PrinterDialog& dialog, Dialogs& dialogs)
    : m_dialog(dialog)
    , m_dialogs(dialogs)
    , m_printer(QPrinter::HighResolution) {}

void ResultsPrinter::print_results_sheet(QWidget* owner, const TypedFields& fields,
                                         const ResultTexts& results) {
    const std::optional<int> copies =
        m_dialog.choose(owner, m_printer, QStringLiteral("Choose Printer"));
    if (!copies || *copies <= 0) {
        return;
    }
    // The copies are drawn here, each on its own page, so the printer must
    // not repeat them.
    m_printer.setCopyCount(1);
    const QDate date = QDate::currentDate();
    const QTime time = QTime::currentTime();
    const std::vector<SheetLine> lines =
        results_sheet_lines(fields, results, sheet_footer(date, time, QLocale::system()));
    const SheetDrawing drawing =
        draw_results_sheet(m_printer, lines, *copies, [this] { m_printer.abort(); });
    if (!drawing.ok) {
        m_dialogs.show_message(owner, QStringLiteral("The results sheet could not be printed on "
                                                     "\"%1\": %2. Nothing was printed.")
                                          .arg(m_printer.printerName().isEmpty()
                                                   ? m_printer.outputFileName()
                                                   : m_printer.printerName(),
                                               drawing.error));
    }
}

} // namespace tavo
