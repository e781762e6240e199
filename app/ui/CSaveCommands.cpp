#include "app/ui/CSaveCommands.h"

#include "app/CCommandId.h"
#include "app/CInifileManager.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CVexoDoc.h"
#include "media/CAviVideoStream.h"
#include "media/CFormatIniFile.h"
#include "mosaic/CCoverage.h"
#include "platform/CFileDialogSeam.h"
#include "platform/CMessageBoxSeam.h"
#include "platform/CShellOpenSeam.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"

#include <filesystem>

namespace {

// The wait cursor over the main window only: the progress window keeps the arrow for Cancel.
class WaitCursor {
public:
    explicit WaitCursor(QWidget& window) : m_window(window) { m_window.setCursor(Qt::WaitCursor); }
    ~WaitCursor() { m_window.unsetCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    QWidget& m_window;
};

} // namespace

CSaveCommands::CSaveCommands(CMainFrame& frame, CVexoDoc& document, CInifileManager& settings,
                             std::string programDir)
    : m_frame(frame), m_document(document), m_settings(settings),
      m_programDir(std::move(programDir)) {
    OnCommand(CCommandId::Save, [this] { Save(); });
    OnCommand(CCommandId::SaveBitmap, [this] { SaveBitmap(); });
    OnCommand(CCommandId::PlaySavedMovie, [this] { PlaySavedMovie(); });
}

IFileDialog::Request CSaveCommands::Proposal() const {
    IFileDialog::Request request;
    request.kind = IFileDialog::Kind::Save;
    request.initialPath = SaveFolder();
    request.suggestedStem =
        std::filesystem::path(m_document.GetPathName()).stem().string() + "_mosaic";
    request.hiddenFiles = "*.$tmp$.*";
    return request;
}

IFileDialog::Request CSaveCommands::SaveRequest() const {
    IFileDialog::Request request = Proposal();
    request.filter = CFormatIniFile(m_programDir, m_frame.stillImage).GetFilterString();
    request.filterIndex = m_frame.stillImage ? m_settings.ImageFilterIndex : m_settings.FilterIndex;
    request.defaultExtension = "avi";
    return request;
}

IFileDialog::Request CSaveCommands::BitmapRequest() const {
    IFileDialog::Request request = Proposal();
    request.filter = CStringTable::Load(CResourceId::BitmapFilter);
    request.defaultExtension = "bmp";
    return request;
}

// Saves usually go beside the movie they came from, or where the user saved last.
std::string CSaveCommands::SaveFolder() const {
    return !m_lastSaveFolder.empty()
               ? m_lastSaveFolder
               : std::filesystem::path(m_document.GetPathName()).parent_path().string();
}

std::optional<IFileDialog::Answer> CSaveCommands::AskTarget(const IFileDialog::Request& request) {
    const IFileDialog::Answer answer = CFileDialogSeam::Show(request);
    if (!answer.ok) {
        return std::nullopt;
    }
    if (m_document.IsOpenedFile(answer.path)) {
        CMessageBoxSeam::Show(CStringTable::Load(CResourceId::SaveOntoSource), QV_MB_OK);
        return std::nullopt;
    }
    std::error_code error;
    if (std::filesystem::exists(answer.path, error) &&
        CMessageBoxSeam::Show(CStringTable::Format(CResourceId::ReplaceQuestion, answer.path),
                              QV_MB_YESNO | QV_MB_ICONQUESTION) != QV_IDYES) {
        return std::nullopt;
    }
    m_lastSaveFolder = std::filesystem::path(answer.path).parent_path().string();
    return answer;
}

void CSaveCommands::RememberFilter(int filterIndex) {
    (m_frame.stillImage ? m_settings.ImageFilterIndex : m_settings.FilterIndex) = filterIndex;
}

void CSaveCommands::ShowFromTheFirstFrame() {
    if (!m_frame.stillImage) {
        m_frame.ExecuteCommand(CCommandId::First);
    }
    m_frame.ExecuteCommand(CCommandId::PreviewMode);
    m_frame.InvalidateView();
}

// The old target stays until the new file replaces it, so a failed or cancelled save costs
// the user nothing and leaves the movie marked unsaved.
void CSaveCommands::Save() {
    if (m_frame.ActiveStream() == nullptr || !MayLeaveGaps()) {
        return;
    }
    const std::optional<IFileDialog::Answer> target = AskTarget(SaveRequest());
    if (!target) {
        return;
    }
    const IFileDialog::Answer& answer = *target;
    const int profile = CFormatIniFile(m_programDir, m_frame.stillImage)
                            .ProfileFor(answer.path, answer.filterIndex - 1);
    RememberFilter(profile + 1);
    ShowFromTheFirstFrame();
    CSavePipeline::Result result;
    {
        const WaitCursor wait(m_frame);
        result = m_document.SaveMovie(answer.path, profile);
    }
    if (result.status == CSavePipeline::Status::Saved) {
        m_frame.MovieSaved();
        m_frame.ShowSaved(CStringTable::Format(CResourceId::MovieSavedMessage, answer.path),
                          !m_frame.stillImage);
    } else if (!result.message.empty()) {
        CMessageBoxSeam::Show(result.message, QV_MB_OK);
    }
    m_frame.InvalidateView();
}

// Frames a track was meant to hide but doesn't are told before they are saved unhidden.
bool CSaveCommands::MayLeaveGaps() {
    const CMosaicParam& mosaic = m_frame.ActiveStream()->m_mosaic;
    const std::int64_t gaps = CCoverage::GapFrames(mosaic);
    if (gaps == 0) {
        return true;
    }
    const int answer = CMessageBoxSeam::Show(
        CStringTable::Format(CResourceId::GapsBeforeSaveQuestion, std::to_string(gaps)),
        QV_MB_YESNOCANCEL | QV_MB_ICONQUESTION);
    if (answer == QV_IDYES && m_showFrame) {
        m_frame.ExecuteCommand(CCommandId::MovingMode);
        m_showFrame(CCoverage::NextGap(mosaic, -1));
    }
    return answer == QV_IDNO;
}

// A picture is never written over the opened movie, and one that could not be written is
// reported: the user would otherwise look for it.
void CSaveCommands::SaveBitmap() {
    CAviVideoStream* stream = m_frame.ActiveStream();
    if (stream == nullptr) {
        return;
    }
    const std::optional<IFileDialog::Answer> answer = AskTarget(BitmapRequest());
    if (answer && stream->SaveFrameBitmap(answer->path) == 0) {
        CMessageBoxSeam::Show(CStringTable::Load(CResourceId::ExportError), QV_MB_OK);
    }
}

void CSaveCommands::PlaySavedMovie() {
    const std::string& saved = m_document.m_strSavedPath;
    if (!saved.empty() && !CShellOpenSeam::Open(saved)) {
        CMessageBoxSeam::Show(CStringTable::Format(CResourceId::SavedMovieNotPlayed, saved),
                              QV_MB_OK);
    }
}
