#include "view/CViewCanvas.h"

#include "media/CAviVideoStream.h"
#include "mosaic/CPictureMapping.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int kMaxTextWidth = 4096;

QRect TextBox(int x, int y) {
    return QRect(x, y, kMaxTextWidth, kMaxTextWidth);
}

} // namespace

CViewCanvas::CViewCanvas() {
    // Any face of this height with Japanese glyphs serves; IPA Gothic is the one installed.
    m_font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"),
                        QStringLiteral("Noto Sans CJK JP")});
    m_font.setPixelSize(14);
    m_font.setWeight(QFont::Normal);
    // Crisp glyphs, as a bitmap face of this size draws them, in exactly the colours asked for.
    m_font.setStyleStrategy(QFont::NoAntialias);
    Resize(1, 1);
}

void CViewCanvas::Resize(int width, int height) {
    m_memBitmap.Reset(std::max(width, 0), std::max(height, 1));
    m_memDC = QImage(m_memBitmap.Bits(), m_memBitmap.Width(), m_memBitmap.Height(),
                     static_cast<qsizetype>(m_memBitmap.Stride()), QImage::Format_RGB32);
}

QString CViewCanvas::ModeLabel(int editMode) {
    switch (editMode) {
    case 0:
        return QString::fromStdString(CStringTable::Load(CResourceId::FixedModeLabel));
    case 1:
        return QString::fromStdString(CStringTable::Load(CResourceId::MovingModeLabel));
    case 2:
        return QString::fromStdString(CStringTable::Load(CResourceId::PreviewModeLabel));
    default:
        return {};
    }
}

QString CViewCanvas::CounterText(std::int64_t currentFrame, std::int64_t lastFrame) {
    return QString::asprintf("%5lld/%5lld Frame", static_cast<long long>(currentFrame + 1),
                             static_cast<long long>(lastFrame + 1));
}

T_RECT CViewCanvas::Draw(const Scene& scene) {
    // A copy of the image taken earlier must not take the painter away from our pixels.
    m_memDC = QImage(m_memBitmap.Bits(), m_memBitmap.Width(), m_memBitmap.Height(),
                     static_cast<qsizetype>(m_memBitmap.Stride()), QImage::Format_RGB32);
    const T_RECT client{0, 0, m_memBitmap.Width(), m_memBitmap.Height()};
    m_memBitmap.Fill(client, Grey);
    if (!scene.stream) {
        DrawStartHint(client);
        return T_RECT{};
    }
    const T_RECT picture = scene.stream->DrawFrame(m_memBitmap, client);
    QPainter painter(&m_memDC);
    painter.setFont(m_font);
    DrawOverlayText(painter, scene);
    DrawOutlines(painter, scene, picture);
    return picture;
}

// With nothing open the view says how to begin.
void CViewCanvas::DrawStartHint(const T_RECT& client) {
    QPainter painter(&m_memDC);
    painter.setFont(m_font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(client.left, client.top, client.right - client.left,
                           client.bottom - client.top),
                     Qt::AlignCenter | Qt::TextWordWrap,
                     QString::fromStdString(CStringTable::Load(CResourceId::StartHint)));
}

void CViewCanvas::DrawShadowed(QPainter& painter, int x, int y, const QString& text) {
    painter.setPen(Qt::black);
    painter.drawText(TextBox(x + 1, y + 1), Qt::AlignLeft | Qt::AlignTop, text);
    painter.setPen(Qt::white);
    painter.drawText(TextBox(x, y), Qt::AlignLeft | Qt::AlignTop, text);
}

void CViewCanvas::DrawOverlayText(QPainter& painter, const Scene& scene) const {
    painter.setBackgroundMode(Qt::TransparentMode);
    DrawShadowed(painter, 9, 9, ModeLabel(scene.editMode));
    if (!scene.stillImage) {
        DrawShadowed(painter, 9, 32,
                     CounterText(scene.stream->m_nCurrentFrame, scene.stream->m_nLastFrame));
    }
}

void CViewCanvas::FrameRect(const T_RECT& rect, const QColor& colour) {
    if (rect.IsEmpty()) {
        return;
    }
    const std::uint32_t pixel = CXrgbImage::Rgb(colour.red(), colour.green(), colour.blue());
    m_memBitmap.Fill(T_RECT{rect.left, rect.top, rect.right, rect.top + 1}, pixel);
    m_memBitmap.Fill(T_RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, pixel);
    m_memBitmap.Fill(T_RECT{rect.left, rect.top, rect.left + 1, rect.bottom}, pixel);
    m_memBitmap.Fill(T_RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, pixel);
}

void CViewCanvas::DrawLabel(QPainter& painter, const T_RECT& rect, int number,
                            const QColor& colour) {
    painter.setPen(colour);
    painter.drawText(TextBox(rect.left + 1, rect.top + 1), Qt::AlignLeft | Qt::AlignTop,
                     QString::number(number));
}

void CViewCanvas::DrawOutlines(QPainter& painter, const Scene& scene, const T_RECT& picture) {
    if (scene.editMode != 0 && scene.editMode != 1) {
        return;
    }
    if (scene.currentColour.isValid()) {
        FrameRect(scene.current, scene.currentColour);
    }
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    if (scene.editMode == 0) {
        DrawAreas(painter, scene, picture);
    } else {
        DrawTracks(painter, scene, picture);
    }
}

void CViewCanvas::DrawAreas(QPainter& painter, const Scene& scene, const T_RECT& picture) {
    const CAviVideoStream& stream = *scene.stream;
    const CPictureMapping mapping(picture, stream.m_nWidth, stream.m_nHeight);
    const auto& areas = stream.m_mosaic.FixedAreas();
    for (std::size_t i = 0; i < areas.size(); ++i) {
        if (areas[i].IsEmpty()) {
            continue;
        }
        const T_RECT rect = mapping.ToWindow(areas[i]);
        FrameRect(rect, Qt::red);
        DrawLabel(painter, rect, static_cast<int>(i) + 1, Qt::red);
    }
}

void CViewCanvas::DrawTracks(QPainter& painter, const Scene& scene, const T_RECT& picture) {
    const CAviVideoStream& stream = *scene.stream;
    const CPictureMapping mapping(picture, stream.m_nWidth, stream.m_nHeight);
    const auto frame = static_cast<std::int32_t>(stream.m_nCurrentFrame);
    for (int i = 0; i < stream.m_mosaic.TrackCount(); ++i) {
        const T_RECT at = stream.m_mosaic.GetTrackRect(i, frame);
        if (at.IsEmpty()) {
            continue;
        }
        const T_RECT rect = mapping.ToWindow(at);
        if (scene.modify && i == scene.selected) {
            DrawLabel(painter, rect, i + 1, Qt::blue);
            painter.save();
            painter.setBackgroundMode(Qt::TransparentMode);
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(Qt::blue, 1, Qt::DotLine));
            painter.drawRect(QRect(rect.left, rect.top, rect.right - rect.left - 1,
                                   rect.bottom - rect.top - 1));
            painter.restore();
        } else {
            FrameRect(rect, Qt::red);
            DrawLabel(painter, rect, i + 1, Qt::red);
        }
    }
}
