// The Windows half: the console's Ctrl+C handler runs on a thread of its own; it hands the
// interrupt to the event loop's thread once, and lets the next Ctrl+C end the program.
#include "interrupt_watch.h"

#include <QMetaObject>
#include <atomic>
#include <windows.h>

namespace {

std::atomic<InterruptWatch*> watching{nullptr};

BOOL WINAPI OnConsoleControl(DWORD event)
{
    if (event != CTRL_C_EVENT)
        return FALSE;
    InterruptWatch* watch = watching.exchange(nullptr);
    if (watch == nullptr)
        return FALSE;
    QMetaObject::invokeMethod(
        watch, [watch] { watch->Interrupted(); }, Qt::QueuedConnection);
    return TRUE;
}

} // namespace

void InterruptWatch::Watch()
{
    watching = this;
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

void InterruptWatch::Unwatch()
{
    ::SetConsoleCtrlHandler(OnConsoleControl, FALSE);
    watching = nullptr;
}
