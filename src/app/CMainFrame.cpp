#include "app/CMainFrame.h"

#include "app/CAboutDlg.h"
#include "app/CMeterApp.h"
#include "app/CommandTable.h"
#include "app/DataLoggerCommand.h"
#include "app/HelpWindow.h"
#include "app/MainWindowFont.h"
#include "app/RecordingCommands.h"
#include "app/SettingsFile.h"
#include "document/CKVDoc.h"
#include "document/DocumentLink.h"
#include "graph/CKVView.h"
#include "link/CMSComm.h"
#include "link/MeterLink.h"
#include "panel/CComPortDlg.h"
#include "record/SaveNaming.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <climits>

namespace calorant {

namespace {

constexpr QSize kToolBarImageSize(27, 20);
constexpr int kStatusPaneWidths[] = {150, 150, 500};
constexpr int kFixedPortCount = 4; // COM1..COM4 have commands of their own

} // namespace

CMainFrame::CMainFrame(CKVDoc& doc, MainFrameOptions options, QWidget* parent)
    : QMainWindow(parent), doc_(doc), settingsFolder_(std::move(options.settingsFolder)) {
    const Settings settings = ReadSettings(settingsFolder_);
    doc_.graphDisplay().graphYGain = settings.yGain;
    doc_.graphDisplay().graphYOffset = settings.yOffset;

    setWindowTitle(QString::fromLatin1(kTitle));
    setWindowIcon(QIcon(QStringLiteral(":/app/calorant.svg")));
    createCommandActions();
    createMenus();
    createToolBar();
    frameFont_ = mainWindowFont();
    comm_ =
        options.serialPort ? new CMSComm(std::move(options.serialPort), this) : new CMSComm(this);
    createStatusBar();

    // The panel's keys reach the meter through the link, which exists from here on.
    view_ = new CKVView(
        doc_, frameFont_, [this](const MeterCommand& command) { link().sendCommand(command); },
        this);
    setCentralWidget(view_);
    createLink(options, settings.comPort);
    commandStateUpdate_.setSingleShot(true);
    commandStateUpdate_.setInterval(0);
    connect(&commandStateUpdate_, &QTimer::timeout, this, &CMainFrame::updateCommandStates);

    bindShellCommands();
    bindPortCommands();
    recordingCommands_ = std::make_unique<RecordingCommands>(
        RecordingContext{
            doc_, view_->graph(),
            toFilesystemPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))},
        std::make_unique<WidgetRecordingDialogs>(this), this,
        std::make_unique<WidgetPrintEnvironment>(this));
    recordingCommands_->bindTo(*this);
    // Shown from the event loop: the journal fails inside a sampling tick.
    connect(
        &doc_, &CKVDoc::journalFailed, this,
        [this](const QString& reason) {
            showLinkMessage(QStringLiteral("The recording is no longer kept safe against a "
                                           "crash: its journal cannot be written (%1). Save "
                                           "the recording to keep it.")
                                .arg(reason));
        },
        Qt::QueuedConnection);
    dataLoggerCommand_ = new DataLoggerCommand(doc_, link(), *this);
    dataLoggerCommand_->bindTo(*this);
    link().startTimers();
    link().scheduleScan();
}

CMainFrame::~CMainFrame() = default;

MeterLink& CMainFrame::link() const {
    return meter_->link();
}

void CMainFrame::createCommandActions() {
    for (const CommandInfo& info : commandTable()) {
        auto* action = new QAction(this);
        action->setData(int(info.id));
        if (info.text)
            action->setText(QString::fromLatin1(info.text));
        action->setToolTip(QString::fromLatin1(info.toolTip));
        if (info.icon)
            action->setIcon(QIcon(QString::fromLatin1(info.icon)));
        if (info.shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(info.shortcut)));
        connect(action, &QAction::triggered, this, [this, id = info.id] { runCommand(id); });
        actions_[info.id] = action;
        // Commands without a menu item or a button stay reachable as window actions.
        addAction(action);
    }
}

