#include "graph/GraphCurves.h"

namespace calorant {

std::vector<Polyline> channelCurve(std::span<const float> celsius, TemperatureUnit unit,
                                   const LevelView& level, int sampleShift, int plotWidth,
                                   int plotHeight) {
    if (celsius.size() < 2)
        return {};
    CurveTracer tracer({-kCurveGuard, -kCurveGuard, static_cast<double>(plotWidth) + kCurveGuard,
                        static_cast<double>(plotHeight) + kCurveGuard});
    for (std::size_t i = 0; i < celsius.size(); ++i) {
        const double value = fromCelsius(celsius[i], unit);
        tracer.add(
            {level.sampleX(static_cast<double>(i) + sampleShift), level.valueY(value, plotHeight)});
    }
    return tracer.finish();
}

} // namespace calorant
