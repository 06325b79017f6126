#pragma once
// A recording made the way the main window makes one: live values, each taken by a
// tick of the document's sampling timer.
#include "document/CKVDoc.h"
#include "record/SampleStore.h"

namespace calorant::test {

// A recording of `count` samples at 1 s that goes on.
inline void recordSamples(CKVDoc& doc, int count) {
    SampleStore& store = doc.sampleStore();
    store.run(1);
    for (int i = 0; i < count; ++i) {
        store.onAcceptedFrame({20.0f + i, 21, 22, 23, 24}, 1700000000 + i);
        doc.onSampleTick();
    }
}

} // namespace calorant::test
