#include "loggerview/CLoggerGraphDlg.h"

#include "document/CKVDoc.h"
#include "graph/GraphPainter.h"
#include "logger/LoggerZoom.h"
#include "loggerview/CDataListDlg.h"
#include "panel/CYAxisDlg.h"
#include "panel/LogicalFont.h"
#include "panel/WaitCursor.h"
#include "panel/YAxisScale.h"
#include "record/FileSave.h"
#include "record/SaveNaming.h"
#include "report/ReportPrinting.h"
#include "report/ReportSources.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QRubberBand>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTableView>
#include <array>

namespace calorant {

namespace {

// The file list's label and the separators: below the toolbar, right of the list,
// along the right edge and above the scroll bar. The list grows with the window's
// height, the scroll bar keeps to its bottom.
constexpr DialogControl kControls[] = {
    {kNoControlId, ControlKind::HorizontalLine, "", 0, 12, 563, 1, kGrowWidth},
    {kNoControlId, ControlKind::Label, "Double click on file to view ", 2, 15, 206, 9},
    {CLoggerGraphDlg::kListId, ControlKind::ListView, "", 2, 27, 206, 269, kGrowHeight, "fileList"},
    {kNoControlId, ControlKind::VerticalLine, "", 208, 13, 1, 285, kGrowHeight},
    {kNoControlId, ControlKind::VerticalLine, "", 562, 13, 1, 285, kKeepRight | kGrowHeight},
    {kNoControlId, ControlKind::HorizontalLine, "", 209, 287, 354, 1, kGrowWidth | kKeepBottom},
    {CLoggerGraphDlg::kScrollBarId, ControlKind::HorizontalScrollBar, "", 209, 288, 354, 10,
     kGrowWidth | kKeepBottom, "scrollBar"},
};

constexpr DialogTemplate kTemplate{"Temprature Graph", 563, 298, {"System", 10}, kControls, false};

constexpr std::array<const char*, kFileListColumns> kListHeaders{"File No.", "Start Time", "Unit",
                                                                 "Sampling Rate", "Readings"};
constexpr std::array<int, kFileListColumns> kListColumnWidths{60, 120, 55, 105, 150};

constexpr int kReadoutTop = 70;
constexpr int kReadoutHeight = 20;

std::array<bool, kChannelCount> visibleChannels(const LoggerViewState& view) {
    std::array<bool, kChannelCount> visible{};
    for (int c = 0; c < kChannelCount; ++c)
        visible[c] = view.channelVisible[c] != 0;
    return visible;
}

GraphPoint toGraphPoint(QPoint p) {
    return {p.x(), p.y()};
}

} // namespace

CLoggerGraphDlg::CLoggerGraphDlg(CKVDoc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), controls_(buildDialog(*this, kTemplate)),
      toolBar_(new LoggerToolBar(this)), fileList_(controls_.get<QTableView>(kListId)),
      fileRows_(new QStandardItemModel(0, kFileListColumns, this)),
      scrollBar_(controls_.get<QScrollBar>(kScrollBarId)),
      rubberBand_(new QRubberBand(QRubberBand::Rectangle, this)),
      printEnvironment_(std::make_unique<WidgetPrintEnvironment>(this)),
      fileDialogs_(std::make_unique<WidgetFileDialogs>(this)),
      documentsFolder_(
          QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdU16String()),
      fonts_(loggerFonts()) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    // The picture covers the whole client area; nothing needs erasing under it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    scrollBar_->setEnabled(false);
    connect(scrollBar_, &QScrollBar::actionTriggered, this, &CLoggerGraphDlg::onScrollAction);
    dragWatch_.setInterval(kDragWatchMs);
    connect(&dragWatch_, &QTimer::timeout, this, &CLoggerGraphDlg::onDragWatchTimer);
    setUpFileList();
    bindCommands();
    // A file the document reads while the window is open (its own Open, or the main
    // window's) is listed at the next paint.
    connect(&doc_, &CKVDoc::loggerSetChanged, this, &CLoggerGraphDlg::invalidatePicture);
}

