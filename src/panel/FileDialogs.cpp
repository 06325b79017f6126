#include "panel/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

namespace calorant {

namespace {

std::filesystem::path toPath(const QString& path) {
    // UTF-16, so that names outside ASCII survive on every platform.
    return std::filesystem::path(path.toStdU16String());
}

std::optional<QString> execFileDialog(QWidget* parent, const FileDialogRequest& request,
                                      QFileDialog::AcceptMode mode) {
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
    return dialog.selectedFiles().front();
}

// The extensions a filter names: "Name (*.graph *.csv)" names graph and csv.
QStringList filterExtensions(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral(R"(\*\.([^\s;)]+))"));
    QStringList extensions;
    for (auto match = pattern.globalMatch(filter); match.hasNext();)
        extensions << match.next().captured(1);
    return extensions;
}

// The dialog appends its default suffix only to a name without any: a proposed name such
// as "12-07-26 14.30.22" seems to end in one. So every name gets the suffix unless it
// ends in an extension of the filter.
QString withFilterExtension(const QString& path, const FileDialogRequest& request) {
    if (request.defaultSuffix.isEmpty() ||
        filterExtensions(request.filter).contains(QFileInfo(path).suffix(), Qt::CaseInsensitive))
        return path;
    return path + QLatin1Char('.') + request.defaultSuffix;
}

bool askReplace(QWidget* parent, const QString& path) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Calorant"),
                    QStringLiteral("%1 already exists.\nDo you want to replace it?")
                        .arg(QFileInfo(path).fileName()),
                    QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

// The dialog asked before replacing the name it returned; a name extended here may be
// another file, which is replaced only when the user says so, else the dialog comes back.
std::optional<std::filesystem::path> runSaveFileDialog(QWidget* parent,
                                                       const FileDialogRequest& request) {
    FileDialogRequest next = request;
    for (;;) {
        const std::optional<QString> chosen = execFileDialog(parent, next, QFileDialog::AcceptSave);
        if (!chosen)
            return std::nullopt;
        const QString named = withFilterExtension(*chosen, request);
        if (named == *chosen || !QFileInfo::exists(named) || askReplace(parent, named))
            return toPath(named);
        const QFileInfo shown(*chosen);
        next.folder = toPath(shown.absolutePath());
        next.proposedName = shown.fileName();
    }
}

std::optional<std::filesystem::path> runOpenFileDialog(QWidget* parent,
                                                       const FileDialogRequest& request) {
    const std::optional<QString> chosen = execFileDialog(parent, request, QFileDialog::AcceptOpen);
    if (!chosen)
        return std::nullopt;
    return toPath(*chosen);
}

} // namespace calorant
