#pragma once

#include <QDialog>
#include <cstdint>

class QLineEdit;

namespace calorant {

// Asks for the number of a COM port above COM4. The dialog only checks that an
// unsigned integer was typed; the caller applies the range. Enter is OK, Escape
// cancels.
class CComPortDlg : public QDialog {
    Q_OBJECT
public:
    explicit CComPortDlg(QWidget* parent = nullptr);

    // The value shown when the dialog opens (5 unless the caller proposes one).
    void setComPortNumber(std::uint32_t number);
    // The value typed, valid after the dialog was accepted.
    std::uint32_t comPortNumber() const { return comPortNumber_; }

    void accept() override;

private:
    QLineEdit* numberEdit_;
    std::uint32_t comPortNumber_ = 5;
};

} // namespace calorant
