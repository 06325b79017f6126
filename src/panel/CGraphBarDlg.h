#pragma once

#include <QWidget>
#include <string>

class QLineEdit;

namespace calorant {

struct GraphDisplaySettings;

// The control bar above the real-time graph: channel buttons, the Y axis setup, the
// meter's battery state and the recording's start time, sample rate and data number.
// Its buttons change the document's GraphDisplaySettings and announce it, so the graph
// repaints; its fields show texts the owner hands in and are never edited.
class CGraphBarDlg : public QWidget {
    Q_OBJECT
public:
    // Control ids of the fields.
    enum Field : int {
        kBatteryField = 1026,
        kStartTimeField = 1014,
        kSampleRateField = 1078,
        kDataNoField = 1015
    };

    CGraphBarDlg(GraphDisplaySettings& settings, QWidget* parent = nullptr);

    // Height of the bar's layout in pixels; the bar keeps it whatever its width.
    int layoutHeight() const { return layoutHeight_; }

    void setBatteryText(const std::string& text);
    void setStartTimeText(const std::string& text);
    void setSampleRateText(const std::string& text);
    void setDataNoText(const std::string& text);
    QString fieldText(Field field) const;

signals:
    void channelVisibilityChanged();
    void yAxisChanged();

private:
    void showOnlyChannel(int channel);
    void showAllChannels();
    void runYAxisSetup();
    QLineEdit* field(Field id) const;

    GraphDisplaySettings& settings_;
    int layoutHeight_ = 0;
};

} // namespace calorant
