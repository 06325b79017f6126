#include "report/ReportLayout.h"

#include "core/CalendarTime.h"
#include "core/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace calorant {

namespace {

constexpr std::string_view kTitle = " Test Report ";
constexpr std::string_view kCaption = "Temperature";
constexpr PagePoint kTitleAt{-620, 1120};
constexpr PagePoint kCaptionAt{-750, 1025};
constexpr int kLegendY = 1025;
constexpr int kFirstLegendX = -600;
constexpr int kLegendSpacing = 100;
constexpr int kValueLabelX = -800;
constexpr int kFirstValueLabelY = 210;
constexpr int kDivisionHeight = 80;
constexpr int kTimeLabelCount = 5;
constexpr int kTimeLabelY = 195;
constexpr int kTimeLabelSpacing = 170;
constexpr int kHorizontalGridLeft = -755;
constexpr std::array<int, 3> kVerticalGridX{-565, -380, -195};
constexpr PagePoint kStampAt{-200, 100};

// Curves are followed this far beyond the frame before they are cut: every value the
// meter can send (±3276.8 C, in F, on the finest scale) stays far inside, and a value
// beyond it (only a damaged file holds one) cannot overflow a coordinate.
constexpr double kPageCurveGuard = 1'000'000;

int frameTop() {
    return kReportFrame.bottom + kReportFrame.height;
}

int frameRight() {
    return kReportFrame.left + kReportFrame.width;
}

Polyline framePolyline() {
    const int left = kReportFrame.left;
    const int bottom = kReportFrame.bottom;
    return {{frameRight(), bottom},
            {left, bottom},
            {left, frameTop()},
            {frameRight(), frameTop()},
            {frameRight(), bottom}};
}

// The number of points every visible channel can supply.
int usablePointCount(const ReportInputs& inputs) {
    int count = std::max(inputs.pointCount, 0);
    for (int c = 0; c < kChannelCount; ++c)
        if (inputs.channelVisible[c])
            count = std::min(count, inputs.channels[c].length());
    return count;
}

// Heights are kept in single precision, as the page has always been computed. One
// beyond that range becomes infinite, which breaks the curve there.
float singlePrecision(double value) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    if (std::abs(value) > kLargest)
        return value < 0 ? -std::numeric_limits<float>::infinity()
                         : std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

// The curve of one channel: reading i at x = i * s - 750 with s = 740 / (n - 1), and
// at the height of its value on the gridline scale, both in single precision as the
// page has always been computed.
void traceChannel(const ReportInputs& inputs, int channel, int count,
                  std::vector<CurveStroke>& curves) {
    const double g0 = inputs.gridValues.front();
    const double scale = kReportFrame.height / (inputs.gridValues.back() - g0);
    const float step = static_cast<float>(kReportFrame.width) / static_cast<float>(count - 1);
    CurveTracer tracer({kReportFrame.left - kPageCurveGuard, kReportFrame.bottom - kPageCurveGuard,
                        frameRight() + kPageCurveGuard, frameTop() + kPageCurveGuard});
    const ChannelSeries& series = inputs.channels[channel];
    for (int i = 0; i < count; ++i) {
        const float x = static_cast<float>(i) * step + static_cast<float>(kReportFrame.left);
        const double value = fromCelsius(series.at(i), inputs.unit);
        const float height = singlePrecision((value - g0) * scale + kReportFrame.bottom);
        tracer.add({x, height});
    }
    for (Polyline& line : tracer.finish())
        curves.push_back({kReportChannelColours[channel], std::move(line)});
}

PageText text(std::string_view content, PagePoint at, ReportColour colour) {
    return {std::string(content), at, ReportFont::Text, colour};
}

// Texts keep the colour last set, as a printer context does: the title and the caption
// set black and every legend entry its channel's colour; the labels and the stamp
// come out in whatever colour the last of them left.
ReportColour addTitleAndLegend(const ReportInputs& inputs, std::vector<PageText>& texts) {
    texts.push_back({std::string(kTitle), kTitleAt, ReportFont::Title, kReportBlack});
    texts.push_back(text(kCaption, kCaptionAt, kReportBlack));
    ReportColour current = kReportBlack;
    for (int c = 0; c < kChannelCount; ++c) {
        if (!inputs.channelVisible[c])
            continue;
        current = kReportChannelColours[c];
        texts.push_back(
            text(kChannelNames[c], {kFirstLegendX + kLegendSpacing * c, kLegendY}, current));
    }
    return current;
}

void addLabels(const ReportInputs& inputs, int count, ReportColour colour,
               std::vector<PageText>& texts) {
    for (int i = 0; i < kGridValueCount; ++i)
        texts.push_back(text(formatFixed(inputs.gridValues[i], 1),
                             {kValueLabelX, kFirstValueLabelY + kDivisionHeight * i}, colour));
    for (int k = 0; k < kTimeLabelCount; ++k)
        texts.push_back(text(formatTime(inputs.timeLabels.labelTime(count, k), "%H:%M:%S"),
                             {kReportFrame.left + kTimeLabelSpacing * k, kTimeLabelY}, colour));
}

std::vector<PageLine> gridLines() {
    std::vector<PageLine> grid;
    for (int j = 1; j < kGridValueCount; ++j) {
        const int y = kReportFrame.bottom + kDivisionHeight * j;
        grid.push_back({{frameRight(), y}, {kHorizontalGridLeft, y}});
    }
    for (const int x : kVerticalGridX)
        grid.push_back({{x, kReportFrame.bottom}, {x, frameTop()}});
    return grid;
}

} // namespace

int ChannelSeries::length() const {
    if (stride <= 0 || values.empty())
        return 0;
    return static_cast<int>((values.size() + stride - 1) / stride);
}

std::time_t TimeLabelRule::labelTime(int pointCount, int k) const {
    const std::int64_t readings = std::int64_t{pointCount / 4} * k;
    return start + static_cast<std::time_t>(readings * intervalMs / 1000);
}

ReportPage layoutReport(const ReportInputs& inputs) {
    ReportPage page;
    page.frame = framePolyline();
    page.gridColour = inputs.gridColour;
    if (inputs.pointCount < 1)
        return page;

    page.hasChart = true;
    const int count = usablePointCount(inputs);
    if (count >= 2) {
        for (int c = 0; c < kChannelCount; ++c)
            if (inputs.channelVisible[c])
                traceChannel(inputs, c, count, page.curves);
    }
    const ReportColour labelColour = addTitleAndLegend(inputs, page.texts);
    addLabels(inputs, count, labelColour, page.texts);
    page.grid = gridLines();
    page.stamp =
        text(formatTime(inputs.printTime, inputs.stampFormat.c_str()), kStampAt, labelColour);
    return page;
}

std::array<PageRect, 2> whiteStrips(int deviceWidth, int deviceHeight) {
    return {PageRect{-deviceWidth, frameTop(), deviceWidth, deviceHeight - frameTop()},
            PageRect{-deviceWidth, 0, deviceWidth, kReportFrame.bottom}};
}

} // namespace calorant
