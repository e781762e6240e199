#include "CBenchApplication.h"
#include "CBenchClip.h"
#include "app/CCommandId.h"
#include "app/ui/CFileCommands.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CVexoViewerApp.h"
#include "media/CAviVideoStream.h"
#include "view/CVexoView.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kTicks = 300;

// Counts the repaints of the watched widget.
class CPaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

// The program plays a 29.97 fps 1080p working video at speed 2.0 in a 1280 x 720 view, looping,
// with one fixed area and one track over every frame. Counted: the repaints of the view per
// second, which is what the rate pane shows, over kTicks repaints (each tick shows one frame, so
// at least as many ticks).
void PlaybackSpeed2(benchmark::State& state) {
    CBenchApplication::Ensure();
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    CVexoViewerApp app(QUORVEL_BIN_DIR "/Quorvel");
    if (CBenchClip::ExportPath1080p().empty() || !app.InitInstance({}) ||
        !app.GetFileCommands()->OpenDocumentFile(CBenchClip::ExportPath1080p())) {
        state.SkipWithError("cannot open the generated clip");
        return;
    }
    CMainFrame& frame = *app.GetMainWnd();
    CVexoView& view = *app.GetView();
    frame.resize(frame.size() + (QSize(1280, 720) - view.size()));
    QCoreApplication::processEvents();
    CAviVideoStream& stream = *frame.ActiveStream();
    stream.m_mosaic.AddFixedArea(T_RECT{200, 150, 700, 550});
    for (std::int32_t f = 0; f < CBenchClip::ExportFrames; ++f) {
        stream.m_mosaic.SetTrackRect(0, T_RECT{900 + f, 400, 1300 + f, 800}, f);
    }
    app.m_pSettings->PlaySpeedRate = 2.0f;
    app.m_pSettings->LoopPlay = 1;
    CPaintCounter counter;
    view.installEventFilter(&counter);
    double shown = 0.0;
    double seconds = 0.0;
    for (auto _ : state) {
        counter.paints = 0;
        QElapsedTimer clock;
        clock.start();
        frame.ExecuteCommand(CCommandId::Play);
        while (counter.paints < kTicks && frame.playing) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        const double elapsed = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        frame.StopPlay();
        state.SetIterationTime(elapsed);
        shown += counter.paints;
        seconds += elapsed;
    }
    view.removeEventFilter(&counter);
    state.counters["fps"] = shown / seconds;
    frame.close();
    app.ExitInstance();
}

} // namespace

BENCHMARK(PlaybackSpeed2)
    ->Name("Playback/Speed2/1080p")
    ->UseManualTime()
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);
