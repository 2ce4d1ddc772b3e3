#include "Dragging.h"

#include <windows.h>

#include <cmath>

namespace mirvashel {

namespace {
// The default rounding mode rounds halves to the even neighbour.
std::int32_t RoundHalfEven(float v) { return std::int32_t(std::nearbyint(double(v))); }
} // namespace

void WindowDrag::OnPress(float x, float y) {
    lDownX = RoundHalfEven(x);
    lDownY = RoundHalfEven(y);
}

std::optional<DragShift> WindowDrag::OnMove(int buttons, float x, float y) const {
    if (buttons != kLeftButton) return std::nullopt;
    return DragShift{double(lDownX) - double(x), double(lDownY) - double(y)};
}

int ButtonsFromKeyState(unsigned keyState) {
    return ((keyState & MK_LBUTTON) ? kLeftButton : 0) | ((keyState & MK_RBUTTON) ? kRightButton : 0) |
           ((keyState & MK_MBUTTON) ? kMiddleButton : 0);
}

} // namespace mirvashel
