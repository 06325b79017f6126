#include "report/ReportPrinting.h"

#include "report/ReportPainter.h"

#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace calorant {

bool WidgetPrintEnvironment::runPrintDialog(QPrintDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

void WidgetPrintEnvironment::showMessage(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Calorant"), text, QMessageBox::Ok,
                    parent_);
    box.exec();
}

std::time_t WidgetPrintEnvironment::now() {
    return std::time(nullptr);
}

PrintOutcome printReport(QWidget* parent, const ReportSource& report) {
    WidgetPrintEnvironment environment(parent);
    return printReport(parent, report, environment);
}

PrintOutcome printReport(QWidget* parent, const ReportSource& report,
                         PrintEnvironment& environment) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromLatin1(kPrintDocumentName));
    QPrintDialog dialog(&printer, parent);
    // The report is one page: there is no range or selection to choose.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    if (!environment.runPrintDialog(dialog))
        return PrintOutcome::Cancelled;
    if (!printer.isValid()) {
        environment.showMessage(QString::fromLatin1(kPrinterBusyMessage));
        return PrintOutcome::PrinterBusy;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        environment.showMessage(QString::fromLatin1(kInitialErrorMessage));
        return PrintOutcome::InitialError;
    }
    if (printer.printerState() != QPrinter::Active) {
        environment.showMessage(QString::fromLatin1(kCannotStartPrintingMessage));
        printer.abort();
        painter.end();
        return PrintOutcome::CannotStartPrinting;
    }
    ReportInputs inputs = report();
    inputs.printTime = environment.now();
    paintReport(painter, inputs);
    painter.end();
    return PrintOutcome::Printed;
}

} // namespace calorant
