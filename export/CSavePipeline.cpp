#include "export/CSavePipeline.h"

#include "export/CMovieExport.h"
#include "export/CPipeEncoder.h"
#include "media/CAviVideoStream.h"
#include "media/CFFMpegUtil.h"
#include "media/CPipedProfile.h"
#include "media/CStreamProbe.h"
#include "media/CWorkPaths.h"
#include "platform/CAsciiText.h"
#include "platform/CDurableFile.h"
#include "platform/IProgress.h"
#include "resources/CStringTable.h"

#include <filesystem>

namespace {

constexpr int kSameAsSource = 2021;
constexpr int kToolMissing = 2071;
constexpr int kToolNotStarted = 2072;
constexpr int kToolExitCode = 2073;
constexpr int kNoOutput = 2074;
constexpr int kNotReplaced = 2075;
constexpr int kExportError = 2076;

bool IsNonEmptyFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) &&
           std::filesystem::file_size(path, error) > 0 && !error;
}

bool IsSameFileOnDisk(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

// Offers Cancel for as long as the save runs.
class CancelOffer {
public:
    explicit CancelOffer(IProgress& progress) : m_progress(progress) {
        m_progress.SetCancellable(true);
    }
    ~CancelOffer() { m_progress.SetCancellable(false); }
    CancelOffer(const CancelOffer&) = delete;
    CancelOffer& operator=(const CancelOffer&) = delete;

private:
    IProgress& m_progress;
};

} // namespace

CSavePipeline::CSavePipeline(CAviVideoStream& stream, CFFMpegUtil& converter, IProgress& progress)
    : m_stream(stream), m_converter(converter), m_progress(progress) {}

std::string CSavePipeline::OutPath(const std::string& targetPath) {
    return CWorkPaths::Stem(targetPath) + ".$out$.avi";
}

std::string CSavePipeline::BakPath(const std::string& targetPath) {
    return CWorkPaths::Stem(targetPath) + ".$bak$.avi";
}

std::string CSavePipeline::BitmapPath(const std::string& targetPath) {
    return CWorkPaths::Stem(targetPath) + ".$out$.bmp";
}

std::string CSavePipeline::NewPath(const std::string& targetPath) {
    const std::string stem = CWorkPaths::Stem(targetPath);
    return stem + ".$new$" + targetPath.substr(stem.size());
}

bool CSavePipeline::IsOpenedFile(const std::string& sourcePath,
                                 const std::string& targetPath) const {
    std::vector<std::string> openedFiles = m_stream.WorkFiles().Files();
    openedFiles.push_back(sourcePath);
    openedFiles.push_back(m_stream.m_strWorkPath);
    for (const std::string& opened : openedFiles) {
        if (!opened.empty() &&
            (CAsciiText::EqualNoCase(opened, targetPath) || IsSameFileOnDisk(opened, targetPath))) {
            return true;
        }
    }
    return false;
}

CSavePipeline::Result CSavePipeline::Save(const std::string& sourcePath,
                                          const std::string& targetPath, int profileIndex) {
    if (IsOpenedFile(sourcePath, targetPath)) {
        return Result{Status::SameAsSource, CStringTable::Load(kSameAsSource), {}};
    }
    return m_stream.IsStillImage() ? SaveStill(targetPath, profileIndex)
                                   : SaveMovie(sourcePath, targetPath, profileIndex);
}

CSavePipeline::Result CSavePipeline::SaveMovie(const std::string& sourcePath,
                                               const std::string& targetPath, int profileIndex) {
    const CancelOffer offer(m_progress);
    // Asked once: both routes need to know the source's sound.
    const CStreamProbe source(sourcePath);
    if (const std::optional<CConverterCommand> command =
            PipedCommand(sourcePath, source, targetPath, profileIndex)) {
        return SavePiped(*command, targetPath);
    }
    return SaveThroughFiles(sourcePath, source, targetPath, profileIndex);
}

std::optional<CConverterCommand> CSavePipeline::PipedCommand(const std::string& sourcePath,
                                                             const CStreamProbe& source,
                                                             const std::string& targetPath,
                                                             int profileIndex) const {
    const std::string profile = m_converter.ProfileCommand(profileIndex, false);
    if (profile.empty() || sourcePath.empty() || CWorkPaths::EndsWithNoCase(targetPath, ".avi")) {
        return std::nullopt;
    }
    const CPipedProfile::Pictures pictures{m_stream.m_nWidth, m_stream.m_nHeight,
                                           m_stream.m_rFrameRate, source.FrameZeroOffset()};
    return CPipedProfile::Command(profile, pictures, sourcePath, source.AudioCodecId(),
                                  NewPath(targetPath));
}

