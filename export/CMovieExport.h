#pragma once

#include "media/CAVPtr.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CAviVideoStream;
class CEncoderPictures;
class IPictureEncoder;
class CTimeLeft;
class IProgress;

// Every frame of the movie shown, painted exactly as the view shows it at that frame index
// (GetFrame), handed to an encoder: into a new silent AVI, or to the encoder given. Decoding and
// painting run on the caller's thread, encoding on a second one; the file is the same either
// way. The progress window shows the percentage and the time left and can cancel.
// The export reads through a decoder of its own, beside the view's and like it straight from
// the source when the view reads in place, and paints the mosaic as it stood when it
// started, so nothing the windows do while it pumps events moves its frames or its regions.
class CMovieExport {
public:
    enum class Result { Done, Failed, Cancelled };

    CMovieExport(CAviVideoStream& stream, IProgress& progress);
    ~CMovieExport();
    CMovieExport(const CMovieExport&) = delete;
    CMovieExport& operator=(const CMovieExport&) = delete;

    // Encoding on a thread of its own (the default) or on the caller's thread.
    void SetPipelined(bool on) { m_pipelined = on; }
    // Writes outputPath; anything but Done leaves no file there. After Done the stream's
    // current frame is 0.
    Result ExportMovie(const std::string& outputPath);
    // Hands every painted picture to encoder, already open for the stream's picture size and
    // rate, and finishes it.
    Result ExportTo(IPictureEncoder& encoder);
    // Why the last export failed, in the library's or the system's words; empty when unknown.
    const std::string& Reason() const { return m_reason; }

    // Pictures queued between painting and encoding.
    static constexpr std::size_t kQueuedPictures = 4;

private:
    // Takes one painted picture; anything but Done ends the export.
    using Hand = std::function<Result(AVFramePtr&)>;

    // The export's own decoder of the working video with a copy of the stream's mosaic.
    bool OpenSource();
    Result CopyWorkingFile(const std::string& outputPath);
    Result Encode(const std::string& outputPath);
    Result EncodeWith(IPictureEncoder& encoder);
    Result PaintFrames(CEncoderPictures& pictures, const Hand& hand);
    // Decoded picture n with the mosaic, in the encoder's format; null on failure.
    AVFramePtr Painted(CEncoderPictures& pictures, const AVFrame& decoded, std::int64_t n);
    void ShowProgress(std::int64_t done, std::int64_t count, const CTimeLeft& clock);

    CAviVideoStream& m_stream;
    IProgress& m_progress;
    // The mosaic type as it was when the export started, and the source painted with it.
    std::int32_t m_sizeId = 0;
    std::unique_ptr<CAviVideoStream> m_source;
    bool m_pipelined = true;
    int m_upper = 0;
    std::int64_t m_nextTimeLeftMs = 0;
    std::string m_reason;
};