CLoggerGraphDlg::~CLoggerGraphDlg() = default;

void CLoggerGraphDlg::setPrintEnvironment(std::unique_ptr<PrintEnvironment> environment) {
    printEnvironment_ = std::move(environment);
}

void CLoggerGraphDlg::setFileDialogs(std::unique_ptr<FileDialogs> dialogs) {
    fileDialogs_ = std::move(dialogs);
}

void CLoggerGraphDlg::setDocumentsFolder(std::filesystem::path folder) {
    documentsFolder_ = std::move(folder);
}

// The list writes its texts in Arial, the face of the window's own labels, in which a
// start time fits its 120-pixel column.
void CLoggerGraphDlg::setUpFileList() {
    fileList_->setFont(toQFont(LogicalFont{QStringLiteral("Arial"), -13, 0, 400}));
    for (int column = 0; column < kFileListColumns; ++column)
        fileRows_->setHorizontalHeaderItem(
            column, new QStandardItem(QString::fromLatin1(kListHeaders[column])));
    fileList_->setModel(fileRows_);
    for (int column = 0; column < kFileListColumns; ++column)
        fileList_->horizontalHeader()->resizeSection(column, kListColumnWidths[column]);
    connect(fileList_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    selectionMark_ = current.row();
            });
    // A double-click anywhere in the list counts, on a row or not.
    fileList_->viewport()->installEventFilter(this);
}

void CLoggerGraphDlg::bindCommands() {
    const auto bind = [this](LoggerCommandId id, auto handler) {
        QAction* action = command(id);
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, handler);
    };
    bind(kLoggerSave, &CLoggerGraphDlg::save);
    bind(kLoggerDownload, &CLoggerGraphDlg::openFile);
    bind(kLoggerPrint, &CLoggerGraphDlg::print);
    bind(kLoggerZoomOut, &CLoggerGraphDlg::zoomOut);
    const std::array<LoggerCommandId, kChannelCount> channels{
        kLoggerShowT1, kLoggerShowT2, kLoggerShowIR, kLoggerShowT3, kLoggerShowT4};
    for (int c = 0; c < kChannelCount; ++c)
        bind(channels[c], [this, c] { showOnlyChannel(c); });
    bind(kLoggerShowAll, &CLoggerGraphDlg::showAllChannels);
    bind(kLoggerYAxis, &CLoggerGraphDlg::askYAxis);
    updateCommandStates(doc_.shownLoggerSet());
}

// Printing and saving need a set to work on; only a downloaded set is saved, and files
// are opened only into the list of file mode.
void CLoggerGraphDlg::updateCommandStates(const LoggerSet* shown) {
    const bool fileMode = doc_.loggerModeFlags().loggerFileMode != 0;
    command(kLoggerPrint)->setEnabled(shown != nullptr);
    command(kLoggerSave)->setEnabled(!fileMode && shown != nullptr);
    command(kLoggerDownload)->setEnabled(fileMode);
}

LoggerGraphInputs CLoggerGraphDlg::graphInputs() const {
    return {fileList_->contentsRect().width(), width(), height(), doc_.shownLoggerSet()};
}

// --- paint ---------------------------------------------------------------------------

void CLoggerGraphDlg::paintEvent(QPaintEvent* event) {
    doc_.loggerModeFlags().loggerWindowShown = 1;
    runListUpkeep();
    const LoggerSet* set = doc_.refreshShownLoggerSet();
    if (pictureStale_ || pictureArea_ != pictureAreaNow())
        composePicture(set);

    QPainter painter(this);
    for (const QRect& background : QRegion(event->rect()) - pictureArea_)
        painter.fillRect(background, QColor(kLoggerBackground));
    const QRect shown = event->rect() & pictureArea_;
    painter.drawImage(shown, image_, shown.translated(-pictureArea_.topLeft()));
    const LoggerViewState& view = doc_.loggerViewState();
    if (picture_.setShown)
        paintLoggerReadout(painter,
                           readoutSlots(picture_.plot, view.channelVisible, view.cursorValueText,
                                        view.cursorTimeText),
                           fonts_.readout);
    if (!view.cursorHidden)
        paintLoggerCursor(painter, cursorLineAt(picture_.plot, view.cursorX));

    if (set)
        QMetaObject::invokeMethod(this, &CLoggerGraphDlg::coupleDataList, Qt::QueuedConnection);
    doc_.loggerModeFlags().appendLoadedFile = 0;
}

