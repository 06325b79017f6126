#pragma once

// The report's curves drawn the way printers were first driven: for every pair of
// neighbouring readings and every visible channel in turn, one line with a pen of its
// own between the two points, each coordinate truncated to whole units. Tests compare
// the page with it, and the benchmark measures the page beside it.
#include "report/ReportLayout.h"

#include <vector>

namespace calorant::test {

inline std::vector<CurveStroke> perSegmentCurves(const ReportInputs& inputs) {
    std::vector<CurveStroke> strokes;
    const int n = inputs.pointCount;
    if (n < 2)
        return strokes;
    const double g0 = inputs.gridValues[0];
    const double g10 = inputs.gridValues[10];
    const float s = 740.0f / static_cast<float>(n - 1);
    const auto point = [&](int i, int c) {
        const double u = fromCelsius(inputs.channels[c].at(i), inputs.unit);
        const auto h = static_cast<float>((u - g0) * (800 / (g10 - g0)) + 200);
        return PagePoint{static_cast<int>(static_cast<float>(i) * s - 750), static_cast<int>(h)};
    };
    for (int i = 0; i + 1 < n; ++i)
        for (int c = 0; c < kChannelCount; ++c)
            if (inputs.channelVisible[c])
                strokes.push_back({kReportChannelColours[c], {point(i, c), point(i + 1, c)}});
    return strokes;
}

// The whole page with those curves in place of the reduced ones.
inline ReportPage perSegmentPage(const ReportInputs& inputs) {
    ReportPage page = layoutReport(inputs);
    page.curves = perSegmentCurves(inputs);
    return page;
}

} // namespace calorant::test
