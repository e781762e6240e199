#include "export/CMovieExport.h"

#include "export/CEncoderPictures.h"
#include "export/CEncoderThread.h"
#include "export/CExportEncoder.h"
#include "export/CTimeLeft.h"
#include "media/CAviVideoStream.h"
#include "platform/CChunkedCopy.h"
#include "platform/IProgress.h"
#include "resources/CStringTable.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <utility>

namespace {

constexpr int kCaption = 2025;
constexpr std::int64_t kTimeLeftEveryMs = 500;
// Steps of the bar while a working file is copied.
constexpr int kCopySteps = 1000;
// The working video's bit rate, for a movie that has none.
constexpr std::int64_t kWorkingBitRate = 30'000'000;

using Result = CMovieExport::Result;

Result FromHand(CEncoderThread::Hand hand) {
    switch (hand) {
    case CEncoderThread::Hand::Done:
        return Result::Done;
    case CEncoderThread::Hand::Cancelled:
        return Result::Cancelled;
    case CEncoderThread::Hand::Failed:
        break;
    }
    return Result::Failed;
}

// Shows the progress window for the length of an export.
class ProgressWindow {
public:
    ProgressWindow(IProgress& progress, int upper) : m_progress(progress) {
        m_shown = m_progress.Create();
        m_progress.SetRange(0, upper);
        m_progress.Pump();
        m_progress.UpdatePercent(0);
        m_progress.SetCaption(CStringTable::Load(kCaption));
        m_progress.SetTimeLeft("");
    }
    ~ProgressWindow() {
        if (m_shown) {
            m_progress.Destroy();
        }
    }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

private:
    IProgress& m_progress;
    bool m_shown = false;
};

} // namespace

CMovieExport::CMovieExport(CAviVideoStream& stream, IProgress& progress)
    : m_stream(stream), m_progress(progress) {}

CMovieExport::~CMovieExport() = default;

bool CMovieExport::OpenSource() {
    m_sizeId = m_stream.SizeId();
    m_source = std::make_unique<CAviVideoStream>(m_stream.m_strWorkPath, m_sizeId);
    if (m_source->OpenLike(m_stream) == 0 || m_source->m_nLastFrame != m_stream.m_nLastFrame ||
        m_source->m_nWidth != m_stream.m_nWidth || m_source->m_nHeight != m_stream.m_nHeight) {
        return false;
    }
    m_source->m_mosaic = m_stream.m_mosaic;
    m_source->m_bLineDouble = m_stream.m_bLineDouble;
    return true;
}

CMovieExport::Result CMovieExport::ExportMovie(const std::string& outputPath) {
    m_reason.clear();
    if (m_stream.m_strFilePath.empty() || m_stream.IsStillImage()) {
        return Result::Failed;
    }
    // Nothing to paint: the working video is already what the view shows.
    const bool painted = m_stream.m_mosaic.HasRegions() || m_stream.m_bLineDouble;
    Result result = Result::Failed;
    if (!painted && !m_stream.InPlace()) {
        result = CopyWorkingFile(outputPath);
    } else if (OpenSource()) {
        result = Encode(outputPath);
    }
    m_source.reset();
    if (result == Result::Done) {
        m_stream.m_nCurrentFrame = 0;
    } else {
        std::error_code ignored;
        std::filesystem::remove(outputPath, ignored);
    }
    return result;
}

CMovieExport::Result CMovieExport::ExportTo(IPictureEncoder& encoder) {
    m_reason.clear();
    if (m_stream.m_strFilePath.empty() || m_stream.IsStillImage() || !OpenSource()) {
        return Result::Failed;
    }
    const Result result = EncodeWith(encoder);
    m_source.reset();
    if (result == Result::Done) {
        m_stream.m_nCurrentFrame = 0;
    }
    return result;
}

// A long copy shows its progress and can be cancelled like the export it stands for.
CMovieExport::Result CMovieExport::CopyWorkingFile(const std::string& outputPath) {
    m_upper = kCopySteps;
    const ProgressWindow window(m_progress, m_upper);
    std::error_code ignored;
    const auto total = static_cast<std::int64_t>(
        std::max<std::uintmax_t>(std::filesystem::file_size(m_stream.m_strWorkPath, ignored), 1));
    const CTimeLeft clock(total);
    m_nextTimeLeftMs = 0;
    const auto step = [&](std::uintmax_t copied) {
        ShowProgress(std::min(static_cast<std::int64_t>(copied), total), total, clock);
        return !m_progress.CancelRequested();
    };
    switch (CChunkedCopy::Copy(m_stream.m_strWorkPath, outputPath, step, m_reason)) {
    case CChunkedCopy::Result::Done:
        return Result::Done;
    case CChunkedCopy::Result::Stopped:
        return Result::Cancelled;
    case CChunkedCopy::Result::Failed:
        break;
    }
    return Result::Failed;
}

