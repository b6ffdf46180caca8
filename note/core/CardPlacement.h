#pragma once
// Where a note's card must go when the screens change under it.
//
// A monitor unplugged or a resolution lowered can leave a note wholly outside every
// screen, where neither dragging nor showing all notes can bring it back. A card that
// no longer overlaps any monitor's work area moves by the least distance that puts the
// whole card inside one work area (the nearest one by that distance); a card still partly
// on a screen stays where the user put it.
#include <vector>

namespace note {

// A rectangle in screen pixels; right and bottom lie just outside it.
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct Offset {
    int dx = 0;
    int dy = 0;
};

// How far to move the card; {0, 0} when it touches a work area or there is none. A card
// larger than a work area is aligned with the work area's left or top edge.
Offset CardOffsetOntoScreens(const Box& card, const std::vector<Box>& workAreas);

}  // namespace note
