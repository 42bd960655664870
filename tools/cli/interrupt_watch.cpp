#include "interrupt_watch.h"

#include <utility>

InterruptWatch::InterruptWatch(std::function<void()> onInterrupt) : onInterrupt_(std::move(onInterrupt))
{
    Watch();
}

InterruptWatch::~InterruptWatch()
{
    Unwatch();
}

void InterruptWatch::Interrupted()
{
    if (auto run = std::exchange(onInterrupt_, nullptr))
        run();
}
