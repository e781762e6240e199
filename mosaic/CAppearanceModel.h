#pragma once

#include "mosaic/CGreyPicture.h"
#include "mosaic/T_RECT.h"

#include <array>

// What the followed subject looks like: its rectangle averaged down to a small grid of cells,
// learned slowly while it is followed. The normalised correlation of a rectangle's grid with it
// says whether that rectangle still shows the subject, whatever the tracker itself believes.
class CAppearanceModel {
public:
    static constexpr int kSide = 24;
    using Grid = std::array<float, kSide * kSide>;

    // rect in picture, averaged into cells; the zero-mean, unit-length grid (all zero for a
    // flat rectangle or one outside the picture).
    static Grid Sample(const CGreyPicture& picture, const T_RECT& rect);

    // Moves the model toward sample by rate (1: replaces it).
    void Learn(const Grid& sample, float rate);
    // Normalised correlation of sample with the model, -1 to 1.
    double Similarity(const Grid& sample) const;

private:
    static void Normalise(Grid& grid);

    Grid m_model{};
};
