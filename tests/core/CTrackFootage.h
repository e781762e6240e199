#pragma once

#include "mosaic/T_RECT.h"

#include <string>
#include <vector>

class CTestMedia;

// A movie with a subject on a known path: a textured square that crosses the picture, turns
// slowly and shrinks to half its size over a scrolling textured background; a bar covers part
// of it for a few frames, and from FullCover() on a block hides it completely.
class CTrackFootage {
public:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;
    static constexpr int kFrames = 90;
    static constexpr int kPartCoverFirst = 30;
    static constexpr int kPartCoverLast = 34;
    static constexpr int kFullCover = 75;

    // Writes the movie as a working AVI named name in media's folder; empty when the tool failed.
    static std::string Write(const CTestMedia& media, const std::string& name);
    // Where the subject truly is in frame.
    static T_RECT Truth(int frame);
    // Intersection over union of two rectangles.
    static double Overlap(const T_RECT& a, const T_RECT& b);
    // The share of the frames of followed (from first on) whose rectangle overlaps the truth by
    // at least minimum.
    static double ShareOnPath(int first, const std::vector<T_RECT>& followed, double minimum);

private:
    static std::vector<unsigned char> Frame(int frame);
};