CMovieExport::Result CMovieExport::Encode(const std::string& outputPath) {
    CExportEncoder encoder;
    const std::int64_t bitRate =
        m_source->m_pFormatContext ? m_source->m_pFormatContext->bit_rate : kWorkingBitRate;
    if (!encoder.Open(outputPath, m_source->m_nWidth, m_source->m_nHeight, m_source->m_rFrameRate,
                      bitRate)) {
        m_reason = encoder.Reason();
        return Result::Failed;
    }
    return EncodeWith(encoder);
}

CMovieExport::Result CMovieExport::EncodeWith(IPictureEncoder& encoder) {
    const std::int64_t count = m_source->m_nLastFrame + 1;
    CEncoderPictures pictures;
    if (count <= 0 ||
        !pictures.Init(m_source->m_nWidth, m_source->m_nHeight, encoder.PixelFormat())) {
        return Result::Failed;
    }
    m_upper = static_cast<int>(std::min<std::int64_t>(count, std::numeric_limits<int>::max()));
    const ProgressWindow window(m_progress, m_upper);
    Result result = Result::Failed;
    if (m_pipelined) {
        CEncoderThread thread(encoder, kQueuedPictures);
        result = PaintFrames(pictures, [&thread, this](AVFramePtr& picture) {
            return FromHand(thread.Push(picture, m_progress));
        });
        if (result == Result::Done && !thread.Finish()) {
            result = Result::Failed;
        }
    } else {
        result = PaintFrames(pictures, [&encoder](AVFramePtr& picture) {
            return encoder.Encode(*picture) ? Result::Done : Result::Failed;
        });
    }
    if (result == Result::Done && !encoder.Finish()) {
        result = m_progress.CancelRequested() ? Result::Cancelled : Result::Failed;
    }
    if (result == Result::Failed) {
        m_reason = encoder.Reason();
    }
    return result;
}

// Frame n is painted as GetFrame paints it for the view, whatever the decoded timestamps say.
CMovieExport::Result CMovieExport::PaintFrames(CEncoderPictures& pictures, const Hand& hand) {
    const std::int64_t count = m_source->m_nLastFrame + 1;
    const CTimeLeft clock(count);
    m_nextTimeLeftMs = 0;
    AVFramePtr incoming(av_frame_alloc());
    AVFramePtr decoded(av_frame_alloc());
    if (!incoming || !decoded) {
        return Result::Failed;
    }
    for (std::int64_t n = 0; n < count; ++n) {
        if (m_progress.CancelRequested()) {
            return Result::Cancelled;
        }
        // Past the last picture the one before stays, as in the view.
        switch (m_source->DecodePicture(n, *incoming)) {
        case RX40sCFFmpeg::Next::Picture:
            std::swap(incoming, decoded);
            break;
        case RX40sCFFmpeg::Next::End:
            break;
        case RX40sCFFmpeg::Next::Error:
            return Result::Failed;
        }
        AVFramePtr picture = decoded->buf[0] ? Painted(pictures, *decoded, n) : nullptr;
        if (!picture) {
            return Result::Failed;
        }
        if (const Result handed = hand(picture); handed != Result::Done) {
            return handed;
        }
        ShowProgress(n + 1, count, clock);
    }
    return Result::Done;
}

// Only the parts of the picture that the mosaic reaches are turned into 24-bit pixels where the
// decoded picture allows; otherwise the whole of it, as the view does.
AVFramePtr CMovieExport::Painted(CEncoderPictures& pictures, const AVFrame& decoded,
                                 std::int64_t n) {
    const bool lineDouble = m_source->m_bLineDouble;
    if (!lineDouble && pictures.Paintable(decoded)) {
        const auto paint = [this, n](CFrameBuffer& canvas) {
            m_source->PaintMosaic(canvas, n, false);
        };
        return pictures.Paint(decoded, m_source->MosaicReaches(n), paint, n);
    }
    if (!m_source->ShowPicture(decoded)) {
        return nullptr;
    }
    m_source->PaintMosaic(m_source->m_bmpFrame, n, lineDouble);
    return pictures.Convert(m_source->Frame(), n);
}

void CMovieExport::ShowProgress(std::int64_t done, std::int64_t count, const CTimeLeft& clock) {
    const auto position = static_cast<int>(done * m_upper / count);
    m_progress.SetPosition(position);
    m_progress.UpdatePercent(position);
    const std::int64_t elapsedMs = clock.ElapsedMs();
    if (elapsedMs >= m_nextTimeLeftMs) {
        m_progress.SetTimeLeft(CTimeLeft::Text(clock.SecondsLeft(done)));
        m_nextTimeLeftMs = elapsedMs + kTimeLeftEveryMs;
    }
    m_progress.Pump();
}
