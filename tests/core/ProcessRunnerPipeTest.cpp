#include "ConverterFixture.h"

#include "platform/CProcessRunner.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// More than every pipe buffer between the two sides holds.
constexpr std::size_t kInputBytes = 8u << 20;

class ProcessRunnerPipeTest : public ConverterFixture {
protected:
    bool StartShell(CProcessRunner& process, const std::string& script) {
        return process.Start("/bin/sh", {"/bin/sh", "-c", script, "sh", Path("got")},
                             CProcessRunner::Input::Pipe);
    }

    std::string m_input = std::string(kInputBytes, 'q');
    std::atomic<bool> m_stop{false};
};

// A child that writes much to its error output before it reads, one that ends without reading
// (the write fails, this process lives on) and one that never reads (stop ends the write).
TEST_F(ProcessRunnerPipeTest, WritesReachTheChildAndNeitherSideWaitsForever) {
    {
        CProcessRunner process;
        ASSERT_TRUE(StartShell(process, "yes noise | head -c 300000 >&2; cat > \"$1\""));
        ASSERT_TRUE(process.WriteInput(m_input.data(), m_input.size(), m_stop));
        process.CloseInput();
        ASSERT_TRUE(process.WaitFor(10000));
        EXPECT_EQ(process.ExitCode(), 0);
        EXPECT_EQ(ReadAll(Path("got")), m_input);
        EXPECT_NE(process.ErrorTail().find("noise"), std::string::npos);
    }
    {
        CProcessRunner process;
        ASSERT_TRUE(StartShell(process, "echo gone >&2; exit 3"));
        EXPECT_FALSE(process.WriteInput(m_input.data(), m_input.size(), m_stop));
        ASSERT_TRUE(process.WaitFor(10000));
        EXPECT_EQ(process.ExitCode(), 3);
        EXPECT_NE(process.ErrorTail().find("gone"), std::string::npos);
    }
    CProcessRunner process;
    ASSERT_TRUE(StartShell(process, "sleep 30"));
    std::thread stopper([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        m_stop = true;
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(process.WriteInput(m_input.data(), m_input.size(), m_stop));
    stopper.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    process.Kill();
    EXPECT_EQ(process.ExitCode(), -1);
}

} // namespace
