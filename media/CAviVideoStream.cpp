#include "media/CAviVideoStream.h"

#include "media/CBitmapFile.h"
#include "media/CProgressFiles.h"
#include "mosaic/CFrameLayout.h"
#include "platform/CMessageBoxSeam.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <utility>

CAviVideoStream::CAviVideoStream(std::string workPath, const std::int32_t& sizeIdSetting,
                                 CWorkFiles workFiles)
    : m_strWorkPath(std::move(workPath)), m_mosaic(sizeIdSetting), m_sizeId(sizeIdSetting),
      m_workFiles(std::move(workFiles)) {}

// The decoder lets go of the working video before it is deleted; the pictures go with the base.
CAviVideoStream::~CAviVideoStream() {
    Close();
    m_workFiles.Remove();
}

int CAviVideoStream::OpenVideo() {
    if ((m_inPlace ? OpenReader(std::move(m_inPlace)) : Open(m_strWorkPath)) == 0) {
        return 0;
    }
    LoadProgress();
    return 1;
}

void CAviVideoStream::ReadInPlace(std::unique_ptr<CSourceReader> reader) {
    m_inPlace = std::move(reader);
}

CProgressFiles CAviVideoStream::ProgressFiles() const {
    return CProgressFiles(m_strWorkPath, m_strSourceName);
}

void CAviVideoStream::LoadProgress() {
    const CProgressFiles files = ProgressFiles();
    m_otherProgressTaken = false;
    if (const std::string other = files.OtherSource(); !other.empty()) {
        const std::string question =
            CStringTable::Format(CResourceId::LoadOtherProgressQuestion,
                                 {files.FixedAreasPath(), other, m_strSourceName});
        if (CMessageBoxSeam::Show(question, QV_MB_YESNO | QV_MB_ICONQUESTION) != QV_IDYES) {
            return;
        }
        m_otherProgressTaken = true;
    }
    files.Load(m_mosaic);
}

std::string CAviVideoStream::ProgressOfOtherSource() const {
    return m_otherProgressTaken ? std::string() : ProgressFiles().OtherSource();
}

bool CAviVideoStream::SaveProgress() const {
    return ProgressFiles().Save(m_mosaic);
}

// Another movie's progress is not this one's to delete: only the regions go.
bool CAviVideoStream::RemoveProgress() {
    if (ProgressOfOtherSource().empty() && !ProgressFiles().Remove()) {
        return false;
    }
    m_mosaic.RemoveAllFixedAreas();
    m_mosaic.RemoveAllTracks();
    return true;
}

int CAviVideoStream::LoadBitmapFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return file ? LoadBitmapFile(file) : 0;
}

int CAviVideoStream::LoadBitmapFile(std::istream& file) {
    m_bmpFrame = CFrameBuffer();
    m_pImageInfo.clear();
    m_imageBits = CFrameBuffer();
    std::vector<std::uint8_t> info;
    CFrameBuffer picture;
    if (!CBitmapFile::Read(file, picture, info)) {
        return 0;
    }
    m_pImageInfo = std::move(info);
    m_imageBits = picture;
    m_bmpFrame = std::move(picture);
    m_nWidth = m_bmpFrame.Width();
    m_nHeight = m_bmpFrame.Height();
    LoadProgress();
    return 1;
}

int CAviVideoStream::GetFrame(std::int64_t index, bool lineDouble) {
    if (IsStillImage()) {
        m_bmpFrame = m_imageBits;
        m_painter.PaintFixedAreas(m_bmpFrame, m_mosaic, m_sizeId);
        return 1;
    }
    if (DecodeFrame(index) == 0) {
        return 0;
    }
    PaintMosaic(m_bmpFrame, index, lineDouble);
    return 1;
}

void CAviVideoStream::PaintMosaic(CFrameBuffer& picture, std::int64_t index, bool lineDouble) {
    if (lineDouble) {
        CMosaicPainter::DoubleLines(picture);
    }
    m_painter.PaintFixedAreas(picture, m_mosaic, m_sizeId);
    m_painter.PaintTracks(picture, m_mosaic, m_sizeId, static_cast<std::int32_t>(index));
}

std::vector<T_RECT> CAviVideoStream::MosaicReaches(std::int64_t index) const {
    std::vector<T_RECT> areas = m_mosaic.FixedAreas();
    const std::vector<T_RECT> tracks =
        CMosaicPainter::TrackAreas(m_mosaic, static_cast<std::int32_t>(index));
    areas.insert(areas.end(), tracks.begin(), tracks.end());
    std::vector<T_RECT> reaches;
    for (const T_RECT& area : areas) {
        reaches.push_back(
            CMosaicPainter::Reach(area, m_mosaic.size, m_sizeId, m_nWidth, m_nHeight));
    }
    return reaches;
}

T_RECT CAviVideoStream::DrawFrame(CXrgbImage& target, const T_RECT& rect) {
    constexpr std::uint32_t black = CXrgbImage::Rgb(0, 0, 0);
    const CFrameLayout layout(rect, m_nWidth, m_nHeight);
    const T_RECT& picture = layout.Picture();
    const int width = picture.right - picture.left;
    const int height = picture.bottom - picture.top;
    CDrawnFrame::Source source =
        CDrawnFrame::SourceOf(m_mosaic, m_sizeId, m_nCurrentFrame, m_bLineDouble, IsStillImage());
    const CXrgbImage* drawn = m_drawn.Find(source, width, height);
    if (!drawn) {
        if (GetFrame(m_nCurrentFrame, m_bLineDouble) == 0) {
            m_drawn.Forget();
            target.Fill(rect, black);
            return T_RECT{};
        }
        drawn = &m_drawn.Store(std::move(source), m_bmpFrame, width, height);
    }
    target.Fill(layout.FirstBar(), black);
    target.Fill(layout.SecondBar(), black);
    target.Copy(*drawn, picture.left, picture.top);
    return picture;
}

int CAviVideoStream::SaveFrameBitmap(const std::string& path) {
    if (GetFrame(m_nCurrentFrame, m_bLineDouble) == 0) {
        return 0;
    }
    return CBitmapFile::Write(path, m_bmpFrame) ? 1 : 0;
}

std::int32_t CAviVideoStream::GetPlayTimeMs() const {
    if (m_strFilePath.empty()) {
        return -1;
    }
    const double milliseconds =
        static_cast<double>(m_nCurrentFrame) / av_q2d(m_rFrameRate) * 1000.0;
    // A missing frame rate or a time beyond the range of the result has no play time.
    if (!std::isfinite(milliseconds) || std::fabs(milliseconds) >= 2147483647.0) {
        return 0;
    }
    return static_cast<std::int32_t>(milliseconds);
}
