#include "CBenchClip.h"

#include <cstdlib>
#include <filesystem>

const std::string& CBenchClip::Path1080p() {
    static const std::string path = [] {
        const std::string target = "/tmp/quorvel-decode-bench-1080p.avi";
        if (!std::filesystem::exists(target)) {
            const std::string partial = target + ".part.avi";
            const std::string command =
                "ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "
                "testsrc2=size=1920x1080:rate=30,trim=end_frame=" +
                std::to_string(Frames) + " -vcodec msmpeg4v2 -q:v 2 '" + partial + "'";
            if (std::system(command.c_str()) == 0) {
                std::filesystem::rename(partial, target);
            }
        }
        return std::filesystem::exists(target) ? target : std::string();
    }();
    return path;
}
