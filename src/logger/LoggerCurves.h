#pragma once

#include "core/CurveTracer.h"
#include "logger/LoggerLevel.h"
#include "logger/LoggerSet.h"

#include <array>
#include <vector>

namespace calorant {

using LoggerCurveSet = std::array<std::vector<Polyline>, kChannelCount>;

// The curves of one paint in client pixels: for each visible channel a line from every
// reading to the next at `level`, in the set's unit (Celsius values for a unit code the
// programme does not know), reduced to a few points per pixel column. Reading k is
// drawn at the x of reading k + shift; a segment that would need a position outside
// the set's readings is not drawn. Only the segments that reach into the plot's width
// are drawn, each of them whole; a curve is one polyline unless it leaves the guard
// frame around the plot, where it is cut. Curves are not limited to the plot, so the
// window paints the margins over them. Fewer than two readings draw nothing.
LoggerCurveSet loggerCurves(const LoggerSet& set, const LoggerLevel& level,
                            const ChannelVisibility& visible, int shift);

} // namespace calorant
