#include "app/ui/CVexoDoc.h"

#include "app/CCommandId.h"
#include "app/CInifileManager.h"
#include "app/CRegionEditor.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CMosaicSizeDlgBar.h"
#include "app/ui/CSliderDlgBar.h"
#include "app/ui/CView.h"
#include "app/ui/IModeDescriptions.h"
#include "media/CAviVideoStream.h"
#include "media/COpenPipeline.h"
#include "resources/CStringTable.h"

#include <QComboBox>
#include <QSlider>

#include <filesystem>

namespace {

std::string LoadText(int id) {
    return CStringTable::Load(id);
}

bool NonEmptyFile(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec) &&
           std::filesystem::file_size(path, ec) > 0;
}

} // namespace

CVexoDoc::CVexoDoc(CMainFrame& frame, CView& view, CRegionEditor& editor, IModeDescriptions& modes,
                   CInifileManager& settings, std::string programDir, const std::string& dataDir)
    : m_frame(frame), m_view(view), m_editor(editor), m_modes(modes), m_settings(settings),
      m_programDir(std::move(programDir)), m_progress(&frame),
      m_converter(m_programDir, dataDir, m_progress, &LoadText) {}

// The stream, and with it the working files, goes before the converter closes its log.
CVexoDoc::~CVexoDoc() {
    DeleteContents();
}

void CVexoDoc::FillCommandState(CCommandState& state) const {
    CDocument::FillCommandState(state);
    state.savedOutput = !m_strSavedPath.empty();
    state.soundFile = NonEmptyFile(m_strSoundPath);
}

bool CVexoDoc::OnNewDocument() {
    m_strPathName.clear();
    m_view.update();
    m_modes.CloseDescriptions();
    m_frame.editMode = -1;
    m_strSavedPath.clear();
    m_frame.ResetHistory();
    return true;
}

void CVexoDoc::DeleteContents() {
    m_pStream.reset();
    m_strSoundPath.clear();
}

void CVexoDoc::NewDocument() {
    DeleteContents();
    OnNewDocument();
}

void CVexoDoc::CloseDocument() {
    EnableSliderBar(true);
    NewDocument();
}

void CVexoDoc::EnableSliderBar(bool enable) {
    if (CSliderDlgBar* bar = m_frame.SliderBar()) {
        bar->FrameSlider()->setEnabled(enable);
        bar->SpeedList()->setEnabled(enable);
    }
}

bool CVexoDoc::OnOpenDocument(const std::string& path) {
    const CBusyState::Scope busy(m_frame.Busy(), [this] { m_progress.Abandon(); });
    DeleteContents();
    m_strPathName.clear();
    m_frame.StopPlay();
    const bool image = COpenPipeline::IsImagePath(path);
    m_frame.stillImage = image;
    EnableSliderBar(!image);
    if (image) {
        m_view.repaint();
    }
    if (!OpenStream(path)) {
        CloseDocument();
        return false;
    }
    m_strPathName = path;
    Opened();
    return true;
}

bool CVexoDoc::OpenStream(const std::string& path) {
    COpenPipeline pipeline(m_converter, m_programDir, m_settings.TmpFile_VCodec,
                           m_settings.TmpFile_BitRate, &LoadText);
    pipeline.ReadInPlace();
    if (!pipeline.Open(path)) {
        return false;
    }
    m_pStream = std::make_unique<CAviVideoStream>(pipeline.WorkPath(), m_settings.SizeID,
                                                  pipeline.TakeWorkFiles());
    m_pStream->m_strSourceName = std::filesystem::path(path).filename().string();
    m_pStream->ReadInPlace(pipeline.TakeReader());
    const int opened = pipeline.IsStillImage() ? m_pStream->LoadBitmapFile(pipeline.WorkPath())
                                               : m_pStream->OpenVideo();
    if (opened == 0) {
        m_pStream.reset();
        pipeline.Fail();
        return false;
    }
    if (!pipeline.IsStillImage()) {
        m_strSoundPath = pipeline.SoundPath();
    }
    return true;
}

CSavePipeline CVexoDoc::Pipeline() {
    return CSavePipeline(*m_pStream, m_converter, m_progress);
}

bool CVexoDoc::IsOpenedFile(const std::string& path) {
    return m_pStream && Pipeline().IsOpenedFile(m_strPathName, path);
}

CSavePipeline::Result CVexoDoc::SaveMovie(const std::string& targetPath, int profileIndex) {
    if (!m_pStream) {
        return {};
    }
    const CBusyState::Scope busy(m_frame.Busy(), [this] { m_progress.Abandon(); });
    const CSavePipeline::Result result = Pipeline().Save(m_strPathName, targetPath, profileIndex);
    if (result.status == CSavePipeline::Status::Saved) {
        m_strSavedPath = targetPath;
    }
    return result;
}

void CVexoDoc::Opened() {
    m_view.update();
    m_editor.RegionsRemoved(m_pStream->m_mosaic);
    m_frame.ResetHistory();
    m_settings.SizeID = m_pStream->m_mosaic.type;
    if (CMosaicSizeDlgBar* bar = m_frame.MosaicTypeBar()) {
        bar->SelectType(m_settings.SizeID);
    }
    const std::int64_t frames = m_pStream->m_nLastFrame - m_pStream->m_nFirstFrame + 1;
    if (CSliderDlgBar* bar = m_frame.SliderBar()) {
        QSlider* slider = bar->FrameSlider();
        const int count = static_cast<int>(std::min<std::int64_t>(frames, INT32_MAX));
        slider->setRange(0, count);
        slider->setValue(0);
        slider->setTickInterval(count / 20);
        slider->setSingleStep(1);
        slider->setPageStep(count / 20);
    }
    m_frame.PostCommand(CCommandId::FixedMode);
    m_frame.PostCommand(CCommandId::First);
    m_strSavedPath.clear();
}
