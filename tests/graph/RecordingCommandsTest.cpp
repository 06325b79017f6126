// The recording commands with scripted answers: Run choosing the rate (a rate of 0
// becomes 1 s, and the sampling timer starts only once a rate is chosen), the save
// question only after a first recording, Save writing both files in the recording folder
// and reporting a failure, the save offered at close from two samples on, the save made
// with no one to ask (a termination signal) of a recording not saved yet, and the
// document's own Save and Open. Then the programme's real dialogs, answered through
// their widgets, and the main window: Save available from the first sample, the question
// at close from the second.
#include "app/RecordingCommands.h"

#include "GraphTestHost.h"
#include "app/CMainFrame.h"
#include "document/CKVDoc.h"
#include "graph/CKVView.h"
#include "logger/LoggerModeFlags.h"
#include "support/FakeSerialPort.h"
#include "support/PdfTools.h"
#include "support/ScriptedPrintEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <fstream>
#include <gtest/gtest.h>

namespace calorant::test {
namespace {

namespace fs = std::filesystem;

// What the user answers, and what the commands asked.
struct Script {
    std::deque<bool> yesNo;
    std::optional<int> sampleRate;
    std::optional<fs::path> savePath;
    std::optional<fs::path> openPath;

    std::vector<QString> questions;
    std::vector<int> proposedRates;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<FileDialogRequest> openRequests;
    std::vector<QString> messages;
};

class ScriptedDialogs : public RecordingDialogs {
public:
    explicit ScriptedDialogs(Script& script) : script_(script) {}

    bool askYesNo(const QString& question) override {
        script_.questions.push_back(question);
        const bool yes = !script_.yesNo.empty() && script_.yesNo.front();
        if (!script_.yesNo.empty())
            script_.yesNo.pop_front();
        return yes;
    }
    std::optional<int> askSampleRate(int proposedSeconds) override {
        script_.proposedRates.push_back(proposedSeconds);
        return script_.sampleRate;
    }
    std::optional<fs::path> askSavePath(const FileDialogRequest& request) override {
        script_.saveRequests.push_back(request);
        return script_.savePath;
    }
    std::optional<fs::path> askOpenPath(const FileDialogRequest& request) override {
        script_.openRequests.push_back(request);
        return script_.openPath;
    }
    void showMessage(const QString& text) override { script_.messages.push_back(text); }

private:
    Script& script_;
};

class RecordingCommandsTest : public ::testing::Test {
protected:
    RecordingContext context() {
        return {doc, host.presenter, documents, [] { return kStart; }};
    }

    SampleStore& store() { return doc.sampleStore(); }

    // A frame and a sampling tick: one fresh sample while a recording runs.
    void frameAndTick(float value) {
        store().onAcceptedFrame({value, value, value, value, value}, kStart);
        store().onSampleTick();
    }

