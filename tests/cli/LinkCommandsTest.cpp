// calorant-cli live and send end to end: the real programme talks to the meter
// emulator over a pseudo-terminal. Covers the live request on opening, decoding
// and printing of the emulator's fixed channels (JSON and plain), the demo mode
// that runs its own emulator (which must not outlive a killed programme), every
// key command and the power-off command as the emulator receives them, and the
// exit status and reason of failures and usage errors, among them a device this
// user may not open.
#include "cli/CliEmulator.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#endif

namespace {

using namespace cli_test;

// calorant-meter-sim --scenario fixed: T1 25.0, T2 -20.0, IR 30.0, T3 0.0, T4 100.0 C.
class EmulatorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(pty.isEmpty()) << "the emulator named no device"; }

    Emulator emulator{{QStringLiteral("--scenario"), QStringLiteral("fixed")}};
    const QString pty = emulator.pty();
};

QJsonObject parseObject(const QString& line) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(line.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
    EXPECT_TRUE(document.isObject()) << line.toStdString();
    return document.object();
}

void expectFixedChannels(const QJsonObject& frame) {
    const QJsonArray channel = frame.value(QStringLiteral("channel")).toArray();
    ASSERT_EQ(channel.size(), 5);
    EXPECT_DOUBLE_EQ(channel[0].toDouble(), 25.0);
    EXPECT_DOUBLE_EQ(channel[1].toDouble(), -20.0);
    EXPECT_DOUBLE_EQ(channel[2].toDouble(), 30.0);
    EXPECT_DOUBLE_EQ(channel[3].toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(channel[4].toDouble(), 100.0);
}

TEST_F(EmulatorTest, LiveJsonPrintsEachDecodedFrameAfterRequestingTheLiveStream) {
    const CliResult result = runCli({"live", "--device", pty, "--json", "--frames", "3"});

    EXPECT_EQ(result.exitCode, 0) << result.errLines.join('\n').toStdString();
    ASSERT_EQ(result.outLines.size(), 3);
    for (const QString& line : result.outLines) {
        const QJsonObject frame = parseObject(line);
        expectFixedChannels(frame);
        EXPECT_TRUE(
            QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d$"))
                .match(frame.value(QStringLiteral("arrivalTime")).toString())
                .hasMatch());
        EXPECT_EQ(frame.value(QStringLiteral("unitText")).toString(), QStringLiteral("C"));
        EXPECT_EQ(frame.value(QStringLiteral("probeTypeText")).toString(), QStringLiteral("K"));
        EXPECT_EQ(frame.value(QStringLiteral("readingText")).toArray().size(), 5);
        EXPECT_EQ(frame.value(QStringLiteral("difLabel")).toArray().size(), 2);
        for (const char* name : {"recText", "holdText", "batteryText", "mainLabel", "secondLabel",
                                 "thirdLabel", "irTempText", "statModeText", "elapsedUnitText"})
            EXPECT_TRUE(frame.value(QLatin1String(name)).isString()) << name;
        EXPECT_TRUE(frame.value(QStringLiteral("maxText"))[0].toString().startsWith("25.0 C @ "));
        EXPECT_TRUE(frame.value(QStringLiteral("minText"))[1].toString().startsWith("-20.0 C @ "));
        EXPECT_EQ(frame.value(QStringLiteral("avgText"))[4].toString(), QStringLiteral("100.0 C"));
    }
    const QStringList commands = emulator.receivedCommands(1);
    ASSERT_FALSE(commands.isEmpty());
    EXPECT_EQ(commands[0], QStringLiteral("AA 55 01"));
}

TEST_F(EmulatorTest, PlainLiveLinesShowTheChannelsInTheMetersUnit) {
    const CliResult result = runCli({"live", "--device", pty, "--frames", "1"});

    EXPECT_EQ(result.exitCode, 0) << result.errLines.join('\n').toStdString();
    ASSERT_EQ(result.outLines.size(), 1);
    EXPECT_TRUE(result.outLines[0].contains(
        QStringLiteral("T1 25.0  T2 -20.0  IR 30.0  T3 0.0  T4 100.0 C")))
        << result.outLines[0].toStdString();
}

TEST_F(EmulatorTest, SendWritesTheCommandOfEveryKeyAndPowerOffThreeTimes) {
    const QList<std::pair<const char*, const char*>> keys{
        {"unit", "AA 55 03"},       {"dif", "AA 55 04"},          {"hold", "AA 55 05"},
        {"maxmin", "AA 55 06"},     {"rec", "AA 55 0F"},          {"power", "AA 55 20"},
        {"dif-double", "AA 55 12"}, {"maxmin-double", "AA 55 16"}};

    QStringList expected;
    for (const auto& [key, bytes] : keys) {
        const CliResult result = runCli({"send", "--device", pty, key});
        EXPECT_EQ(result.exitCode, 0) << key;
        expected.append(QLatin1String(bytes));
    }
    const CliResult powerOff = runCli({"send", "--device", pty, "poweroff"});
    EXPECT_EQ(powerOff.exitCode, 0) << powerOff.errLines.join('\n').toStdString();
    expected.append(QStringList(3, QStringLiteral("55 AA 03")));

    EXPECT_EQ(emulator.receivedCommands(int(expected.size())), expected);
}

TEST(LiveDemoTest, DemoModeRunsItsOwnEmulator) {
    const CliResult result =
        runCli({"live", "--demo", "--scenario", "fixed", "--frames", "2", "--json"});

    EXPECT_EQ(result.exitCode, 0) << result.errLines.join('\n').toStdString();
    ASSERT_EQ(result.outLines.size(), 2);
    expectFixedChannels(parseObject(result.outLines[1]));
}

#ifdef Q_OS_LINUX
// The processes whose parent is `parent`, read from /proc.
QList<pid_t> childrenOf(pid_t parent) {
    QList<pid_t> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const pid_t pid = entry.toInt(&isPid);
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!isPid || !stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold spaces, so read after its ')'.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toInt() == parent)
            children.append(pid);
    }
    return children;
}

