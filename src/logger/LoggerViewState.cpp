#include "logger/LoggerViewState.h"

#include <algorithm>
#include <limits>

namespace calorant {

namespace {

std::int32_t saturated(std::int64_t value) {
    using Limits = std::numeric_limits<std::int32_t>;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, Limits::min(), Limits::max()));
}

} // namespace

void returnToOverview(LoggerViewState& view) {
    view.overviewMode = 1;
    view.zoomDepth = 0;
    view.cursorHidden = 1;
    view.dragActive = 0;
    view.dragStill = 1;
    view.scrollShift = 0;
}

void trackScrollThumb(LoggerViewState& view, int position) {
    view.scrollShift = saturated(std::int64_t{view.firstVisibleReading} - position + 1);
}

int scrollThumbPosition(const LoggerViewState& view) {
    return saturated(std::int64_t{view.firstVisibleReading} - view.scrollShift + 1);
}

} // namespace calorant
