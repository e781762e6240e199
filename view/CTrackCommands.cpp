#include "view/CTrackCommands.h"

#include "app/CCommandId.h"
#include "app/CRegionEditor.h"
#include "app/CTrackWorker.h"
#include "app/ui/CMainFrame.h"
#include "media/CAviVideoStream.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"
#include "view/CFrameStepCommands.h"

#include <QElapsedTimer>
#include <QStatusBar>

#include <algorithm>
#include <limits>
#include <string>

namespace {

using Direction = CSubjectTracker::Direction;

std::string Number(std::int64_t n) {
    return std::to_string(n);
}

// A frame as the view's counter shows it: from 1.
std::string FrameNumber(std::int64_t frame) {
    return Number(frame + 1);
}

int Steps(std::int64_t frames) {
    return static_cast<int>(std::clamp<std::int64_t>(frames, 0, std::numeric_limits<int>::max()));
}

} // namespace

CTrackCommands::CTrackCommands(CMainFrame& frame, CRegionEditor& editor, CFrameStepCommands& steps)
    : m_frame(frame), m_editor(editor), m_steps(steps), m_progress(&frame) {
    OnCommand(CCommandId::Track, [this] { Track(Direction::Forward); });
    OnCommand(CCommandId::TrackBack, [this] { Track(Direction::Backward); });
}

void CTrackCommands::Track(Direction direction) {
    CAviVideoStream* stream = m_frame.ActiveStream();
    if (stream == nullptr) {
        return;
    }
    const std::int64_t start = stream->m_nCurrentFrame;
    const int track = m_editor.TrackToFollow(stream->m_mosaic, static_cast<std::int32_t>(start));
    CTrackWorker worker;
    if (track < 0 ||
        !worker.Start(*stream, start,
                      stream->m_mosaic.GetTrackRect(track, static_cast<std::int32_t>(start)),
                      direction)) {
        m_frame.statusBar()->showMessage(
            QString::fromStdString(CStringTable::Load(CResourceId::TrackNotStartedMessage)));
        return;
    }
    // What the view showed while it ran goes; the run is written from its result alone.
    const CMosaicParam before = stream->m_mosaic;
    {
        const CBusyState::Scope busy(m_frame.Busy(), [&worker] { worker.Cancel(); });
        Follow(worker, *stream, track, start,
               direction == Direction::Forward ? stream->m_nLastFrame : stream->m_nFirstFrame);
    }
    stream->m_mosaic = before;
    const CTrackResult& result = worker.Result();
    if (result.stop == CTrackResult::Stop::BadStart || result.track.Empty()) {
        Tell(result);
        m_frame.InvalidateView();
        return;
    }
    stream->m_mosaic.WriteTrackRun(track, result.track, result.unsure);
    m_editor.Tracked(track);
    m_frame.SetModified();
    m_steps.ShowFrame(direction == Direction::Forward ? result.track.Last() : result.track.First());
    Tell(result);
}

void CTrackCommands::Follow(CTrackWorker& worker, CAviVideoStream& stream, int track,
                            std::int64_t start, std::int64_t end) {
    m_progress.SetRange(0, std::max(Steps(std::abs(end - start)), 1));
    m_progress.SetCancellable(true);
    m_progress.Create();
    // Invalid until the first frame followed is shown, which is at once.
    QElapsedTimer sinceShown;
    std::int64_t latest = start;
    while (!worker.WaitFor(kPollMs)) {
        if (m_progress.CancelRequested()) {
            worker.Cancel();
        }
        for (const CTrackWorker::Followed& followed : worker.TakeFollowed()) {
            stream.m_mosaic.SetTrackRect(track, followed.rect,
                                         static_cast<std::int32_t>(followed.frame));
            latest = followed.frame;
        }
        if (latest != start && (!sinceShown.isValid() || sinceShown.elapsed() >= kShowEveryMs)) {
            sinceShown.start();
            m_steps.ShowFrame(latest);
            m_progress.SetCaption(
                CStringTable::Format(CResourceId::TrackingCaption, FrameNumber(latest)));
            m_progress.SetPosition(Steps(std::abs(latest - start)));
            m_progress.UpdatePercent(Steps(std::abs(latest - start)));
        }
        m_progress.Pump();
    }
    m_progress.SetCancellable(false);
    m_progress.Destroy();
    // The keys go to the window again, so that T goes on after a correction.
    m_frame.activateWindow();
}

void CTrackCommands::Tell(const CTrackResult& result) {
    using Stop = CTrackResult::Stop;
    const std::int64_t first = result.track.First();
    const std::int64_t last = result.track.Last();
    const std::string unsure =
        Number(std::count(result.unsure.begin(), result.unsure.end(), true));
    std::string text;
    switch (result.stop) {
    case Stop::End:
        text = CStringTable::Format(CResourceId::TrackEndMessage,
                                    {FrameNumber(first), FrameNumber(last), unsure});
        break;
    case Stop::Cancelled:
        text = CStringTable::Format(CResourceId::TrackCancelledMessage,
                                    {FrameNumber(first), FrameNumber(last), unsure});
        break;
    case Stop::Lost:
        text = CStringTable::Format(CResourceId::TrackLostMessage,
                                    {FrameNumber(m_frame.ActiveStream()->m_nCurrentFrame), unsure});
        break;
    case Stop::Unreadable:
        text = CStringTable::Format(CResourceId::TrackUnreadableMessage,
                                    {FrameNumber(result.stopFrame), unsure});
        break;
    case Stop::BadStart:
        text = CStringTable::Load(CResourceId::TrackNotStartedMessage);
        break;
    }
    m_frame.statusBar()->showMessage(QString::fromStdString(text));
}
