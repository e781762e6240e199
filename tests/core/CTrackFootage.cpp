#include "CTrackFootage.h"

#include "CTestMedia.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Smooth random texture: a lattice of random values, interpolated bilinearly between its
// points, which lie cell pixels apart.
class ValueNoise {
public:
    ValueNoise(unsigned seed, int cell) : m_cell(cell) {
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> value(0, 255);
        for (int& v : m_lattice) {
            v = value(random);
        }
    }

    double At(double x, double y) const {
        const double fx = x / m_cell;
        const double fy = y / m_cell;
        const int ix = static_cast<int>(std::floor(fx));
        const int iy = static_cast<int>(std::floor(fy));
        const double tx = fx - ix;
        const double ty = fy - iy;
        const double top = Node(ix, iy) * (1 - tx) + Node(ix + 1, iy) * tx;
        const double bottom = Node(ix, iy + 1) * (1 - tx) + Node(ix + 1, iy + 1) * tx;
        return top * (1 - ty) + bottom * ty;
    }

private:
    static constexpr int kSide = 64;
    int Node(int x, int y) const {
        return m_lattice[((y % kSide + kSide) % kSide) * kSide + (x % kSide + kSide) % kSide];
    }
    int m_cell;
    int m_lattice[kSide * kSide];
};

struct Pose {
    double cx;
    double cy;
    double size;
    double angle;
};

Pose PoseAt(int frame) {
    const double t = static_cast<double>(frame) / (CTrackFootage::kFrames - 1);
    return Pose{60.0 + 190.0 * t, 70.0 + 80.0 * t + 20.0 * std::sin(t * 2 * kPi),
                80.0 - 40.0 * std::min(1.0, t * 1.25), 25.0 * kPi / 180.0 * t};
}

} // namespace

// The turned square's bounding box: what must be covered to hide it.
T_RECT CTrackFootage::Truth(int frame) {
    const Pose pose = PoseAt(frame);
    const double half = pose.size / 2 * (std::cos(pose.angle) + std::sin(pose.angle));
    return T_RECT{static_cast<int>(std::lround(pose.cx - half)),
                  static_cast<int>(std::lround(pose.cy - half)),
                  static_cast<int>(std::lround(pose.cx + half)),
                  static_cast<int>(std::lround(pose.cy + half))};
}

std::vector<unsigned char> CTrackFootage::Frame(int frame) {
    static const ValueNoise background(7, 9);
    static const ValueNoise subject(11, 6);
    static const ValueNoise blocker(13, 4);
    const Pose pose = PoseAt(frame);
    const T_RECT truth = Truth(frame);
    const double cosA = std::cos(pose.angle);
    const double sinA = std::sin(pose.angle);
    std::vector<unsigned char> bgr(static_cast<std::size_t>(kWidth) * kHeight * 3);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            // The subject's own coordinates, 0 to 80 across whatever its size.
            const double dx = x + 0.5 - pose.cx;
            const double dy = y + 0.5 - pose.cy;
            const double u = (dx * cosA + dy * sinA) / pose.size * 80.0 + 40.0;
            const double v = (-dx * sinA + dy * cosA) / pose.size * 80.0 + 40.0;
            double value = background.At(x + 2.0 * frame, y + 1.0 * frame);
            if (u >= 0 && u < 80 && v >= 0 && v < 80) {
                value = std::clamp((subject.At(u, v) - 128) * 1.6 + 128, 0.0, 255.0);
            }
            const bool partCover = frame >= kPartCoverFirst && frame <= kPartCoverLast &&
                                   x < truth.left + (truth.right - truth.left) * 3 / 10;
            const bool fullCover = frame >= kFullCover && x >= truth.left - 30 &&
                                   x < truth.right + 30 && y >= truth.top - 30 &&
                                   y < truth.bottom + 30;
            if (partCover || fullCover) {
                value = 40 + blocker.At(x, y) / 4;
            }
            unsigned char* pixel = &bgr[(static_cast<std::size_t>(y) * kWidth + x) * 3];
            pixel[0] = static_cast<unsigned char>(value);
            pixel[1] = static_cast<unsigned char>(value * 0.8 + 30);
            pixel[2] = static_cast<unsigned char>(255 - value);
        }
    }
    return bgr;
}

std::string CTrackFootage::Write(const CTestMedia& media, const std::string& name) {
    const std::string raw = media.Path(name + ".bgr");
    {
        std::ofstream file(raw, std::ios::binary);
        for (int frame = 0; frame < kFrames; ++frame) {
            const std::vector<unsigned char> bgr = Frame(frame);
            file.write(reinterpret_cast<const char*>(bgr.data()),
                       static_cast<std::streamsize>(bgr.size()));
        }
        if (!file) {
            return {};
        }
    }
    return media.Generate(name, "-f rawvideo -pix_fmt bgr24 -s " + std::to_string(kWidth) + "x" +
                                    std::to_string(kHeight) + " -r 25 -i '" + raw +
                                    "' -c:v msmpeg4v2 -q:v 3");
}

double CTrackFootage::Overlap(const T_RECT& a, const T_RECT& b) {
    const auto area = [](int w, int h) { return w > 0 && h > 0 ? double(w) * h : 0.0; };
    const double both = area(std::min(a.right, b.right) - std::max(a.left, b.left),
                             std::min(a.bottom, b.bottom) - std::max(a.top, b.top));
    const double either =
        area(a.right - a.left, a.bottom - a.top) + area(b.right - b.left, b.bottom - b.top) - both;
    return either > 0 ? both / either : 0.0;
}

double CTrackFootage::ShareOnPath(int first, const std::vector<T_RECT>& followed, double minimum) {
    if (followed.empty()) {
        return 0.0;
    }
    const auto onPath = std::count_if(followed.begin(), followed.end(), [&](const T_RECT& r) {
        return Overlap(r, Truth(first + static_cast<int>(&r - followed.data()))) >= minimum;
    });
    return static_cast<double>(onPath) / followed.size();
}