void CMainFrame::createMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File(f)"));
    file->addAction(commandAction(kCmdSave));
    file->addAction(commandAction(kCmdOpen));
    file->addAction(commandAction(kCmdPrint));
    file->addSeparator();
    file->addAction(commandAction(kCmdExit));

    QMenu* realTime = menuBar()->addMenu(QStringLiteral("&RealTime(R)"));
    realTime->addAction(commandAction(kCmdRun));
    realTime->addAction(commandAction(kCmdStop));
    realTime->addAction(commandAction(kCmdUndoZoom));

    menuBar()->addAction(commandAction(kCmdDataLogger));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help(H)"));
    help->addAction(commandAction(kCmdAbout));
    help->addAction(commandAction(kCmdHelpContents));
}

void CMainFrame::createToolBar() {
    toolBar_ = addToolBar(QStringLiteral("Toolbar"));
    toolBar_->setObjectName(QStringLiteral("mainToolBar"));
    toolBar_->setIconSize(kToolBarImageSize);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar_->setMovable(true);
    const CommandId buttons[] = {kCmdSave,  kCmdOpen,     kCmdRun,         kCmdStop,
                                 kCmdPrint, kCmdUndoZoom, kCmdHelpContents};
    for (CommandId id : buttons) {
        if (!toolBar_->actions().isEmpty())
            toolBar_->addSeparator();
        toolBar_->addAction(commandAction(id));
    }
}

// Three plain panes of fixed width, then the scroll-lock indicator. Nothing but the
// graph's cursor readout is ever written there.
void CMainFrame::createStatusBar() {
    QStatusBar* bar = statusBar();
    for (int i = 0; i < kStatusPaneCount; ++i) {
        auto* pane = new QLabel(bar);
        pane->setObjectName(QStringLiteral("statusPane%1").arg(i));
        if (i < int(std::size(kStatusPaneWidths)))
            pane->setFixedWidth(kStatusPaneWidths[i]);
        bar->addWidget(pane);
        statusPanes_[i] = pane;
    }
}

void CMainFrame::createLink(MainFrameOptions& options, int savedPort) {
    std::unique_ptr<PortEnumerator> ports = options.portEnumerator
                                                ? std::move(options.portEnumerator)
                                                : std::make_unique<SystemPortEnumerator>();
    meter_ = std::make_unique<DocumentLink>(doc_, *comm_, std::move(ports), savedPort);
    MeterLink& meterLink = link();
    if (!options.deviceOverride.isEmpty())
        meterLink.setDeviceOverride(options.deviceOverride);

    connect(&meterLink, &MeterLink::message, this, &CMainFrame::showLinkMessage);
    // A link event may change several flags one after the other (offline, then the
    // recording stopped): the command states are brought up to date once it is over.
    connect(&meterLink, &MeterLink::portCommandsChanged, this,
            &CMainFrame::requestCommandStateUpdate);
    for (auto changed :
         {&CKVDoc::recordingStarted, &CKVDoc::recordingStopped, &CKVDoc::recordingRestored})
        connect(&doc_, changed, this, &CMainFrame::requestCommandStateUpdate);
    connect(&doc_, &CKVDoc::frameApplied, this, &CMainFrame::requestCommandStateUpdate);
    connect(&doc_, &CKVDoc::offlineChanged, this, &CMainFrame::requestCommandStateUpdate);
}