// The tool writes the new file while the export hands it the pictures; the old target stays
// until the new one is whole.
CSavePipeline::Result CSavePipeline::SavePiped(const CConverterCommand& command,
                                               const std::string& targetPath) {
    const std::string made = Claim(NewPath(targetPath));
    CPipeEncoder encoder(m_converter, m_progress);
    if (!encoder.Start(command)) {
        Converted(false, made);
        return Finish(Status::Failed);
    }
    CMovieExport exporter(m_stream, m_progress);
    exporter.SetPipelined(m_pipelined);
    const CMovieExport::Result exported = exporter.ExportTo(encoder);
    const bool stopped = encoder.Stop();
    if (exported == CMovieExport::Result::Cancelled) {
        return Finish(Status::Cancelled);
    }
    // A tool ended before its time says why; one the export stopped does not.
    if (exported == CMovieExport::Result::Failed && stopped) {
        return Fail(exporter.Reason());
    }
    if (!Converted(true, made)) {
        return Finish(Status::Failed);
    }
    if (exported == CMovieExport::Result::Failed) {
        return Fail(exporter.Reason());
    }
    return Finish(PutInPlace(made, targetPath) ? Status::Saved : Status::Failed);
}

CSavePipeline::Result CSavePipeline::SaveThroughFiles(const std::string& sourcePath,
                                                      const CStreamProbe& source,
                                                      const std::string& targetPath,
                                                      int profileIndex) {
    const std::string out = Claim(OutPath(targetPath));
    CMovieExport exporter(m_stream, m_progress);
    exporter.SetPipelined(m_pipelined);
    switch (exporter.ExportMovie(out)) {
    case CMovieExport::Result::Done:
        break;
    case CMovieExport::Result::Cancelled:
        return Finish(Status::Cancelled);
    case CMovieExport::Result::Failed:
        return Fail(exporter.Reason());
    }
    std::string made = out;
    if (source.AudioStreams() > 0) {
        const std::string bak = Claim(BakPath(targetPath));
        if (!Converted(m_converter.JoinAudio(out, sourcePath, bak, false), bak)) {
            return Finish(Status::Failed);
        }
        made = bak;
    }
    if (!CWorkPaths::EndsWithNoCase(targetPath, ".avi")) {
        const std::string converted = Claim(NewPath(targetPath));
        if (!Converted(m_converter.ConvertFormat(made, converted, profileIndex, false),
                       converted)) {
            return Finish(Status::Failed);
        }
        made = converted;
    }
    return Finish(PutInPlace(made, targetPath) ? Status::Saved : Status::Failed);
}

CSavePipeline::Result CSavePipeline::SaveStill(const std::string& targetPath, int profileIndex) {
    const CancelOffer offer(m_progress);
    const std::string bitmap = Claim(BitmapPath(targetPath));
    if (m_stream.SaveFrameBitmap(bitmap) == 0) {
        return Fail({});
    }
    const std::string converted = Claim(NewPath(targetPath));
    if (!Converted(m_converter.ConvertFormat(bitmap, converted, profileIndex, true), converted)) {
        return Finish(Status::Failed);
    }
    return Finish(PutInPlace(converted, targetPath) ? Status::Saved : Status::Failed);
}

// A name left by an earlier save that ended abruptly is ours to reuse.
std::string CSavePipeline::Claim(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    m_made.push_back(path);
    return path;
}

void CSavePipeline::RemoveMadeFiles() {
    for (const std::string& path : m_made) {
        std::error_code ignored;
        if (std::filesystem::is_regular_file(path, ignored)) {
            std::filesystem::remove(path, ignored);
        }
    }
    m_made.clear();
}

bool CSavePipeline::Converted(bool started, const std::string& output) {
    const CFFMpegUtil::Outcome& run = m_converter.LastRun();
    if (run.toolMissing) {
        return FailStep(CStringTable::Format(kToolMissing, m_converter.ToolPath()));
    }
    if (!started) {
        return FailStep(CStringTable::Load(kToolNotStarted));
    }
    if (run.cancelled || m_progress.CancelRequested()) {
        m_cancelled = true;
        return false;
    }
    if (run.exitCode != 0) {
        return FailStep(!run.reason.empty()
                            ? run.reason
                            : CStringTable::Format(kToolExitCode, std::to_string(run.exitCode)));
    }
    if (!IsNonEmptyFile(output)) {
        return FailStep(CStringTable::Load(kNoOutput));
    }
    return true;
}

bool CSavePipeline::FailStep(const std::string& reason) {
    m_reason = reason;
    return false;
}

bool CSavePipeline::PutInPlace(const std::string& made, const std::string& targetPath) {
    if (CDurableFile::SyncFile(made) && CDurableFile::MoveOver(made, targetPath)) {
        return true;
    }
    return FailStep(CStringTable::Load(kNotReplaced));
}

CSavePipeline::Result CSavePipeline::Fail(const std::string& reason) {
    m_reason = reason;
    return Finish(Status::Failed);
}

CSavePipeline::Result CSavePipeline::Finish(Status status) {
    RemoveMadeFiles();
    if (m_cancelled) {
        status = Status::Cancelled;
    }
    Result result{status, {}, {}};
    if (status == Status::Failed) {
        result.reason = m_reason;
        result.message = CStringTable::Load(kExportError) +
                         (m_reason.empty() ? std::string() : "\n\n" + m_reason);
    }
    m_reason.clear();
    m_cancelled = false;
    return result;
}
