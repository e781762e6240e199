#pragma once

#include "media/CXrgbImage.h"
#include "mosaic/T_RECT.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include <cstdint>

class CAviVideoStream;
class QPainter;

// The view's off-screen image and everything drawn on it: the grey background, the letterboxed
// frame, the mode label and frame counter, the outlines and numbers of the mosaic regions and
// the rectangle being drawn. A repaint draws all of it here; the view copies it to the window
// in one piece.
class CViewCanvas {
public:
    static constexpr std::uint32_t Grey = CXrgbImage::Rgb(100, 100, 100);

    // What one repaint shows. Rectangles are in window (client) coordinates.
    struct Scene {
        CAviVideoStream* stream = nullptr; // null: only the grey background
        int editMode = -1;                 // 0 fixed, 1 moving, 2 preview
        bool stillImage = false;
        T_RECT current;                    // the rubber band or brush; empty: none
        QColor currentColour;              // invalid: the current rectangle is not drawn
        int selected = -1;                 // the track drawn dotted blue while modify is set
        bool modify = false;
    };

    CViewCanvas();

    // The image becomes width x max(height, 1).
    void Resize(int width, int height);
    // Draws the scene and returns where the picture went (empty when none was drawn).
    T_RECT Draw(const Scene& scene);
    // The image as drawn last. It shares its pixels with the canvas: keep a copy() of it.
    const QImage& Image() const { return m_memDC; }
    const QFont& Font() const { return m_font; }

    static QString ModeLabel(int editMode);
    // "%5d/%5d Frame" of the one-based current and last frame.
    static QString CounterText(std::int64_t currentFrame, std::int64_t lastFrame);

private:
    void DrawStartHint(const T_RECT& client);
    void DrawOverlayText(QPainter& painter, const Scene& scene) const;
    void DrawOutlines(QPainter& painter, const Scene& scene, const T_RECT& picture);
    void DrawAreas(QPainter& painter, const Scene& scene, const T_RECT& picture);
    void DrawTracks(QPainter& painter, const Scene& scene, const T_RECT& picture);
    void FrameRect(const T_RECT& rect, const QColor& colour);
    static void DrawShadowed(QPainter& painter, int x, int y, const QString& text);
    static void DrawLabel(QPainter& painter, const T_RECT& rect, int number, const QColor& colour);

    CXrgbImage m_memBitmap;
    QImage m_memDC;
    QFont m_font;
};