QAction* CMainFrame::commandAction(CommandId id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void CMainFrame::bindCommand(CommandId id, std::function<void()> handler, CommandRule enabled,
                             CommandRule checked) {
    commandAction(id)->setCheckable(bool(checked));
    bindings_[id] = CommandBinding{std::move(handler), std::move(enabled), std::move(checked)};
    updateCommandStates();
}

void CMainFrame::updateCommandStates() {
    for (const auto& [id, action] : actions_) {
        const auto binding = bindings_.find(id);
        const bool bound = binding != bindings_.end();
        action->setEnabled(bound && binding->second.enabled());
        if (bound && binding->second.checked)
            action->setChecked(binding->second.checked());
    }
}

void CMainFrame::requestCommandStateUpdate() {
    commandStateUpdate_.start();
}

void CMainFrame::runCommand(CommandId id) {
    const auto binding = bindings_.find(id);
    if (binding == bindings_.end() || !binding->second.enabled())
        return;
    binding->second.handler();
    updateCommandStates();
}

void CMainFrame::bindShellCommands() {
    bindCommand(kCmdExit, [this] { close(); });
    bindCommand(kCmdAbout, [this] { showAbout(); });
    bindCommand(kCmdHelpContents, [this] { showHelpContents(); });
}

void CMainFrame::bindPortCommands() {
    for (int index = 0; index < kFixedPortCount; ++index) {
        bindCommand(
            CommandId(kCmdCom1 + index),
            [this, index] {
                if (link().SelectMeterPort(index + 1))
                    doc_.updateAllViews();
            },
            [this, index] { return link().portCmdEnabled(index); },
            [this, index] { return link().portCmdMarked(index); });
    }
    bindCommand(
        kCmdOtherPorts, [this] { selectOtherPort(); },
        [this] { return link().portCmdEnabled(MeterLink::kOtherPortsCommand); });
    // The meter may be switched off whenever a recording could be started.
    bindCommand(
        kCmdPowerOff, [this] { link().powerOff(); },
        [this] { return doc_.sampleStore().canRun(); });
}

void CMainFrame::selectOtherPort() {
    CComPortDlg dialog(this);
    if (link().currentPort() > kFixedPortCount)
        dialog.setComPortNumber(std::uint32_t(link().currentPort()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int port = int(std::min<std::uint32_t>(dialog.comPortNumber(), INT_MAX));
    if (link().SelectOtherMeterPort(port))
        doc_.updateAllViews();
}

QLabel* CMainFrame::statusPane(int index) const {
    return index >= 0 && index < kStatusPaneCount ? statusPanes_[index] : nullptr;
}

void CMainFrame::setStatusPaneText(int index, const QString& text) {
    if (QLabel* pane = statusPane(index))
        pane->setText(text);
}

void CMainFrame::showAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::showHelpContents() {
    if (!helpWindow_)
        helpWindow_ = new HelpWindow(this);
    helpWindow_->showContents();
}

void CMainFrame::showLinkMessage(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Calorant"), text, QMessageBox::Ok, this);
    box.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!signalExitStatus_) {
        writeSettings();
        link().sendLinkEnd();
        recordingCommands_->offerSaveBeforeClose();
    }
    dataLoggerCommand_->closeLoggerWindow();
    event->accept();
}

int CMainFrame::endOnSignal(const std::function<void(const QString&)>& report) {
    if (signalExitStatus_)
        return *signalExitStatus_;
    writeSettings();
    link().sendLinkEnd();
    int status = 0;
    if (const std::optional<UnaskedSave> save = recordingCommands_->saveUnsavedWithoutAsking()) {
        if (save->result.saved) {
            for (const std::filesystem::path& file :
                 {save->graphPath, companionCsvPath(save->graphPath)})
                report(QStringLiteral("recording saved to %1")
                           .arg(QString::fromStdU16String(file.u16string())));
        } else {
            report(QString::fromStdString(save->result.message()));
            status = 1;
        }
    }
    signalExitStatus_ = status;
    close();
    return status;
}

// Changes made during the run (port choice, Y axis) are kept only here, at close.
void CMainFrame::writeSettings() {
    const GraphDisplaySettings& display = doc_.graphDisplay();
    // A settings file that cannot be written leaves the old one; nothing to tell.
    (void)WriteSettings(settingsFolder_,
                        {link().currentPort(), display.graphYGain, display.graphYOffset});
}

} // namespace calorant
