#pragma once

#include "core/CalendarTime.h"
#include "report/ReportPrinting.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>
#include <functional>

namespace calorant::test {

// Answers the print dialog with `answer` and keeps every message shown and what the
// dialog was set up with.
class ScriptedPrintEnvironment : public PrintEnvironment {
public:
    std::function<bool(QPrintDialog&)> answer = [](QPrintDialog&) { return false; };
    QStringList messages;
    std::time_t clock = makeLocalTime(2026, 5, 4, 13, 45, 30);
    QAbstractPrintDialog::PrintDialogOptions options;
    QString documentName;
    int dialogs = 0;

    bool runPrintDialog(QPrintDialog& dialog) override {
        ++dialogs;
        options = dialog.options();
        documentName = dialog.printer()->docName();
        return answer(dialog);
    }
    void showMessage(const QString& text) override { messages << text; }
    std::time_t now() override { return clock; }
};

// The user picks printing into the PDF file `path`.
inline std::function<bool(QPrintDialog&)> printToFile(const QString& path) {
    return [path](QPrintDialog& dialog) {
        dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog.printer()->setOutputFileName(path);
        return true;
    };
}

} // namespace calorant::test
