#include "device/action_runner.h"

#include "device/action_dlg.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>

CActionRunner::CActionRunner(CActionDlg& action) : action_(action) {}

LRESULT CActionRunner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_ACTION_NOTIFY)
        return CMessageWindow::WindowProc(message, wParam, lParam);
    if (const auto box = CActionDlg::MessageFor(wParam)) {
        WindowlessMessageBox(*box);
        return 0;
    }
    if (onNotify)
        onNotify(wParam, lParam);
    if (!outcome_)
        outcome_ = ActionOutcome{true, wParam, lParam};
    if (loop_ != nullptr)
        loop_->quit();
    return 0;
}

ActionOutcome CActionRunner::Run(const std::function<bool()>& start, int64_t waitLimitMs)
{
    outcome_.reset();
    action_.SetNotification(this);
    const bool started = start();
    if (!outcome_ && started) {
        QEventLoop loop;
        loop_ = &loop;
        QTimer limit;
        if (waitLimitMs > 0) {
            limit.setSingleShot(true);
            QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
            limit.start(static_cast<int>(std::min<int64_t>(waitLimitMs, INT32_MAX)));
        }
        loop.exec();
        loop_ = nullptr;
    }
    action_.Stop();
    ActionOutcome outcome = outcome_.value_or(ActionOutcome{});
    outcome.started = started || outcome_.has_value();
    return outcome;
}

ActionOutcome CActionRunner::Search(int64_t waitLimitMs)
{
    action_.EmptyFoundList();
    return Run([this] { return action_.StartSearch(); }, waitLimitMs);
}

ActionOutcome CActionRunner::SearchUntilQuiet(int64_t waitLimitMs)
{
    action_.EmptyFoundList();
    return Run([this] { return action_.StartSearch(CActionDlg::SearchEnd::WhenQuiet); }, waitLimitMs);
}

ActionOutcome CActionRunner::SearchUntil(const std::function<bool()>& enough, int64_t waitLimitMs)
{
    QTimer settle;
    settle.setSingleShot(true);
    QObject::connect(&settle, &QTimer::timeout, [this] { EndEarly(); });
    action_.onReplyStored = [&settle, &enough] {
        if (!settle.isActive() && enough())
            settle.start(kSettleMs);
    };
    ActionOutcome outcome = Search(waitLimitMs);
    action_.onReplyStored = nullptr;
    return outcome;
}

void CActionRunner::EndEarly()
{
    if (!outcome_)
        outcome_ = ActionOutcome{true, NOTIFY_SEARCH_DONE, 0, true};
    if (loop_ != nullptr)
        loop_->quit();
}

ActionOutcome CActionRunner::Save(const CCameraDataObj& camera, int64_t waitLimitMs,
                                  std::optional<SaveFollowUp> followUp)
{
    return Run(
        [this, &camera, &followUp] {
            action_.StartSave(camera, std::move(followUp));
            return true;
        },
        waitLimitMs);
}
