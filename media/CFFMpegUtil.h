#pragma once

#include "media/CCommandLog.h"

#include <cstdint>
#include <functional>
#include <string>

class CConverterCommand;
class CProcessRunner;
class IProgress;

// Runs the converter tool "misc/ffmpeg" of the program folder for the four kinds of conversion,
// logs every command and how it ended to "QV_command.log" in the data folder and shows the
// output's growth in the progress window while the tool runs. A result of true says only that
// the tool started; LastRun() tells how it ended. A cancel asked for in the progress window
// kills the tool.
class CFFMpegUtil {
public:
    // How the last command ended.
    struct Outcome {
        bool toolMissing = false;
        bool started = false;
        bool cancelled = false;
        // The tool's exit status; -1 when it did not exit by itself.
        int exitCode = -1;
        // The last line of the tool's error output that says more than its progress.
        std::string reason;

        // The tool ran to its end and reported success.
        bool Succeeded() const { return started && !cancelled && exitCode == 0; }
    };

    // Text of the string table by id: titles 2022 and 2024.
    using TextLookup = std::function<std::string(int id)>;

    CFFMpegUtil(std::string programDir, const std::string& dataDir, IProgress& progress,
                TextLookup loadString);
    virtual ~CFFMpegUtil();
    CFFMpegUtil(const CFFMpegUtil&) = delete;
    CFFMpegUtil& operator=(const CFFMpegUtil&) = delete;

    bool Execute(const CConverterCommand& command, const std::string& title);
    // Starts the tool with command, its input a pipe the caller writes into process: checked
    // and logged as Execute does. False, with LastRun() telling why, when it did not start.
    bool StartPiped(const CConverterCommand& command, CProcessRunner& process);
    // Records in LastRun() and the log how the ended tool StartPiped started ended.
    void EndPiped(const CProcessRunner& process, bool cancelled);
    // The profile's command, empty for none; profileIndex as for ConvertFormat.
    std::string ProfileCommand(int profileIndex, bool stillImage) const;

    bool ConvertVideo(const std::string& input, const std::string& output, const std::string& codec,
                      const std::string& bitRate, const std::string& extraOptions);
    bool ConvertImage(const std::string& input, const std::string& output);
    bool JoinAudio(const std::string& video, const std::string& audio, const std::string& output,
                   bool shortest);
    // profileIndex counts from 0 in the profile section of the document's kind.
    bool ConvertFormat(const std::string& input, const std::string& output, int profileIndex,
                       bool stillImage);

    bool IsLogOpen() const { return m_log.IsOpen(); }
    const Outcome& LastRun() const { return m_lastRun; }
    // The line of the tool's error output that explains a failure; empty when none does.
    static std::string ReasonOf(const std::string& errorOutput);
    std::string ToolPath() const;

    static constexpr const char* LogName = "QV_command.log";
    static std::string ProgressCaption(const std::string& title, std::uintmax_t bytes);
    // "-r 29.97" belongs to an input whose extension is m2ts, in any case.
    static bool IsM2ts(const std::string& input);

private:
    std::string m_outputFile;
    CCommandLog m_log;
    std::string m_programDir;
    IProgress& m_progress;
    TextLookup m_loadString;
    Outcome m_lastRun;

    bool Launch(const CConverterCommand& command, CProcessRunner& process, bool piped);
    void Ended(const CProcessRunner& process);
    bool Run(const char* tag, const std::string& output, const CConverterCommand& command,
             int titleId);
    void ShowOutputSize(const std::string& title);
    void LogEnd();
};
