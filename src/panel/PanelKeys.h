#pragma once

#include "link/MeterCommands.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <optional>
#include <span>

namespace calorant {

// Control ids of the six keys on the meter panel.
enum PanelKeyId : int {
    kKeyHold = 1044,
    kKeyPowerOff = 1045,
    kKeyMaxMin = 1046,
    kKeyRecord = 1047,
    kKeyUnit = 1055,
    kKeyDifference = 1056,
};

// One key of the instrument: its size comes from the panel's layout (dialog units of
// the "System" template), its place on the face picture is fixed in pixels, and its
// picture is drawn from the top-left corner, unscaled, whatever the key's size.
struct PanelKey {
    PanelKeyId controlId;
    const char* label;   // the key's name; the picture carries its face
    QRect layoutUnits;   // x, y, width, height in dialog units
    QPoint position;     // top-left corner in panel pixels
    const char* artwork; // resource path of the picture
    QSize artworkSize;
    std::uint8_t pressCode;
    std::optional<std::uint8_t> doubleClickCode;
};

// The six keys, in the order they are created.
std::span<const PanelKey> panelKeys();

// The key with that control id, or nullptr.
const PanelKey* findPanelKey(int controlId);

} // namespace calorant
