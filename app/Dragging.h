// Dragging the window by its bare surface: a press stores the point, and a
// move with the left button alone shifts the window by the pointer's motion
// since that press. Coordinates are twips of the client area.
#pragma once

#include <cstdint>
#include <optional>

namespace mirvashel {

// Mouse buttons as the handlers see them.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

struct DragShift {
    double dx; // to subtract from the window's left
    double dy; // to subtract from the window's top
};

class WindowDrag {
public:
    // Any button: remember the point, rounded half to even.
    void OnPress(float x, float y);
    // Only the left button alone moves the window.
    std::optional<DragShift> OnMove(int buttons, float x, float y) const;

    std::int32_t lDownX = 0;
    std::int32_t lDownY = 0;
};

// The button bit set from a WM_MOUSEMOVE/WM_xBUTTONDOWN wParam.
int ButtonsFromKeyState(unsigned keyState);

} // namespace mirvashel
