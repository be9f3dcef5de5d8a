// Printing the results sheet: the printer dialog ("Choose Printer", the
// installed printers and a copy count), then one sheet per copy in one job on
// the printer chosen, which is offered again next time.
#pragma once

#include "assessment.h"
#include "results.h"

#include <QPrinter>

#include <optional>

class QWidget;

namespace tavo {

class Dialogs;

class PrinterDialog {
public:
    virtual ~PrinterDialog() = default;
    // Lets the user choose the printer (set into `printer`) and the number of
    // copies; nullopt when the dialog was cancelled.
    virtual std::optional<int> choose(QWidget* owner, QPrinter& printer, const QString& title) = 0;
};

class DesktopPrinterDialog final : public PrinterDialog {
public:
    std::optional<int> choose(QWidget* owner, QPrinter& printer, const QString& title) override;
};

class ResultsPrinter {
public:
    ResultsPrinter(PrinterDialog& dialog, Dialogs& dialogs);

    void print_results_sheet(QWidget* owner, const TypedFields& fields,
                             const ResultTexts& results);

    QPrinter& current_printer() { return m_printer; }

private:
    PrinterDialog& m_dialog;
    Dialogs& m_dialogs;
    QPrinter m_printer;
};

} // namespace tavo
