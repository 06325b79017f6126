// The logger graph window through its own events: the file list filled once from the
// download with the texts of every set; a double-click showing that set with its
// curves, time labels, Y labels, legend and readout line; the channel buttons and the
// Y axis dialog; a one-reading set; curves beyond the Y range kept inside the plot;
// the one-pen curves against the segment-by-segment drawing on a grabbed image; the
// cursor line and readout repainting only their own pixels on the screen; Print; the
// toolbar; and the close that puts the logger's state back to rest.
#include "LoggerWindowHost.h"
#include "core/PixelMath.h"
#include "graph/GraphPainter.h"
#include "logger/LoggerLevel.h"
#include "panel/CYAxisDlg.h"
#include "support/NextModal.h"
#include "support/PdfTools.h"
#include "support/ScriptedPrintEnvironment.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace calorant {
namespace {

using namespace test;

// Three sets as the emulator's memory holds them, downloaded in F.
LoggerStore threeSets() {
    return downloadOf({{makeLocalTime(2019, 12, 24, 9, 15, 30), 1, 60,
                        [](int r, int c) { return float(10 * c + r * 0.5); }},
                       {makeLocalTime(2020, 1, 5, 14, 0, 0), 2, 240,
                        [](int r, int c) { return float(20 + 10 * c + 5 * std::sin(r * 0.1)); }},
                       {makeLocalTime(2020, 1, 6, 8, 30, 0), 60, 1}},
                      1);
}

QString cell(const QTableView& list, int row, int column) {
    return list.model()->data(list.model()->index(row, column)).toString();
}

QRgb colourOf(int channel) {
    return channelColour(channel);
}

// Pixels of `colour` within `area` of `image`.
int countOf(const QImage& image, QRgb colour, const QRect& area) {
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    return count;
}

// The plot without its edges: where only the black ground, the grid and curves lie.
QRect plotInterior(const LoggerPlotRect& plot) {
    return QRect(QPoint(int(plot.left) + 1, int(plot.top) + 1),
                 QPoint(int(plot.right) - 1, int(plot.bottom) - 1));
}

// Everything right of the file list and below the toolbar.
QRect graphArea(const LoggerWindowHost& host) {
    const int listRight = host.list().geometry().right();
    return QRect(QPoint(listRight + 4, LoggerToolBar::kHeight + 3),
                 QPoint(host.window->width() - 1, host.window->height() - 1));
}

void chooseYAxis(LoggerWindowHost& host, int gainIndex, int offsetIndex) {
    const test::NextModal answer([=](QWidget& modal) {
        auto* dialog = qobject_cast<CYAxisDlg*>(&modal);
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QComboBox*>(QStringLiteral("yGainList"))->setCurrentIndex(gainIndex);
        dialog->findChild<QComboBox*>(QStringLiteral("yOffsetList"))->setCurrentIndex(offsetIndex);
        QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
    });
    host.clickTool(kLoggerYAxis);
}

TEST(LoggerWindow, ListsEveryDownloadedSetOnceInTheDownloadsUnit) {
    LoggerWindowHost host(threeSets());
    const QTableView& list = host.list();
    EXPECT_EQ(host.window->windowTitle(), QStringLiteral("Temprature Graph"));
    ASSERT_EQ(list.model()->rowCount(), 3);
    const QStringList headers{"File No.", "Start Time", "Unit", "Sampling Rate", "Readings"};
    const int widths[] = {60, 120, 55, 105, 150};
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(list.model()->headerData(column, Qt::Horizontal).toString(), headers[column]);
        EXPECT_EQ(list.horizontalHeader()->sectionSize(column), widths[column]);
    }
    const QStringList first{"1", "12/24/19 09:15:30", "F", "1sec", "60"};
    const QStringList last{"3", "01/06/20 08:30:00", "F", "60sec", "1"};
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(cell(list, 0, column), first[column]);
        EXPECT_EQ(cell(list, 2, column), last[column]);
    }
    EXPECT_EQ(cell(list, 1, 3), QStringLiteral("2sec"));
    EXPECT_EQ(host.doc.loggerModeFlags().loggerWindowShown, 1);

    // Later paints do not list the sets again.
    host.window->repaint();
    host.doubleClickRow(0);
    EXPECT_EQ(list.model()->rowCount(), 3);
    EXPECT_FALSE(host.window->scrollBar()->isEnabled());
}

