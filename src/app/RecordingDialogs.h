#pragma once

#include "panel/FileDialogs.h"

#include <QString>
#include <filesystem>
#include <optional>

class QWidget;

namespace calorant {

// The questions the recording commands ask the user. The programme shows its own
// modal dialogs; tests answer from a script.
class RecordingDialogs {
public:
    virtual ~RecordingDialogs() = default;

    // A question with the buttons Yes and No; true for Yes.
    virtual bool askYesNo(const QString& question) = 0;
    // The Sample Rate Setup dialog proposing `proposedSeconds`; the entered value, or
    // nothing when the dialog was not confirmed with OK.
    virtual std::optional<int> askSampleRate(int proposedSeconds) = 0;
    // Save-file dialog, confirming before it replaces a file; nothing when cancelled.
    virtual std::optional<std::filesystem::path> askSavePath(const FileDialogRequest& request) = 0;
    // Open-file dialog for an existing file; nothing when cancelled.
    virtual std::optional<std::filesystem::path> askOpenPath(const FileDialogRequest& request) = 0;
    // A message with an OK button.
    virtual void showMessage(const QString& text) = 0;
};

// The programme's own dialogs, modal to `parent`; message boxes carry the caption
// "Calorant".
class WidgetRecordingDialogs : public RecordingDialogs {
public:
    explicit WidgetRecordingDialogs(QWidget* parent) : parent_(parent) {}

    bool askYesNo(const QString& question) override;
    std::optional<int> askSampleRate(int proposedSeconds) override;
    std::optional<std::filesystem::path> askSavePath(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> askOpenPath(const FileDialogRequest& request) override;
    void showMessage(const QString& text) override;

private:
    QWidget* parent_;
};

} // namespace calorant
