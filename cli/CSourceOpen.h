#pragma once

#include "media/CFFMpegUtil.h"
#include "media/COpenPipeline.h"
#include "platform/CConsoleProgress.h"

#include <string>

// The renderer's way in from a source file of any accepted kind: the program's open pipeline
// with its progress on stderr, the command log in the user's data folder and the default
// conversion settings. The working files it makes are handed to the stream opened on them.
class CSourceOpen {
public:
    CSourceOpen();

    // Makes the working files of source; false after a failure, reported on stderr.
    bool Open(const std::string& source);
    const std::string& WorkPath() const { return m_pipeline.WorkPath(); }
    CWorkFiles TakeWorkFiles() { return m_pipeline.TakeWorkFiles(); }
    // The reader of a movie read in place; null when it was converted.
    std::unique_ptr<CSourceReader> TakeReader() { return m_pipeline.TakeReader(); }
    const std::string& SoundPath() const { return m_pipeline.SoundPath(); }
    bool IsStillImage() const { return m_pipeline.IsStillImage(); }
    const std::string& ProgramDir() const { return m_programDir; }
    CFFMpegUtil& Converter() { return m_converter; }
    CConsoleProgress& Progress() { return m_progress; }

private:
    std::string m_programDir;
    CConsoleProgress m_progress;
    CFFMpegUtil m_converter;
    COpenPipeline m_pipeline;
};