    QTemporaryDir folder;
    fs::path documents{folder.path().toStdString()};
    fs::path recordingFolder = documents / "KL320 Thermocouple IR Datalogger";
    CKVDoc doc;
    GraphState state;
    GraphTestHost host{state.sourcesFor(doc)};
    const LoggerModeFlags& flags = doc.loggerModeFlags();
    Script script;
    test::ScriptedPrintEnvironment& printing =
        *new test::ScriptedPrintEnvironment; // commands own it
    RecordingCommands commands{context(), std::make_unique<ScriptedDialogs>(script), nullptr,
                               std::unique_ptr<PrintEnvironment>(&printing)};
};

TEST_F(RecordingCommandsTest, RunWithARateOfZeroSamplesEverySecondFromTheNextPaint) {
    host.picture();
    EXPECT_FALSE(doc.samplingTimer().isActive()) << "no rate chosen yet";

    script.sampleRate = 0;
    commands.run();
    EXPECT_TRUE(script.questions.empty()) << "nothing recorded yet, nothing to save";
    EXPECT_EQ(script.proposedRates, std::vector<int>{1});
    EXPECT_EQ(store().sampleRateMs(), 1000);
    EXPECT_EQ(store().sampleRateText(), "1");
    EXPECT_TRUE(store().recording());

    host.picture();
    EXPECT_TRUE(doc.samplingTimer().isActive());
    EXPECT_EQ(doc.samplingTimer().interval(), 1000);
}

TEST_F(RecordingCommandsTest, PrintNeedsOneSampleAndPrintsTheGraphsScaleAndChannelsOfThatMoment) {
    EXPECT_FALSE(commands.canPrint());
    script.sampleRate = 1;
    commands.run();
    frameAndTick(20);
    ASSERT_TRUE(commands.canPrint());

    const QString pdf = QString::fromStdString((documents / "report.pdf").string());
    const auto choose = test::printToFile(pdf);
    printing.answer = [&](QPrintDialog& dialog) {
        // Changed while the dialog is open: the page shows the graph as it is then.
        doc.graphDisplay().graphYGain = 50;
        doc.graphDisplay().graphYOffset = 2;
        doc.graphDisplay().graphChannelVisible = {false, true, false, false, false};
        return choose(dialog);
    };
    EXPECT_EQ(commands.print(), PrintOutcome::Printed);
    EXPECT_EQ(test::pdfInfo(pdf, "Pages"), "1");
    const QString text = test::pdfText(pdf);
    for (const char* label : {"100.0", "350.0", "600.0", "T2"})
        EXPECT_TRUE(text.contains(label)) << label << " in " << text.toStdString();
    for (const char* hidden : {"T1", "IR", "T3", "T4"})
        EXPECT_FALSE(text.contains(hidden)) << hidden << " in " << text.toStdString();
}

TEST_F(RecordingCommandsTest, TheSaveQuestionComesOnlyAfterARecordingAndCancelKeepsIt) {
    script.sampleRate = 2;
    commands.run();
    frameAndTick(20);
    frameAndTick(30);
    frameAndTick(40);
    commands.stop();
    EXPECT_TRUE(script.questions.empty());

    script.yesNo = {false};
    script.sampleRate.reset(); // the Sample Rate Setup dialog is closed without OK
    commands.run();
    EXPECT_EQ(
        script.questions,
        std::vector<QString>{"Do you want to save the existing graph data before continuing?"});
    EXPECT_EQ(script.proposedRates.back(), 2);
    EXPECT_TRUE(script.saveRequests.empty());
    EXPECT_EQ(store().sampleCount(), 3);
    EXPECT_EQ(store().sampleRateMs(), 2000);
    EXPECT_FALSE(store().recording());
}

TEST_F(RecordingCommandsTest, AnsweringYesSavesBothFilesInTheRecordingFolderFirst) {
    recordInto(store(), ramp(3));
    script.yesNo = {true};
    script.savePath = recordingFolder / "run.graph";
    script.sampleRate = 5;
    commands.run();

    ASSERT_EQ(script.saveRequests.size(), 1u);
    const FileDialogRequest& request = script.saveRequests.front();
    EXPECT_EQ(request.folder, recordingFolder);
    EXPECT_TRUE(fs::is_directory(recordingFolder)) << "created for the dialog";
    EXPECT_EQ(request.proposedName, "11-14-23 22.13.20");
    EXPECT_EQ(request.filter, "DataLogger Files (*.graph *.csv)");
    EXPECT_EQ(request.defaultSuffix, "graph");
    EXPECT_GT(fs::file_size(recordingFolder / "run.graph"), 0u);
    EXPECT_GT(fs::file_size(recordingFolder / "run.csv"), 0u);
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(store().sampleRateMs(), 5000) << "the run goes on after the save";
}

TEST_F(RecordingCommandsTest, AFailedSaveIsReportedWithTheFileAndTheReason) {
    recordInto(store(), ramp(3));
    script.savePath = documents / "no such folder" / "run.graph";
    commands.save();

    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages.front().startsWith("Could not save"));
    EXPECT_TRUE(script.messages.front().contains("run.csv"));
}

TEST_F(RecordingCommandsTest, ClosingOffersToSaveOnlyARecordingOfTwoSamplesOrMore) {
    commands.offerSaveBeforeClose();
    script.sampleRate = 1;
    commands.run();
    frameAndTick(20);
    commands.offerSaveBeforeClose();
    EXPECT_TRUE(script.questions.empty()) << "0 and 1 samples close without a question";

    frameAndTick(30);
    script.yesNo = {true};
    script.savePath = recordingFolder / "close.graph";
    commands.offerSaveBeforeClose();
    EXPECT_EQ(script.questions,
              std::vector<QString>{"Do you want to save the data before closing?"});
    EXPECT_TRUE(fs::exists(recordingFolder / "close.graph"));
}

TEST_F(RecordingCommandsTest, WithNoOneToAskOnlyARecordingNotYetSavedIsSavedUnderTheProposedName) {
    script.sampleRate = 1;
    commands.run();
    frameAndTick(20);
    EXPECT_FALSE(commands.saveUnsavedWithoutAsking()) << "one sample is not offered at close";

    frameAndTick(30);
    std::optional<UnaskedSave> save = commands.saveUnsavedWithoutAsking();
    ASSERT_TRUE(save);
    EXPECT_TRUE(save->result.saved) << save->result.message();
    EXPECT_EQ(save->graphPath, recordingFolder / "11-14-23 22.13.20.graph");
    EXPECT_GT(fs::file_size(recordingFolder / "11-14-23 22.13.20.csv"), 0u);
    EXPECT_TRUE(script.questions.empty());
    EXPECT_TRUE(script.saveRequests.empty());
    EXPECT_FALSE(commands.saveUnsavedWithoutAsking()) << "nothing new since that save";

    // A sample more needs saving again; one saved through Save does not.
    frameAndTick(40);
    EXPECT_TRUE(commands.saveUnsavedWithoutAsking());
    frameAndTick(50);
    script.savePath = documents / "mine.graph";
    commands.save();
    EXPECT_FALSE(commands.saveUnsavedWithoutAsking());
}

TEST_F(RecordingCommandsTest, ASaveWithNoOneToAskThatFailsSaysWhichFileAndWhy) {
    recordInto(store(), ramp(3));
    std::ofstream(recordingFolder.string()) << "a file where the folder should be";
    const std::optional<UnaskedSave> save = commands.saveUnsavedWithoutAsking();
    ASSERT_TRUE(save);
    EXPECT_FALSE(save->result.saved);
    EXPECT_TRUE(save->result.message().starts_with("Could not save"));
    EXPECT_NE(save->result.message().find("11-14-23 22.13.20.csv"), std::string::npos);
    EXPECT_TRUE(commands.saveUnsavedWithoutAsking()) << "still not saved";
}

TEST_F(RecordingCommandsTest, TheDocumentSaveAsksOnceWritesTheGraphFileAloneAndOpensAgain) {
    recordInto(store(), ramp(3));
    script.savePath = documents / "doc.graph";
    commands.saveDocument();
    commands.saveDocument();
    ASSERT_EQ(script.saveRequests.size(), 1u);
    EXPECT_EQ(script.saveRequests.front().filter, "Logger Files (*.graph)");
    EXPECT_TRUE(fs::exists(documents / "doc.graph"));
    EXPECT_FALSE(fs::exists(documents / "doc.csv"));

    script.openPath = documents / "doc.graph";
    commands.openDocument();
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(flags.fileSetLoaded, 1);
    EXPECT_EQ(doc.loggerSet().readingCount, 3);

    std::ofstream(documents / "junk.graph") << "not a graph file";
    script.openPath = documents / "junk.graph";
    commands.openDocument();
    EXPECT_EQ(script.messages, std::vector<QString>{"Invalid Format!"});
}

// --- the real dialogs ---------------------------------------------------------------

// Runs `answer` on the modal dialog as soon as it is open.
template <typename Dialog> void whenOpen(std::function<void(Dialog&)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

// The journal goes when its recording is safe in a file or given up, and only then.
class RecordingJournalTest : public RecordingCommandsTest {
protected:
    void SetUp() override { doc.journalInto(journal); }

    // A run of `samples` samples through the document, which journals them.
    void journalledRun(int samples) {
        script.sampleRate = 1;
        commands.run();
        for (int i = 0; i < samples; ++i) {
            LiveFrame frame;
            frame.channel = {20.0f + i, 21, 22, 23, 24};
            frame.arrivalTime = kStart + i;
            doc.onAcceptedFrame(frame);
            doc.onSampleTick();
        }
    }
    bool journalled() const { return fs::exists(journal); }

    fs::path journal = documents / "recording-1.journal";
};

TEST_F(RecordingJournalTest, ASaveRetiresTheJournalOfAStoppedRecordingButNotOfARunningOne) {
    journalledRun(3);
    script.savePath = documents / "mid.graph";
    EXPECT_TRUE(commands.save());
    EXPECT_TRUE(journalled()) << "the samples still to come need it";
    commands.stop();
    script.savePath = documents / "no such folder" / "end.graph";
    EXPECT_FALSE(commands.save());
    EXPECT_TRUE(journalled()) << "a failed save keeps it";
    script.savePath.reset();
    EXPECT_FALSE(commands.save());
    EXPECT_TRUE(journalled()) << "a cancelled save keeps it";
    script.savePath = documents / "end.graph";
    EXPECT_TRUE(commands.save());
    EXPECT_FALSE(journalled());
}

TEST_F(RecordingJournalTest, AnsweringTheQuestionOfRunOrCloseRetiresTheJournal) {
    journalledRun(3);
    commands.stop();
    script.yesNo = {false};
    script.sampleRate.reset();
    commands.run();
    EXPECT_FALSE(journalled()) << "No to the save question of Run";

    journalledRun(3);
    script.yesNo = {true};
    script.savePath = documents / "no such folder" / "close.graph";
    commands.offerSaveBeforeClose();
    EXPECT_TRUE(journalled()) << "Yes, but the save failed: it is offered at the next start";
    script.yesNo = {false};
    commands.offerSaveBeforeClose();
    EXPECT_FALSE(journalled()) << "No to the question at close, even while it runs";

    journalledRun(1);
    commands.offerSaveBeforeClose();
    EXPECT_FALSE(journalled()) << "a single sample closes without a question";

    journalledRun(3);
    ASSERT_TRUE(commands.saveUnsavedWithoutAsking()->result.saved);
    EXPECT_FALSE(journalled()) << "saved on a termination signal";
}

TEST_F(RecordingJournalTest, AJournalLeftBehindIsOfferedBackWithItsStartAndSampleCount) {
    journalledRun(4);
    const JournalContent left = *readJournal(journal);

    CKVDoc nextDoc;
    nextDoc.journalInto(journal);
    GraphTestHost nextHost{state.sourcesFor(nextDoc)};
    Script answers;
    answers.yesNo = {true};
    RecordingCommands next{{nextDoc, nextHost.presenter, documents, [] { return kStart; }},
                           std::make_unique<ScriptedDialogs>(answers),
                           nullptr,
                           std::make_unique<ScriptedPrintEnvironment>()};
    next.offerJournalledRecording(left);
    EXPECT_EQ(answers.questions,
              std::vector<QString>{"Calorant did not end normally during a recording. Do you "
                                   "want to restore the recording started 11/14/23 22:13:20 "
                                   "with 4 samples?"});
    EXPECT_EQ(nextDoc.sampleStore().sampleCount(), 4);
    EXPECT_TRUE(next.canSave());
    EXPECT_TRUE(next.canPrint());
    EXPECT_TRUE(journalled());

    JournalContent damaged = left;
    damaged.samples.resize(1);
    damaged.damaged = true;
    EXPECT_EQ(journalQuestion(damaged),
              "Calorant did not end normally during a recording, and its journal is damaged: "
              "1 sample of the recording started 11/14/23 22:13:20 is whole. Do you want to "
              "restore it?");

    answers.yesNo = {false};
    CKVDoc declined;
    declined.journalInto(journal);
    RecordingCommands no{{declined, nextHost.presenter, documents, [] { return kStart; }},
                         std::make_unique<ScriptedDialogs>(answers),
                         nullptr,
                         std::make_unique<ScriptedPrintEnvironment>()};
    no.offerJournalledRecording(left);
    EXPECT_EQ(declined.sampleStore().sampleCount(), 0);
    EXPECT_FALSE(journalled()) << "No discards it";

    damaged.samples.clear();
    no.offerJournalledRecording(damaged);
    EXPECT_EQ(answers.messages, std::vector<QString>{kEmptyJournalMessage});
}

TEST(RecordingDialogs, TheQuestionIsAMessageBoxCaptionedCalorantWithYesAndNo) {
    WidgetRecordingDialogs dialogs(nullptr);
    const QString question = QStringLiteral("Keep going?");
    for (const QMessageBox::StandardButton answer : {QMessageBox::Yes, QMessageBox::No}) {
        QString shown;
        whenOpen<QMessageBox>([&shown, answer](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), "Calorant");
            EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
            shown = box.text();
            box.button(answer)->click();
        });
        EXPECT_EQ(dialogs.askYesNo(question), answer == QMessageBox::Yes);
        EXPECT_EQ(shown, "Keep going?");
    }
}

