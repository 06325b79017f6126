#pragma once

#include "core/CurveTracer.h"
#include "report/ReportInputs.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace calorant {

// Page coordinates: 0.01 inch per unit, x to the right and y upwards, the origin at the
// bottom-right corner of the printable area. Everything on the page therefore has a
// negative x and a positive y.
using PagePoint = GraphPoint;

// A rectangle by its bottom-left corner, extending right and up.
struct PageRect {
    int left = 0;
    int bottom = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PageRect&, const PageRect&) = default;
};

inline constexpr PageRect kReportFrame{-750, 200, 740, 800};
inline constexpr int kFramePenWidth = 2;
inline constexpr int kCurvePenWidth = 2;
inline constexpr int kGridPenWidth = 1; // dotted

// Both fonts are "Arial" of weight 100 in the swiss family; heights are character
// heights in page units.
inline constexpr std::string_view kReportFontFace = "Arial";
inline constexpr int kReportFontWeight = 100;
enum class ReportFont { Title, Text };
inline constexpr int kTitleFontHeight = 40;
inline constexpr int kTextFontHeight = 15;

inline constexpr ReportColour kReportBlack{0, 0, 0};
// Dark shades of the curve colours, T1 .. T4, chosen to print well on white.
inline constexpr std::array<ReportColour, kChannelCount> kReportChannelColours{
    ReportColour{55, 0, 0}, ReportColour{55, 55, 0}, ReportColour{0, 55, 55},
    ReportColour{50, 25, 50}, ReportColour{0, 55, 0}};

// Texts are placed by the top-left corner and extend downwards from it.
struct PageText {
    std::string text;
    PagePoint topLeft;
    ReportFont font = ReportFont::Text;
    ReportColour colour;
};

struct PageLine {
    PagePoint from;
    PagePoint to;
};

// One curve stroke: a polyline drawn with one solid pen of kCurvePenWidth, round caps
// and round joins.
struct CurveStroke {
    ReportColour colour;
    Polyline points;
};

// The page, in drawing order: the frame; then, when there is at least one point, the
// curves, the two white strips that cut off whatever left the frame's height (see
// whiteStrips), the texts, the dotted grid and the print stamp.
struct ReportPage {
    Polyline frame; // bottom, left, top and right edge in one closed line
    bool hasChart = false;
    std::vector<CurveStroke> curves;
    std::vector<PageText> texts; // title, caption, legend, value labels, time labels
    std::vector<PageLine> grid;  // ten horizontal gridlines, then three vertical ones
    ReportColour gridColour;
    PageText stamp;
};

// Lays out the page of `inputs`. Each visible channel becomes one stroke (more only where
// a value too far off the page breaks it), reduced to each unit column's first,
// lowest, highest and last point: the same picture as a line per pair of readings.
ReportPage layoutReport(const ReportInputs& inputs);

// The white strips above and below the frame, spanning the device's width and height in
// device pixels taken as page units: at printer resolutions they cover the whole page
// width above y 1000 and below y 200.
std::array<PageRect, 2> whiteStrips(int deviceWidth, int deviceHeight);

} // namespace calorant
