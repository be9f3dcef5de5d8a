#include "results_printer.h"

#include "detail_page.h"
#include "dialogs.h"
#include "output_clash.h"
#include "sheet_lines.h"
#include "sheet_painter.h"
#include "whole_file.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QPdfWriter>
#include <QPointer>
#include <QPrintDialog>
#include <QVBoxLayout>

namespace tavo {

std::optional<PrintChoice> DesktopPrinterDialog::choose(QWidget* owner, QPrinter& printer,
                                                        const QString& title) {
    // On the heap behind a guard, owned by the asking window: an owner closed
    // while the dialog is up deletes it, and the choice is then a Cancel.
    const QPointer<QPrintDialog> dialog = new QPrintDialog(&printer, owner);
    dialog->setWindowTitle(title);
    // The sheet is one page per copy: page ranges and selections do not apply.
    dialog->setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog->setOption(QAbstractPrintDialog::PrintSelection, false);
    auto* options = new QWidget;
    options->setObjectName(QStringLiteral("trial_details_options"));
    options->setWindowTitle(QStringLiteral("Trial Details"));
    auto* layout = new QVBoxLayout(options);
    auto* include = new QCheckBox(QStringLiteral("&Include trial details"), options);
    include->setObjectName(QStringLiteral("include_details"));
    include->setToolTip(QStringLiteral("Each sheet is followed by a page with every trial of "
                                       "each test and a chart of them"));
    include->setChecked(m_include_details);
    layout->addWidget(include);
    layout->addStretch();
    dialog->setOptionTabs({options});
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog) {
        return std::nullopt;
    }
    const bool include_details = include->isChecked();
    delete dialog.data();
    if (!accepted) {
        return std::nullopt;
    }
    m_include_details = include_details;
    return PrintChoice{printer.copyCount(), m_include_details};
}

ResultsPrinter::ResultsPrinter(PrinterDialog& dialog, Dialogs& dialogs)
    : m_dialog(dialog)
    , m_dialogs(dialogs)
    , m_printer(QPrinter::HighResolution) {}

void ResultsPrinter::print_results_sheet(QWidget* owner, const TypedFields& fields,
                                         const TestResults& results, const TestData& data,
                                         const RunErrors& errors, const QString& open_file) {
    const std::optional<PrintChoice> choice =
        m_dialog.choose(owner, m_printer, QStringLiteral("Choose Printer"));
    if (!choice || choice->copies <= 0) {
        return;
    }
    // The copies are drawn here, each on its own page, so the printer must
    // not repeat them.
    m_printer.setCopyCount(1);
    const QDate date = QDate::currentDate();
    const QTime time = QTime::currentTime();
    const std::vector<SheetLine> lines =
        results_sheet_lines(fields, results, sheet_footer(date, time, QLocale::system()));
    SheetPageDrawer detail_page;
    if (choice->include_details) {
        detail_page = [&data, &errors](QPainter& painter, const QRectF& page) {
            draw_trial_detail_page(painter, page, data, errors);
        };
    }
    if (prints_to_pdf_file()) {
        save_as_pdf(owner, lines, choice->copies, detail_page, open_file);
        return;
    }
    const SheetDrawing drawing = draw_results_sheet(
        m_printer, lines, choice->copies, [this] { m_printer.abort(); }, detail_page);
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

namespace tavo {

bool ResultsPrinter::prints_to_pdf_file() const {
    return m_printer.outputFormat() == QPrinter::PdfFormat && !m_printer.outputFileName().isEmpty();
}

// The printer would write its file as it draws, so a full disk would leave a
// cut document in place of an earlier one. The sheet is drawn in memory on the
// printer's page and then replaces the file in one step.
void ResultsPrinter::save_as_pdf(QWidget* owner, const std::vector<SheetLine>& lines, int copies,
                                 const SheetPageDrawer& detail_page, const QString& open_file) {
    if (const QString refusal = window_output_refusal(QStringLiteral("The results sheet"),
                                                      m_printer.outputFileName(), open_file);
        !refusal.isEmpty()) {
        m_dialogs.show_message(owner, refusal);
        return;
    }
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    QPdfWriter writer(&document);
    writer.setPageLayout(m_printer.pageLayout());
    writer.setResolution(m_printer.resolution());
    writer.setTitle(m_printer.docName());
    writer.setCreator(m_printer.creator());
    const SheetDrawing drawing = draw_results_sheet(writer, lines, copies, {}, detail_page);
    const QString path = m_printer.outputFileName();
    const std::optional<QString> failure =
        drawing.ok ? replace_whole_file(path, document.data()) : drawing.error;
    if (failure) {
        m_dialogs.show_message(owner, QStringLiteral("The results sheet could not be saved as "
                                                     "\"%1\": %2. Any earlier file of that name "
                                                     "is unchanged; choose another folder or "
                                                     "disk to save it.")
                                          .arg(QDir::toNativeSeparators(path), *failure));
    }
}

} // namespace tavo
