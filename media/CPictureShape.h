#pragma once

#include <string>

// How the conversion reshapes a movie's picture: square pixels with the width a multiple of 4,
// an odd height made even, the rotation turned upright. The picture is turned first and then
// sized, as the converter applies its size after its filters.
class CPictureShape {
public:
    // The shape for a picture the media probe describes; pixelAspect 0 or less counts as 1.
    static CPictureShape Of(int width, int height, double pixelAspect, int rotation);
    // The shape the converter options describe (those Options() writes); nothing else is read.
    static CPictureShape Parse(const std::string& options);

    // The converter options for this shape; empty when nothing is reshaped.
    std::string Options() const;

    // The size the picture is scaled to after turning; 0 when it keeps its size.
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The display aspect the options name; 0 when they name none.
    double Aspect() const { return m_aspect; }
    // Clockwise quarter turns as degrees: 0, 90, 180 or 270.
    int Rotation() const { return m_rotation; }
    bool Resizes() const { return m_width > 0 && m_height > 0; }

    bool operator==(const CPictureShape& other) const = default;

private:
    int m_width = 0;
    int m_height = 0;
    double m_aspect = 0.0;
    int m_rotation = 0;
};
