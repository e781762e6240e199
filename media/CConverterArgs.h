#pragma once

#include <string>
#include <vector>

// Translates the program's converter arguments, written for an older tool, into arguments that
// today's FFmpeg command-line tool runs the same way (the program's own argv[0] excluded).
class CConverterArgs {
public:
    static std::vector<std::string> Translate(const std::vector<std::string>& args);

private:
    static bool Has(const std::vector<std::string>& args, const std::string& option,
                    const std::string& value);
    static bool HasOption(const std::vector<std::string>& args, const std::string& option);
    static bool SetsRotateZero(const std::vector<std::string>& args);
    static bool CopiesAudio(const std::vector<std::string>& args);
    static std::vector<std::string> MapAsync(const std::vector<std::string>& args);
    static std::vector<std::string> RenameOptions(const std::vector<std::string>& args);
    static std::vector<std::string> AddNoAutorotate(const std::vector<std::string>& args);
    static std::vector<std::string> AddConstantRate(std::vector<std::string> args);
    static std::vector<std::string> KeepPercentNames(const std::vector<std::string>& args);
    static std::vector<std::string> ProtectFileNames(std::vector<std::string> args);
};