// A set of `readings` just read from a file with the Y scale gain 5, offset -2.
void loadFile(CKVDoc& doc, int readings, int day) {
    LoggerSet& set = doc.loggerSet();
    set.readingCount = readings;
    set.unit = 2;
    set.sampleRate = 10;
    set.startYear = 2025;
    set.startMonth = 8;
    set.startDay = day;
    set.startHour = 7;
    LoggerModeFlags& flags = doc.loggerModeFlags();
    flags.fileSetLoaded = 1;
    flags.appendLoadedFile = 1;
    flags.loadedYGain = 5;
    flags.loadedYOffset = -2;
}

TEST(LoggerWindow, AFileLoadedBeforeADownloadIsNeitherListedNorShownAmongItsSets) {
    LoggerWindowHost host(threeSets(), [](CKVDoc& doc) { loadFile(doc, 7, 1); });
    EXPECT_EQ(host.list().model()->rowCount(), 3);
    EXPECT_EQ(cell(host.list(), 0, 1), QStringLiteral("12/24/19 09:15:30"));
    EXPECT_EQ(host.doc.loggerModeFlags().appendLoadedFile, 0);
    EXPECT_FALSE(host.window->command(kLoggerPrint)->isEnabled()); // nothing shown yet
    EXPECT_EQ(host.window->dataList(), nullptr);
    host.doubleClickRow(0);
    EXPECT_EQ(host.doc.loggerSet().readingCount, 60);
}

TEST(LoggerWindow, InFileModeEveryLoadedFileBecomesARowAndTheHundredAndFirstStartsOver) {
    LoggerWindowHost host(LoggerStore{}, [](CKVDoc& doc) {
        doc.loggerModeFlags().loggerFileMode = 1;
        loadFile(doc, 7, 1);
    });
    const QTableView& list = host.list();
    ASSERT_EQ(list.model()->rowCount(), 1);
    const QStringList row{"1", "08/01/25 07:00:00", "K", "10sec", "7"};
    for (int column = 0; column < 5; ++column)
        EXPECT_EQ(cell(list, 0, column), row[column]);

    loadFile(host.doc, 12, 2);
    host.window->repaint();
    ASSERT_EQ(list.model()->rowCount(), 2);
    EXPECT_EQ(cell(list, 1, 4), QStringLiteral("12"));
    // A double-click shows the row's set with the scale its file carried.
    host.doc.loggerViewState().yGain = 100;
    host.doubleClickRow(0);
    EXPECT_EQ(host.doc.loggerSet().readingCount, 7);
    EXPECT_EQ(host.doc.loggerViewState().yGain, 5);
    EXPECT_EQ(host.doc.loggerViewState().yOffset, -2);
    EXPECT_EQ(host.window->dataList()->windowTitle(), QStringLiteral("Detail Data List_File1"));

    for (int day = 3; day <= 101; ++day) {
        loadFile(host.doc, 3, 1 + day % 28);
        host.window->repaint();
    }
    ASSERT_EQ(list.model()->rowCount(), 1);
    EXPECT_EQ(cell(list, 0, 0), QStringLiteral("1"));
    EXPECT_EQ(host.doc.loggerFileTable().lastFileRow, 0);
}

