// calorant-meter-sim: the meter emulator on a pseudo-terminal.
#include "sim/MeterEmulator.h"
#include "sim/SimOptions.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace calorant::sim;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const SimOptionsResult parsed = parseSimOptions(args);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "calorant-meter-sim: %s (see --help)\n", parsed.error.c_str());
        return 2;
    }
    if (parsed.options.help) {
        std::fputs(simUsage().c_str(), stdout);
        return 0;
    }
    return MeterEmulator(parsed.options).run();
}
