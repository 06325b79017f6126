#pragma once

#include "link/MeterLink.h"

#include <memory>

namespace calorant {

class CKVDoc;
class CMSComm;
class PortEnumerator;

// The document fed by the link to the meter: the pair the main window and calorant-cli
// both build. Every accepted frame goes to onAcceptedFrame, the end of every receive
// event to checkLimits, the meter's answers and silences to linkOffline (a silence also
// ends the recording), and a downloaded memory into the logger store. The pair neither
// owns nor outlives the document and the port control it is given.
class DocumentLink {
public:
    // `savedPort` is the port number of the settings file.
    DocumentLink(CKVDoc& doc, CMSComm& comm, std::unique_ptr<PortEnumerator> ports, int savedPort);
    DocumentLink(const DocumentLink&) = delete;
    DocumentLink& operator=(const DocumentLink&) = delete;

    CKVDoc& doc() const { return doc_; }
    MeterLink& link() { return link_; }
    const MeterLink& link() const { return link_; }

private:
    CKVDoc& doc_;
    MeterLink link_;
};

} // namespace calorant
