#include "app/DataLoggerCommand.h"

#include "app/CMainFrame.h"
#include "document/CKVDoc.h"
#include "loggerview/CLoggerGraphDlg.h"
#include "loggerview/CProgressDlg.h"
#include "panel/DialogLayout.h"

namespace calorant {

DataLoggerCommand::DataLoggerCommand(CKVDoc& doc, MeterLink& link, QWidget& owner)
    : QObject(&owner), doc_(doc), link_(link), owner_(owner) {
    // All three come from inside the link's timer and port handlers; the modal window,
    // the logger graph window and the messages wait for the event loop. The memory
    // reaches the document before the link says the download has ended.
    connect(&link_, &MeterLink::downloadStarted, this, &DataLoggerCommand::showProgress,
            Qt::QueuedConnection);
    connect(&doc_, &CKVDoc::loggerStoreDownloaded, this, &DataLoggerCommand::openLoggerWindow,
            Qt::QueuedConnection);
    connect(&link_, &MeterLink::downloadFinished, this, &DataLoggerCommand::onDownloadFinished,
            Qt::QueuedConnection);
}

DataLoggerCommand::~DataLoggerCommand() = default;

void DataLoggerCommand::start() {
    doc_.prepareLoggerDownload();
    link_.StartLoggerDownload();
}

CLoggerGraphDlg* DataLoggerCommand::loggerWindow() const {
    return loggerWindow_;
}

void DataLoggerCommand::closeLoggerWindow() {
    if (loggerWindow_)
        loggerWindow_->close();
}

void DataLoggerCommand::openFiles() {
    if (!canStart())
        return;
    doc_.prepareLoggerFiles(false);
    openLoggerWindow();
}

void DataLoggerCommand::showLoadedFile() {
    if (!canStart())
        return;
    doc_.prepareLoggerFiles(true);
    openLoggerWindow();
    loggerWindow_->showListRow(0);
}

bool DataLoggerCommand::canStart() const {
    return !loggerWindow_ && !doc_.loggerModeFlags().loggerWindowShown && !link_.downloadMode();
}

void DataLoggerCommand::showProgress() {
    CProgressDlg progress(link_, &owner_);
    progress.exec();
}

// The link has already gone back to live mode; an empty or oversized memory has its
// message from the link, and a memory with data its window from the document.
void DataLoggerCommand::onDownloadFinished(DownloadResult result) {
    emit availabilityChanged();
    switch (result) {
    case DownloadResult::NoAnswer:
        showMessage(&owner_, kDownloadNoAnswerMessage);
        return;
    case DownloadResult::GivenUp:
        showMessage(&owner_, kDownloadGivenUpMessage);
        return;
    case DownloadResult::Lost:
        showMessage(&owner_, kDownloadLostMessage);
        return;
    case DownloadResult::Data:
    case DownloadResult::Empty:
    case DownloadResult::Refused:
        return;
    }
}

void DataLoggerCommand::openLoggerWindow() {
    if (loggerWindow_)
        return;
    loggerWindow_ = new CLoggerGraphDlg(doc_, &owner_);
    connect(loggerWindow_, &CLoggerGraphDlg::closed, this, &DataLoggerCommand::availabilityChanged);
    loggerWindow_->show();
    emit availabilityChanged();
}

void DataLoggerCommand::bindTo(CMainFrame& frame) {
    frame.bindCommand(
        kCmdDataLogger, [this] { start(); }, [this] { return canStart(); });
    frame.bindCommand(
        kCmdOpen, [this] { openFiles(); }, [this] { return canStart(); });
    connect(this, &DataLoggerCommand::availabilityChanged, &frame,
            &CMainFrame::requestCommandStateUpdate);
}

} // namespace calorant
