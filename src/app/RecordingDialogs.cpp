#include "app/RecordingDialogs.h"

#include "app/CMeterApp.h"
#include "panel/CSampleRateDlg.h"
#include "panel/DialogLayout.h"

#include <QFileDialog>
#include <QMessageBox>

namespace calorant {

namespace {

std::optional<std::filesystem::path>
runFileDialog(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    const std::filesystem::path start =
        request.proposedName.isEmpty() ? request.folder
                                       : request.folder / request.proposedName.toStdU16String();
    QFileDialog dialog(parent, QString(), QString::fromStdU16String(start.u16string()),
                       request.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return toFilesystemPath(dialog.selectedFiles().front());
}

} // namespace

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
    return runFileDialog(parent_, request, QFileDialog::AcceptSave);
}

std::optional<std::filesystem::path>
WidgetRecordingDialogs::askOpenPath(const FileDialogRequest& request) {
    return runFileDialog(parent_, request, QFileDialog::AcceptOpen);
}

void WidgetRecordingDialogs::showMessage(const QString& text) {
    calorant::showMessage(parent_, text);
}

} // namespace calorant
