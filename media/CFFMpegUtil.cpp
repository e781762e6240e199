#include "media/CFFMpegUtil.h"

#include "media/CConverterCommand.h"
#include "media/CConverterTool.h"
#include "media/CFormatIniFile.h"
#include "media/CWorkPaths.h"
#include "platform/CProcessRunner.h"
#include "platform/IProgress.h"

#include <cstdio>
#include <filesystem>

namespace {

constexpr int kTitleConverting = 2022;
constexpr int kTitleJoining = 2024;
constexpr int kPollMs = 50;
constexpr const char* kEndTag = "[E]:";

// Without a data folder there is no log: never one in whatever the current directory is.
std::string LogPath(const std::string& dataDir) {
    if (dataDir.empty()) {
        return {};
    }
    return (std::filesystem::path(dataDir) / CFFMpegUtil::LogName).string();
}

} // namespace

CFFMpegUtil::CFFMpegUtil(std::string programDir, const std::string& dataDir, IProgress& progress,
                         TextLookup loadString)
    : m_log(LogPath(dataDir)), m_programDir(std::move(programDir)), m_progress(progress),
      m_loadString(std::move(loadString)) {}

CFFMpegUtil::~CFFMpegUtil() {
    m_log.Write("----------\n");
}

std::string CFFMpegUtil::ToolPath() const {
    return (std::filesystem::path(m_programDir) / "misc" / "ffmpeg").string();
}

bool CFFMpegUtil::IsM2ts(const std::string& input) {
    return CWorkPaths::EndsWithNoCase(input, ".m2ts");
}

std::string CFFMpegUtil::ProgressCaption(const std::string& title, std::uintmax_t bytes) {
    char size[64] = {};
    std::snprintf(size, sizeof size, "... %.1f MB", static_cast<double>(bytes) / 1024.0 / 1024.0);
    return title + size;
}

bool CFFMpegUtil::Launch(const CConverterCommand& command, CProcessRunner& process, bool piped) {
    m_lastRun = Outcome();
    const std::string tool = ToolPath();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(tool, ec)) {
        m_lastRun.toolMissing = true;
        return false;
    }
    m_log.Write(CCommandLog::TimeStamp() + " " + command.Text() + "\n");
    std::vector<std::string> argv{tool};
    argv.insert(argv.end(), command.Arguments().begin(), command.Arguments().end());
    if (!process.Start(tool, argv,
                       piped ? CProcessRunner::Input::Pipe : CProcessRunner::Input::Nothing)) {
        LogEnd();
        return false;
    }
    m_lastRun.started = true;
    return true;
}

void CFFMpegUtil::Ended(const CProcessRunner& process) {
    m_lastRun.exitCode = process.ExitCode();
    m_lastRun.reason = ReasonOf(process.ErrorTail());
    // The launcher's own codes for a system without the real tool.
    m_lastRun.toolMissing = CConverterTool::MeansNoTool(m_lastRun.exitCode);
    LogEnd();
}

bool CFFMpegUtil::StartPiped(const CConverterCommand& command, CProcessRunner& process) {
    m_log.Write("[P]:");
    return Launch(command, process, true);
}

void CFFMpegUtil::EndPiped(const CProcessRunner& process, bool cancelled) {
    m_lastRun.cancelled = cancelled;
    Ended(process);
}

bool CFFMpegUtil::Execute(const CConverterCommand& command, const std::string& title) {
    CProcessRunner process;
    if (!Launch(command, process, false)) {
        return false;
    }
    const bool shown = m_progress.Create();
    m_progress.SetMarquee();
    m_progress.SetCaption("");
    for (bool finished = false; !finished;) {
        finished = process.WaitFor(kPollMs);
        ShowOutputSize(title);
        m_progress.Pump();
        if (!finished && m_progress.CancelRequested()) {
            process.Kill();
            m_lastRun.cancelled = true;
            finished = true;
        }
    }
    if (shown) {
        m_progress.Destroy();
    }
    Ended(process);
    return true;
}

