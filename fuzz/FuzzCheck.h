#pragma once

#include <cstdio>
#include <cstdlib>

// An invariant of the code under test. When one breaks, the input that broke it is a
// finding like a crash: the fuzzer must stop and keep it as its reproducer, which an
// abort does.
#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? void(0) : ::calorant::fuzz::invariantBroken(#condition, __FILE__, __LINE__))

namespace calorant::fuzz {

[[noreturn]] inline void invariantBroken(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
    std::abort();
}

} // namespace calorant::fuzz
