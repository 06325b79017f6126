// The report drawn on an image as a printer would print it: the reduced curves give the
// same pixels at 600 dpi as a line per pair of readings, a one-sample page has
// everything but a curve, a page of T2 alone is printed in T2's colour, and whatever
// leaves the frame's height is cut off by the white strips.
#include "logger/LoggerSet.h"
#include "report/ReportPainter.h"
#include "report/ReportSources.h"
#include "support/PerSegmentReport.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace calorant {
namespace {

constexpr std::array<bool, kChannelCount> kAllVisible{true, true, true, true, true};

// A printable area of the given size in inches, white, at `dpi`.
QImage blankPage(int dpi, double widthInches, double heightInches) {
    QImage image(int(widthInches * dpi), int(heightInches * dpi), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    return image;
}

QImage printed(const ReportPage& page, int dpi, double widthInches, double heightInches) {
    QImage image = blankPage(dpi, widthInches, heightInches);
    QPainter painter(&image);
    paintReportPage(painter, page);
    return image;
}

// How many pixels of exactly `colour` lie in the page rectangle from (left, bottom) to
// (right, top), page units.
int pixelsOf(const QImage& image, ReportColour colour, int left, int bottom, int right, int top) {
    const double perUnit = image.logicalDpiX() / 100.0;
    const QRgb wanted = qRgb(colour.red, colour.green, colour.blue);
    const int x0 = std::max(0, int(image.width() + left * perUnit));
    const int x1 = std::min(image.width(), int(image.width() + right * perUnit));
    const int y0 = std::max(0, int(image.height() - top * perUnit));
    const int y1 = std::min(image.height(), int(image.height() - bottom * perUnit));
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = x0; x < x1; ++x)
            count += row[x] == wanted;
    }
    return count;
}

int pixelsOnPage(const QImage& image, ReportColour colour) {
    return pixelsOf(image, colour, -100000, 0, 0, 100000);
}

LoggerSet loggerSet(int readings, std::uint8_t unit, const std::function<Channels(int)>& values) {
    LoggerSet set;
    set.readingCount = readings;
    set.sampleRate = 1;
    set.unit = unit;
    for (int r = 0; r < readings; ++r)
        for (int c = 0; c < kChannelCount; ++c)
            set.values[std::size_t(r) * kChannelCount + c] = values(r)[c];
    return set;
}

TEST(ReportPrint, TheReducedCurvesGiveThePixelsOfALinePerPairOfReadings) {
    // A full set, every channel noisy in a band of its own (a line per pair draws the
    // channels interleaved, so where two curves crossed the one drawn later would differ),
    // T1 dipping below the frame and T4 leaving it at the top with the no-value code.
    const LoggerSet set = loggerSet(kLoggerSetCapacity, 0, [](int r) {
        Channels values{};
        for (int c = 0; c < kChannelCount; ++c)
            values[c] = static_cast<float>(20 * c + 9 + 5 * std::sin(r * 0.002 + c) +
                                           ((r * 7919 + c * 31) % 17) * 0.1);
        if (r % 2000 == 1000)
            values[kT1] = -40;
        if (r > 6000 && r < 6100)
            values[kT4] = 2950;
        return values;
    });
    const ReportInputs inputs = loggerReport(set, kAllVisible, 10, 0);
    const ReportPage ours = layoutReport(inputs);
    const ReportPage reference = test::perSegmentPage(inputs);
    ASSERT_LT(ours.curves.size() * 20, reference.curves.size());

    const QImage page = printed(ours, 600, 7.6, 10.1);
    const QImage expected = printed(reference, 600, 7.6, 10.1);
    int differing = 0;
    for (int y = 0; y < page.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
        for (int x = 0; x < page.width(); ++x)
            differing += a[x] != b[x];
    }
    EXPECT_EQ(differing, 0);
    for (const ReportColour colour : kReportChannelColours)
        EXPECT_GT(pixelsOnPage(page, colour), 10000);
}

