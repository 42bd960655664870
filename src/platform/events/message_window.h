#pragma once
// CMessageWindow: numbered window messages and timers without a window. A posted message is
// queued on the event loop and handled later; a sent one is a direct, synchronous call with a
// result. Timers are started, restarted and stopped by number, their periods through the
// process time scale. The device engine stands on it directly; every dialog has one inside
// (CDialog), so windows and the engine share this one implementation.
#include "platform/core/win_types.h"

#include <QHash>
#include <QObject>

class CMessageWindow : public QObject
{
    Q_OBJECT

public:
    explicit CMessageWindow(QObject* parent = nullptr);
    ~CMessageWindow() override;

    // Posting to a destroyed window is a no-op; so is sending.
    void PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Setting an existing number restarts it with the new period.
    void SetTimer(UINT_PTR id, int64_t elapseMs);
    bool KillTimer(UINT_PTR id);
    bool HasTimer(UINT_PTR id) const { return timers_.contains(id); }

signals:
    // Emitted after every handled message; lets tests observe traffic without hooks.
    void messageHandled(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Message handler; the base answers every message with 0.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void OnTimer(UINT_PTR id);

    bool event(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    QHash<UINT_PTR, int> timers_;   // our number -> Qt timer id
    QHash<int, UINT_PTR> timerIds_; // Qt timer id -> our number
};
