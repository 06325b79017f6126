#pragma once

#include <QWidget>

class QLineEdit;

namespace calorant {

class MeterState;

// The statistics bar below the real-time graph: for each channel a row with its
// running MAX, MIN and AVG texts, refreshed after each accepted frame.
class CStatsBarDlg : public QWidget {
    Q_OBJECT
public:
    enum Column : int { kMaxColumn, kMinColumn, kAvgColumn };

    explicit CStatsBarDlg(QWidget* parent = nullptr);

    // Height of the bar's layout in pixels; the bar keeps it whatever its width.
    int layoutHeight() const { return layoutHeight_; }

    // Copies the statistics texts of all five channels into the fields.
    void refresh(const MeterState& state);

    QString fieldText(int channel, Column column) const;

private:
    QLineEdit* field(int channel, Column column) const;

    int layoutHeight_ = 0;
};

} // namespace calorant
