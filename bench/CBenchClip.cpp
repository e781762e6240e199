#include "CBenchClip.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

// A folder only this run can have made (never a fixed name another user could prepare).
class CRunFolder {
public:
    CRunFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quorvel-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        }
    }
    ~CRunFolder() {
        std::error_code ignored;
        if (!m_path.empty()) {
            std::filesystem::remove_all(m_path, ignored);
        }
    }
    CRunFolder(const CRunFolder&) = delete;
    CRunFolder& operator=(const CRunFolder&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace

std::string CBenchClip::RunPath(const std::string& name) {
    static const CRunFolder folder;
    return folder.Path().empty() ? std::string() : folder.Path() + "/" + name;
}

std::string CBenchClip::Make(const std::string& name, const std::string& arguments) {
    const std::string target = RunPath(name);
    if (target.empty()) {
        return {};
    }
    const std::string command =
        "ffmpeg -nostdin -hide_banner -loglevel error -y " + arguments + " '" + target + "'";
    const bool made = std::system(command.c_str()) == 0 && std::filesystem::exists(target);
    return made ? target : std::string();
}

const std::string& CBenchClip::Path1080p() {
    static const std::string path =
        Make("decode-1080p.avi", "-f lavfi -i testsrc2=size=1920x1080:rate=30,trim=end_frame=" +
                                     std::to_string(Frames) + " -vcodec msmpeg4v2 -q:v 2");
    return path;
}

namespace {

// The default working video of the converter: 29.97 fps, msmpeg4v2 at 30000 kbit/s.
std::string WorkingVideo(std::int64_t frames, const std::string& options = "") {
    return "-f lavfi -i testsrc2=size=1920x1080:rate=30000/1001,trim=end_frame=" +
           std::to_string(frames) + " " + options + "-vcodec msmpeg4v2 -b:v 30000k";
}

} // namespace

const std::string& CBenchClip::ExportPath1080p() {
    static const std::string path = Make("export-1080p.avi", WorkingVideo(ExportFrames));
    return path;
}

const std::string& CBenchClip::GapsPath1080p() {
    static const std::string path =
        Make("gaps-1080p.avi", WorkingVideo(GapSlots, "-vf \"select='not(mod(n\\,2))'\" "
                                                      "-fps_mode passthrough "));
    return path;
}

const std::string& CBenchClip::FilledPath1080p() {
    static const std::string path = Make("filled-1080p.avi", WorkingVideo(GapSlots));
    return path;
}

const std::string& CBenchClip::TrackPath1080p() {
    static const std::string path = Make(
        "track-1080p.avi",
        "-f lavfi -i testsrc2=size=1920x1080:rate=30 -f lavfi -i testsrc=size=200x200:rate=30 "
        "-filter_complex \"[0][1]overlay=x='" +
            std::to_string(TrackStartLeft) + "+8*n':y='" + std::to_string(TrackStartTop) +
            "+3*n',trim=end_frame=" + std::to_string(Frames) + "\" -vcodec msmpeg4v2 -b:v 30000k");
    return path;
}

const std::string& CBenchClip::SourcePath1080p() {
    static const std::string path =
        Make("source-1080p.mp4", "-f lavfi -i testsrc2=size=1920x1080:rate=30,trim=end_frame=" +
                                     std::to_string(SourceFrames) +
                                     " -c:v libx264 -preset veryfast -bf 2 -g 250 -keyint_min 250 "
                                     "-sc_threshold 0 -pix_fmt yuv420p");
    return path;
}

const std::string& CBenchClip::CameraPath1080p() {
    static const std::string path = Make(
        "camera-1080p.mp4",
        "-f lavfi -i testsrc2=size=1920x1080:rate=30,noise=alls=10:allf=t,trim=end_frame=" +
            std::to_string(CameraFrames) +
            " -f lavfi -i sine=frequency=440:duration=7 -c:v libx264 -preset veryfast -crf 20 "
            "-bf 2 -g 250 -keyint_min 250 -sc_threshold 0 -pix_fmt yuv420p -c:a aac -b:a 128k");
    return path;
}

const std::string& CBenchClip::LongSourcePath1080p() {
    static const std::string path = [] {
        const std::string list = RunPath("long-source.txt");
        if (SourcePath1080p().empty() || list.empty()) {
            return std::string();
        }
        std::ofstream out(list);
        for (std::int64_t copy = 0; copy < LongSourceCopies; ++copy) {
            out << "file '" << SourcePath1080p() << "'\n";
        }
        out.close();
        // The sound goes on after joining: joined pieces of sound would shift the picture by
        // the encoder's delay at each join.
        const std::string silent =
            Make("long-silent-1080p.mp4", "-f concat -safe 0 -i '" + list + "' -c copy");
        const double seconds = static_cast<double>(SourceFrames * LongSourceCopies) / 30.0;
        return silent.empty()
                   ? std::string()
                   : Make("long-source-1080p.mp4",
                          "-i '" + silent + "' -f lavfi -i sine=sample_rate=48000:duration=" +
                              std::to_string(seconds) +
                              " -ac 2 -map 0:v -map 1:a -c:v copy -c:a aac");
    }();
    return path;
}

const std::string& CBenchClip::LongPath() {
    static const std::string path =
        Make("long-160x120.avi", "-f lavfi -i testsrc2=size=160x120:rate=30,trim=end_frame=" +
                                     std::to_string(LongFrames) + " -vcodec msmpeg4v2 -b:v 2000k");
    return path;
}
