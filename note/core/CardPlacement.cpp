#include "note/core/CardPlacement.h"

#include <cstdint>

namespace note {
namespace {

bool Overlap(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The least move along one axis that puts [low, high) inside [areaLow, areaHigh).
int Shift(int low, int high, int areaLow, int areaHigh) {
    if (low < areaLow || high - low > areaHigh - areaLow) return areaLow - low;
    if (high > areaHigh) return areaHigh - high;
    return 0;
}

}  // namespace

Offset CardOffsetOntoScreens(const Box& card, const std::vector<Box>& workAreas) {
    for (const Box& area : workAreas)
        if (Overlap(card, area)) return {};
    Offset best;
    int64_t bestDistance = -1;
    for (const Box& area : workAreas) {
        const Offset o{Shift(card.left, card.right, area.left, area.right),
                       Shift(card.top, card.bottom, area.top, area.bottom)};
        const int64_t distance = int64_t{o.dx} * o.dx + int64_t{o.dy} * o.dy;
        if (bestDistance < 0 || distance < bestDistance) {
            best = o;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace note
