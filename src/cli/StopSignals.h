#pragma once

#include <functional>

namespace calorant::cli {

// Calls onStop from the event loop when the process is asked to end (SIGINT,
// SIGTERM), so that a command can end its link and stop its child processes
// instead of dying midway. Only the last handler set is called. Where the
// platform has no such signals the process ends as it always does.
void onStopSignal(std::function<void()> onStop);

} // namespace calorant::cli
