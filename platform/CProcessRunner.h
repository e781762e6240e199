#pragma once

#include <sys/types.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One child process started from an argument vector (never through a shell), with its input
// from /dev/null or from a pipe the caller writes, and its output discarded except for the end
// of its error output, which says why a tool failed. The destructor waits for a child still
// running. While the caller writes its input, that thread alone uses the object.
class CProcessRunner {
public:
    CProcessRunner() = default;
    ~CProcessRunner();
    CProcessRunner(const CProcessRunner&) = delete;
    CProcessRunner& operator=(const CProcessRunner&) = delete;

    enum class Input { Nothing, Pipe };

    // argv[0] names the program by path; the environment and folder are the caller's.
    bool Start(const std::string& program, const std::vector<std::string>& argv,
               Input input = Input::Nothing);
    // Writes all of data to the child's input pipe, reading its error output meanwhile so that
    // neither side waits for the other. False when the child stopped reading (it ended or
    // closed its input) or stop became true.
    bool WriteInput(const void* data, std::size_t size, const std::atomic<bool>& stop);
    // The child sees the end of its input.
    void CloseInput();
    // Waits up to milliseconds for the child to end; true once it has ended.
    bool WaitFor(int milliseconds);
    // Exit status of an ended child, -1 when it did not exit normally or has not ended.
    int ExitCode() const { return m_exitCode; }
    // Ends a child that is still running and waits for it.
    void Kill();
    // The last bytes (at most kErrorTailBytes) the child wrote to its error output so far.
    const std::string& ErrorTail() const { return m_errorTail; }

    static constexpr std::size_t kErrorTailBytes = 4096;

private:
    pid_t m_pid = -1;
    bool m_finished = false;
    int m_exitCode = -1;
    int m_errorPipe = -1;
    int m_inputPipe = -1;
    std::string m_errorTail;

    bool Poll();
    void ReadErrors();
    void CloseErrorPipe();
    bool WriteSome(const std::uint8_t*& data, std::size_t& size);
};
