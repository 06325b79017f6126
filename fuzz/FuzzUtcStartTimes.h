#pragma once
// Start times are local; a fixed zone makes every finding reproducible. Included by the
// one source of a target, this is the target's initialisation.
#include <cstdlib>
#include <ctime>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("TZ", "UTC", 1);
    tzset();
    return 0;
}
