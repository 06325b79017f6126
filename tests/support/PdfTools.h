#pragma once

// Reading a PDF back with poppler's command-line tools (poppler-utils, which
// scripts/setup installs for the tests).
#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace calorant::test {

inline QString popplerOutput(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(tool, args);
    if (!process.waitForStarted(10000)) {
        ADD_FAILURE() << tool.toStdString() << " did not start (poppler-utils missing?)";
        return {};
    }
    process.waitForFinished(30000);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of every page, in reading order.
inline QString pdfText(const QString& path) {
    return popplerOutput(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
}

// One field of pdfinfo ("Pages", "Title", "Page size"), without its name.
inline QString pdfInfo(const QString& path, const QString& field) {
    const QString prefix = field + QLatin1Char(':');
    for (const QString& line : popplerOutput(QStringLiteral("pdfinfo"), {path}).split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed();
    return {};
}

} // namespace calorant::test
