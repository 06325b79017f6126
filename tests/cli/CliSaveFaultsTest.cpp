// calorant-cli's files that cannot be written, for record --out, download --out-dir and
// csv -o: onto a full disk (a child whose files may not grow beyond a limit) and into a
// read-only folder (its write bits cleared, and as root the child started without the
// permission override). Each fails with one line naming the file and the reason, status
// 1, the old files of the same names kept byte for byte and no temporary file left; a
// download saves all of its sets or none.
#include "cli/CliEmulator.h"
#include "support/FileFaults.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace cli_test;
using namespace calorant::test;

namespace {

const QString kFullDiskReason = QStringLiteral("File too large");
const QString kReadOnlyReason = QStringLiteral("Permission denied");

// The lock file of the serial port fits under this size, the table of a recording of two
// samples does not.
constexpr rlim_t kRoomForTheLockFile = 200;
// The first set of a download fits under this size, the table of the second does not.
constexpr rlim_t kRoomForTheFirstSet = 10000;

// The three sets of the emulator's memory, under the names download gives them.
const QStringList kSetStems{"12-24-19 09.15.30", "01-05-20 14.00.00", "01-06-20 08.30.00"};

QString golden(const QString& name) {
    return qEnvironmentVariable("CALORANT_TEST_DATA") + '/' + name;
}

// A folder holding older files under `names`.
QString folderWithOldFiles(const QTemporaryDir& dir, const QString& folderName,
                           const QStringList& names) {
    const QString folder = dir.filePath(folderName);
    QDir().mkpath(folder);
    for (const QString& name : names)
        writeFile(folder + '/' + name, "an older file named " + name.toUtf8());
    return folder;
}

QStringList withExtensions(const QStringList& stems) {
    QStringList names;
    for (const QString& stem : stems)
        names << stem + ".graph" << stem + ".csv";
    return names;
}

// A read-only folder for the children started while it lives; usable() is false when
// such a child could still write into it.
class ReadOnlyForChildren {
public:
    explicit ReadOnlyForChildren(QString folder) : folder_(std::move(folder)) {
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::ExeOwner);
        const CliResult probe =
            runProgram(QStringLiteral("/bin/sh"), {"-c", R"(: > "$0/.probe")", folder_},
                       QProcessEnvironment::systemEnvironment(), startWithoutPermissionOverride);
        usable_ = probe.exitCode != 0;
        QFile::remove(folder_ + "/.probe");
    }
    ~ReadOnlyForChildren() {
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ReadOnlyForChildren(const ReadOnlyForChildren&) = delete;
    ReadOnlyForChildren& operator=(const ReadOnlyForChildren&) = delete;
    bool usable() const { return usable_; }

private:
    QString folder_;
    bool usable_ = false;
};

#define SKIP_UNLESS_READ_ONLY(folder)                                                              \
    if (!(folder).usable())                                                                        \
    GTEST_SKIP() << "a child of this process writes into a folder without write permission "       \
                    "(root, and its permission override cannot be dropped)"

// A child whose files grow no larger than `bytes`, as on a disk that is full then.
std::function<void(QProcess&)> diskFullAfter(rlim_t bytes) {
    return [bytes](QProcess& process) { startWithFileSizeLimit(process, bytes); };
}

// One line, "calorant-cli[ COMMAND]: Could not save FILE: REASON".
void expectRefusal(const CliResult& result, const QString& prefix, const QString& file,
                   const QString& reason) {
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.errLines.join('\n').toStdString(),
              (prefix + ": Could not save " + file + ": " + reason).toStdString());
}

class CliSaveFaults : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath("config"));
    }

    QString meter(const QStringList& args) {
        emulator.emplace(args + QStringList{"--scenario", "fixed", "--frame-interval", "100"});
        EXPECT_FALSE(emulator->pty().isEmpty()) << "the emulator did not start";
        return emulator->pty();
    }

    CliResult record(const QString& device, const QString& graph,
                     const std::function<void(QProcess&)>& prepare) {
        return runCli(
            {"record", "--device", device, "--rate", "1", "--samples", "2", "--out", graph},
            environment, prepare);
    }
    CliResult download(const QString& device, const QString& outDir,
                       const std::function<void(QProcess&)>& prepare) {
        return runCli({"download", "--device", device, "--out-dir", outDir}, environment, prepare);
    }

    QTemporaryDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    std::optional<Emulator> emulator;
};

