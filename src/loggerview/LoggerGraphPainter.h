#pragma once

#include "logger/LoggerGraph.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <vector>

class QImage;
class QPainter;

namespace calorant {

// Colours of the logger graph window.
inline constexpr QRgb kLoggerBackground = qRgb(217, 218, 212);
inline constexpr QRgb kLoggerPlot = qRgb(0, 0, 0);
inline constexpr QRgb kLoggerGrid = qRgb(80, 80, 80);
inline constexpr QRgb kLoggerBorder = qRgb(255, 0, 0);
inline constexpr QRgb kLoggerTimeGrid = qRgb(100, 100, 100);
inline constexpr QRgb kLoggerCursor = qRgb(150, 50, 50);
inline constexpr QRgb kLoggerText = qRgb(0, 0, 0);

// Arial of the lightest weight: 14 pixels for the labels and the legend, 12 for the
// readout line.
struct LoggerFonts {
    QFont labels;
    QFont readout;
};
LoggerFonts loggerFonts();

// One picture of the logger graph window in client pixels, composed in an image of 32
// bits a pixel whose top-left pixel is client point `origin`, in three layers, in this
// order:
// - the frame: background, black plot, grid, red border and ticks, the band below the
//   plot and, with a set shown, the zoom-mode time grid;
// - the curves of the visible channels, T1 first, each in its colour: the pixels of a
//   one-pixel line from every reading to the next, written from the reduced curve;
// - the labels: with a set shown the margins in the background colour (which take
//   away whatever of the curves lies outside the plot), the time and Y labels; then the
//   legend.
// Painters must not be antialiased, so that lines stay one pixel wide.
void paintLoggerFrame(QPainter& painter, const LoggerPicture& picture);
void paintLoggerCurves(QImage& image, QPoint origin, const LoggerPicture& picture);
void paintLoggerLabels(QPainter& painter, const LoggerPicture& picture, const LoggerFonts& fonts);
void paintLoggerPicture(QImage& image, QPoint origin, const LoggerPicture& picture,
                        const LoggerFonts& fonts);

// The readout line over the picture: each slot's value box cleared, its value, "@" and
// the time.
void paintLoggerReadout(QPainter& painter, const std::vector<LoggerReadoutSlot>& readout,
                        const QFont& font);

// The cursor line over the picture: dotted, inverting what lies under it as a not-xor
// pen of the cursor colour does.
void paintLoggerCursor(QPainter& painter, const LoggerLine& line);

} // namespace calorant
