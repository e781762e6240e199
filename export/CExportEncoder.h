#pragma once

#include "export/IPictureEncoder.h"
#include "media/CAVPtr.h"

#include <cstdint>
#include <string>

// The writing end of an export: one MSMPEG4V2 video stream, no sound, in the container that the
// output name asks for, at the bit rate of the working file. Library defaults for everything
// else. A file that is not finished is closed without a trailer when the object goes.
class CExportEncoder : public IPictureEncoder {
public:
    CExportEncoder() = default;
    ~CExportEncoder() override;
    CExportEncoder(const CExportEncoder&) = delete;
    CExportEncoder& operator=(const CExportEncoder&) = delete;

    // Creates the file and writes the container header; false when any step fails.
    bool Open(const std::string& path, int width, int height, AVRational frameRate,
              std::int64_t bitRate);
    // The picture format the encoder takes (the first one it lists).
    AVPixelFormat PixelFormat() const override;
    // Encodes one picture and writes every packet it gives.
    bool Encode(const AVFrame& picture) override;
    // Drains the encoder, writes the trailer and closes the file.
    bool Finish() override;
    // The library's words for the first call that failed ("No space left on device"); empty
    // when none did or the failure has no code.
    const std::string& Reason() const override { return m_reason; }

    // The encoder's time base: one frame period, exactly, so that the saved movie runs at the
    // very rate of the working one (30000/1001 gives 1001/30000).
    static AVRational TimeBase(AVRational frameRate);

private:
    bool OpenCodec(int width, int height, AVRational frameRate, std::int64_t bitRate);
    bool WritePackets();
    void CloseFile();
    // True for a library result that is not an error; an error's words are kept.
    bool Succeeded(int result);

    AVOutputContextPtr m_output;
    AVCodecContextPtr m_codec;
    AVPacketPtr m_packet;
    AVStream* m_stream = nullptr;
    bool m_fileOpen = false;
    std::string m_reason;
};
