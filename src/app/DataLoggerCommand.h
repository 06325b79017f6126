#pragma once

#include "link/MeterLink.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace calorant {

class CKVDoc;
class CLoggerGraphDlg;
class CMainFrame;

// A download that ends without data and without a word from the meter would look like
// a click that did nothing; these say what happened.
inline const QString kDownloadNoAnswerMessage =
    QStringLiteral("The meter did not answer the request for its logger memory.");
inline const QString kDownloadGivenUpMessage =
    QStringLiteral("The logger memory did not arrive in time, so the download was given up.");
inline const QString kDownloadLostMessage =
    QStringLiteral("The meter's port went away during the logger download.");

// The main window's ways into the logger graph window. The Data Logger command (32819)
// is the whole road of one download: the logger viewer prepared for a download, the
// request through the link, the "logging..." window once the meter has announced its
// memory, and at the end the logger graph window listing the sets the document kept,
// or a message. Open (32827) brings the window up in file mode with an empty list; a
// file named on the command line comes up in it as row 1, shown. Only one logger graph
// window exists at a time: both commands are unavailable while it does, and while a
// download is under way.
class DataLoggerCommand : public QObject {
    Q_OBJECT
public:
    // Windows and messages are modal to, or owned by, `owner`.
    DataLoggerCommand(CKVDoc& doc, MeterLink& link, QWidget& owner);
    ~DataLoggerCommand() override;

    void start();
    bool canStart() const;
    // Open: the logger graph window in file mode, its list empty.
    void openFiles();
    // The file the document has just read becomes row 1 of a logger graph window in
    // file mode, shown as a double-click shows it.
    void showLoadedFile();
    // Null while no logger graph window exists.
    CLoggerGraphDlg* loggerWindow() const;
    // The main window closes: the logger graph window goes with it.
    void closeLoggerWindow();

    // Makes the commands work on the main window's menu bar and toolbar.
    void bindTo(CMainFrame& frame);

signals:
    // canStart() may have changed: a download ended, or the logger graph window opened
    // or closed.
    void availabilityChanged();

private:
    void showProgress();
    void onDownloadFinished(DownloadResult result);
    void openLoggerWindow();

    CKVDoc& doc_;
    MeterLink& link_;
    QWidget& owner_;
    QPointer<CLoggerGraphDlg> loggerWindow_;
};

} // namespace calorant
