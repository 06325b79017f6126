// Arbitrary bytes as a recording journal left in the state folder. What is read back
// must be exactly what the writer would have written for it: the header and the whole
// samples re-encode to the first bytes of the input, nothing beyond a store's capacity
// is read, damage is reported exactly when bytes are left over, and the samples restore
// into the sample store as a stopped recording of that many samples.
#include "FuzzCheck.h"
#include "record/JournalFormat.h"
#include "record/SampleStore.h"

#include <cmath>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace calorant;
    constexpr std::size_t kMaxSamples = kSampleCapacity - 1;
    const auto content = decodeJournal({data, size}, kMaxSamples);
    if (!content)
        return 0;
    FUZZ_CHECK(content->samples.size() <= kMaxSamples);
    std::string written = encodeJournalHeader(content->header);
    for (std::size_t i = 0; i < content->samples.size(); ++i) {
        for (const float value : content->samples[i].values)
            FUZZ_CHECK(std::isfinite(value));
        written += encodeJournalSample(static_cast<std::uint32_t>(i), content->samples[i]);
    }
    FUZZ_CHECK(written.size() <= size);
    FUZZ_CHECK(std::memcmp(written.data(), data, written.size()) == 0);
    FUZZ_CHECK(content->damaged == (written.size() != size));

    static SampleStore store; // kept across inputs, like the programme's
    const bool restored = store.restore(content->header, content->samples);
    FUZZ_CHECK(restored == !content->samples.empty());
    if (restored) {
        FUZZ_CHECK(store.sampleCount() == static_cast<int>(content->samples.size()));
        FUZZ_CHECK(store.dataNo() <= store.sampleCount());
        FUZZ_CHECK(store.stopped() && !store.recording() && store.canSave());
        FUZZ_CHECK(store.sampleRateMs() == content->header.sampleRateMs);
    }
    return 0;
}
