// calorant-cli's usage errors for the commands that talk to the meter, run as a separate
// process before any port is opened: unknown options and stray arguments, options whose
// value is missing, numbers out of range, flags given a value, and options that are
// needed or exclude each other. Each exits with 2 and says why in one line.
#include <QProcess>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

struct UsageCase {
    QStringList args;
    QString reason;
};

void expectUsageErrors(const std::vector<UsageCase>& cases) {
    for (const UsageCase& usage : cases) {
        QProcess process;
        process.start(qEnvironmentVariable("CALORANT_BIN_DIR") + "/calorant-cli", usage.args);
        ASSERT_TRUE(process.waitForFinished(30000));
        const QString what = usage.args.join(' ');
        EXPECT_EQ(process.exitCode(), 2) << what.toStdString();
        EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()),
                  "calorant-cli: " + usage.reason + "\n")
            << what.toStdString();
        EXPECT_TRUE(process.readAllStandardOutput().isEmpty()) << what.toStdString();
    }
}

TEST(UsageErrors, ArgumentsACommandDoesNotTakeAreNamedAsWritten) {
    expectUsageErrors({
        {{"record", "--what"}, "record: unknown argument '--what'"},
        {{"record", "--rate", "1", "--device", "d", "--out", "o.graph", "--samples", "3", "stray"},
         "record: unknown argument 'stray'"},
        {{"download", "--device", "d", "stray", "--out-dir", "o"},
         "download: unknown argument 'stray'"},
        {{"live", "--jsonx"}, "live: unknown argument '--jsonx'"},
        {{"live", "--json=1", "--device", "d"}, "live: unknown argument '--json=1'"},
        {{"send", "--device", "d", "hold", "extra"}, "send: expected --device PATH KEY"},
    });
}

TEST(UsageErrors, AnOptionAtTheEndWithoutItsValueSaysSo) {
    expectUsageErrors({
        {{"record", "--rate"}, "record: --rate needs a value"},
        {{"download", "--device", "d", "--out-dir"}, "download: --out-dir needs a value"},
        {{"live", "--device"}, "live: --device needs a value"},
        {{"send", "--device"}, "send: expected --device PATH KEY"},
    });
}

TEST(UsageErrors, NumbersOutsideTheirRangeNameTheRange) {
    expectUsageErrors({
        {{"record", "--rate", "0", "--device", "d", "--out", "o.graph", "--samples", "3"},
         "record: --rate needs a whole number from 1 to 2147483"},
        {{"record", "--rate", "1", "--device", "d", "--out", "o.graph", "--samples", "10001"},
         "record: --samples needs a whole number from 1 to 10000"},
        {{"live", "--device", "d", "--frames", "0"}, "live: --frames needs a whole number above 0"},
        {{"live", "--device", "d", "--timeout", "-1"}, "live: --timeout needs a whole number"},
        {{"live", "--device", "d", "--timeout", "2000001"}, "live: --timeout is at most 2000000"},
    });
}

TEST(UsageErrors, OptionsThatAreNeededOrExcludeEachOtherAreChecked) {
    expectUsageErrors({
        {{"record", "--rate", "1", "--device", "d", "--out", "o.graph"},
         "record: give either --samples N or --seconds S"},
        {{"record", "--device", "d", "--out", "o.graph", "--samples", "3"},
         "record: --device PATH, --rate SEC and --out FILE.graph are needed"},
        {{"download", "--device", "d"},
         "download: name the meter with --device PATH and the folder with --out-dir DIR"},
        {{"live", "--demo", "--device", "d"},
         "live: name the meter with --device PATH or use --demo"},
        {{"live", "--device", "d", "--scenario", "fixed"}, "live: --scenario needs --demo"},
    });
}

} // namespace
