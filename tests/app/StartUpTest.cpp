// Start-up as the programme does it: the command line read into its options (help,
// version, device, demo, one .graph file) and usage errors; a .graph file named on it
// loaded into the document before the window shows and then shown as row 1 of the
// logger graph window, or refused with "Invalid Format!" while the programme still
// starts, with no logger window; --demo connecting the window to the meter emulator;
// the About box and the user manual, whose pages all resolve their links.
#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CMeterApp.h"
#include "app/CommandLine.h"
#include "app/DataLoggerCommand.h"
#include "app/HelpWindow.h"
#include "graph/CKVView.h"
#include "loggerview/CLoggerGraphDlg.h"
#include "support/NextModal.h"

#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>
#include <optional>

using namespace calorant;
using calorant::test::NextModal;

namespace {

ParsedCommandLine parse(const QStringList& arguments) {
    return parseCommandLine(arguments);
}

TEST(CommandLineTest, OptionsAndTheGraphFileAreReadInAnyOrder) {
    const ParsedCommandLine full = parse({"trial.graph", "--device", "/dev/ttyUSB3"});
    EXPECT_TRUE(full.error.isEmpty());
    EXPECT_EQ(full.commandLine.devicePath, QStringLiteral("/dev/ttyUSB3"));
    EXPECT_EQ(full.commandLine.graphFile, QStringLiteral("trial.graph"));
    EXPECT_FALSE(full.commandLine.demo);

    EXPECT_EQ(parse({"--device=/dev/pts/4"}).commandLine.devicePath, QStringLiteral("/dev/pts/4"));
    EXPECT_TRUE(parse({"--demo"}).commandLine.demo);
    EXPECT_TRUE(parse({"--help"}).commandLine.showHelp);
    EXPECT_TRUE(parse({"-h"}).commandLine.showHelp);
    EXPECT_TRUE(parse({"--version"}).commandLine.showVersion);
    EXPECT_TRUE(parse({"-v", "trial.graph"}).commandLine.showVersion);
    EXPECT_FALSE(parse({"--demo"}).commandLine.showVersion);
    EXPECT_EQ(
        parse({"--device", "/dev/ttyUSB0", "--device", "/dev/ttyUSB1"}).commandLine.devicePath,
        QStringLiteral("/dev/ttyUSB1"));
    EXPECT_EQ(parse({"--", "-odd name.graph"}).commandLine.graphFile,
              QStringLiteral("-odd name.graph"));
    const ParsedCommandLine none = parse({});
    EXPECT_TRUE(none.error.isEmpty());
    EXPECT_TRUE(none.commandLine.devicePath.isEmpty());
    EXPECT_TRUE(none.commandLine.graphFile.isEmpty());
}

TEST(CommandLineTest, UsageErrorsAreReportedNotGuessed) {
    for (const QStringList& arguments :
         {QStringList{"--device"}, QStringList{"--device="},
          QStringList{"--device", "a", "--device"}, QStringList{"--device", ""},
          QStringList{"--verbose"}, QStringList{"-x"}, QStringList{"--demo=yes"},
          QStringList{"a.graph", "b.graph"}, QStringList{"--demo", "--device", "/dev/ttyUSB0"}})
        EXPECT_FALSE(parse(arguments).error.isEmpty()) << arguments.join(' ').toStdString();
}

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(settingsFolder.isValid()); }

    std::unique_ptr<CMeterApp> start(CommandLine commandLine) {
        auto app = std::make_unique<CMeterApp>(std::move(commandLine),
                                               toFilesystemPath(settingsFolder.path()));
        app->initInstance();
        return app;
    }

    QTemporaryDir settingsFolder;
};

// What the document held when the main window was first shown.
class FirstShowWatch : public QObject {
public:
    explicit FirstShowWatch(const CKVDoc& doc) : doc_(doc) { qApp->installEventFilter(this); }
    ~FirstShowWatch() override { qApp->removeEventFilter(this); }
    std::optional<int> readingsAtShow;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<CMainFrame*>(watched) && !readingsAtShow)
            readingsAtShow = doc_.loggerSet().readingCount;
        return false;
    }

private:
    const CKVDoc& doc_;
};

