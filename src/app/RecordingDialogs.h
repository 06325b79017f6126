#pragma once

#include "panel/FileDialogs.h"

#include <QString>
#include <filesystem>
#include <optional>

class QWidget;

namespace calorant {

// The questions the recording commands ask the user, besides the file dialogs and
// messages. The programme shows its own modal dialogs; tests answer from a script.
class RecordingDialogs : public FileDialogs {
public:
    // A question with the buttons Yes and No; true for Yes.
    virtual bool askYesNo(const QString& question) = 0;
    // The Sample Rate Setup dialog proposing `proposedSeconds`; the entered value, or
    // nothing when the dialog was not confirmed with OK.
    virtual std::optional<int> askSampleRate(int proposedSeconds) = 0;
};

// The programme's own dialogs, modal to `parent`; message boxes carry the caption
// "Calorant".
class WidgetRecordingDialogs : public WidgetFileDialogsFor<RecordingDialogs> {
public:
    using WidgetFileDialogsFor::WidgetFileDialogsFor;

    bool askYesNo(const QString& question) override;
    std::optional<int> askSampleRate(int proposedSeconds) override;
};

} // namespace calorant
