#pragma once

#include <QDialog>
#include <cstdint>

class QLineEdit;

namespace calorant {

// Asks for the sample rate of a recording, in whole seconds. The dialog only checks
// that an integer was typed; the caller decides what a rate below 1 means. Enter and
// Escape do nothing here: the dialog closes by its OK button or its close box.
class CSampleRateDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSampleRateDlg(QWidget* parent = nullptr);

    // The value shown when the dialog opens (1 unless the caller proposes one).
    void setSampleRateSec(std::int32_t seconds);
    // The value typed, valid after the dialog was accepted.
    std::int32_t sampleRateSec() const { return sampleRateSec_; }

    void accept() override;

private:
    QLineEdit* rateEdit_;
    std::int32_t sampleRateSec_ = 1;
};

} // namespace calorant