QRect CLoggerGraphDlg::pictureAreaNow() const {
    return QRect(QPoint(fileList_->geometry().right() + 1, LoggerToolBar::kHeight),
                 QPoint(width() - 1, height() - 1));
}

void CLoggerGraphDlg::composePicture(const LoggerSet* set) {
    LoggerGraphInputs inputs = graphInputs();
    inputs.set = set;
    picture_ = paintLoggerGraph(doc_.loggerViewState(), inputs);
    pictureArea_ = pictureAreaNow();
    if (image_.size() != pictureArea_.size())
        image_ =
            pictureArea_.isEmpty() ? QImage() : QImage(pictureArea_.size(), QImage::Format_RGB32);
    if (!image_.isNull())
        paintLoggerPicture(image_, pictureArea_.topLeft(), picture_, fonts_);
    const LoggerScrollBar& bar = picture_.scrollBar;
    scrollBar_->setEnabled(bar.enabled);
    if (bar.enabled) {
        scrollBar_->setRange(0, bar.maximum);
        if (bar.position)
            scrollBar_->setValue(*bar.position);
    }
    updateCommandStates(set);
    pictureStale_ = false;
}

void CLoggerGraphDlg::invalidatePicture() {
    pictureStale_ = true;
    update();
}

void CLoggerGraphDlg::repaintNow() {
    pictureStale_ = true;
    repaint();
}

void CLoggerGraphDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    toolBar_->setGeometry(0, 0, width(), LoggerToolBar::kHeight);
    controls_.followClientSize(size());
    pictureStale_ = true;
}

// --- the file list -----------------------------------------------------------------

// The downloaded sets are listed once, at the first paint after the download. In file
// mode a file just read becomes the next row of the file table, the list starting over
// after 100; in download mode the rows are the downloaded sets and nothing else.
void CLoggerGraphDlg::runListUpkeep() {
    LoggerModeFlags& flags = doc_.loggerModeFlags();
    const LoggerStore& store = doc_.loggerStore();
    if (store.setCount >= 1 && !flags.loggerFileMode && flags.listDownloadedSets) {
        flags.listDownloadedSets = 0;
        for (int set = 0; set < store.setCount; ++set)
            appendListRow(set, downloadedSetRow(store, set));
    }
    if (flags.appendLoadedFile && flags.loggerFileMode) {
        const AddedFileRow added = doc_.listLoadedFile();
        if (added.listCleared) {
            fileRows_->removeRows(0, fileRows_->rowCount());
            shownRow_ = -1;
            selectionMark_ = -1;
        }
        appendListRow(added.row, fileTableRow(doc_.loggerFileTable(), added.row));
        pictureStale_ = true;
    }
}

void CLoggerGraphDlg::appendListRow(int row, const FileListRow& texts) {
    QList<QStandardItem*> items;
    for (const std::string& text : texts)
        items << new QStandardItem(QString::fromStdString(text));
    fileRows_->insertRow(std::min(row, fileRows_->rowCount()), items);
}

bool CLoggerGraphDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fileList_->viewport() && event->type() == QEvent::MouseButtonDblClick)
        onListDoubleClicked();
    return QDialog::eventFilter(watched, event);
}

void CLoggerGraphDlg::showListRow(int row) {
    runListUpkeep();
    fileList_->setCurrentIndex(fileRows_->index(row, 0));
    fileList_->selectRow(row);
    onListDoubleClicked();
}

