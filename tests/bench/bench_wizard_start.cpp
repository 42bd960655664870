// Start-up of the wizard: from a new frame to the main page painted (pack loaded, pages
// made), the same measured once from the start of the process, and the peak memory of a whole
// run in test mode through the first search to the search page showing the demo cameras.
#include "app/core/test_mode_file.h"
#include "app/data_folders.h"
#include "app/wizard_frame.h"
#include "bench_qt_app.h"
#include "platform/core/time_scale.h"
#include "skin/message_answer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr uint32_t kDemoCameras = 3;

// Seconds since this process started, from the kernel's record of its start.
double SecondsSinceProcessStart()
{
    std::ifstream statFile("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(statFile)), {});
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int i = 3; i < 22; ++i) // fields 3 to 21 come before the start time (22)
        fields >> field;
    double startTicks = 0;
    fields >> startTicks;
    double uptime = 0;
    std::ifstream("/proc/uptime") >> uptime;
    return uptime - startTicks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// A scratch current directory like the demo's: the English pack, which the frame is pointed
// at, and the camera file.
class DemoDir
{
public:
    DemoDir()
    {
        previous_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        CameraList cameras;
        for (uint32_t n = 1; n <= kDemoCameras; ++n)
            cameras.AddTail(std::make_unique<CameraRecord>(CameraFromSection(u" ", n)));
        ok_ = QFile::copy(QStringLiteral(CAMTIVO_BUILD_DIR "/packs/English/English.dll"), "English.dll") &&
              WriteTestFile(std::filesystem::path(u"Camtivo.tst"), cameras);
    }
    ~DemoDir() { QDir::setCurrent(previous_); }
    bool Ok() const { return ok_; }

private:
    QTemporaryDir dir_;
    ScopedDataFolders packsHere_{QStringList{dir_.path()}};
    QString previous_;
    bool ok_ = false;
};

// Ends the frame's run once its main page has been painted.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(WizardFrame& frame) : frame_(frame) { frame.Main().installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            QTimer::singleShot(0, &frame_, [this] { frame_.Finish(IDOK); });
        }
        return false;
    }

private:
    WizardFrame& frame_;
};

// Runs a frame until its main page is painted; returns whether it was.
bool RunToMainPagePainted()
{
    WizardFrame frame(QStringLiteral("camtivo /testmode"));
    FirstPaint paint(frame);
    frame.RunModal();
    return paint.painted;
}

void BM_FrameToMainPagePainted(benchmark::State& state)
{
    BenchApplication();
    DemoDir demo;
    if (!demo.Ok()) {
        state.SkipWithError("the English pack is not built");
        return;
    }
    // The first run, measured from the start of the process (program loading, the
    // application object and the first frame together).
    if (!RunToMainPagePainted()) {
        state.SkipWithError("the main page was never painted");
        return;
    }
    state.counters["process_start_to_paint_ms"] = SecondsSinceProcessStart() * 1000.0;
    for (auto _ : state)
        RunToMainPagePainted();
}
BENCHMARK(BM_FrameToMainPagePainted)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RunThroughTheSearchPage(benchmark::State& state)
{
    BenchApplication();
    DemoDir demo;
    if (!demo.Ok()) {
        state.SkipWithError("the English pack is not built");
        return;
    }
    TimeScale::SetFactor(0.01);
    MessageAnswer answers;
    size_t cameras = 0;
    for (auto _ : state) {
        WizardFrame frame(QStringLiteral("camtivo /testmode"));
        QTimer::singleShot(0, &frame, [&frame, &cameras] {
            while (!frame.PagesReady())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QTimer::singleShot(0, &frame, [&frame] { frame.TakeStep(Navigation::Next); });
            while (frame.ShownStep() != 1 || frame.Actions().Searching())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            cameras = frame.Actions().Listed().GetCount();
            frame.Finish(IDOK);
        });
        frame.RunModal();
    }
    TimeScale::SetFactor(1.0);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["cameras"] = static_cast<double>(cameras);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_RunThroughTheSearchPage)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