TEST(ReportPrint, OneSamplePrintsFrameTextsAndGridButNoCurve) {
    const LoggerSet set = loggerSet(1, 0, [](int) { return Channels{50, 50, 50, 50, 50}; });
    const QImage page = printed(layoutReport(loggerReport(set, kAllVisible, 10, 0)), 300, 8, 11.5);
    // The frame's left edge, the title and the caption in black.
    EXPECT_GT(pixelsOf(page, kReportBlack, -752, 300, -748, 900), 500);
    EXPECT_GT(pixelsOf(page, kReportBlack, -620, 1080, -300, 1120), 500);
    EXPECT_GT(pixelsOf(page, kReportBlack, -750, 1010, -650, 1025), 100);
    // Nothing of a curve colour inside the frame; the legend names in theirs.
    for (int c = 0; c < kChannelCount; ++c) {
        EXPECT_EQ(pixelsOf(page, kReportChannelColours[c], -748, 202, -12, 998), 0) << c;
        const int x = -600 + 100 * c;
        EXPECT_GT(pixelsOf(page, kReportChannelColours[c], x, 1010, x + 30, 1025), 10) << c;
    }
    // The logger page's dotted grid in its dark grey.
    EXPECT_GT(pixelsOf(page, {27, 27, 27}, -748, 598, -12, 602), 1000);
}

TEST(ReportPrint, APageOfT2AlonePrintsItsLabelsAndStampInT2sColour) {
    const LoggerSet set = loggerSet(100, 0, [](int r) {
        const float v = 20.0f + float(r % 30);
        return Channels{v, v + 5, v + 10, v + 15, v + 20};
    });
    const QImage page = printed(
        layoutReport(loggerReport(set, {false, true, false, false, false}, 10, 0)), 300, 8, 11.5);
    const ReportColour t2 = kReportChannelColours[kT2];
    for (int c = 0; c < kChannelCount; ++c) {
        if (c != kT2) {
            EXPECT_EQ(pixelsOnPage(page, kReportChannelColours[c]), 0) << c;
        }
    }
    EXPECT_GT(pixelsOf(page, t2, -748, 202, -12, 998), 1000);  // the curve
    EXPECT_GT(pixelsOf(page, t2, -800, 195, -755, 1010), 100); // the value labels
    EXPECT_EQ(pixelsOf(page, kReportBlack, -800, 195, -755, 1010), 0);
    EXPECT_GT(pixelsOf(page, t2, -750, 175, -10, 195), 100); // the time labels
    EXPECT_GT(pixelsOf(page, t2, -200, 80, -50, 100), 50);   // the stamp
}

TEST(ReportPrint, WhatLeavesTheFrameUpwardsIsCutAtItsTop) {
    // T1 climbs from 50 to 150 on a scale to 100: the second half is above the frame.
    const LoggerSet set = loggerSet(200, 0, [](int r) {
        return Channels{50.0f + r * 0.5f, 0, 0, 0, 0};
    });
    const QImage page = printed(
        layoutReport(loggerReport(set, {true, false, false, false, false}, 10, 0)), 300, 8, 11.5);
    // It crosses the top gridline near x -378, right of the legend.
    const ReportColour t1 = kReportChannelColours[kT1];
    EXPECT_GT(pixelsOf(page, t1, -400, 900, -360, 999), 100);
    EXPECT_EQ(pixelsOf(page, t1, -370, 1001, -10, 1180), 0);
    EXPECT_EQ(pixelsOf(page, t1, -370, 202, -12, 998), 0);
}

TEST(ReportPrint, FiftyCelsiusInFahrenheitOnAScaleToAHundredIsCutOff) {
    // 50.0 C is 122 F, above the scale of gain 10; 10.0 C is 50 F, mid-height.
    const std::array<bool, kChannelCount> t1AndT2{true, true, false, false, false};
    const LoggerSet set = loggerSet(50, 1, [](int) { return Channels{50, 10, 0, 0, 0}; });
    const QImage page = printed(layoutReport(loggerReport(set, t1AndT2, 10, 0)), 300, 8, 11.5);
    const ReportColour t1 = kReportChannelColours[kT1];
    EXPECT_EQ(pixelsOf(page, t1, -750, 200, -10, 1005), 0);
    EXPECT_EQ(pixelsOf(page, t1, -750, 1026, -10, 1180), 0); // above the legend
    EXPECT_GT(pixelsOf(page, kReportChannelColours[kT2], -748, 598, -12, 602), 1000);
}

} // namespace
} // namespace calorant
