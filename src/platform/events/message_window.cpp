#include "platform/events/message_window.h"

#include "platform/core/time_scale.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimerEvent>
#include <algorithm>

namespace {

// A posted window message travelling through the Qt event queue.
class CMessageEvent : public QEvent
{
public:
    static QEvent::Type EventType()
    {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    CMessageEvent(UINT message, WPARAM wParam, LPARAM lParam)
        : QEvent(EventType()), message(message), wParam(wParam), lParam(lParam)
    {
    }
    const UINT message;
    const WPARAM wParam;
    const LPARAM lParam;
};

} // namespace

CMessageWindow::CMessageWindow(QObject* parent) : QObject(parent) {}

CMessageWindow::~CMessageWindow() = default;

void CMessageWindow::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    QCoreApplication::postEvent(this, new CMessageEvent(message, wParam, lParam));
}

LRESULT CMessageWindow::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Dispatch(message, wParam, lParam);
}

LRESULT CMessageWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    QPointer<CMessageWindow> alive(this);
    const LRESULT result = WindowProc(message, wParam, lParam);
    if (alive)
        emit messageHandled(message, wParam, lParam);
    return result;
}

void CMessageWindow::SetTimer(UINT_PTR id, int64_t elapseMs)
{
    KillTimer(id);
    const int64_t scaled = TimeScale::Scaled(elapseMs);
    const int qtId = startTimer(static_cast<int>(std::min<int64_t>(scaled, INT32_MAX)), Qt::PreciseTimer);
    if (qtId == 0)
        return;
    timers_.insert(id, qtId);
    timerIds_.insert(qtId, id);
}

bool CMessageWindow::KillTimer(UINT_PTR id)
{
    const auto it = timers_.find(id);
    if (it == timers_.end())
        return false;
    killTimer(it.value());
    timerIds_.remove(it.value());
    timers_.erase(it);
    return true;
}

void CMessageWindow::timerEvent(QTimerEvent* event)
{
    const auto it = timerIds_.find(event->timerId());
    if (it == timerIds_.end()) {
        QObject::timerEvent(event);
        return;
    }
    OnTimer(it.value());
}

void CMessageWindow::OnTimer(UINT_PTR) {}

LRESULT CMessageWindow::WindowProc(UINT, WPARAM, LPARAM)
{
    return 0;
}

bool CMessageWindow::event(QEvent* event)
{
    if (event->type() == CMessageEvent::EventType()) {
        const auto* message = static_cast<CMessageEvent*>(event);
        Dispatch(message->message, message->wParam, message->lParam);
        return true;
    }
    return QObject::event(event);
}
