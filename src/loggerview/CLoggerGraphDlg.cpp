#include "loggerview/CLoggerGraphDlg.h"

#include "document/CKVDoc.h"
#include "logger/LoggerZoom.h"
#include "loggerview/CDataListDlg.h"
#include "panel/CYAxisDlg.h"
#include "panel/LogicalFont.h"
#include "panel/YAxisScale.h"
#include "report/ReportPrinting.h"
#include "report/ReportSources.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>
#include <QStandardItemModel>
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

} // namespace

CLoggerGraphDlg::CLoggerGraphDlg(CKVDoc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), controls_(buildDialog(*this, kTemplate)),
      toolBar_(new LoggerToolBar(this)), fileList_(controls_.get<QTableView>(kListId)),
      fileRows_(new QStandardItemModel(0, kFileListColumns, this)),
      scrollBar_(controls_.get<QScrollBar>(kScrollBarId)),
      printEnvironment_(std::make_unique<WidgetPrintEnvironment>(this)), fonts_(loggerFonts()) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    // The picture covers the whole client area; nothing needs erasing under it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    scrollBar_->setEnabled(false);
    setUpFileList();
    bindCommands();
}

CLoggerGraphDlg::~CLoggerGraphDlg() = default;

void CLoggerGraphDlg::setPrintEnvironment(std::unique_ptr<PrintEnvironment> environment) {
    printEnvironment_ = std::move(environment);
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
    bind(kLoggerPrint, &CLoggerGraphDlg::print);
    const std::array<LoggerCommandId, kChannelCount> channels{
        kLoggerShowT1, kLoggerShowT2, kLoggerShowIR, kLoggerShowT3, kLoggerShowT4};
    for (int c = 0; c < kChannelCount; ++c)
        bind(channels[c], [this, c] { showOnlyChannel(c); });
    bind(kLoggerShowAll, &CLoggerGraphDlg::showAllChannels);
    bind(kLoggerYAxis, &CLoggerGraphDlg::askYAxis);
    // Printing needs a set to print.
    command(kLoggerPrint)->setEnabled(doc_.shownLoggerSet() != nullptr);
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
    scrollBar_->setEnabled(picture_.scrollBar.enabled);
    command(kLoggerPrint)->setEnabled(set != nullptr);
    pictureStale_ = false;
}

void CLoggerGraphDlg::invalidatePicture() {
    pictureStale_ = true;
    update();
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

// --- cursor ------------------------------------------------------------------------------

void CLoggerGraphDlg::mouseMoveEvent(QMouseEvent* event) {
    QDialog::mouseMoveEvent(event);
    LoggerViewState& view = doc_.loggerViewState();
    const bool cursorWasShown = !view.cursorHidden;
    const int cursorWasAt = view.cursorX;
    const QPoint position = event->position().toPoint();
    const std::optional<LoggerMouseMove> move =
        zoomMouseMove(view, {position.x(), position.y()}, graphInputs());
    if (!move)
        return;
    if (move->cursorLine) {
        if (cursorWasShown)
            update(cursorColumn(cursorWasAt));
        update(cursorColumn(view.cursorX));
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
    doc_.closeLoggerWindow();
    scrollBar_->setEnabled(false);
    event->accept();
    emit closed();
}

void CLoggerGraphDlg::reject() {
    close();
}

} // namespace calorant
