#pragma once
// InterruptWatch: while it lives, the first Ctrl+C (SIGINT; on Windows the console's Ctrl+C)
// does not end the program: `onInterrupt` runs on the event loop's thread instead, and a second
// Ctrl+C ends the program as usual. A save uses it to stop and ask the camera once whether it
// took the settings, so that an interrupted save still says how it ended. One lives at a time.
// posix/ and windows/ hold each system's half.
#include <QObject>
#include <functional>

class InterruptWatch : public QObject
{
    Q_OBJECT

public:
    explicit InterruptWatch(std::function<void()> onInterrupt);
    ~InterruptWatch() override;
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    // Runs `onInterrupt`, once; the system's half calls it on the event loop's thread.
    void Interrupted();

private:
    void Watch();
    void Unwatch();

    std::function<void()> onInterrupt_;
    class QSocketNotifier* notifier_ = nullptr; // the POSIX half's self-pipe
};
