#pragma once

#include "mosaic/CGreyPicture.h"
#include "mosaic/T_RECT.h"

#include <array>

// What the followed subject looks like: the middle of its rectangle (a rectangle that is a
// little too large shows background at its edges) averaged down to a coarse grid of cells,
// which a slow turn hardly changes, learned slowly while it is followed. The normalised correlation
// of a rectangle's grid with it says whether that rectangle still shows the subject, whatever the
// tracker itself believes.
class CAppearanceModel {
public:
    static constexpr int kSide = 16;
    using Grid = std::array<float, kSide * kSide>;

    // The middle of rect in picture, averaged into cells; the zero-mean, unit-length grid (all zero
    // for a flat rectangle or one outside the picture).
    static Grid Sample(const CGreyPicture& picture, const T_RECT& rect);

    // Moves the model toward sample by rate (1: replaces it).
    void Learn(const Grid& sample, float rate);
    // Normalised correlation of sample with the model, -1 to 1.
    double Similarity(const Grid& sample) const;

private:
    static void Normalise(Grid& grid);

    Grid m_model{};
};
