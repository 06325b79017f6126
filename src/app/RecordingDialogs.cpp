#include "app/RecordingDialogs.h"

#include "panel/CSampleRateDlg.h"
#include "panel/DialogLayout.h"

#include <QMessageBox>

namespace calorant {

bool WidgetRecordingDialogs::askYesNo(const QString& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Calorant"), question,
                    QMessageBox::Yes | QMessageBox::No, parent_);
    return box.exec() == QMessageBox::Yes;
}

std::optional<int> WidgetRecordingDialogs::askSampleRate(int proposedSeconds) {
    CSampleRateDlg dialog(parent_);
    dialog.setSampleRateSec(proposedSeconds);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.sampleRateSec();
}

std::optional<std::filesystem::path>
WidgetRecordingDialogs::askSavePath(const FileDialogRequest& request) {
    return runSaveFileDialog(parent_, request);
}

std::optional<std::filesystem::path>
WidgetRecordingDialogs::askOpenPath(const FileDialogRequest& request) {
    return runOpenFileDialog(parent_, request);
}

void WidgetRecordingDialogs::showMessage(const QString& text) {
    calorant::showMessage(parent_, text);
}

} // namespace calorant
