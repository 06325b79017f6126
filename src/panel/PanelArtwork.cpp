#include "panel/PanelArtwork.h"

#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace calorant {

QPixmap renderedArtwork(const QString& resourcePath, QSize size) {
    const QString key = QStringLiteral("calorant-art:%1:%2x%3")
                            .arg(resourcePath)
                            .arg(size.width())
                            .arg(size.height());
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;

    pixmap = QPixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resourcePath);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QPixmap meterFace() {
    return renderedArtwork(QStringLiteral(":/panel/face.svg"), kFaceSize);
}

} // namespace calorant
