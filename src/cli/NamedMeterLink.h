#pragma once

#include "link/CMSComm.h"
#include "link/MeterLink.h"
#include "link/MeterState.h"
#include "logger/LoggerStore.h"
#include "record/SampleStore.h"

#include <string>

namespace calorant::cli {

// The programme's meter link with the stores it fills, for a command that names the
// meter's device: the port scan opens that device whatever port number is saved.
struct NamedMeterLink {
    NamedMeterLink(const std::string& device, int savedPort);
    NamedMeterLink(const NamedMeterLink&) = delete;
    NamedMeterLink& operator=(const NamedMeterLink&) = delete;

    // Runs the port scan once; false when the port did not open (comm says why).
    bool open();

    CMSComm comm;
    SampleStore samples;
    MeterState meterState;
    LoggerStore loggerStore;
    MeterLink link;
};

} // namespace calorant::cli
