#pragma once

#include <string>
#include <string_view>

// Writes files so that a crash or a full disk never leaves a half-written file in place of a
// good one: the bytes go to a temporary file beside the target, are flushed to the disk, and
// only then is the temporary renamed over the target.
class CDurableFile {
public:
    // Writes every byte to the open descriptor fd, resuming after interruptions; false on error.
    static bool WriteAll(int fd, std::string_view bytes);
    // The temporary name used for path; empty for an empty path, so nothing is written.
    static std::string TempPath(const std::string& path);
    // Writes bytes to path (created or truncated) and flushes them; on failure the file is
    // removed. Returns true when every byte reached the disk.
    static bool Write(const std::string& path, std::string_view bytes);
    // Flushes what another program wrote to path to the disk; false when it cannot.
    static bool SyncFile(const std::string& path);
    // Renames from over to (replacing it); on failure from is removed and to is untouched.
    static bool MoveOver(const std::string& from, const std::string& to);
    // Writes bytes to the temporary name and renames it over path; a link stays and the file
    // it leads to is replaced, keeping its permissions.
    static bool Replace(const std::string& path, std::string_view bytes);
    // The file a write to path replaces: path, or where the link path leads.
    static std::string Target(const std::string& path);
};
