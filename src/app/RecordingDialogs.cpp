#include "app/RecordingDialogs.h"

#include "panel/CSampleRateDlg.h"

#include <QMessageBox>

namespace calorant {

bool WidgetRecordingDialogs::askYesNo(const QString& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Calorant"), question,
                    QMessageBox::Yes | QMessageBox::No, parent());
    return box.exec() == QMessageBox::Yes;
}

std::optional<int> WidgetRecordingDialogs::askSampleRate(int proposedSeconds) {
    CSampleRateDlg dialog(parent());
    dialog.setSampleRateSec(proposedSeconds);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.sampleRateSec();
}

} // namespace calorant
