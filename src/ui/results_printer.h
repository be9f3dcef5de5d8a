// Printing the results sheet: the printer dialog ("Choose Printer", the
// installed printers and a copy count), then one sheet per copy in one job on
// the printer chosen, which is offered again next time.
#pragma once

#include "assessment.h"
#include "assessment_document.h"
#include "results.h"
#include "sheet_painter.h"

#include <QPrinter>
#include <optional>

class QWidget;

namespace tavo {

class Dialogs;

struct PrintChoice {
    int copies = 1;
    bool include_details = false; // a page of trial details after each sheet
};

class PrinterDialog {
public:
    virtual ~PrinterDialog() = default;
    // Lets the user choose the printer (set into `printer`), the number of
    // copies and whether the trial details follow; nullopt when the dialog
    // was cancelled.
    virtual std::optional<PrintChoice> choose(QWidget* owner, QPrinter& printer,
                                              const QString& title) = 0;
};

// Qt's printer dialog with an option tab for the trial details, whose choice
// it offers again next time.
class DesktopPrinterDialog final : public PrinterDialog {
public:
    std::optional<PrintChoice> choose(QWidget* owner, QPrinter& printer,
                                      const QString& title) override;

private:
    bool m_include_details = false;
};

class ResultsPrinter {
public:
    ResultsPrinter(PrinterDialog& dialog, Dialogs& dialogs);

    // `data` and `errors` give the trial details when the user asks for them.
    // Printing to a PDF file never replaces `open_file`, the assessment's
    // own file, nor any other assessment.
    void print_results_sheet(QWidget* owner, const TypedFields& fields, const TestResults& results,
                             const TestData& data, const RunErrors& errors = {},
                             const QString& open_file = {});

private:
    bool prints_to_pdf_file() const;
    void save_as_pdf(QWidget* owner, const std::vector<SheetLine>& lines, int copies,
                     const SheetPageDrawer& detail_page, const QString& open_file);

    PrinterDialog& m_dialog;
    Dialogs& m_dialogs;
    QPrinter m_printer;
};

} // namespace tavo
