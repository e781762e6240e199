#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

// Shapes of the fuzzer's bytes that the targets share.
class FuzzInput {
public:
    static std::string_view Text(const std::uint8_t* data, std::size_t size) {
        return {reinterpret_cast<const char*>(data), size};
    }

    // NUL-separated words, as a command line arrives.
    static std::vector<std::string> Words(const std::uint8_t* data, std::size_t size) {
        std::vector<std::string> words;
        std::string_view text = Text(data, size);
        while (!text.empty()) {
            const std::size_t end = std::min(text.find('\0'), text.size());
            words.emplace_back(text.substr(0, end));
            text.remove_prefix(std::min(end + 1, text.size()));
        }
        return words;
    }

    // The bytes as a file, for the parsers that read a path; one per process, rewritten each run.
    static const std::string& AsFile(const std::uint8_t* data, std::size_t size) {
        static const std::string path = FilePath();
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        return path;
    }

private:
    static std::string FilePath() {
        const char* dir = std::getenv("TMPDIR");
        return std::string(dir && *dir ? dir : "/tmp") + "/quorvel-fuzz-" +
               std::to_string(::getpid());
    }
};
