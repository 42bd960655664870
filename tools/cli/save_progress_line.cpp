#include "save_progress_line.h"

#include "device/camera_actions.h"
#include "platform/events/terminal.h"

#include <cstdio>

namespace {
constexpr int kRedrawMs = 1000;
} // namespace

SaveProgressLine::SaveProgressLine(const CameraActions& action, std::string mac)
    : action_(action), mac_(std::move(mac))
{
    if (!IsTerminal(stderr))
        return;
    QObject::connect(&timer_, &QTimer::timeout, [this] { Redraw(); });
    timer_.start(kRedrawMs);
}

SaveProgressLine::~SaveProgressLine()
{
    if (drawn_)
        std::fputs("\r\x1b[K", stderr);
}

// The first second passes in silence: most cameras answer within it.
void SaveProgressLine::Redraw()
{
    const SaveProgress progress = action_.CurrentSaveProgress();
    if (progress.attempt == 0)
        return;
    std::fprintf(stderr, "\r\x1b[Kcamtivo-cli: %s: %s", mac_.c_str(), SaveProgressText(progress).c_str());
    std::fflush(stderr);
    drawn_ = true;
}
