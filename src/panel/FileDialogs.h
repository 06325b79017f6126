#pragma once

#include "panel/DialogLayout.h"

#include <QString>
#include <filesystem>
#include <optional>

class QWidget;

namespace calorant {

// The filters of the save dialogs and of the logger window's open dialog, and the
// extension they append to a name typed without one.
inline const QString kDataLoggerSaveFilter = QStringLiteral("DataLogger Files (*.graph *.csv)");
inline const QString kDataLoggerOpenFilter = QStringLiteral("DataLogger Files (*.graph)");
inline const QString kGraphSuffix = QStringLiteral("graph");

// What a file dialog starts with.
struct FileDialogRequest {
    std::filesystem::path folder;
    QString proposedName; // empty: none
    QString filter;       // Qt syntax, "Name (*.a *.b)"
    QString defaultSuffix;
};

// The programme's file dialogs, modal to `parent`. A name chosen to save under ends in
// one of the filter's extensions, or gets the default suffix ("12-07-26 14.30.22" is
// saved as "12-07-26 14.30.22.graph", "run.csv" stays), and the save dialog confirms
// before it replaces a file; the open dialog takes only an existing file. Nothing when
// cancelled.
std::optional<std::filesystem::path> runSaveFileDialog(QWidget* parent,
                                                       const FileDialogRequest& request);
std::optional<std::filesystem::path> runOpenFileDialog(QWidget* parent,
                                                       const FileDialogRequest& request);

// Where a window asks for files and tells what went wrong with them. The programme
// shows its own dialogs; tests answer from a script.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    virtual std::optional<std::filesystem::path> askSavePath(const FileDialogRequest& request) = 0;
    virtual std::optional<std::filesystem::path> askOpenPath(const FileDialogRequest& request) = 0;
    // A message with an OK button.
    virtual void showMessage(const QString& text) = 0;
};

// The dialogs above and message boxes captioned "Calorant", modal to `parent`, for
// FileDialogs or an interface built on it that asks more.
template <typename Interface> class WidgetFileDialogsFor : public Interface {
public:
    explicit WidgetFileDialogsFor(QWidget* parent) : parent_(parent) {}

    std::optional<std::filesystem::path> askSavePath(const FileDialogRequest& request) override {
        return runSaveFileDialog(parent_, request);
    }
    std::optional<std::filesystem::path> askOpenPath(const FileDialogRequest& request) override {
        return runOpenFileDialog(parent_, request);
    }
    void showMessage(const QString& text) override { calorant::showMessage(parent_, text); }

protected:
    QWidget* parent() const { return parent_; }

private:
    QWidget* parent_;
};

using WidgetFileDialogs = WidgetFileDialogsFor<FileDialogs>;

} // namespace calorant
