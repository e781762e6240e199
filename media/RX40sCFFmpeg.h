#pragma once

#include "media/CAVPtr.h"
#include "media/CSourceReader.h"
#include "platform/CFrameBuffer.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// Opens one video file, learns its picture size, frame rate, pixel aspect and frame range, and
// decodes the frame with a given index into a 24-bit BGR top-down picture (m_bmpFrame).
// Frame indexes are timestamps in the video stream's time base (an AVI counts in frames). A file
// that stores decode times only (an AVI with B-frames) has its pictures placed in display order.
class RX40sCFFmpeg {
public:
    enum class Next { Picture, End, Error };

    RX40sCFFmpeg();
    virtual ~RX40sCFFmpeg();
    RX40sCFFmpeg(const RX40sCFFmpeg&) = delete;
    RX40sCFFmpeg& operator=(const RX40sCFFmpeg&) = delete;

    // Closes what was open, opens the file, reads its properties, allocates the three pictures.
    virtual int Open(const std::string& path);
    // Opens path through the source reader: its frames are those of the working video the
    // conversion would make, with that video's size and rate. 0 when the source can't be read
    // exactly this way.
    int OpenInPlace(const std::string& path, const CPictureShape& shape);
    // Reads the source reader opened from now on.
    int OpenReader(std::unique_ptr<CSourceReader> reader);
    // Opens what other shows, in place when other reads in place, for a second reader beside it.
    int OpenLike(const RX40sCFFmpeg& other);
    bool InPlace() const { return m_reader != nullptr; }
    // Releases the decoders and the demuxer; keeps the pictures.
    void Close();
    // Makes m_bmpFrame hold the first picture whose display index is index or more. Past the end
    // the previous picture stays and the result is still 1; a decode error gives 0.
    int DecodeFrame(std::int64_t index);
    // The first decoded picture whose display index is index or more, as the decoder gives it,
    // referenced into picture; End past the last picture.
    Next DecodePicture(std::int64_t index, AVFrame& picture);
    // Makes m_bmpFrame hold a picture from DecodePicture, as DecodeFrame would.
    bool ShowPicture(const AVFrame& picture);
    // Opens a decoder for stream (packet time base set); context and codec change on success only.
    // threads 0 lets the library choose.
    static bool OpenDecoder(const AVStream& stream, AVCodecContextPtr& context,
                            const AVCodec*& codec, int threads = 1);

    std::string m_strFilePath;
    AVFormatContextPtr m_pFormatContext;
    std::int32_t m_nVideoStream = -1;
    AVCodecContextPtr m_pVideoCodecContext;
    const AVCodec* m_pVideoCodec = nullptr;
    std::int32_t m_nWidth = 0;
    std::int32_t m_nHeight = 0;
    double m_dDuration = 0.0;
    AVRational m_rFrameRate{0, 1};
    AVRational m_rSampleAspect{0, 1};
    double m_dSampleAspect = 0.0;
    std::int64_t m_nFirstFrame = 0;
    std::int64_t m_nLastFrame = 0;
    std::int64_t m_nCurrentFrame = 0;
    CFrameBuffer m_bmpFrame;
    AVFramePtr m_pRgbFrame;
    AVFramePtr m_pYuvFrame;
    AVFramePtr m_pExportRgbFrame;
    std::int32_t m_nAudioStream = -1;
    AVCodecContextPtr m_pAudioCodecContext;
    const AVCodec* m_pAudioCodec = nullptr;

private:
    void FreePictures();
    Next DecodeInPlace(std::int64_t index, AVFrame& picture);

    bool OpenFile(const std::string& path);
    bool OpenVideoDecoder();
    bool OpenAudioDecoder();
    int FirstStreamOf(AVMediaType type) const;
    void ReadStreamProperties();
    void TakePictureProperties(AVFrame& picture);
    void TakeFrameRange();
    bool AllocatePictures();
    static AVFramePtr AllocatePicture(AVPixelFormat format, int width, int height);
    bool Rewind(std::int64_t index);
    Next SeekToPictureAt(std::int64_t index, AVFrame& picture);
    Next NextPicture(AVFrame& picture);
    void PlaceInDisplayOrder(AVFrame& picture);
    bool SendNextPacket();
    void KeepInSequence(std::int64_t index, const AVFrame& picture);
    void NotePacketTimes(const AVPacket& packet);
    bool ConvertToRgb(const AVFrame& picture);
    void CopyRgbToFrame();

    std::unique_ptr<CSourceReader> m_reader;
    AVPacketPtr m_packet;
    AVFramePtr m_scratch;
    SwsContextPtr m_scaler;
    bool m_draining = false;
    // The index that can be decoded on without a seek: the one after the index last shown,
    // as long as nobody else has read from the demuxer since (the file position tells).
    std::optional<std::int64_t> m_nextInSequence;
    std::int64_t m_sequencePosition = -1;
    // The picture last shown while its own index lies ahead; empty otherwise.
    AVFramePtr m_ahead;
    // Decode timestamp of the first video packet read after the last seek.
    std::optional<std::int64_t> m_landedAt;
    // Whether the file's first video packet came with a decode time but no presentation time.
    std::optional<bool> m_decodeOrderTimes;
    // Display index of the picture the decoder handed out last since the last seek.
    std::optional<std::int64_t> m_lastPlaced;
};
