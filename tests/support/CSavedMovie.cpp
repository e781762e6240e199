#include "tests/support/CSavedMovie.h"

#include "mosaic/CMosaicParam.h"
#include "platform/CTextFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

} // namespace

bool CSavedMovie::Generate(const std::string& arguments, const std::string& output) {
    const std::string command = "ffmpeg -nostdin -v error -y " + arguments + " " + Quoted(output);
    return std::system(command.c_str()) == 0 && std::filesystem::is_regular_file(output);
}

std::vector<CSavedMovie::Picture> CSavedMovie::Pictures(const std::string& path) {
    const std::string raw = path + ".raw";
    const std::string command = "ffmpeg -nostdin -v error -y -i " + Quoted(path) +
                                " -map 0:v:0 -fps_mode passthrough -f rawvideo -pix_fmt bgr24 -s " +
                                std::to_string(kWidth) + "x" + std::to_string(kHeight) + " " +
                                Quoted(raw);
    std::vector<Picture> pictures;
    if (std::system(command.c_str()) != 0) {
        return pictures;
    }
    const std::string bytes = CTextFile::Read(raw).value_or("");
    std::filesystem::remove(raw);
    const std::size_t size = static_cast<std::size_t>(kWidth) * kHeight * 3;
    for (std::size_t at = 0; at + size <= bytes.size(); at += size) {
        pictures.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                              bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
    }
    return pictures;
}

std::string CSavedMovie::Probe(const std::string& path, const std::string& entries,
                               const std::string& options) {
    const std::string out = path + ".probe";
    const std::string command = "ffprobe -v error " + options + " -show_entries " + entries +
                                " -of default=noprint_wrappers=1:nokey=1 " + Quoted(path) + " > " +
                                Quoted(out);
    const int status = std::system(command.c_str());
    const std::string text = CTextFile::Read(out).value_or("");
    std::filesystem::remove(out);
    return status == 0 ? text : std::string();
}

bool CSavedMovie::HasSound(const std::string& path) {
    return Probe(path, "stream=codec_type").find("audio") != std::string::npos;
}

double CSavedMovie::Duration(const std::string& path) {
    const std::string text = Probe(path, "format=duration");
    return text.empty() ? -1.0 : std::atof(text.c_str());
}

double CSavedMovie::StartTime(const std::string& path, const std::string& stream) {
    return std::atof(Probe(path, "stream=start_time", "-select_streams " + stream).c_str());
}

std::string CSavedMovie::SoundPackets(const std::string& path) {
    return Probe(path, "packet=data_hash", "-select_streams a:0 -show_data_hash MD5");
}

std::vector<double> CSavedMovie::SoundPacketTimes(const std::string& path) {
    std::istringstream lines(Probe(path, "packet=pts_time", "-select_streams a:0"));
    std::vector<double> times;
    for (std::string line; std::getline(lines, line);) {
        times.push_back(std::atof(line.c_str()));
    }
    return times;
}

double CSavedMovie::Psnr(const Picture& picture, const CFrameBuffer& preview) {
    const int width = preview.Width();
    const int height = preview.Height();
    if (picture.size() != static_cast<std::size_t>(width) * height * 3) {
        return 0.0;
    }
    double squares = 0.0;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* expected = preview.PictureRow(y);
        const std::uint8_t* actual = picture.data() + static_cast<std::size_t>(y) * width * 3;
        for (int i = 0; i < width * 3; ++i) {
            const double difference = static_cast<double>(actual[i]) - expected[i];
            squares += difference * difference;
        }
    }
    const double mean = squares / (static_cast<double>(width) * height * 3);
    return mean == 0.0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mean);
}

int CSavedMovie::Brightest(const Picture& picture, int width, const T_RECT& area, int margin) {
    int brightest = 0;
    for (int y = area.top + margin; y < area.bottom - margin; ++y) {
        for (int x = area.left + margin; x < area.right - margin; ++x) {
            const std::uint8_t* pixel =
                picture.data() + (static_cast<std::size_t>(y) * width + x) * 3;
            brightest = std::max({brightest, int{pixel[0]}, int{pixel[1]}, int{pixel[2]}});
        }
    }
    return brightest;
}

std::int64_t CSavedMovie::DecodedFrames(const std::string& path) {
    const std::string text =
        Probe(path, "stream=nb_read_frames", "-count_frames -select_streams v:0");
    return text.empty() ? -1 : std::atoll(text.c_str());
}

std::string CSavedMovie::FrameRate(const std::string& path) {
    const std::string text = Probe(path, "stream=r_frame_rate", "-select_streams v:0");
    return text.substr(0, text.find_first_of("\r\n"));
}

T_RECT CSavedMovie::TrackRect(std::int32_t frame) {
    const std::int32_t x = 40 + 2 * frame;
    return T_RECT{x, 72, x + 16, 104};
}

void CSavedMovie::Paint(CMosaicParam& mosaic, std::int32_t& sizeId, std::int64_t lastFrame) {
    mosaic.SetType(kBlackFill, sizeId, true);
    mosaic.AddFixedArea(kFixedArea);
    for (std::int32_t frame = 0; frame <= lastFrame; ++frame) {
        mosaic.SetTrackRect(0, TrackRect(frame), frame);
    }
}

std::string CSavedMovie::Unlike(const std::vector<Picture>& pictures,
                                const std::vector<CFrameBuffer>& previews, bool movie,
                                double minPsnr) {
    if (pictures.size() != previews.size()) {
        return std::to_string(pictures.size()) + " pictures for " +
               std::to_string(previews.size()) + " frames\n";
    }
    std::string unlike;
    for (std::size_t n = 0; n < pictures.size(); ++n) {
        const std::string frame = "frame " + std::to_string(n) + ": ";
        if (const double psnr = Psnr(pictures[n], previews[n]); psnr < minPsnr) {
            unlike += frame + std::to_string(psnr) + " dB\n";
        }
        if (Brightest(pictures[n], kWidth, kFixedArea, 2) > kBlack) {
            unlike += frame + "fixed area not black\n";
        }
        if (movie &&
            Brightest(pictures[n], kWidth, TrackRect(static_cast<std::int32_t>(n)), 2) > kBlack) {
            unlike += frame + "track not black\n";
        }
    }
    return unlike;
}
