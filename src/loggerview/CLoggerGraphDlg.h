#pragma once

#include "logger/LoggerFileListRow.h"
#include "logger/LoggerGraph.h"
#include "loggerview/CDataListDlg.h"
#include "loggerview/LoggerGraphPainter.h"
#include "loggerview/LoggerToolBar.h"
#include "panel/DialogTemplate.h"
#include "panel/FileDialogs.h"

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <filesystem>
#include <memory>

class QRubberBand;
class QScrollBar;
class QStandardItemModel;
class QTableView;

namespace calorant {

class CKVDoc;
class PrintEnvironment;
struct LoggerSet;

// "Temprature Graph": the logger graph window. The file list on the left holds the
// downloaded sets (download mode) or the sets opened from files (file mode); a
// double-click plots that set against time with its Y scale, channel buttons and
// legend, and shows every reading in the Data List. A rectangle dragged over the plot
// zooms into it, up to 99 levels deep, and the scroll bar pans a zoomed set by whole
// readings; ZoomOut returns to the whole set. The cursor line follows the mouse over
// the plot, with the readings under it on the readout line. Save writes a downloaded
// set as .graph and .csv; Download opens a .graph file into the list of file mode. One
// such window exists at a time; it deletes itself when closed, and its close puts the
// logger's state back to rest.
//
// The window owns no programme state: it reads the document's logger store, set, file
// table, view state and mode flags and changes them through the document. Its picture
// is composed off-screen when something it shows has changed and copied to the screen
// region by region; the readout line, the cursor line and the rubber band lie over it,
// so a mouse move repaints only the cursor's columns and the readout line.
class CLoggerGraphDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kListId = 1110;
    static constexpr int kScrollBarId = 1090;
    static constexpr int kDragWatchMs = 10; // timer 4

    explicit CLoggerGraphDlg(CKVDoc& doc, QWidget* parent = nullptr);
    ~CLoggerGraphDlg() override;

    QTableView* fileList() const { return fileList_; }
    QScrollBar* scrollBar() const { return scrollBar_; }
    LoggerToolBar* toolBar() const { return toolBar_; }
    QAction* command(LoggerCommandId id) const { return toolBar_->command(id); }
    // Made at the first paint that shows a set; null before.
    CDataListDlg* dataList() const { return dataList_; }

    QRubberBand* rubberBand() const { return rubberBand_; }
    // Runs while a zoom rectangle is dragged; its handler is onDragWatchTimer().
    const QTimer& dragWatch() const { return dragWatch_; }

    // Where Print takes its print dialog, messages and clock from (the real ones unless
    // replaced).
    void setPrintEnvironment(std::unique_ptr<PrintEnvironment> environment);
    // Where Save and Download ask for files and report failures (the real dialogs
    // unless replaced), and the documents folder whose "4ChCalorantDL" they start in.
    void setFileDialogs(std::unique_ptr<FileDialogs> dialogs);
    void setDocumentsFolder(std::filesystem::path folder);

    // What a double-click on list row `row` does, with that row selected first and a
    // file just read listed before.
    void showListRow(int row);

    // One tick of the drag watch: a drag whose mouse went well beyond the plot is
    // abandoned.
    void onDragWatchTimer();

    // What a paint and the mouse work depend on besides the view state, as they stand.
    LoggerGraphInputs graphInputs() const;

signals:
    // The window closed; it is deleted once control returns to the event loop.
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape closes the window as its close box does.
    void reject() override;

private:
    void bindCommands();
    void updateCommandStates(const LoggerSet* shown);
    void setUpFileList();
    void runListUpkeep();
    void appendListRow(int row, const FileListRow& texts);
    void onListDoubleClicked();
    void showOnlyChannel(int channel);
    void showAllChannels();
    void askYAxis();
    void print();
    void save();
    void openFile();
    void zoomOut();
    void onScrollAction(int action);
    void endDrag();
    void repaintNow();
    void coupleDataList();
    void invalidatePicture();
    QRect pictureAreaNow() const;
    void composePicture(const LoggerSet* set);
    QRect cursorColumn(int x) const;
    QRect readoutLineRect() const;

    CKVDoc& doc_;
    DialogControls controls_;
    LoggerToolBar* toolBar_;
    QTableView* fileList_;
    QStandardItemModel* fileRows_;
    QScrollBar* scrollBar_;
    QPointer<CDataListDlg> dataList_;
    QRubberBand* rubberBand_;
    QTimer dragWatch_;
    QPoint lastMousePosition_; // of the last mouse event, judged by the drag watch
    std::unique_ptr<PrintEnvironment> printEnvironment_;
    std::unique_ptr<FileDialogs> fileDialogs_;
    std::filesystem::path documentsFolder_;
    LoggerFonts fonts_;

    int selectionMark_ = -1; // the list row selected last, -1 for none
    int shownRow_ = -1;      // the row whose set is shown
    int dataListRow_ = -1;   // the row the Data List last took its row count from

    // The composed picture of the client area that the toolbar and the file list leave
    // uncovered (left of the list and between its children the window shows only its
    // background), and what it was composed from.
    QRect pictureArea_;
    QImage image_;
    LoggerPicture picture_;
    bool pictureStale_ = true;
};

} // namespace calorant
