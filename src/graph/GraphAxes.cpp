#include "graph/GraphAxes.h"

#include "core/NumberFormat.h"
#include "core/PixelMath.h"

#include <cmath>
#include <cstdint>

namespace calorant {

std::array<ValueLabel, kValueLabelCount> layoutValueLabels(const ValueLabels& labels,
                                                           int plotHeight) {
    std::array<ValueLabel, kValueLabelCount> layout;
    for (int i = 0; i < kValueLabelCount; ++i) {
        ValueLabel& label = layout[i];
        label.text = formatFixed(labels[i], 2);
        label.tickY = plotHeight + 23 - floorDiv(i * (plotHeight - 1), kValueDivisions);
        label.textTop = plotHeight + 16 - floorDiv(i * (plotHeight - 2), kValueDivisions);
        label.textLeft = static_cast<int>(valueLabelWidthClass(labels[i]) * 7.5 + 2);
    }
    return layout;
}

std::vector<int> horizontalGridY(int plotHeight) {
    std::vector<int> lines;
    for (int i = 1; i <= kValueDivisions; ++i)
        lines.push_back(toPixel(std::floor(i * plotHeight * 0.1)));
    return lines;
}

float sampleStep(int plotWidth, int samplesPerWidth) {
    return static_cast<float>(plotWidth) / static_cast<float>(samplesPerWidth - 1);
}

TimeAxisGrowth compressTimeAxis(int samplesPerWidth, int plotWidth) {
    TimeAxisGrowth growth;
    growth.xStep = static_cast<float>((plotWidth - plotWidth / 12.0) / samplesPerWidth);
    const int grown = static_cast<int>(static_cast<float>(plotWidth) / growth.xStep) + 1;
    // Exact arithmetic always grows N; never let float rounding stall the growth.
    growth.samplesPerWidth = grown > samplesPerWidth ? grown : samplesPerWidth + 1;
    return growth;
}

int settleSamplesPerWidth(int samplesPerWidth, int sampleCount, int plotWidth) {
    // Far beyond any store; keeps N and the float arithmetic behind it in range.
    constexpr int kLimit = 1 << 24;
    while (sampleCount > samplesPerWidth && samplesPerWidth < kLimit)
        samplesPerWidth = compressTimeAxis(samplesPerWidth, plotWidth).samplesPerWidth;
    return samplesPerWidth;
}

int samplesPerDivision(int plotWidth, float xStep) {
    return toPixel(static_cast<float>(plotWidth / kTimeDivisions) / xStep);
}

std::vector<int> emptyGridX(int plotWidth) {
    std::vector<int> lines;
    for (int i = 0; i <= kTimeDivisions; ++i)
        lines.push_back(toPixel(std::floor(i * plotWidth * (1.0 / kTimeDivisions))));
    return lines;
}

std::vector<int> sampleGridX(int plotWidth, float xStep) {
    const int s = samplesPerDivision(plotWidth, xStep);
    std::vector<int> lines;
    for (int i = 0; i <= kTimeDivisions + 1; ++i)
        lines.push_back(toPixel(static_cast<float>(s * i) * xStep));
    return lines;
}

} // namespace calorant
