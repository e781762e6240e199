#include "CBenchClip.h"

#include <cstdlib>
#include <filesystem>

std::string CBenchClip::Make(const std::string& target, const std::string& arguments) {
    if (!std::filesystem::exists(target)) {
        const std::string partial = target + ".part.avi";
        const std::string command =
            "ffmpeg -nostdin -hide_banner -loglevel error -y " + arguments + " '" + partial + "'";
        if (std::system(command.c_str()) == 0) {
            std::filesystem::rename(partial, target);
        }
    }
    return std::filesystem::exists(target) ? target : std::string();
}

const std::string& CBenchClip::Path1080p() {
    static const std::string path =
        Make("/tmp/quorvel-decode-bench-1080p.avi",
             "-f lavfi -i testsrc2=size=1920x1080:rate=30,trim=end_frame=" +
                 std::to_string(Frames) + " -vcodec msmpeg4v2 -q:v 2");
    return path;
}

const std::string& CBenchClip::ExportPath1080p() {
    static const std::string path =
        Make("/tmp/quorvel-export-bench-1080p.avi",
             "-f lavfi -i testsrc2=size=1920x1080:rate=30000/1001,trim=end_frame=" +
                 std::to_string(ExportFrames) + " -vcodec msmpeg4v2 -b:v 30000k");
    return path;
}