TEST(LoggerWindow, ADoubleClickShowsTheSetWithItsLabelsLegendAndReadoutLine) {
    LoggerWindowHost host(threeSets());
    EXPECT_EQ(host.window->dataList(), nullptr);
    host.doubleClickRow(1);

    EXPECT_EQ(host.doc.loggerModeFlags().selectedSet, 1);
    EXPECT_EQ(host.doc.loggerSet().readingCount, 240);
    const QImage shot = host.shot();
    const LoggerPlotRect plot = host.plot();
    const int left = int(plot.left);
    const int bottom = int(plot.bottom);
    const LoggerFonts fonts = loggerFonts();
    EXPECT_TRUE(showsText(shot, {left, bottom + 8}, "14:00:00", fonts.labels));
    EXPECT_TRUE(showsText(shot, {int(plot.right) - 55, bottom + 8}, "14:07:58", fonts.labels));
    EXPECT_FALSE(showsText(shot, {left, bottom + 8}, "14:00:02", fonts.labels));
    // Gain 100 from 0: 0.00 at the bottom line, 1000.00 at the top one.
    EXPECT_TRUE(showsText(shot, {left - 40, bottom}, "0.00", fonts.labels));
    EXPECT_TRUE(showsText(shot, {toPixel(left - 62.5), int(plot.top)}, "1000.00", fonts.labels));
    const char* names[] = {"T1", "T2", "IR", "T3", "T4"};
    for (int c = 0; c < kChannelCount; ++c) {
        EXPECT_TRUE(showsText(shot, {left + 40 + 120 * c, 40}, names[c], fonts.labels)) << c;
        EXPECT_TRUE(showsText(shot, {left + 120 * c + 50, 70}, "@", fonts.readout)) << c;
        EXPECT_GT(countOf(shot, colourOf(c), plotInterior(plot)), 100) << c;
        EXPECT_GT(countOf(shot, colourOf(c), QRect(left + 20 + 120 * c, 58, 61, 5)), 60) << c;
    }

    // The Data List came up with the set's rows, titled after the row.
    ASSERT_NE(host.window->dataList(), nullptr);
    EXPECT_TRUE(host.window->dataList()->isVisible());
    EXPECT_EQ(host.window->dataList()->list()->model()->rowCount(), 240);
    EXPECT_EQ(host.window->dataList()->windowTitle(), QStringLiteral("Detail Data List_File2"));
}

TEST(LoggerWindow, WithOnlyIRVisibleOnlyIRIsDrawnInTheCurvesLegendAndReadout) {
    LoggerWindowHost host(threeSets());
    host.doubleClickRow(1);
    host.clickTool(kLoggerShowIR);

    const LoggerViewState& view = host.doc.loggerViewState();
    EXPECT_EQ(view.channelVisible, (ChannelVisibility{0, 0, 1, 0, 0}));
    const QImage shot = host.shot();
    const LoggerPlotRect plot = host.plot();
    const int left = int(plot.left);
    const QRect interior = plotInterior(plot);
    const QRgb ground[] = {qRgb(0, 0, 0), kLoggerGrid, colourOf(kIR)};
    int others = 0;
    for (int y = interior.top(); y <= interior.bottom(); ++y)
        for (int x = interior.left(); x <= interior.right(); ++x)
            others += std::find(std::begin(ground), std::end(ground), shot.pixel(x, y)) ==
                              std::end(ground)
                          ? 1
                          : 0;
    EXPECT_EQ(others, 0);
    EXPECT_GT(countOf(shot, colourOf(kIR), interior), 100);

    const LoggerFonts fonts = loggerFonts();
    EXPECT_TRUE(showsText(shot, {left + 40 + 240, 40}, "IR", fonts.labels));
    EXPECT_TRUE(showsText(shot, {left + 240 + 50, 70}, "@", fonts.readout));
    // Where T1's entry and readout would be, there is only the background.
    const QRect t1Slots(left, 38, 115, 50);
    EXPECT_EQ(countOf(shot, kLoggerBackground, t1Slots), t1Slots.width() * t1Slots.height());

    host.clickTool(kLoggerShowAll);
    EXPECT_TRUE(showsText(host.shot(), {left + 40, 40}, "T1", fonts.labels));
}

