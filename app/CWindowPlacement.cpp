#include "app/CWindowPlacement.h"

bool CWindowPlacement::Inside(const Rect& rect, const Rect& workArea) {
    return rect.left >= workArea.left && rect.top >= workArea.top && rect.right <= workArea.right &&
           rect.bottom <= workArea.bottom;
}

CWindowPlacement::Rect CWindowPlacement::Choose(const Rect& stored, const Rect& workArea) {
    return Inside(stored, workArea) ? stored : Fallback;
}
