#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace calorant {

// The instrument artwork is kept as SVG and rendered once per picture at the exact
// pixel size the panel draws it at; later calls return the cached pixmap.
QPixmap renderedArtwork(const QString& resourcePath, QSize size);

// The face of the instrument, 220 x 620 pixels.
inline constexpr QSize kFaceSize{220, 620};
QPixmap meterFace();

} // namespace calorant
