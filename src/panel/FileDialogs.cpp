#include "panel/FileDialogs.h"

#include "panel/DialogLayout.h"

#include <QFileDialog>

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
    // UTF-16, so that names outside ASCII survive on every platform.
    return std::filesystem::path(dialog.selectedFiles().front().toStdU16String());
}

} // namespace

std::optional<std::filesystem::path> runSaveFileDialog(QWidget* parent,
                                                       const FileDialogRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptSave);
}

std::optional<std::filesystem::path> runOpenFileDialog(QWidget* parent,
                                                       const FileDialogRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptOpen);
}

std::optional<std::filesystem::path>
WidgetFileDialogs::askSavePath(const FileDialogRequest& request) {
    return runSaveFileDialog(parent_, request);
}

std::optional<std::filesystem::path>
WidgetFileDialogs::askOpenPath(const FileDialogRequest& request) {
    return runOpenFileDialog(parent_, request);
}

void WidgetFileDialogs::showMessage(const QString& text) {
    calorant::showMessage(parent_, text);
}

} // namespace calorant
