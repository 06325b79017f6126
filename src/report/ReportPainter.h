#pragma once

#include "report/ReportInputs.h"
#include "report/ReportLayout.h"

class QPainter;

namespace calorant {

// Draws the one-page test report of `inputs` on a painter its caller has begun on a
// printer, a PDF writer or an image. The page lies against the bottom-right corner of
// the device (for a printer: of the printable area) in 0.01-inch units at the device's
// resolution. Nothing is scaled to the paper: on a printable area less than 11.2 inches
// high the title, whose top is at y 1120, is cut off. The painter's own state is
// restored afterwards.
void paintReport(QPainter& painter, const ReportInputs& inputs);

// The same for a page already laid out.
void paintReportPage(QPainter& painter, const ReportPage& page);

} // namespace calorant