void CLoggerGraphDlg::onListDoubleClicked() {
    const int row = selectionMark_;
    doc_.pickLoggerListRow(row);
    if (dataList_) {
        dataList_->show();
        dataList_->raise();
    }
    shownRow_ = row;
    scrollBar_->setEnabled(false);
    invalidatePicture();
}

// At every paint that shows a set: the Data List made and shown the first time, given
// the set's row count whenever another row's set is shown, and titled after the row.
void CLoggerGraphDlg::coupleDataList() {
    const LoggerSet* set = doc_.shownLoggerSet();
    if (!set)
        return;
    if (!dataList_) {
        dataList_ = new CDataListDlg(doc_.loggerSet(), this);
        dataList_->show();
    } else if (shownRow_ != dataListRow_) {
        dataList_->setItemCount(storedReadingCount(*set));
    }
    dataListRow_ = shownRow_;
    dataList_->setWindowTitle(
        QStringLiteral("Detail Data List_File%1").arg(shownRow_ < 0 ? 1 : shownRow_ + 1));
}

// --- toolbar ---------------------------------------------------------------------------

void CLoggerGraphDlg::showOnlyChannel(int channel) {
    LoggerViewState& view = doc_.loggerViewState();
    for (int c = 0; c < kChannelCount; ++c)
        view.channelVisible[c] = c == channel ? 1 : 0;
    invalidatePicture();
}

void CLoggerGraphDlg::showAllChannels() {
    doc_.loggerViewState().channelVisible.fill(1);
    invalidatePicture();
}

void CLoggerGraphDlg::askYAxis() {
    CYAxisDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    LoggerViewState& view = doc_.loggerViewState();
    const YAxisScale scale =
        applyYAxisSelection({view.yGain, view.yOffset}, dialog.gainIndex(), dialog.offsetIndex());
    view.yGain = scale.gain;
    view.yOffset = scale.offset;
    invalidatePicture();
}

void CLoggerGraphDlg::print() {
    printReport(
        this,
        [this] {
            const LoggerViewState& view = doc_.loggerViewState();
            return loggerReport(*doc_.refreshShownLoggerSet(), visibleChannels(view), view.yGain,
                                view.yOffset);
        },
        *printEnvironment_);
}

// The shown downloaded set as a .graph file and its CSV companion, under the set's
// start time in "4ChCalorantDL", with the Y scale of the last file read. A save that
// fails says which file and why, and leaves the old files as they were.
void CLoggerGraphDlg::save() {
    const LoggerSet* set = doc_.refreshShownLoggerSet();
    if (doc_.loggerModeFlags().loggerFileMode || !set)
        return;
    const std::optional<std::filesystem::path> path =
        fileDialogs_->askSavePath({prepareSaveFolder(documentsFolder_, kLoggerSaveFolder),
                                   QString::fromStdString(proposedSaveName(set->startTime)),
                                   kDataLoggerSaveFilter, kGraphSuffix});
    if (!path)
        return;
    SaveResult result;
    {
        WaitCursor wait;
        result = saveLoggerSet(*path, *set, doc_.loadedYGain(), doc_.loadedYOffset());
    }
    if (!result.saved)
        fileDialogs_->showMessage(QString::fromStdString(result.message()));
}

// A .graph file into the list of file mode: it becomes the next row at the next paint,
// shown once its row is double-clicked. The window takes the file's Y scale, or keeps
// the last file's when the file is refused.
void CLoggerGraphDlg::openFile() {
    if (!doc_.loggerModeFlags().loggerFileMode)
        return;
    zoomOut();
    const std::optional<std::filesystem::path> path =
        fileDialogs_->askOpenPath({prepareSaveFolder(documentsFolder_, kLoggerSaveFolder),
                                   QString(), kDataLoggerOpenFilter, kGraphSuffix});
    if (!path)
        return;
    GraphReadResult result;
    {
        WaitCursor wait;
        result = doc_.openGraphFile(*path);
    }
    LoggerViewState& view = doc_.loggerViewState();
    view.yGain = doc_.loadedYGain();
    view.yOffset = doc_.loadedYOffset();
    invalidatePicture();
    if (!result.loaded())
        fileDialogs_->showMessage(QString::fromStdString(result.message));
}

