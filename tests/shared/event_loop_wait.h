#pragma once
// Waiting in the Qt event loop, shared by the widget and the network tests: spinning until a
// condition holds, and acting on a modal dialog from inside its own loop.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdint>
#include <functional>

namespace test_wait {

// Runs the event loop until `done` holds or `ms` pass.
template <class Pred> bool SpinUntil(Pred done, int64_t ms = 3000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// Calls `action` with the modal dialog of type T once it is up (from inside its loop).
template <class T> void WhenModal(std::function<void(T&)> action)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            action(*dialog);
        }
    });
    poll->start(5);
}

} // namespace test_wait
