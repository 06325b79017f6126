#pragma once

#include "document/CKVDoc.h"
#include "document/DocumentLink.h"
#include "link/CMSComm.h"

#include <QString>

namespace calorant::cli {

// The programme's document and the link that feeds it, for a command that names the
// meter's device: the port scan opens that device whatever port number is saved.
struct CliMeter {
    CliMeter(const QString& device, int savedPort);
    CliMeter(const CliMeter&) = delete;
    CliMeter& operator=(const CliMeter&) = delete;

    // Runs the port scan once; false when the port did not open (comm says why).
    [[nodiscard]] bool open();
    MeterLink& link() { return pair.link(); }

    CMSComm comm;
    CKVDoc doc;
    DocumentLink pair;
};

} // namespace calorant::cli
