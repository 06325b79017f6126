#pragma once

#include <QDialog>

class QComboBox;

namespace calorant {

// Asks for the vertical offset and gain of a graph from two fixed lists. Both lists
// open with nothing selected, so a value not chosen stays as it was (see
// applyYAxisSelection). Enter is OK, Escape cancels.
class CYAxisDlg : public QDialog {
    Q_OBJECT
public:
    explicit CYAxisDlg(QWidget* parent = nullptr);

    // Selected list positions, -1 when nothing was chosen.
    int gainIndex() const;
    int offsetIndex() const;

private:
    QComboBox* offsetList_;
    QComboBox* gainList_;
};

} // namespace calorant
