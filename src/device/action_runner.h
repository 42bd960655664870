#pragma once
// CActionRunner: stands where the wizard frame stands for a device action when there is no
// frame (the command-line front end, tests). It receives the action dialog's notification,
// waits for it in a nested event loop while timers and socket arrivals keep being handled,
// and afterwards stops timer 100 and closes the endpoint the way the frame does. The boxes the
// action asks for go where a windowless program's boxes go (WindowlessMessageBox).
#include "device/core/save_follow_up.h"
#include "platform/core/window_messages.h"
#include "platform/events/message_window.h"

#include <functional>
#include <optional>

class CActionDlg;

struct ActionOutcome
{
    bool started = false;    // false when the action could not begin (nothing to wait for)
    WPARAM code = 0;         // NOTIFY_SEARCH_DONE ... NOTIFY_SEND_ERROR, 0 when none arrived
    LPARAM value = 0;        // the socket error code of NOTIFY_SEND_ERROR
    bool endedEarly = false; // a search stopped because it had found what it was run for
};

class CActionRunner : public CMessageWindow
{
    Q_OBJECT

public:
    explicit CActionRunner(CActionDlg& action);

    // Runs a search and returns how it ended. `waitLimitMs` (real time, unscaled) bounds the
    // wait when positive; an action that outlives it is stopped and reported with code 0.
    ActionOutcome Search(int64_t waitLimitMs = 0);
    // Runs a search that ends once the cameras have gone quiet, as the window's search does.
    ActionOutcome SearchUntilQuiet(int64_t waitLimitMs = 0);
    // Runs a search that also ends, as if done, shortly after `enough` first holds for the found
    // list; the search length still bounds it when it never does.
    ActionOutcome SearchUntil(const std::function<bool()>& enough, int64_t waitLimitMs = 0);
    // Runs a save of `camera`, with its follow-up when given (see CActionDlg::StartSave).
    ActionOutcome Save(const class CCameraDataObj& camera, int64_t waitLimitMs = 0,
                       std::optional<SaveFollowUp> followUp = std::nullopt);

    // A camera answers each of the three queries of a search, and the last reply stored decides
    // how it is saved; on a LAN the later replies follow the first within this time (real time).
    static constexpr int kSettleMs = 150;

    // Every notification of how the action went, in order (a search's send error, then nothing
    // else, ...); the boxes the action asks for are not among them.
    std::function<void(WPARAM, LPARAM)> onNotify;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    ActionOutcome Run(const std::function<bool()>& start, int64_t waitLimitMs);
    void EndEarly();

    CActionDlg& action_;
    std::optional<ActionOutcome> outcome_;
    class QEventLoop* loop_ = nullptr;
};
