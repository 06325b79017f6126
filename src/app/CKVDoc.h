#pragma once

#include "logger/LoggerModeFlags.h"
#include "logger/LoggerSet.h"
#include "logger/LoggerStore.h"
#include "record/GraphFile.h"
#include "record/SampleStore.h"

#include <QObject>
#include <filesystem>

namespace calorant {

// The document: the recorded data of the programme. It holds the real-time recording,
// every record set of the last logger download and the one logger set being shown.
// It lives from start-up to the close of the main window.
class CKVDoc : public QObject {
    Q_OBJECT
public:
    CKVDoc() = default;

    SampleStore& sampleStore() { return sampleStore_; }
    const SampleStore& sampleStore() const { return sampleStore_; }
    LoggerStore& loggerStore() { return loggerStore_; }
    LoggerSet& loggerSet() { return loggerSet_; }
    const LoggerSet& loggerSet() const { return loggerSet_; }

    // Reads a .graph file into the shown logger set and raises the flags that make the
    // logger graph window list it. A file that cannot be opened is refused like one of
    // the wrong format; a refused file changes nothing.
    GraphReadResult openGraphFile(const std::filesystem::path& path, LoggerModeFlags& flags);

    // Every view repaints from the document.
    void updateAllViews() { emit viewsNeedUpdate(); }

signals:
    void viewsNeedUpdate();

private:
    SampleStore sampleStore_;
    LoggerStore loggerStore_;
    LoggerSet loggerSet_;
};

} // namespace calorant
