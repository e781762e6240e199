#pragma once

#include "app/CCmdTarget.h"
#include "platform/IFileDialog.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class CInifileManager;
class CMainFrame;
class CVexoDoc;

// Save, Saved as a bitmap and Play a saved movie. A save asks for the target with the profiles
// of the document's kind, proposing "<source>_mosaic" in the folder of the last save or else
// the source's; shows the movie from its first frame in preview mode while it runs, and counts
// as saved only when the new file is in place.
class CSaveCommands : public CCmdTarget {
public:
    CSaveCommands(CMainFrame& frame, CVexoDoc& document, CInifileManager& settings,
                  std::string programDir);

    // How a save shows the frame it sends the user to.
    void SetFrameShower(std::function<void(std::int64_t)> show) { m_showFrame = std::move(show); }

    // Before a movie is saved, frames inside tracks without a rectangle are told; the user goes
    // to the first of them, saves all the same or cancels.
    void Save();
    void SaveBitmap();
    void PlaySavedMovie();

private:
    IFileDialog::Request SaveRequest() const;
    IFileDialog::Request BitmapRequest() const;
    // What every save dialog proposes: the folder and a name beside the source's, working files
    // left out.
    IFileDialog::Request Proposal() const;
    // The name the user chose, refused when it is the opened movie or one of its working files
    // and asked about when it would replace a file; empty when nothing is to be saved.
    std::optional<IFileDialog::Answer> AskTarget(const IFileDialog::Request& request);
    std::string SaveFolder() const;
    void RememberFilter(int filterIndex);
    void ShowFromTheFirstFrame();
    bool MayLeaveGaps();

    CMainFrame& m_frame;
    CVexoDoc& m_document;
    CInifileManager& m_settings;
    std::string m_programDir;
    // The folder of the last save of this session; empty before the first.
    std::string m_lastSaveFolder;
    std::function<void(std::int64_t)> m_showFrame;
};
