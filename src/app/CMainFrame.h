#pragma once

#include "app/CommandId.h"
#include "link/PortEnumerator.h"
#include "link/SerialPort.h"

#include <QFont>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QLabel;
class QToolBar;

namespace calorant {

class CKVDoc;
class CKVView;
class CMSComm;
class DataLoggerCommand;
class DocumentLink;
class HelpWindow;
class MeterLink;
class RecordingCommands;

struct MainFrameOptions {
    // Holds the settings file: read at creation, written at every close.
    std::filesystem::path settingsFolder;
    // A device used as the meter's port without looking for one (--device, --demo).
    QString deviceOverride;
    // The serial device and the system's port list; the system's when null.
    std::unique_ptr<SerialPort> serialPort;
    std::unique_ptr<PortEnumerator> portEnumerator;
};

// The main window: menus, toolbar and status bar around the real-time view, the main
// window's font, the serial port control with the link that feeds the document, and
// the close sequence (settings written, link-end command sent).
//
// Every command is a QAction with its command id as data. A command is enabled only
// when a handler is bound to it and its rule holds; updateCommandStates() applies the
// rules and runs after every change of state they read. A command whose feature is not
// built has no handler and stays disabled.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "KL320 Thermocouple/IR Datalogger";
    static constexpr int kStatusPaneCount = 4;

    // Creates the window, its view and the link. The settings file gives the port number
    // and the graph's Y scale. The first port scan runs one second after creation; the
    // link's timers run from creation to close.
    CMainFrame(CKVDoc& doc, MainFrameOptions options, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CKVView* view() const { return view_; }
    MeterLink& link() const;
    DataLoggerCommand& dataLoggerCommand() const { return *dataLoggerCommand_; }
    RecordingCommands& recordingCommands() const { return *recordingCommands_; }
    QToolBar* toolBar() const { return toolBar_; }
    const QFont& frameFont() const { return frameFont_; }

    QAction* commandAction(CommandId id) const;
    using CommandRule = std::function<bool()>;
    // Makes a command work: its handler, the rule that enables it and, for a command
    // that carries a mark, the rule that marks it.
    void bindCommand(
        CommandId id, std::function<void()> handler, CommandRule enabled = [] { return true; },
        CommandRule checked = {});
    void updateCommandStates();
    // Runs updateCommandStates() once the current event has been handled.
    void requestCommandStateUpdate();

    // A termination signal ends the programme with no question asked: the settings are
    // written, the link ends, an unsaved recording of two samples or more is saved into
    // the recording folder under the name Save proposes (with its CSV), and the window
    // closes. `report` gets one line per file saved, or the reason the save failed.
    // Returns the exit status: 0, or 1 when the save failed. A later call does nothing
    // more and returns the same status.
    int endOnSignal(const std::function<void(const QString&)>& report);

    // Pane 0 is the message pane; panes 1 and 2 carry the graph's cursor readout.
    QLabel* statusPane(int index) const;
    void setStatusPaneText(int index, const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct CommandBinding {
        std::function<void()> handler;
        CommandRule enabled;
        CommandRule checked;
    };

    void createCommandActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createLink(MainFrameOptions& options, int savedPort);
    void bindShellCommands();
    void bindPortCommands();
    void selectOtherPort();
    void showLinkMessage(const QString& text);
    void runCommand(CommandId id);
    void showAbout();
    void showHelpContents();
    void writeSettings();

    CKVDoc& doc_;
    std::filesystem::path settingsFolder_;
    QFont frameFont_;
    std::map<CommandId, QAction*> actions_;
    std::map<CommandId, CommandBinding> bindings_;
    QToolBar* toolBar_ = nullptr;
    QLabel* statusPanes_[kStatusPaneCount] = {};
    CKVView* view_ = nullptr;
    CMSComm* comm_ = nullptr;
    std::unique_ptr<DocumentLink> meter_;
    QPointer<HelpWindow> helpWindow_;
    QTimer commandStateUpdate_;
    std::unique_ptr<RecordingCommands> recordingCommands_;
    std::optional<int> signalExitStatus_; // set once a termination signal has ended it
    DataLoggerCommand* dataLoggerCommand_ = nullptr;
};

} // namespace calorant
