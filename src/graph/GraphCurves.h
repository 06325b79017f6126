#pragma once

#include "core/CurveTracer.h"
#include "core/Temperature.h"
#include "graph/GraphZoom.h"

#include <span>
#include <vector>

namespace calorant {

// The curve of one channel in plot coordinates: a line from every sample to the next,
// each point truncated to whole pixels. Values are converted into the display unit and
// not limited, so a curve may leave the plot (the painter clips it). Points far outside
// the plot are cut off at a wide guard frame around it (see CurveTracer). With fewer
// than two samples there is no curve. A full recording stays a few points per column.
//
// sampleShift moves the curve right by that many sample spacings (the scroll offset of
// a zoomed picture).
std::vector<Polyline> channelCurve(std::span<const float> celsius, TemperatureUnit unit,
                                   const LevelView& level, int sampleShift, int plotWidth,
                                   int plotHeight);

} // namespace calorant
