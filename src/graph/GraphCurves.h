#pragma once

#include "graph/GraphGeometry.h"
#include "graph/GraphZoom.h"
#include "link/Temperature.h"

#include <span>
#include <vector>

namespace calorant {

using Polyline = std::vector<GraphPoint>;

// The curve of one channel in plot coordinates: a line from every sample to the next,
// each point truncated to whole pixels. Values are converted into the display unit and
// not limited, so a curve may leave the plot (the painter clips it). Points far outside
// the plot are cut off at a wide guard frame around it, which keeps every coordinate a
// safe integer; a curve cut there continues as a new polyline. With fewer than two
// samples there is no curve. Where several samples fall into one pixel column, only
// the first, lowest, highest and last of them are kept: the picture is the same, and a
// full recording stays a few points per column.
//
// sampleShift moves the curve right by that many sample spacings (the scroll offset of
// a zoomed picture).
std::vector<Polyline> channelCurve(std::span<const float> celsius, TemperatureUnit unit,
                                   const LevelView& level, int sampleShift, int plotWidth,
                                   int plotHeight);

// How far outside the plot a curve is followed before it is cut.
inline constexpr int kCurveGuard = 16384;

} // namespace calorant
