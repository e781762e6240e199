#pragma once

#include "app/CCmdTarget.h"
#include "platform/IFileDialog.h"

#include <string>

class CInifileManager;
class CMainFrame;
class CVexoDoc;

// Save, Saved as a bitmap and Play a saved movie. A save asks for the target with the profiles
// of the document's kind, shows the movie from its first frame in preview mode while it runs,
// and counts as saved only when the new file is in place.
class CSaveCommands : public CCmdTarget {
public:
    CSaveCommands(CMainFrame& frame, CVexoDoc& document, CInifileManager& settings,
                  std::string programDir);

    void Save();
    void SaveBitmap();
    void PlaySavedMovie();

private:
    IFileDialog::Request SaveRequest() const;
    std::string SourceFolder() const;
    void RememberFilter(int filterIndex);
    void ShowFromTheFirstFrame();

    CMainFrame& m_frame;
    CVexoDoc& m_document;
    CInifileManager& m_settings;
    std::string m_programDir;
};
