#pragma once

#include <cstdint>
#include <string>

// The benchmarks' 1080p working videos, made once per run with the ffmpeg tool in a private
// temporary folder that goes when the run ends.
class CBenchClip {
public:
    static constexpr std::int64_t Frames = 90;
    static constexpr std::int64_t ExportFrames = 300;
    static constexpr std::int64_t LongFrames = 20000;
    static constexpr std::int64_t GapSlots = ExportFrames * 2 - 1;
    static constexpr std::int64_t SourceFrames = 600;
    static constexpr std::int64_t LongSourceCopies = 30;
    static constexpr std::int64_t CameraFrames = 200;
    // Converter-style AVI, 30 fps, Frames long. Empty when the tool could not make it.
    static const std::string& Path1080p();
    // As the converter makes a working video by default: 10 s at 29.97 fps, msmpeg4v2 at
    // 30000 kbit/s. Empty when the tool could not make it.
    static const std::string& ExportPath1080p();
    // A small movie of LongFrames at 30 fps (about 11 minutes), 160 x 120 msmpeg4v2, for what
    // grows with a movie's length. Empty when the tool could not make it.
    static const std::string& LongPath();
    // The export clip of a capture that dropped every other frame: ExportFrames pictures in
    // GapSlots slots, an empty chunk between each two. Empty when the tool could not make it.
    static const std::string& GapsPath1080p();
    // The same GapSlots frames with none dropped. Empty when the tool could not make it.
    static const std::string& FilledPath1080p();
    // A working video of Frames in which a 200 x 200 picture crosses the picture, from
    // TrackStart() on frame 0 by (8, 3) pixels a frame. Empty when the tool could not make it.
    static const std::string& TrackPath1080p();
    static constexpr int TrackStartLeft = 400;
    static constexpr int TrackStartTop = 300;
    static constexpr int TrackSubjectSize = 200;

    // A source as cameras and encoders write it, read in place: 1080p H.264 at 30 fps with
    // B-frames and key frames 250 apart, SourceFrames long. Empty when the tool could not make it.
    static const std::string& SourcePath1080p();
    // That source with a stereo AAC sound, joined LongSourceCopies times without encoding again:
    // 10 minutes. Empty when the tool could not make it.
    static const std::string& LongSourcePath1080p();

    // A camera's movie: 1080p at 30 fps with noise in the picture, H.264 with B-frames and key
    // frames 250 apart, AAC sound, CameraFrames long. Empty when the tool could not make it.
    static const std::string& CameraPath1080p();

    // name in the run's private folder; empty when there is no such folder.
    static std::string RunPath(const std::string& name);

private:
    // name in the run's folder, made by the tool from arguments; empty when it could not be.
    static std::string Make(const std::string& name, const std::string& arguments);
};
