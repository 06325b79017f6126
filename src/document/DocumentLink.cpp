#include "document/DocumentLink.h"

#include "document/CKVDoc.h"
#include "link/PortEnumerator.h"

namespace calorant {

DocumentLink::DocumentLink(CKVDoc& doc, CMSComm& comm, std::unique_ptr<PortEnumerator> ports,
                           int savedPort)
    : doc_(doc), link_(comm, std::move(ports), savedPort) {
    QObject::connect(&link_, &MeterLink::frameAccepted, &doc_, &CKVDoc::onAcceptedFrame);
    QObject::connect(&link_, &MeterLink::commEventHandled, &doc_, &CKVDoc::checkLimits);
    QObject::connect(&link_, &MeterLink::meterAnswered, &doc_, &CKVDoc::onMeterAnswered);
    QObject::connect(&link_, &MeterLink::meterSilent, &doc_, &CKVDoc::onMeterSilent);
    QObject::connect(&link_, &MeterLink::meterUnreachable, &doc_, &CKVDoc::onMeterUnreachable);
    QObject::connect(&link_, &MeterLink::loggerMemoryDownloaded, &doc_,
                     &CKVDoc::takeDownloadedMemory);
}

} // namespace calorant
