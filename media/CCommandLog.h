#pragma once

#include <string>

// The converter's command log: opened for appending and locked exclusively for the life of the
// object, so a second running program finds it taken and converts unlogged.
class CCommandLog {
public:
    explicit CCommandLog(const std::string& path);
    ~CCommandLog();
    CCommandLog(const CCommandLog&) = delete;
    CCommandLog& operator=(const CCommandLog&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    // Appends text at the end of the file, whole or not at all; false when it could not (or
    // the log is not open).
    bool Write(const std::string& text);
    // "%Y/%m/%d %H:%M:%S" of the local time now.
    static std::string TimeStamp();

private:
    int m_fd = -1;
};