TEST_F(CliSaveFaults, ARecordingThatCannotBeSavedSaysWhyAndKeepsTheOldFiles) {
    const QString device = meter({});
    const QStringList names{"run.graph", "run.csv"};

    const QString full = folderWithOldFiles(dir, "full", names);
    const auto fullBefore = folderContents(full);
    expectRefusal(record(device, full + "/run.graph", diskFullAfter(kRoomForTheLockFile)),
                  "calorant-cli", full + "/run.csv", kFullDiskReason);
    EXPECT_EQ(contentsDifference(fullBefore, folderContents(full)).toStdString(), "");

    const QString locked = folderWithOldFiles(dir, "locked", names);
    const auto lockedBefore = folderContents(locked);
    {
        const ReadOnlyForChildren readOnly(locked);
        SKIP_UNLESS_READ_ONLY(readOnly);
        expectRefusal(record(device, locked + "/run.graph", startWithoutPermissionOverride),
                      "calorant-cli", locked + "/run.csv", kReadOnlyReason);
    }
    EXPECT_EQ(contentsDifference(lockedBefore, folderContents(locked)).toStdString(), "");
}

// The second set's table is the first file too large for the disk: the first set, which
// would fit, is not saved either.
TEST_F(CliSaveFaults, ADownloadThatCannotSaveEverySetSavesNoneAndKeepsTheOldFiles) {
    const QString device = meter({"--pace", "fast"});

    const QString full = folderWithOldFiles(dir, "full", withExtensions(kSetStems));
    const auto fullBefore = folderContents(full);
    const CliResult onFullDisk = download(device, full, diskFullAfter(kRoomForTheFirstSet));
    expectRefusal(onFullDisk, "calorant-cli", full + '/' + kSetStems[1] + ".csv", kFullDiskReason);
    EXPECT_EQ(onFullDisk.outLines.join('\n').toStdString(), "") << "no set is saved";
    EXPECT_EQ(contentsDifference(fullBefore, folderContents(full)).toStdString(), "");

    // A folder the download makes goes again when nothing could be saved in it.
    const QString made = dir.filePath("made/sets");
    expectRefusal(download(device, made, diskFullAfter(kRoomForTheFirstSet)), "calorant-cli",
                  made + '/' + kSetStems[1] + ".csv", kFullDiskReason);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("made")));

    const QString locked = folderWithOldFiles(dir, "locked", withExtensions(kSetStems));
    const auto lockedBefore = folderContents(locked);
    {
        const ReadOnlyForChildren readOnly(locked);
        SKIP_UNLESS_READ_ONLY(readOnly);
        expectRefusal(download(device, locked, startWithoutPermissionOverride), "calorant-cli",
                      locked + '/' + kSetStems[0] + ".csv", kReadOnlyReason);
    }
    EXPECT_EQ(contentsDifference(lockedBefore, folderContents(locked)).toStdString(), "");
}

TEST_F(CliSaveFaults, ATableThatCannotBeWrittenSaysWhyAndKeepsTheOldOne) {
    const QStringList args{"csv", golden("three-readings.graph"), "-o"};

    const QString full = folderWithOldFiles(dir, "full", {"out.csv"});
    const auto fullBefore = folderContents(full);
    expectRefusal(runCli(args + QStringList{full + "/out.csv"}, environment, diskFullAfter(16)),
                  "calorant-cli csv", full + "/out.csv", kFullDiskReason);
    EXPECT_EQ(contentsDifference(fullBefore, folderContents(full)).toStdString(), "");

    const QString locked = folderWithOldFiles(dir, "locked", {"out.csv"});
    const auto lockedBefore = folderContents(locked);
    {
        const ReadOnlyForChildren readOnly(locked);
        SKIP_UNLESS_READ_ONLY(readOnly);
        expectRefusal(runCli(args + QStringList{locked + "/out.csv"}, environment,
                             startWithoutPermissionOverride),
                      "calorant-cli csv", locked + "/out.csv", kReadOnlyReason);
    }
    EXPECT_EQ(contentsDifference(lockedBefore, folderContents(locked)).toStdString(), "");
}

} // namespace
