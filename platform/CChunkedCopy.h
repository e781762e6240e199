#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Copies a file piece by piece, so a long copy can show its progress, keep the windows alive and
// stop when asked.
class CChunkedCopy {
public:
    enum class Result { Done, Failed, Stopped };
    // Told the bytes copied so far after each piece; false stops the copy.
    using Step = std::function<bool(std::uintmax_t copied)>;

    // Writes to as a copy of from. After Failed, reason holds the system's words for it; what
    // was written of to stays for the caller to remove.
    static Result Copy(const std::string& from, const std::string& to, const Step& step,
                       std::string& reason);

    static constexpr std::size_t kPieceBytes = 4 << 20;
};
