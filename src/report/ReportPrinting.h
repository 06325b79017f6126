#pragma once

#include "report/ReportInputs.h"

#include <QString>
#include <ctime>
#include <functional>

class QPrintDialog;
class QWidget;

namespace calorant {

inline constexpr const char* kPrintDocumentName = "client   print";
inline constexpr const char* kPrinterBusyMessage = "Printer is busy!";
inline constexpr const char* kInitialErrorMessage = "Initial error!";
inline constexpr const char* kCannotStartPrintingMessage = "Can't start printing!";

// What printing needs from its surroundings: the print dialog, the message boxes and
// the clock. The programme uses the real ones; tests answer from a script.
class PrintEnvironment {
public:
    virtual ~PrintEnvironment() = default;

    // Shows the print dialog, already set up; true when the user chose to print.
    virtual bool runPrintDialog(QPrintDialog& dialog) = 0;
    // A message box with an OK button.
    virtual void showMessage(const QString& text) = 0;
    virtual std::time_t now() = 0;
};

// The print dialog and message boxes modal to `parent` (captioned "Calorant"), and the
// system clock.
class WidgetPrintEnvironment : public PrintEnvironment {
public:
    explicit WidgetPrintEnvironment(QWidget* parent) : parent_(parent) {}

    bool runPrintDialog(QPrintDialog& dialog) override;
    void showMessage(const QString& text) override;
    std::time_t now() override;

private:
    QWidget* parent_;
};

enum class PrintOutcome {
    Printed,
    Cancelled,
    PrinterBusy,         // the dialog left no usable printer
    InitialError,        // the print job could not be started
    CannotStartPrinting, // the job started but its page did not; the job was aborted
};

// Makes the inputs when the page is about to be drawn, so that the page shows the
// recording or the set as it is then. Their printTime is set by printReport.
using ReportSource = std::function<ReportInputs()>;

// The Print command: the print dialog (no page range, no selection, copies and
// collation left to the printer; a PDF file is one of its printers), then exactly one
// page with the document name "client   print". Cancel ends it silently; a failure
// shows "Printer is busy!", "Initial error!" or "Can't start printing!". The print
// dialog and the messages are modal to `parent`.
PrintOutcome printReport(QWidget* parent, const ReportSource& report);
PrintOutcome printReport(QWidget* parent, const ReportSource& report,
                         PrintEnvironment& environment);

} // namespace calorant