TEST(LoggerWindow, AOneReadingSetDrawsNoCurveAndBothTimeLabelsShowItsStart) {
    LoggerWindowHost host(threeSets());
    host.doubleClickRow(2);

    const QImage shot = host.shot();
    const LoggerPlotRect plot = host.plot();
    for (int c = 0; c < kChannelCount; ++c)
        EXPECT_EQ(countOf(shot, colourOf(c), plotInterior(plot)), 0) << c;
    const LoggerFonts fonts = loggerFonts();
    const int labelTop = int(plot.bottom) + 8;
    EXPECT_TRUE(showsText(shot, {int(plot.left), labelTop}, "08:30:00", fonts.labels));
    EXPECT_TRUE(showsText(shot, {int(plot.right) - 55, labelTop}, "08:30:00", fonts.labels));
}

TEST(LoggerWindow, TheYAxisDialogSetsGainAndOffsetAndCancelChangesNothing) {
    LoggerWindowHost host(threeSets());
    host.doubleClickRow(1);
    chooseYAxis(host, 6, 4); // 200 per division from -5 divisions

    EXPECT_EQ(host.doc.loggerViewState().yGain, 200);
    EXPECT_EQ(host.doc.loggerViewState().yOffset, -5);
    const QImage shot = host.shot();
    const LoggerPlotRect plot = host.plot();
    const LoggerFonts fonts = loggerFonts();
    // -1000.00 ... 1000.00 in steps of 200, each right-aligned by its width.
    const struct {
        const char* text;
        double indent;
    } labels[] = {{"-1000.00", 0},  {"-800.00", 7.5}, {"-600.00", 7.5}, {"-400.00", 7.5},
                  {"-200.00", 7.5}, {"0.00", 30},     {"200.00", 15},   {"400.00", 15},
                  {"600.00", 15},   {"800.00", 15},   {"1000.00", 7.5}};
    for (int k = 0; k <= 10; ++k) {
        const GraphPoint at{toPixel(plot.left - 70 + labels[k].indent),
                            toPixel(plot.bottom - double(plot.height() * float(k)) * 0.1)};
        EXPECT_TRUE(showsText(shot, {at.x, at.y}, labels[k].text, fonts.labels)) << k;
    }

    // Closed with its close box, the dialog leaves the scale alone.
    {
        const test::NextModal answer([](QWidget& modal) {
            modal.findChild<QComboBox*>(QStringLiteral("yGainList"))->setCurrentIndex(0);
            modal.close();
        });
        host.clickTool(kLoggerYAxis);
    }
    EXPECT_EQ(host.doc.loggerViewState().yGain, 200);
    EXPECT_EQ(host.doc.loggerViewState().yOffset, -5);
}

TEST(LoggerWindow, ACurveBeyondTheYRangeShowsNowhereOutsideThePlot) {
    // T2 swings far beyond 0 .. 1000 both ways; the others stay out of sight below.
    LoggerWindowHost host(
        downloadOf({{makeLocalTime(2021, 3, 1, 10, 0, 0), 5, 80, [](int r, int c) {
                         if (c != kT2)
                             return -2000.0f;
                         return r % 2 ? 2800.0f : -1900.0f;
                     }}}));
    host.doubleClickRow(0);

    const QImage shot = host.shot();
    const LoggerPlotRect plot = host.plot();
    const QRect inside(QPoint(int(plot.left), int(plot.top)),
                       QPoint(int(plot.right) - 1, int(plot.bottom)));
    EXPECT_GT(countOf(shot, colourOf(kT2), inside), 1000);
    const QRect area = graphArea(host);
    int outside = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        if (y >= 57 && y <= 63)
            continue; // the legend's lines
        for (int x = area.left(); x <= area.right(); ++x)
            outside += !inside.contains(x, y) && shot.pixel(x, y) == colourOf(kT2) ? 1 : 0;
    }
    EXPECT_EQ(outside, 0);
}

