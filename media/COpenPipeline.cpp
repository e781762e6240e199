#include "media/COpenPipeline.h"

#include "media/CPictureShape.h"
#include "media/CStreamProbe.h"
#include "media/CWorkPaths.h"
#include "media/KQ22sCVideoInfo.h"
#include "platform/CMessageBoxSeam.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace {

constexpr int kFileNotRecognized = 2020;
constexpr int kReadOnlySourceFolder = 2030;
constexpr int kOpenElsewhere = 2060;
constexpr int kConverterMissing = 2061;

bool Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

} // namespace

COpenPipeline::COpenPipeline(CFFMpegUtil& converter, std::string programDir, std::string videoCodec,
                             std::string bitRate, CFFMpegUtil::TextLookup loadString,
                             OptionsProbe optionsProbe)
    : m_converter(converter), m_programDir(std::move(programDir)),
      m_videoCodec(std::move(videoCodec)), m_bitRate(std::move(bitRate)),
      m_loadString(std::move(loadString)), m_optionsProbe(std::move(optionsProbe)) {}

std::string COpenPipeline::ReshapeOptions(int width, int height, double pixelAspect, int rotation) {
    return CPictureShape::Of(width, height, pixelAspect, rotation).Options();
}

bool COpenPipeline::IsImagePath(const std::string& path) {
    return CWorkPaths::EndsWithNoCase(path, ".bmp") || CWorkPaths::EndsWithNoCase(path, ".jpg") ||
           CWorkPaths::EndsWithNoCase(path, ".jpeg");
}

bool COpenPipeline::Open(const std::string& source) {
    m_source = source;
    m_workPath.clear();
    m_soundPath.clear();
    m_shape = CPictureShape();
    m_options.clear();
    m_reader.reset();
    m_files.Remove();
    m_reported = false;
    m_stillImage = IsImagePath(source);
    if (!CanWriteBeside(source)) {
        return Refuse(kReadOnlySourceFolder);
    }
    const CWorkFiles::Claim lock = m_files.Lock(source);
    if (lock == CWorkFiles::Claim::InUse) {
        return Refuse(kOpenElsewhere);
    }
    // Only an open that holds the lock opens: its working files are its own to make.
    if (lock == CWorkFiles::Claim::Taken &&
        (m_stillImage ? OpenImage(source) : OpenMovie(source))) {
        return true;
    }
    if (m_reported) {
        m_files.Remove();
        m_workPath.clear();
        m_soundPath.clear();
        return false;
    }
    Fail();
    return false;
}

void COpenPipeline::Fail() {
    m_reader.reset();
    m_files.Remove();
    m_workPath.clear();
    m_soundPath.clear();
    Refuse(kFileNotRecognized);
}

bool COpenPipeline::Refuse(int messageId) {
    std::string text = m_loadString(messageId);
    if (const std::size_t at = text.find("%1"); at != std::string::npos) {
        text.replace(at, 2, m_source);
    }
    CMessageBoxSeam::Show(text, QV_MB_OK);
    m_reported = true;
    return false;
}

// The probe is made new, so a file of the user's that already has its name is never truncated
// or removed; the folder's own permission answers instead.
bool COpenPipeline::CanWriteBeside(const std::string& source) const {
    std::filesystem::path folder = std::filesystem::path(source).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    const std::string probe = (folder / "writeTest.tst").string();
    const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        return errno == EEXIST && faccessat(AT_FDCWD, folder.c_str(), W_OK, AT_EACCESS) == 0;
    }
    close(fd);
    unlink(probe.c_str());
    return true;
}

// Only an open that holds the lock makes working files.
bool COpenPipeline::Claim(const std::string& path) {
    m_files.Add(path);
    return m_files.Holds(path);
}

bool COpenPipeline::OpenImage(const std::string& source) {
    const std::string target = CWorkPaths::WorkImage(source);
    if (!Claim(target) || !Converted(m_converter.ConvertImage(source, target)) || !Exists(target)) {
        return false;
    }
    m_workPath = target;
    return true;
}

bool COpenPipeline::OpenMovie(const std::string& source) {
    const std::string options = ProbeOptions(source);
    m_options = options;
    m_shape = CPictureShape::Parse(options);
    m_workPath = source;
    if (!CWorkPaths::EndsWithNoCase(source, ".avi") || !options.empty()) {
        if (OpenInPlace(source)) {
            return TakeSound(source);
        }
        if (!ConvertMovie(source, options)) {
            return false;
        }
    }
    const CStreamProbe opened(m_workPath);
    if (!opened.IsOpen() || opened.VideoStreams() == 0) {
        return false;
    }
    // A working video that is DV itself is not converted onto itself.
    if (opened.IsDvVideo() && !m_files.Holds(m_workPath) && !ConvertMovie(m_workPath, options)) {
        return false;
    }
    return TakeSound(source);
}

bool COpenPipeline::ConvertMovie(const std::string& input, const std::string& options) {
    const std::string video = CWorkPaths::WorkVideo(m_source);
    if (!Claim(video) ||
        !Converted(m_converter.ConvertVideo(input, video, m_videoCodec, m_bitRate, options)) ||
        !CStreamProbe(video).IsOpen()) {
        return false;
    }
    m_workPath = video;
    return true;
}

// The progress files keep the names the working video gives them.
bool COpenPipeline::OpenInPlace(const std::string& source) {
    if (!m_readInPlace) {
        return false;
    }
    auto reader = std::make_unique<CSourceReader>();
    if (!reader->Open(source, m_shape)) {
        return false;
    }
    m_reader = std::move(reader);
    m_workPath = CWorkPaths::WorkVideo(source);
    return true;
}

// The sound plays from the source itself, whatever made the pictures.
bool COpenPipeline::TakeSound(const std::string& source) {
    if (CStreamProbe(source).AudioStreams() > 0) {
        m_soundPath = source;
    }
    return true;
}

// A tool that could not run is the user's to know of, not a file that is not recognised.
bool COpenPipeline::Converted(bool started) {
    const CFFMpegUtil::Outcome& run = m_converter.LastRun();
    if (!started || run.toolMissing) {
        return Refuse(kConverterMissing);
    }
    return run.Succeeded();
}

std::string COpenPipeline::ProbeOptions(const std::string& source) const {
    if (m_optionsProbe) {
        return m_optionsProbe(source);
    }
    KQ22sCVideoInfo probe(m_programDir);
    if (!probe.Open(source)) {
        return {};
    }
    return ReshapeOptions(probe.GetWidth(), probe.GetHeight(), probe.GetPixelAspectRatio(),
                          probe.GetRotation());
}
