#include "platform/CChunkedCopy.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, CloseFile>;

CChunkedCopy::Result Failed(std::string& reason) {
    reason = std::strerror(errno != 0 ? errno : EIO);
    return CChunkedCopy::Result::Failed;
}

} // namespace

CChunkedCopy::Result CChunkedCopy::Copy(const std::string& from, const std::string& to,
                                        const Step& step, std::string& reason) {
    errno = 0;
    const FilePtr in(std::fopen(from.c_str(), "rb"));
    if (!in) {
        return Failed(reason);
    }
    FilePtr out(std::fopen(to.c_str(), "wb"));
    if (!out) {
        return Failed(reason);
    }
    std::vector<char> piece(kPieceBytes);
    std::uintmax_t copied = 0;
    for (;;) {
        const std::size_t read = std::fread(piece.data(), 1, piece.size(), in.get());
        if (read == 0) {
            break;
        }
        if (std::fwrite(piece.data(), 1, read, out.get()) != read) {
            return Failed(reason);
        }
        copied += read;
        if (!step(copied)) {
            return Result::Stopped;
        }
    }
    // A full disk often shows only when the last piece leaves the buffer.
    if (std::ferror(in.get()) || std::fflush(out.get()) != 0 || std::fclose(out.release()) != 0) {
        return Failed(reason);
    }
    return Result::Done;
}