// Whether `pid`, a child of this process, has ended within the time (and reaps it).
bool endsWithin(pid_t pid, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    do {
        if (::waitpid(pid, nullptr, WNOHANG) == pid)
            return true;
        QThread::msleep(20);
    } while (!deadline.hasExpired());
    return false;
}

TEST(LiveDemoTest, TheDemosEmulatorEndsWhenTheProgrammeIsKilled) {
    // The orphaned emulator becomes this process's child, so that it can be watched.
    ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    QProcess cli;
    cli.start(binDir() + QStringLiteral("/calorant-cli"), {"live", "--demo", "--json"});
    ASSERT_TRUE(cli.waitForReadyRead(10000)); // a frame: the emulator runs
    const QList<pid_t> emulator = childrenOf(pid_t(cli.processId()));
    ASSERT_EQ(emulator.size(), 1);

    ::kill(pid_t(cli.processId()), SIGKILL);
    cli.waitForFinished();

    const bool ended = endsWithin(emulator[0], 1500);
    if (!ended) {
        ::kill(emulator[0], SIGKILL);
        ::waitpid(emulator[0], nullptr, 0);
    }
    EXPECT_TRUE(ended) << "the emulator outlived the programme that started it";
}
#endif

TEST(LiveDemoTest, ASilentMeterEndsLiveWithAFailure) {
    const CliResult result =
        runCli({"live", "--demo", "--scenario", "silence", "--timeout", "1", "--frames", "1"});

    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.outLines.isEmpty());
    EXPECT_EQ(result.errLines.size(), 1);
}

TEST(LinkCommandErrorsTest, AMissingDeviceFailsWithOneLineNamingIt) {
    for (const QStringList& args :
         {QStringList{"live", "--device", "/dev/calorant-no-such-port"},
          QStringList{"send", "--device", "/dev/calorant-no-such-port", "hold"},
          QStringList{"live", "--device", "/dev/null", "--frames", "1"}}) {
        const CliResult result = runCli(args);
        EXPECT_EQ(result.exitCode, 1) << args.join(' ').toStdString();
        ASSERT_EQ(result.errLines.size(), 1) << args.join(' ').toStdString();
        EXPECT_TRUE(result.errLines[0].contains(args[2])) << result.errLines[0].toStdString();
    }
}

// calorant-cli as a user the device file denies. Root may open any file, so as root the
// programme runs as nobody; nullopt when that is not possible here.
std::optional<CliResult> runCliDenied(const QStringList& args) {
    if (geteuid() != 0)
        return runCli(args);
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty())
        return std::nullopt;
    return runProgram(setpriv, QStringList{"--reuid=65534", "--regid=65534", "--clear-groups",
                                           binDir() + QStringLiteral("/calorant-cli")} +
                                   args);
}

TEST(LinkCommandErrorsTest, ADeviceThisUserMayNotOpenFailsWithOneLineSayingWhatToDo) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                             QFile::ReadOther | QFile::ExeOther);
    const QString device = folder.filePath(QStringLiteral("ttyUSB-locked"));
    QFile file(device);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(QFile::setPermissions(device, {}));

    for (const QStringList& args :
         {QStringList{"live", "--device", device, "--frames", "1"},
          QStringList{"send", "--device", device, "hold"},
          QStringList{"record", "--device", device, "--rate", "1", "--samples", "2", "--out",
                      folder.filePath(QStringLiteral("run.graph"))},
          QStringList{"download", "--device", device, "--out-dir", folder.path()}}) {
        const std::optional<CliResult> result = runCliDenied(args);
        if (!result)
            GTEST_SKIP() << "running as root without setpriv to take another user";
        EXPECT_EQ(result->exitCode, 1) << args.join(' ').toStdString();
        ASSERT_EQ(result->errLines.size(), 1) << result->errLines.join('\n').toStdString();
        const QString& reason = result->errLines[0];
        EXPECT_TRUE(reason.startsWith(QStringLiteral("calorant-cli: ")));
        for (const QString& part : {device, QStringLiteral("udev rule"), QStringLiteral("dialout")})
            EXPECT_TRUE(reason.contains(part)) << reason.toStdString();
    }
}

TEST(LinkCommandErrorsTest, BadArgumentsAreUsageErrors) {
    for (const QStringList& args : {
             QStringList{"live"},
             QStringList{"live", "--device", "/dev/x", "--demo"},
             QStringList{"live", "--device", "/dev/x", "--frames", "0"},
             QStringList{"live", "--device", "/dev/x", "--frames", "three"},
             QStringList{"live", "--device", "/dev/x", "--timeout", "99999999"},
             QStringList{"live", "--device", "/dev/x", "--scenario", "fixed"},
             QStringList{"live", "--device"},
             QStringList{"live", "--device", "/dev/x", "--colour"},
             QStringList{"send", "--device", "/dev/x"},
             QStringList{"send", "--device", "/dev/x", "mode"},
         }) {
        const CliResult result = runCli(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(result.errLines.size(), 1) << args.join(' ').toStdString();
    }
}

} // namespace
