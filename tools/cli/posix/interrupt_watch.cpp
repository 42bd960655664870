// The POSIX half: SIGINT writes a byte to a pipe (all a signal handler may safely do), and the
// pipe's notifier runs the watch's handler on the event loop. SA_RESETHAND gives the next SIGINT
// its default action back, so a second Ctrl+C ends the program.
#include "interrupt_watch.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int wakePipe[2] = {-1, -1};
struct sigaction previous
{
};

void OnSigint(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &byte, 1);
}

} // namespace

void InterruptWatch::Watch()
{
    if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        while (::read(wakePipe[0], &byte, 1) > 0) {
        }
        Interrupted();
    });
    struct sigaction action
    {
    };
    action.sa_handler = OnSigint;
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &previous);
}

void InterruptWatch::Unwatch()
{
    if (notifier_ == nullptr)
        return;
    ::sigaction(SIGINT, &previous, nullptr);
    delete notifier_;
    notifier_ = nullptr;
    ::close(wakePipe[0]);
    ::close(wakePipe[1]);
    wakePipe[0] = wakePipe[1] = -1;
}