TEST_F(StartUpTest, AGraphFileOnTheCommandLineIsLoadedBeforeTheWindowShowsAndThenShown) {
    CommandLine commandLine;
    commandLine.graphFile = qEnvironmentVariable("CALORANT_TEST_DATA") + "/three-readings.graph";
    const NextModal message([](QWidget&) {});
    CMeterApp app(commandLine, toFilesystemPath(settingsFolder.path()));
    FirstShowWatch shown(app.document());
    app.initInstance();
    // The Data List comes last, once the logger window has painted the shown file.
    const DataLoggerCommand& dataLogger = app.mainFrame()->dataLoggerCommand();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return dataLogger.loggerWindow() && dataLogger.loggerWindow()->dataList(); }, 10000));

    ASSERT_TRUE(shown.readingsAtShow.has_value());
    EXPECT_EQ(*shown.readingsAtShow, 3);
    EXPECT_FALSE(message.seen());
    EXPECT_EQ(app.document().loggerSet().readingCount, 3);
    EXPECT_EQ(app.document().loggerSet().sampleRate, 2);
    EXPECT_EQ(app.document().loggerModeFlags().fileSetLoaded, 1);
    EXPECT_TRUE(app.mainFrame()->isVisible());
    EXPECT_EQ(app.mainFrame()->windowTitle(), QStringLiteral("KL320 Thermocouple/IR Datalogger"));

    // The logger graph window in file mode, the file its row 1, shown as a double-click
    // shows it: on its own scale, with its Data List.
    CLoggerGraphDlg* logger = app.mainFrame()->dataLoggerCommand().loggerWindow();
    ASSERT_NE(logger, nullptr);
    EXPECT_TRUE(logger->isVisible());
    EXPECT_EQ(app.document().loggerModeFlags().loggerFileMode, 1);
    ASSERT_EQ(logger->fileList()->model()->rowCount(), 1);
    EXPECT_EQ(logger->fileList()->currentIndex().row(), 0);
    ASSERT_NE(app.document().shownLoggerSet(), nullptr);
    EXPECT_EQ(app.document().loggerViewState().yGain, 5);
    ASSERT_NE(logger->dataList(), nullptr);
    EXPECT_EQ(logger->dataList()->windowTitle(), QStringLiteral("Detail Data List_File1"));
    EXPECT_EQ(logger->dataList()->list()->model()->rowCount(), 3);
    EXPECT_FALSE(app.mainFrame()->commandAction(kCmdOpen)->isEnabled());
}

TEST_F(StartUpTest, AnUnreadableGraphFileIsReportedAndNothingIsLoaded) {
    QFile junk(settingsFolder.filePath("notes.graph"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("\x07KV4410X this is no recording");
    junk.close();

    for (const QString& path : {junk.fileName(), settingsFolder.filePath("missing.graph")}) {
        CommandLine commandLine;
        commandLine.graphFile = path;
        QString caption;
        QString text;
        const NextModal message([&](QWidget& modal) {
            caption = modal.windowTitle();
            if (auto* box = qobject_cast<QMessageBox*>(&modal))
                text = box->text();
        });
        const auto app = start(commandLine);

        EXPECT_EQ(caption, QStringLiteral("Calorant")) << path.toStdString();
        EXPECT_EQ(text, QStringLiteral("Invalid Format!"));
        EXPECT_EQ(app->document().loggerSet().readingCount, 0);
        EXPECT_EQ(app->document().loggerModeFlags().fileSetLoaded, 0);
        EXPECT_TRUE(app->mainFrame()->isVisible());
        EXPECT_EQ(app->mainFrame()->dataLoggerCommand().loggerWindow(), nullptr);
    }
}

TEST_F(StartUpTest, DemoConnectsTheWindowToTheEmulator) {
    if (!QFile::exists(QCoreApplication::applicationDirPath() + "/calorant-meter-sim"))
        GTEST_SKIP() << "calorant-meter-sim is not built beside the tests";
    CommandLine commandLine;
    commandLine.demo = true;
    const auto app = start(commandLine);
    const CKVDoc& doc = app->document();

    EXPECT_TRUE(QTest::qWaitFor([&] { return !doc.meterState().readingText()[0].empty(); }, 10000));
    EXPECT_FALSE(doc.linkOffline());
    app->mainFrame()->close();
}

TEST_F(StartUpTest, AboutShowsTheProgrammeAndVersion) {
    const auto app = start({});
    QString title;
    QString line;
    const NextModal about([&](QWidget& modal) {
        title = modal.windowTitle();
        if (auto* version = modal.findChild<QLabel*>(QStringLiteral("versionLine")))
            line = version->text();
    });
    app->mainFrame()->commandAction(kCmdAbout)->trigger();
    EXPECT_TRUE(about.seen());
    EXPECT_EQ(title, QStringLiteral("About KL320 Thermocouple/IR Datalogger"));
    EXPECT_EQ(line, QStringLiteral("KL320 Thermocouple/IR Datalogger Version 3.0.1"));
}

TEST_F(StartUpTest, HelpContentsOpensTheManualWhosePagesAllResolveTheirLinks) {
    const auto app = start({});
    app->mainFrame()->commandAction(kCmdHelpContents)->trigger();
    auto* help = app->mainFrame()->findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->browser()->source(), QUrl(QString::fromLatin1(HelpWindow::kContentsPage)));
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Contents")));

    const QRegularExpression link(QStringLiteral("href=\"([^\"#:]+)\""));
    int pages = 0;
    for (QDirIterator page(QStringLiteral(":/help"), {"*.html"}); page.hasNext(); ++pages) {
        QFile file(page.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (auto match = link.globalMatch(html); match.hasNext();) {
            const QString target = match.next().captured(1);
            EXPECT_TRUE(QFile::exists(":/help/" + target))
                << file.fileName().toStdString() << " -> " << target.toStdString();
        }
    }
    EXPECT_GE(pages, 8);
}

} // namespace