// One line after the command's own, so a command that never ends is still in the log.
void CFFMpegUtil::LogEnd() {
    std::string how = "exit " + std::to_string(m_lastRun.exitCode);
    if (!m_lastRun.started) {
        how = "not started";
    } else if (m_lastRun.cancelled) {
        how = "cancelled";
    } else if (m_lastRun.exitCode < 0) {
        how = "killed";
    }
    m_log.Write(std::string(kEndTag) + CCommandLog::TimeStamp() + " " + how + "\n");
}

// The tool ends a failure with a summary after the line that names the cause, and rewrites
// its progress line in place while it works.
std::string CFFMpegUtil::ReasonOf(const std::string& errorOutput) {
    std::string reason;
    std::size_t start = 0;
    while (start < errorOutput.size()) {
        std::size_t end = errorOutput.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            end = errorOutput.size();
        }
        const std::string line = errorOutput.substr(start, end - start);
        const bool summary = line.empty() || line.starts_with("frame=") ||
                             line.starts_with("size=") || line == "Conversion failed!" ||
                             line.starts_with("Exiting normally");
        if (!summary) {
            reason = line;
        }
        start = end + 1;
    }
    return reason;
}

void CFFMpegUtil::ShowOutputSize(const std::string& title) {
    std::error_code ec;
    const std::uintmax_t bytes = std::filesystem::file_size(m_outputFile, ec);
    if (!ec) {
        m_progress.SetCaption(ProgressCaption(title, bytes));
    }
}

bool CFFMpegUtil::Run(const char* tag, const std::string& output, const CConverterCommand& command,
                      int titleId) {
    m_log.Write(tag);
    m_outputFile = output;
    return Execute(command, m_loadString(titleId));
}

bool CFFMpegUtil::ConvertVideo(const std::string& input, const std::string& output,
                               const std::string& codec, const std::string& bitRate,
                               const std::string& extraOptions) {
    const std::string rate = IsM2ts(input) ? "-r 29.97 " : "";
    CConverterCommand command;
    command.AddOptions("-i ").AddPath(input);
    command.AddOptions(" -vcodec " + (codec.empty() ? std::string("msmpeg4v2") : codec) + " -b " +
                       (bitRate.empty() ? std::string("30000") : bitRate) + "k -y  -an " + rate +
                       extraOptions + " ");
    command.AddPath(output);
    return Run("[V]:", output, command, kTitleConverting);
}

bool CFFMpegUtil::ConvertImage(const std::string& input, const std::string& output) {
    CConverterCommand command;
    command.AddOptions("-i ").AddPath(input).AddOptions(" -f image2 -pix_fmt rgb24 ");
    command.AddPath(output);
    return Run("[B]:", output, command, kTitleConverting);
}

bool CFFMpegUtil::JoinAudio(const std::string& video, const std::string& audio,
                            const std::string& output, bool shortest) {
    CConverterCommand command;
    command.AddOptions("-i ").AddPath(video).AddOptions(" -i ").AddPath(audio);
    // The sound as the working sound was: the first stream, as PCM, which every AVI takes.
    command.AddOptions(std::string(" -map 0:v -map 1:a:0? -vcodec copy -sameq -acodec pcm_s16le "
                                   "-async 2 ") +
                       (shortest ? "-shortest" : "") + " ");
    command.AddPath(output);
    return Run("[U]:", output, command, kTitleJoining);
}

std::string CFFMpegUtil::ProfileCommand(int profileIndex, bool stillImage) const {
    return CFormatIniFile(m_programDir, stillImage).Command(profileIndex);
}

bool CFFMpegUtil::ConvertFormat(const std::string& input, const std::string& output,
                                int profileIndex, bool stillImage) {
    const std::string profile = ProfileCommand(profileIndex, stillImage);
    CConverterCommand command;
    if (profile.empty()) {
        command.AddOptions("-i ").AddPath(input).AddOptions(" -y -sameq ").AddPath(output);
    } else {
        command = CConverterCommand::FromTemplate(profile, input, output,
                                                  IsM2ts(input) ? "-r 29.97" : "");
    }
    return Run("[F]:", output, command, kTitleConverting);
}
