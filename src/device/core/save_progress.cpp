#include "device/core/save_progress.h"

#include <algorithm>

std::string MinutesSeconds(int64_t milliseconds)
{
    const int64_t seconds = (std::max<int64_t>(milliseconds, 0) + 999) / 1000;
    const int64_t part = seconds % 60;
    return std::to_string(seconds / 60) + (part < 10 ? ":0" : ":") + std::to_string(part);
}

std::string SaveProgressText(const SaveProgress& progress)
{
    if (progress.askingAgain)
        return "no answer to any try: asking the camera whether it took the settings";
    return "no answer yet, try " + std::to_string(progress.attempt) + " of " +
           std::to_string(progress.attempts) + ", " + MinutesSeconds(progress.msLeft) + " left";
}
