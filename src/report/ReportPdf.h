#pragma once

#include "report/ReportInputs.h"
#include "report/ReportLayout.h"

#include <QByteArray>
#include <QPageSize>

namespace calorant {

// The report as a one-page PDF document of the given paper size at 1200 dpi. Its
// printable area lies within Qt's default margins of 10 points, the same as that of the
// print dialog's PDF printer, so both make the same page. Empty if the page could not
// be drawn.
QByteArray reportPdf(const ReportInputs& inputs, const QPageSize& pageSize);

// The same for a page already laid out.
QByteArray reportPagePdf(const ReportPage& page, const QPageSize& pageSize);

} // namespace calorant
