#pragma once

#include "app/CDocument.h"
#include "app/ui/CProgressDlg.h"
#include "export/CSavePipeline.h"
#include "media/CFFMpegUtil.h"

#include <memory>
#include <string>

class CAviVideoStream;
class CInifileManager;
class CMainFrame;
class CRegionEditor;
class CView;
class IModeDescriptions;

// The one document: an opened movie or still image with the working files made for it and
// the stream that serves its frames. Opening reads a movie in place or converts the source
// beside itself; closing deletes the stream and with it the working files.
class CVexoDoc : public CDocument {
public:
    CVexoDoc(CMainFrame& frame, CView& view, CRegionEditor& editor, IModeDescriptions& modes,
             CInifileManager& settings, std::string programDir, const std::string& dataDir);
    ~CVexoDoc() override;

    const std::string& GetPathName() const override { return m_strPathName; }
    CAviVideoStream* GetStream() const override { return m_pStream.get(); }
    void FillCommandState(CCommandState& state) const override;

    // The framework's steps.
    bool OnNewDocument();
    void DeleteContents();
    // The open pipeline; true when the document holds the new file. A failure has been
    // reported and has left the document empty.
    bool OnOpenDocument(const std::string& path);
    // The new-document action: the contents go and an empty document takes their place.
    void NewDocument();
    // The Close command's action after its question: the slider bar works again, the document
    // is emptied.
    void CloseDocument();

    const std::string& SoundPath() const { return m_strSoundPath; }
    // True when path names the opened source or one of its working files.
    bool IsOpenedFile(const std::string& path);
    // Saves the open movie or still image into targetPath with the profile profileIndex
    // (counted from 0), in the progress window with Cancel. Only a save that succeeded becomes
    // the saved file that Play a saved movie opens.
    CSavePipeline::Result SaveMovie(const std::string& targetPath, int profileIndex);
    CProgressDlg& Progress() { return m_progress; }
    std::string m_strSavedPath;

private:
    bool OpenStream(const std::string& path);
    void EnableSliderBar(bool enable);
    void Opened();
    CSavePipeline Pipeline();

    CMainFrame& m_frame;
    CView& m_view;
    CRegionEditor& m_editor;
    IModeDescriptions& m_modes;
    CInifileManager& m_settings;
    std::string m_programDir;
    std::string m_strPathName;
    std::string m_strSoundPath;
    CProgressDlg m_progress;
    CFFMpegUtil m_converter;
    std::unique_ptr<CAviVideoStream> m_pStream;
};
