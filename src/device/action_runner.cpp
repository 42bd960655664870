#include "device/action_runner.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>

ActionRunner::ActionRunner(CameraActions& action, bool showMessages) : action_(action)
{
    connect(&action_, &CameraActions::searchFinished, this, [this] { Ended({true, ActionEnd::SearchDone}); });
    connect(&action_, &CameraActions::sendFailed, this, [this](int socketError) {
        Ended({true, ActionEnd::SendFailed, CameraActions::SaveResult::None, socketError});
    });
    connect(&action_, &CameraActions::saveFinished, this, [this](CameraActions::SaveResult result) {
        Ended({true, ActionEnd::SaveDone, result});
    });
    if (showMessages) {
        connect(&action_, &CameraActions::messageRequested, this, [](CameraActions::MessageRequest request) {
            WindowlessMessageBox(CameraActions::MessageFor(request));
        });
    }
}

void ActionRunner::Ended(ActionOutcome outcome)
{
    if (onEnd)
        onEnd(outcome);
    if (!outcome_)
        outcome_ = outcome;
    if (loop_ != nullptr)
        loop_->quit();
    if (running_) {
        // The engine's end is reported once its timers are stopped and its endpoint closed, so
        // that a listener may start the next action at once.
        running_ = false;
        action_.Stop();
        emit ended(outcome);
    }
}

bool ActionRunner::StartSearch(CameraActions::SearchEnd end)
{
    outcome_.reset();
    running_ = true;
    if (!action_.StartSearch(end))
        running_ = false;
    return running_ || outcome_.has_value();
}

void ActionRunner::StartSave(const CameraRecord& camera, std::optional<SaveFollowUp> followUp)
{
    outcome_.reset();
    running_ = true;
    action_.StartSave(camera, std::move(followUp));
}

void ActionRunner::Stop()
{
    action_.Stop();
    if (!running_)
        return;
    running_ = false;
    ActionOutcome stopped{true, ActionEnd::Stopped};
    emit ended(stopped);
}

ActionOutcome ActionRunner::Run(const std::function<bool()>& start, int64_t waitLimitMs)
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

ActionOutcome ActionRunner::Search(int64_t waitLimitMs)
{
    action_.EmptyFoundList();
    return Run([this] { return action_.StartSearch(); }, waitLimitMs);
}

ActionOutcome ActionRunner::SearchUntilQuiet(int64_t waitLimitMs)
{
    action_.EmptyFoundList();
    return Run([this] { return action_.StartSearch(CameraActions::SearchEnd::WhenQuiet); }, waitLimitMs);
}

ActionOutcome ActionRunner::SearchUntil(const std::function<bool()>& enough, int64_t waitLimitMs)
{
    QTimer settle;
    settle.setSingleShot(true);
    QObject::connect(&settle, &QTimer::timeout, [this] {
        if (!outcome_)
            outcome_ = ActionOutcome{true, ActionEnd::SearchDone, CameraActions::SaveResult::None, 0, true};
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

ActionOutcome ActionRunner::Save(const CameraRecord& camera, int64_t waitLimitMs,
                                 std::optional<SaveFollowUp> followUp)
{
    return Run(
        [this, &camera, &followUp] {
            action_.StartSave(camera, std::move(followUp));
            return true;
        },
        waitLimitMs);
}
