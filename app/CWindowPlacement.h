#pragma once

#include "app/CInifileManager.h"

// Where the main window opens: the stored rectangle when it lies wholly inside the desktop
// work area, else 0, 0, 800, 600. Rectangles are left, top, right, bottom, right and bottom
// exclusive.
class CWindowPlacement {
public:
    using Rect = CInifileManager::Rect;

    static constexpr Rect Fallback{0, 0, 800, 600};

    static bool Inside(const Rect& rect, const Rect& workArea);
    static Rect Choose(const Rect& stored, const Rect& workArea);
};
