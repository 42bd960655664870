#include "device/action_runner.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>

CActionRunner::CActionRunner(CActionDlg& action) : action_(action)
{
    connect(&action_, &CActionDlg::searchFinished, this, [this] { Ended({true, ActionEnd::SearchDone}); });
    connect(&action_, &CActionDlg::sendFailed, this, [this](int socketError) {
        Ended({true, ActionEnd::SendFailed, CActionDlg::SaveResult::None, socketError});
    });
    connect(&action_, &CActionDlg::saveFinished, this, [this](CActionDlg::SaveResult result) {
        Ended({true, ActionEnd::SaveDone, result});
    });
    connect(&action_, &CActionDlg::messageRequested, this, [](CActionDlg::MessageRequest request) {
        WindowlessMessageBox(CActionDlg::MessageFor(request));
    });
}

void CActionRunner::Ended(ActionOutcome outcome)
{
    if (onEnd)
        onEnd(outcome);
    if (!outcome_)
        outcome_ = outcome;
    if (loop_ != nullptr)
        loop_->quit();
}

ActionOutcome CActionRunner::Run(const std::function<bool()>& start, int64_t waitLimitMs)
{
    outcome_.reset();
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
    QObject::connect(&settle, &QTimer::timeout, [this] {
        if (!outcome_)
            outcome_ = ActionOutcome{true, ActionEnd::SearchDone, CActionDlg::SaveResult::None, 0, true};
        if (loop_ != nullptr)
            loop_->quit();
    });
    action_.onReplyStored = [&settle, &enough] {
        if (!settle.isActive() && enough())
            settle.start(kSettleMs);
    };
    ActionOutcome outcome = Search(waitLimitMs);
    action_.onReplyStored = nullptr;
    return outcome;
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
