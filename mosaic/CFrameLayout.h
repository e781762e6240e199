#pragma once

#include "mosaic/T_RECT.h"

// Where a picture goes in a window rectangle: the target shrunk by one pixel on every side, the
// picture scaled into it with its aspect kept and centred, black bars over the rest.
// All rectangles are in the target's (window) coordinates.
class CFrameLayout {
public:
    CFrameLayout(const T_RECT& target, int pictureWidth, int pictureHeight);

    const T_RECT& Inner() const { return m_inner; }
    // Empty when the picture or the inner target has no area; the first bar then covers it all.
    const T_RECT& Picture() const { return m_picture; }
    const T_RECT& FirstBar() const { return m_firstBar; }
    const T_RECT& SecondBar() const { return m_secondBar; }

private:
    void PlaceWide(long long width, long long height, double aspect);
    void PlaceTall(long long width, long long height, double aspect);
    void Offset(long long ox, long long oy, long long w, long long h);

    T_RECT m_inner;
    T_RECT m_picture;
    T_RECT m_firstBar;
    T_RECT m_secondBar;
};