TEST(LoggerWindow, ResizedItsPlotFollowsTheClientAreaAndTooSmallItDrawsNoCurve) {
    LoggerWindowHost host(threeSets());
    host.doubleClickRow(1);
    host.window->resize(1400, 800);
    host.settle();
    const LoggerPlotRect wide = host.plot();
    EXPECT_EQ(int(wide.right), 1400 - 61);
    EXPECT_EQ(int(wide.bottom), 800 - 61);
    EXPECT_GT(countOf(host.shot(), colourOf(kT1), plotInterior(wide)), 100);
    EXPECT_EQ(host.window->scrollBar()->geometry().bottom(), 800 - 1);
    EXPECT_EQ(host.list().geometry().bottom(), 800 - 5);

    host.window->resize(380, 120); // narrower than the list, lower than the plot's top
    host.settle();
    const QImage small = host.shot();
    EXPECT_EQ(small.size(), QSize(380, 120));
    const QRect belowToolBar(0, LoggerToolBar::kHeight, 380, 120 - LoggerToolBar::kHeight);
    for (int c = 0; c < kChannelCount; ++c)
        EXPECT_EQ(countOf(small, colourOf(c), belowToolBar), 0) << c;
}

// The picture as the window would draw it with a new pen and one line per pair of
// readings, each point truncated to whole pixels.
QImage segmentBySegment(LoggerWindowHost& host) {
    LoggerViewState view = host.doc.loggerViewState();
    const LoggerGraphInputs inputs = host.window->graphInputs();
    const LoggerPicture picture = paintLoggerGraph(view, inputs);
    const LoggerSet& set = *inputs.set;
    const LoggerLevel level(picture.plot, set.readingCount, view.yGain, view.yOffset, {});
    QImage image(host.window->size(), QImage::Format_RGB32);
    QPainter painter(&image);
    paintLoggerFrame(painter, picture);
    for (int r = 0; r + 1 < set.readingCount; ++r) {
        for (int c = 0; c < kChannelCount; ++c) {
            painter.setPen(solidPen(colourOf(c), 1));
            painter.drawLine(
                toPixel(level.readingX(r)), toPixel(level.valueY(readingValue(set, r, c))),
                toPixel(level.readingX(r + 1)), toPixel(level.valueY(readingValue(set, r + 1, c))));
        }
    }
    paintLoggerLabels(painter, picture, loggerFonts());
    paintLoggerReadout(painter, picture.readout, loggerFonts().readout);
    return image;
}

TEST(LoggerWindow, TheCurvesAreExactlyThePixelsOfOneLinePerPairOfReadings) {
    // A full set, far denser than the pixels; a sparse one with steep jumps; and one
    // whose T2 swings far beyond the Y range both ways while the others lie out of sight
    // below it. No curve crosses another in the plot: a line per pair of readings draws
    // the channels interleaved, so where two curves crossed the one drawn later would
    // differ.
    const auto band = [](int r, int c) {
        return float(100 * c + 35 + 20 * std::sin(r * 0.0021 + c) + ((r * 7919 + c) % 17) * 0.9);
    };
    const auto jumps = [](int r, int c) { return float(100 * c + 10 + (r * 37 % 11) * 7.3); };
    const auto wild = [](int r, int c) {
        return c == kT2 ? (r % 3 ? 2800.0f : -1900.0f) + float(r) : -2000.0f;
    };
    LoggerWindowHost host(downloadOf({{makeLocalTime(2022, 6, 1, 0, 0, 0), 1, 13110, band},
                                      {makeLocalTime(2022, 6, 2, 0, 0, 0), 3, 37, jumps},
                                      {makeLocalTime(2022, 6, 3, 0, 0, 0), 3, 700, wild}}));
    for (int row : {0, 1, 2}) {
        host.doubleClickRow(row);
        const QImage shot = host.shot();
        const QImage expected = segmentBySegment(host);
        const QRect compared(
            QPoint(host.list().geometry().right() + 6, LoggerToolBar::kHeight + 4),
            QPoint(host.window->width() - 6, host.window->scrollBar()->geometry().top() - 4));
        int differing = 0;
        for (int y = compared.top(); y <= compared.bottom(); ++y)
            for (int x = compared.left(); x <= compared.right(); ++x)
                differing += shot.pixel(x, y) != expected.pixel(x, y) ? 1 : 0;
        EXPECT_EQ(differing, 0) << "row " << row;
        EXPECT_GT(countOf(shot, colourOf(kT2), plotInterior(host.plot())), 500) << row;
    }
}

