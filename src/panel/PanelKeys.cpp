#include "panel/PanelKeys.h"

#include <algorithm>
#include <array>

namespace calorant {

namespace {

const std::array<PanelKey, 6> kPanelKeys{{
    {kKeyUnit, "'C-'F-K", QRect(10, 276, 15, 19), QPoint(95, 394), ":/panel/key_unit.svg",
     QSize(35, 39), kUnitKey, std::nullopt},
    {kKeyRecord, "REC", QRect(2, 300, 15, 15), QPoint(96, 337), ":/panel/key_rec.svg",
     QSize(30, 31), kRecordKey, std::nullopt},
    {kKeyPowerOff, "POWEROFF", QRect(37, 254, 12, 13), QPoint(146, 516), ":/panel/key_power.svg",
     QSize(26, 27), kPowerKey, std::nullopt},
    {kKeyMaxMin, "MAX/MIN", QRect(57, 279, 12, 22), QPoint(70, 425), ":/panel/key_maxmin.svg",
     QSize(26, 46), kMaxMinKey, kMaxMinKeyDouble},
    {kKeyHold, "HOLD", QRect(42, 278, 13, 19), QPoint(126, 429), ":/panel/key_hold.svg",
     QSize(31, 39), kHoldKey, std::nullopt},
    {kKeyDifference, "DIF/T1-T2-T3", QRect(71, 279, 15, 19), QPoint(97, 463), ":/panel/key_dif.svg",
     QSize(31, 39), kDifferenceKey, kDifferenceKeyDouble},
}};

} // namespace

std::span<const PanelKey> panelKeys() {
    return kPanelKeys;
}

const PanelKey* findPanelKey(int controlId) {
    const auto found =
        std::find_if(kPanelKeys.begin(), kPanelKeys.end(),
                     [controlId](const PanelKey& key) { return key.controlId == controlId; });
    return found == kPanelKeys.end() ? nullptr : &*found;
}

} // namespace calorant
