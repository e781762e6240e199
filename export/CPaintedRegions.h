#pragma once

#include "mosaic/T_RECT.h"

#include <vector>

// Where an export has to paint a picture: disjoint rectangles that cover every reach of the
// mosaic, with their sides on a grid of columnStep columns and rowStep rows or on the picture's
// edge, so that each one can go to 24-bit pixels and back on its own.
class CPaintedRegions {
public:
    static std::vector<T_RECT> Of(const std::vector<T_RECT>& reaches, int width, int height,
                                  int columnStep, int rowStep);

private:
    static T_RECT OnGrid(const T_RECT& reach, int width, int height, int columnStep, int rowStep);
    // Joins the first two regions that overlap into their bounding box; false when none do.
    static bool JoinOverlapping(std::vector<T_RECT>& regions);
};