// --- zoom and scroll ----------------------------------------------------------------------

// Every level is left at once.
void CLoggerGraphDlg::zoomOut() {
    endDrag();
    returnToOverview(doc_.loggerViewState());
    scrollBar_->setEnabled(false);
    repaintNow();
}

void CLoggerGraphDlg::mousePressEvent(QMouseEvent* event) {
    QDialog::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    lastMousePosition_ = event->position().toPoint();
    LoggerViewState& view = doc_.loggerViewState();
    zoomButtonDown(view, toGraphPoint(lastMousePosition_), graphInputs());
    if (view.dragActive)
        dragWatch_.start();
}

void CLoggerGraphDlg::mouseReleaseEvent(QMouseEvent* event) {
    QDialog::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    lastMousePosition_ = event->position().toPoint();
    const LoggerButtonUp up =
        zoomButtonUp(doc_.loggerViewState(), toGraphPoint(lastMousePosition_), graphInputs());
    if (up.dragEnded)
        endDrag();
    if (up.zoomed)
        repaintNow(); // the first zoom-mode paint enables and places the scroll bar
}

// The watch judges the position of the last mouse event, which keeps coming while the
// button is held, wherever the mouse goes.
void CLoggerGraphDlg::onDragWatchTimer() {
    LoggerViewState& view = doc_.loggerViewState();
    if (zoomDragWatch(view, toGraphPoint(lastMousePosition_), graphInputs())) {
        endDrag();
        repaint();
    } else if (!view.dragActive) {
        dragWatch_.stop();
    }
}

void CLoggerGraphDlg::endDrag() {
    rubberBand_->hide();
    dragWatch_.stop();
}

// Dragging the thumb to p puts reading p - 1 at the plot's left edge; every other
// scroll action leaves the thumb, and the curves, where they are.
void CLoggerGraphDlg::onScrollAction(int action) {
    LoggerViewState& view = doc_.loggerViewState();
    if (action == QAbstractSlider::SliderMove)
        trackScrollThumb(view, scrollBar_->sliderPosition());
    scrollBar_->setSliderPosition(scrollThumbPosition(view));
    repaintNow();
}

// --- cursor ------------------------------------------------------------------------------

void CLoggerGraphDlg::mouseMoveEvent(QMouseEvent* event) {
    QDialog::mouseMoveEvent(event);
    lastMousePosition_ = event->position().toPoint();
    LoggerViewState& view = doc_.loggerViewState();
    const bool cursorWasShown = !view.cursorHidden;
    const int cursorWasAt = view.cursorX;
    const std::optional<LoggerMouseMove> move =
        zoomMouseMove(view, toGraphPoint(lastMousePosition_), graphInputs());
    if (!move)
        return;
    if (move->cursorLine) {
        if (cursorWasShown)
            update(cursorColumn(cursorWasAt));
        update(cursorColumn(view.cursorX));
    }
    if (move->rubberBand && !view.dragStill) {
        rubberBand_->setGeometry(toQRect(*move->rubberBand));
        rubberBand_->show();
    }
    if (!move->readout.empty())
        update(readoutLineRect());
}

QRect CLoggerGraphDlg::cursorColumn(int x) const {
    const LoggerLine line = cursorLineAt(picture_.plot, x);
    return QRect(QPoint(line.from.x, line.from.y), QPoint(line.to.x, line.to.y));
}

QRect CLoggerGraphDlg::readoutLineRect() const {
    const int left = static_cast<int>(picture_.plot.left);
    return QRect(left, kReadoutTop, width() - left, kReadoutHeight);
}

// --- close -------------------------------------------------------------------------------

void CLoggerGraphDlg::closeEvent(QCloseEvent* event) {
    endDrag();
    doc_.closeLoggerWindow();
    scrollBar_->setEnabled(false);
    event->accept();
    emit closed();
}

void CLoggerGraphDlg::reject() {
    close();
}

} // namespace calorant