TEST(RecordingDialogs, TheSaveDialogFiltersRecordingsAndAppendsTheGraphExtension) {
    QTemporaryDir folder;
    WidgetRecordingDialogs dialogs(nullptr);
    whenOpen<QFileDialog>([](QFileDialog& dialog) {
        EXPECT_EQ(dialog.nameFilters(), QStringList{"DataLogger Files (*.graph *.csv)"});
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        dialog.selectFile(QStringLiteral("run"));
        QMetaObject::invokeMethod(&dialog, "accept");
    });
    const auto path = dialogs.askSavePath(
        {fs::path(folder.path().toStdString()), "proposed", kRecordingFileFilter, kGraphSuffix});
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(path->filename(), "run.graph");
    EXPECT_EQ(path->parent_path(), fs::path(folder.path().toStdString()));
}

TEST(MainWindow, SaveIsAvailableFromTheFirstSampleAndCloseAsksFromTheSecond) {
    QTemporaryDir settings;
    CKVDoc doc;
    MainFrameOptions options;
    options.settingsFolder = settings.path().toStdString();
    options.serialPort = std::make_unique<FakeSerialPort>();
    CMainFrame frame(doc, std::move(options));
    QAction* save = frame.commandAction(kCmdSave);
    EXPECT_FALSE(save->isEnabled());

    SampleStore& store = doc.sampleStore();
    store.run(1);
    store.onAcceptedFrame({20, 21, 22, 23, 24}, kStart);
    doc.onSampleTick();
    EXPECT_TRUE(save->isEnabled());

    store.onAcceptedFrame({25, 26, 27, 28, 29}, kStart + 1);
    doc.onSampleTick();
    QString asked;
    whenOpen<QMessageBox>([&asked](QMessageBox& box) {
        asked = box.text();
        box.button(QMessageBox::No)->click();
    });
    frame.close();
    EXPECT_EQ(asked, "Do you want to save the data before closing?");
}

} // namespace
} // namespace calorant::test
