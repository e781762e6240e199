#include "cli/CTrackCommand.h"

#include "cli/CInterruptCancel.h"
#include "cli/CRenderCommand.h"
#include "cli/CSourceOpen.h"
#include "cli/CWorkStream.h"
#include "media/CTrackFrames.h"
#include "mosaic/CSubjectTracker.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace {

std::string Frames(const CMosaicTrack& track) {
    return "frames " + std::to_string(track.First()) + "-" + std::to_string(track.Last());
}

} // namespace

CTrackCommand::CTrackCommand(std::string source, Options options)
    : m_source(std::move(source)), m_options(options) {}

int CTrackCommand::Run(std::ostream& out, std::ostream& err) const {
    const CInterruptCancel interrupt;
    CSourceOpen opener;
    opener.Progress().SetCancelFlag(CInterruptCancel::Flag());
    if (!opener.Open(m_source) || opener.IsStillImage()) {
        err << "quorvel-render: cannot track in " << m_source << "\n";
        return CRenderCommand::kFailed;
    }
    CWorkStream work(opener.WorkPath(), std::nullopt, false, opener.TakeWorkFiles());
    CAviVideoStream& stream = work.Stream();
    stream.m_strSourceName = std::filesystem::path(m_source).filename().string();
    if (!work.Open()) {
        err << "quorvel-render: cannot open " << opener.WorkPath() << "\n";
        return CRenderCommand::kFailed;
    }
    if (const std::string other = stream.ProgressOfOtherSource(); !other.empty()) {
        err << "quorvel-render: the progress files of " << opener.WorkPath() << " belong to "
            << other << "\n";
        return CRenderCommand::kFailed;
    }
    CTrackFrames frames(stream);
    const auto interrupted = CInterruptCancel::Flag();
    const CTrackResult result = CSubjectTracker(frames).Run(
        m_options.frame, m_options.rect,
        m_options.backward ? CSubjectTracker::Direction::Backward
                           : CSubjectTracker::Direction::Forward,
        [interrupted](std::int64_t, const T_RECT&) { return *interrupted == 0; });
    if (result.stop == CTrackResult::Stop::BadStart ||
        result.stop == CTrackResult::Stop::Cancelled) {
        return Report(result, out, err);
    }
    stream.m_mosaic.AppendTrack(result.track);
    if (!stream.SaveProgress()) {
        err << "quorvel-render: cannot save the progress of " << opener.WorkPath() << "\n";
        return CRenderCommand::kFailed;
    }
    return Report(result, out, err);
}

int CTrackCommand::Report(const CTrackResult& result, std::ostream& out, std::ostream& err) {
    const auto unsure = std::count(result.unsure.begin(), result.unsure.end(), true);
    const std::string saved = Frames(result.track) + " saved as a new track, " +
                              std::to_string(unsure) + " of them unsure";
    switch (result.stop) {
    case CTrackResult::Stop::End:
        out << "quorvel-render: " << saved << "\n";
        return CRenderCommand::kOk;
    case CTrackResult::Stop::Lost:
        err << "quorvel-render: lost the subject at frame " << result.stopFrame << "; " << saved
            << "\n";
        return kLost;
    case CTrackResult::Stop::Unreadable:
        err << "quorvel-render: cannot decode frame " << result.stopFrame << "; " << saved << "\n";
        return CRenderCommand::kFailed;
    case CTrackResult::Stop::Cancelled:
        err << "quorvel-render: cancelled\n";
        return CRenderCommand::kFailed;
    case CTrackResult::Stop::BadStart:
        break;
    }
    err << "quorvel-render: frame " << result.stopFrame
        << " is outside the movie or the rectangle outside its picture\n";
    return CRenderCommand::kBadArguments;
}
