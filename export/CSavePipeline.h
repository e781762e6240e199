#pragma once

#include "media/CConverterCommand.h"

#include <optional>
#include <string>
#include <vector>

class CAviVideoStream;
class CFFMpegUtil;
class CStreamProbe;
class IProgress;

// Saving a document into the target the user chose. A movie with a profile command: the
// profile's tool encodes the painted frames as they come through a pipe and takes the sound
// from the source, one generation. An AVI, or a profile the pipe can't take: the frames
// exported with the mosaic, the source's sound joined in and, unless the target is an AVI, the
// result converted with the chosen profile. A still image: the painted picture written as a
// bitmap and converted. Every step works on names of its own beside the target ("$out$", "$bak$",
// "$new$"); the target is replaced only by a complete new file, and every file the save made
// is gone when it ends, whatever the outcome.
class CSavePipeline {
public:
    enum class Status { Saved, SameAsSource, Failed, Cancelled };

    struct Result {
        Status status = Status::Failed;
        // What the user is told: string 2021, or "Export error!!" with the reason when one is
        // known; empty after a success or a cancel.
        std::string message;
        // The reason of a failure alone; empty when none is known.
        std::string reason;
    };

    CSavePipeline(CAviVideoStream& stream, CFFMpegUtil& converter, IProgress& progress);

    // Encoding on a thread of its own (the default) or on the caller's thread.
    void SetPipelined(bool on) { m_pipelined = on; }

    // The whole save: the target is checked against the opened files, then the movie or the
    // still image is saved. profileIndex counts from 0 in the profile section of its kind.
    Result Save(const std::string& sourcePath, const std::string& targetPath, int profileIndex);
    Result SaveMovie(const std::string& sourcePath, const std::string& targetPath,
                     int profileIndex);
    Result SaveStill(const std::string& targetPath, int profileIndex);

    // True when target names the source or a working file of the open, by name
    // (letters compared without regard to case) or as the same file on disk.
    bool IsOpenedFile(const std::string& sourcePath, const std::string& targetPath) const;

    // The names a save of target works with.
    static std::string OutPath(const std::string& targetPath);
    static std::string BakPath(const std::string& targetPath);
    static std::string BitmapPath(const std::string& targetPath);
    // The converted file before it replaces the target; it keeps the target's extension,
    // which tells the converter the format.
    static std::string NewPath(const std::string& targetPath);

private:
    Result Finish(Status status);
    Result Fail(const std::string& reason);
    // The profile's command encoding from the pipe; none for the route through files.
    std::optional<CConverterCommand> PipedCommand(const std::string& sourcePath,
                                                  const CStreamProbe& source,
                                                  const std::string& targetPath,
                                                  int profileIndex) const;
    Result SavePiped(const CConverterCommand& command, const std::string& targetPath);
    Result SaveThroughFiles(const std::string& sourcePath, const CStreamProbe& source,
                            const std::string& targetPath, int profileIndex);
    std::string Claim(const std::string& path);
    void RemoveMadeFiles();
    // Looks at how the converter's last command ended; false with the failure recorded.
    bool Converted(bool started, const std::string& output);
    bool FailStep(const std::string& reason);
    bool PutInPlace(const std::string& made, const std::string& targetPath);

    CAviVideoStream& m_stream;
    CFFMpegUtil& m_converter;
    IProgress& m_progress;
    bool m_pipelined = true;
    std::vector<std::string> m_made;
    // Set by a failed step: the reason, or a cancel.
    std::string m_reason;
    bool m_cancelled = false;
};