// A set of 11 readings 2 s apart: reading r holds 20 + c + r on channel c.
LoggerStore elevenReadings() {
    return downloadOf({{makeLocalTime(2023, 2, 3, 4, 5, 6), 2, 11,
                        [](int r, int c) { return float(20 + c + r); }}});
}

TEST(LoggerWindow, TheCursorRepaintsOnlyItsColumnsAndTheReadoutLineOnTheScreen) {
    LoggerWindowHost host(elevenReadings());
    host.doubleClickRow(0);
    const QImage before = host.screen();
    const LoggerPlotRect plot = host.plot();
    const double step = plot.width() / 10.0;
    const int first = toPixel(plot.left + 3 * step);
    const int second = toPixel(plot.left + 7 * step + 5);
    const int middle = int(plot.top + plot.bottom) / 2;
    const QRect readoutLine(int(plot.left), 70, host.window->width(), 20);

    host.moveMouse({first, middle});
    const QImage once = host.screen();
    host.moveMouse({second, middle});
    const QImage twice = host.screen();

    // The line inverts what lies under it, dot by dot, from the plot's top to its bottom.
    const auto notXor = [](QRgb under) {
        return qRgb(255 - (qRed(under) ^ 150), 255 - (qGreen(under) ^ 50),
                    255 - (qBlue(under) ^ 50));
    };
    int inverted = 0;
    for (int y = int(plot.top); y <= int(plot.bottom); ++y) {
        const QRgb was = before.pixel(first, y);
        if (once.pixel(first, y) != was) {
            EXPECT_EQ(once.pixel(first, y), notXor(was)) << y;
            ++inverted;
        }
    }
    EXPECT_GT(inverted, int(plot.height()) / 3);
    EXPECT_LT(inverted, int(plot.height()) * 2 / 3 + 2);

    // After the second move the first column is as it was, and nothing but the second
    // column and the readout line differs from the picture before the cursor came.
    int elsewhere = 0;
    int secondColumn = 0;
    for (int y = 0; y < twice.height(); ++y) {
        for (int x = 0; x < twice.width(); ++x) {
            if (twice.pixel(x, y) == before.pixel(x, y))
                continue;
            if (x == second)
                ++secondColumn;
            else if (!readoutLine.contains(x, y))
                ++elsewhere;
        }
    }
    EXPECT_EQ(elsewhere, 0);
    EXPECT_GT(secondColumn, int(plot.height()) / 3);

    // The readout names reading 7, the nearer one: 27.0 C on T1 at 04:05:20.
    const LoggerFonts fonts = loggerFonts();
    const int left = int(plot.left);
    EXPECT_TRUE(showsText(twice, {left, 70}, "27.0C", fonts.readout));
    EXPECT_TRUE(showsText(twice, {left + 62, 70}, "04:05:20", fonts.readout));
    EXPECT_TRUE(showsText(twice, {left + 480, 70}, "31.0C", fonts.readout));
    EXPECT_FALSE(showsText(once, {left, 70}, "27.0C", fonts.readout));
}

