#pragma once

#include <QImage>
#include <QWidget>

// Paints one logo bitmap at its own size from the top-left corner, with the colour
// RGB(230, 230, 230) left transparent so the dialog's face shows through.
class CStaticLogo : public QWidget {
public:
    static constexpr QRgb TransparentColour = 0xFFE6E6E6;

    explicit CStaticLogo(QWidget* parent = nullptr);

    // Replaces the bitmap; the control takes its size, so the whole logo shows.
    void SetBitmap(const QImage& bitmap);
    // The bitmap as painted: its transparent colour made clear.
    const QImage& Painted() const { return m_painted; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_painted;
};
