#pragma once

#include <functional>

namespace calorant {

// Turns SIGINT, SIGTERM and SIGHUP (Ctrl+C in the terminal, a logout, kill) into a call
// of `handler` from the event loop, so that the programme can end in order: the
// settings written, the recording kept, and a meter emulator started with --demo stopped
// instead of being left behind. Does nothing on platforms without these signals. Call
// once.
void handleTerminationSignals(std::function<void()> handler);

} // namespace calorant