// Answers the print dialog by printing to `pdf`.
TEST(LoggerWindow, PrintMakesTheReportOfTheShownSetOnTheWindowsScale) {
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("set.pdf"));
    LoggerWindowHost host(threeSets());
    auto printing = std::make_unique<test::ScriptedPrintEnvironment>();
    printing->answer = test::printToFile(pdf);
    const test::ScriptedPrintEnvironment& printed = *printing;
    host.window->setPrintEnvironment(std::move(printing));
    EXPECT_FALSE(host.window->command(kLoggerPrint)->isEnabled()); // nothing to print yet
    host.doubleClickRow(1);
    chooseYAxis(host, 4, 3); // 50 per division from -2 divisions
    ASSERT_TRUE(host.window->command(kLoggerPrint)->isEnabled());

    host.clickTool(kLoggerPrint);

    EXPECT_TRUE(printed.messages.isEmpty()) << printed.messages.join('\n').toStdString();
    EXPECT_EQ(pdfInfo(pdf, "Pages"), "1");
    const QString text = pdfText(pdf);
    for (const char* expected : {"Test Report", "-100.0", "400.0", "14:00:00", "2026-05-04 13:45"})
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected << "\n"
                                                            << text.toStdString();
}

TEST(LoggerWindow, TheToolbarHasElevenPictureButtonsAndOnlyWhatWorksIsEnabled) {
    LoggerWindowHost host(threeSets());
    const QList<QAction*> actions = host.window->toolBar()->actions();
    const int ids[] = {32825, 32791, 32833, 32792, 32820, 32821, 32836, 32822, 32834, 32823, 32824};
    ASSERT_EQ(actions.size(), 11);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(actions[i]->data().toInt(), ids[i]);
        EXPECT_FALSE(actions[i]->icon().pixmap(LoggerToolBar::kImageSize).isNull());
    }
    EXPECT_EQ(actions[0]->toolTip(), QStringLiteral("Save"));
    EXPECT_EQ(actions[1]->toolTip(), QStringLiteral("Download"));
    EXPECT_EQ(actions[3]->toolTip(), QStringLiteral("ZoomOut"));
    for (int i : {2, 4, 5, 6, 7, 8, 9, 10})
        EXPECT_TRUE(actions[i]->toolTip().isEmpty()) << i;
    // In download mode Save waits for a set to be shown, and Download never works.
    for (LoggerCommandId id : {kLoggerSave, kLoggerDownload})
        EXPECT_FALSE(host.window->command(id)->isEnabled()) << id;
    for (LoggerCommandId id :
         {kLoggerZoomOut, kLoggerShowT1, kLoggerShowIR, kLoggerShowAll, kLoggerYAxis})
        EXPECT_TRUE(host.window->command(id)->isEnabled()) << id;
    host.doubleClickRow(0);
    EXPECT_TRUE(host.window->command(kLoggerSave)->isEnabled());
    EXPECT_FALSE(host.window->command(kLoggerDownload)->isEnabled());
}

TEST(LoggerWindow, ClosingPutsTheLoggerStateBackToRestAndReleasesTheDownload) {
    for (bool byEscape : {false, true}) {
        LoggerWindowHost host(elevenReadings());
        host.doubleClickRow(0);
        host.moveMouse({int(host.plot().left) + 100, 200});
        ASSERT_EQ(host.doc.loggerViewState().cursorHidden, 0);
        QPointer<CDataListDlg> dataList = host.window->dataList();
        ASSERT_TRUE(dataList);

        if (byEscape)
            QTest::keyClick(host.window, Qt::Key_Escape);
        else
            host.window->close();
        host.settle();

        EXPECT_TRUE(host.window.isNull()) << byEscape;
        EXPECT_TRUE(dataList.isNull());
        const LoggerModeFlags& flags = host.doc.loggerModeFlags();
        EXPECT_EQ(flags.loggerWindowShown, 0);
        EXPECT_EQ(flags.selectedSet, -1);
        EXPECT_EQ(flags.listDownloadedSets, 0);
        EXPECT_EQ(host.doc.loggerStore().downloadStoreReady, 0);
        EXPECT_EQ(host.doc.loggerStore().setCount, 0);
        EXPECT_TRUE(host.doc.loggerStore().readings.empty());
        EXPECT_EQ(host.doc.loggerViewState().cursorHidden, 1);
        EXPECT_EQ(host.doc.loggerViewState().overviewMode, 1);
        EXPECT_EQ(host.doc.loggerSet().readingCount, 11); // the shown set stays
    }
}

} // namespace
} // namespace calorant
