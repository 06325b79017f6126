#include "report/ReportPdf.h"

#include "report/ReportPainter.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

namespace calorant {

QByteArray reportPdf(const ReportInputs& inputs, const QPageSize& pageSize) {
    return reportPagePdf(layoutReport(inputs), pageSize);
}

QByteArray reportPagePdf(const ReportPage& page, const QPageSize& pageSize) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(pageSize);
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        paintReportPage(painter, page);
        if (!painter.end())
            return {};
    }
    return bytes;
}

} // namespace calorant
