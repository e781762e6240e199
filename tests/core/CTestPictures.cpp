#include "CTestPictures.h"

#include <random>

CFrameBuffer CTestPictures::Random(int width, int height, bool topDown, std::uint32_t seed) {
    CFrameBuffer picture(width, height, topDown);
    std::mt19937 generator(seed);
    for (int row = 0; row < height; ++row) {
        std::uint8_t* bytes = picture.MemoryRow(row);
        for (std::size_t i = 0; i < picture.PackedRowBytes(); ++i) {
            bytes[i] = static_cast<std::uint8_t>(generator());
        }
    }
    return picture;
}

CFrameBuffer CTestPictures::Gradient(int width, int height, bool topDown) {
    CFrameBuffer picture(width, height, topDown);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = picture.Pixel(x, y);
            pixel[0] = static_cast<std::uint8_t>(x);
            pixel[1] = static_cast<std::uint8_t>(y);
            pixel[2] = static_cast<std::uint8_t>(x + y);
        }
    }
    return picture;
}

CFrameBuffer CTestPictures::Dot(int width, int height, bool topDown, int x, int y,
                                std::uint8_t value) {
    CFrameBuffer picture(width, height, topDown);
    std::uint8_t* pixel = picture.Pixel(x, y);
    pixel[0] = pixel[1] = pixel[2] = value;
    return picture;
}
