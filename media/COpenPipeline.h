#pragma once

#include "media/CFFMpegUtil.h"
#include "media/CPictureShape.h"
#include "media/CSourceReader.h"
#include "media/CWorkFiles.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>

// Turns a source file into what the video stream can open: a movie read in place, or else
// converted into a working AVI beside it (unless it is an AVI that needs nothing), its sound
// played from the source itself; an image into a 24-bit working bitmap beside it. A failed open
// leaves none of the files it made; after a good one the caller takes the working files
// (TakeWorkFiles) and hands them to the stream.
class COpenPipeline {
public:
    // The reshaping options for a source, as ReshapeOptions computes them from its probe.
    using OptionsProbe = std::function<std::string(const std::string& source)>;

    // Without optionsProbe the media information probe of the program folder is asked.
    COpenPipeline(CFFMpegUtil& converter, std::string programDir, std::string videoCodec,
                  std::string bitRate, CFFMpegUtil::TextLookup loadString,
                  OptionsProbe optionsProbe = {});

    // Makes the working files for source; false after a failure, reported to the user.
    bool Open(const std::string& source);
    // From now on a movie whose frames the source reader can give exactly is read in place: no
    // working video is made, and WorkPath() names the one it would have been.
    void ReadInPlace() { m_readInPlace = true; }
    // The reader for the movie the last Open read in place; null when it was converted.
    std::unique_ptr<CSourceReader> TakeReader() { return std::move(m_reader); }
    // Reports a failure that came after Open (the stream could not open the working file)
    // and removes the working files not taken yet.
    void Fail();
    // The files the last Open made; deleted when the returned object goes.
    CWorkFiles TakeWorkFiles() { return std::move(m_files); }

    // The file for the stream: the working video, the source AVI itself, or the bitmap.
    const std::string& WorkPath() const { return m_workPath; }
    // The file the movie's sound plays from: the source, empty when it has no sound.
    const std::string& SoundPath() const { return m_soundPath; }
    bool IsStillImage() const { return m_stillImage; }
    // How the conversion reshapes (or would reshape) the last movie opened.
    const CPictureShape& Shape() const { return m_shape; }

    // The picture reshaping options of the conversion; empty when nothing needs reshaping.
    static std::string ReshapeOptions(int width, int height, double pixelAspect, int rotation);
    static bool IsImagePath(const std::string& path);

private:
    bool CanWriteBeside(const std::string& source) const;
    bool OpenImage(const std::string& source);
    bool OpenMovie(const std::string& source);
    bool ConvertMovie(const std::string& input, const std::string& options);
    bool OpenInPlace(const std::string& source);
    bool TakeSound(const std::string& source);
    // started is what the converter returned; true when the tool made its output.
    bool Converted(bool started);
    std::string ProbeOptions(const std::string& source) const;
    // Records path as a working file of this open; false when the open holds no lock.
    bool Claim(const std::string& path);
    bool Refuse(int messageId);

    CFFMpegUtil& m_converter;
    std::string m_programDir;
    std::string m_videoCodec;
    std::string m_bitRate;
    CFFMpegUtil::TextLookup m_loadString;
    OptionsProbe m_optionsProbe;
    std::string m_source;
    std::string m_workPath;
    std::string m_soundPath;
    bool m_stillImage = false;
    std::string m_options;
    CPictureShape m_shape;
    bool m_readInPlace = false;
    std::unique_ptr<CSourceReader> m_reader;
    bool m_reported = false;
    CWorkFiles m_files;
};
