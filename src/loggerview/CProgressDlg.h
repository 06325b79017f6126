#pragma once

#include <QDialog>
#include <QString>
#include <QTimer>

class QLabel;
class QProgressBar;

namespace calorant {

class MeterLink;

// "logging...": the modal window shown while the logger memory streams in. Its bar runs
// on elapsed time, about one byte a millisecond, not on the bytes received: it may
// reach 100 % early or the data may be complete before it does. The download itself
// goes on in the link, whose port events the window's modal loop keeps handling.
//
// Once the header has announced the stream, the window starts its bar and gives the
// download downloadTotal * 1.5 + 5000 ms, after which the link abandons it. It closes
// as soon as the download has ended, whichever way.
class CProgressDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kBarId = 1108;
    static constexpr int kPercentId = 1109;
    static constexpr int kBarTickMs = 13; // timer 1; the bar advances 13 a tick

    explicit CProgressDlg(MeterLink& link, QWidget* parent = nullptr);
    ~CProgressDlg() override;

    // Timer 1: one step of the bar, then the percentage.
    void onBarTimer();

    QProgressBar* bar() const { return bar_; }
    QString percentText() const;
    // The time the download was given before it is abandoned; 0 while the bar has not
    // started.
    int giveUpMs() const { return giveUpMs_; }
    const QTimer& barTimer() const { return barTimer_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void checkDownload();
    void startProgress();
    void updatePercentage();
    void finish();

    MeterLink& link_;
    QProgressBar* bar_;
    QLabel* percentLabel_;
    QTimer barTimer_;
    bool progressStarted_ = false;
    int giveUpMs_ = 0;
};

} // namespace calorant
