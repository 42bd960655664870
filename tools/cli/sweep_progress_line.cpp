#include "sweep_progress_line.h"

#include "device/camera_actions.h"
#include "device/core/save_progress.h"
#include "platform/events/terminal.h"

#include <cstdio>

namespace {
constexpr std::chrono::milliseconds kRedrawEvery{250};
} // namespace

SweepProgressLine::SweepProgressLine(const CameraActions& action) : action_(action)
{
    if (IsTerminal(stderr))
        connection_ = QObject::connect(&action, &CameraActions::sweepProgressed, [this] { Redraw(); });
}

SweepProgressLine::~SweepProgressLine()
{
    QObject::disconnect(connection_);
    if (drawn_)
        std::fputs("\r\x1b[K", stderr);
}

void SweepProgressLine::Redraw()
{
    const auto now = std::chrono::steady_clock::now();
    const SweepProgress progress = action_.CurrentSweep();
    if (progress.total == 0 || (drawn_ && now - lastDrawn_ < kRedrawEvery && progress.asked < progress.total))
        return;
    std::fprintf(stderr, "\r\x1b[Kcamtivo-cli: asked %u of %u addresses, %zu camera%s found, %s left",
                 progress.asked, progress.total, progress.cameras, progress.cameras == 1 ? "" : "s",
                 MinutesSeconds(progress.msLeft).c_str());
    std::fflush(stderr);
    lastDrawn_ = now;
    drawn_ = true;
}
