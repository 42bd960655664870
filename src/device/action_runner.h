#pragma once
// ActionRunner: runs the engine's device actions and tells how each ended. Started with
// StartSearch or StartSave it returns at once and emits `ended` when the action ends, or when it
// is stopped; the blocking calls (Search, Save, ...) wait for the end in a nested event loop while
// timers and socket arrivals keep being handled (the command line, tests). Either way the engine's
// timers are stopped and its endpoint closed once the action has ended. Unless the owner takes
// them (TakeMessages), the boxes the engine asks for go where a windowless program's boxes go
// (WindowlessMessageBox).
#include "device/camera_actions.h"
#include "device/core/save_follow_up.h"

#include <QObject>
#include <functional>
#include <optional>

// How an action ended.
enum class ActionEnd
{
    None,       // nothing ended it within the wait limit
    SearchDone, // the search ran its length (or went quiet, or found what it was run for)
    SendFailed, // a search query could not be sent
    SaveDone,   // the save ended; its SaveResult says how
    Stopped     // the owner stopped the action before it ended
};

struct ActionOutcome
{
    bool started = false; // false when the action could not begin (nothing to wait for)
    ActionEnd end = ActionEnd::None;
    CameraActions::SaveResult saveResult = CameraActions::SaveResult::None; // of SaveDone
    int socketError = 0;                                                    // of SendFailed
    bool endedEarly = false; // a search stopped because it had found what it was run for

    bool Saved() const { return end == ActionEnd::SaveDone && CameraActions::IsSaved(saveResult); }
};

class ActionRunner : public QObject
{
    Q_OBJECT

public:
    // `showMessages`: the engine's boxes are shown as a windowless program shows them; a window
    // that shows its own boxes passes false and listens to the engine itself.
    explicit ActionRunner(CameraActions& action, bool showMessages = true);

    // Starts a search or a save and returns at once; false when the action could not begin.
    // `ended` follows, once.
    bool StartSearch(CameraActions::SearchEnd end = CameraActions::SearchEnd::FullLength);
    void StartSave(const class CameraRecord& camera, std::optional<SaveFollowUp> followUp = std::nullopt);
    // Ends the running action, if any, and emits `ended` with ActionEnd::Stopped.
    void Stop();
    bool Running() const { return running_; }

    // Runs a search and returns how it ended. `waitLimitMs` (real time, unscaled) bounds the
    // wait when positive; an action that outlives it is stopped and reported as ActionEnd::None.
    ActionOutcome Search(int64_t waitLimitMs = 0);
    // Runs a search that ends once the cameras have gone quiet, as the window's search does.
    ActionOutcome SearchUntilQuiet(int64_t waitLimitMs = 0);
    // Runs a search that also ends, as if done, shortly after `enough` first holds for the found
    // list; the search length still bounds it when it never does.
    ActionOutcome SearchUntil(const std::function<bool()>& enough, int64_t waitLimitMs = 0);
    // Runs a save of `camera`, with its follow-up when given (see CameraActions::StartSave).
    ActionOutcome Save(const class CameraRecord& camera, int64_t waitLimitMs = 0,
                       std::optional<SaveFollowUp> followUp = std::nullopt);

    // A camera answers each of the three queries of a search, and the last reply stored decides
    // how it is saved; on a LAN the later replies follow the first within this time (real time).
    static constexpr int kSettleMs = 150;

    // Every end the engine reported, in order, including those after the first (a search's send
    // error, then nothing else, ...); the boxes it asks for are not among them.
    std::function<void(const ActionOutcome&)> onEnd;

signals:
    void ended(const ActionOutcome& outcome);

private:
    ActionOutcome Run(const std::function<bool()>& start, int64_t waitLimitMs);
    void Ended(ActionOutcome outcome);

    CameraActions& action_;
    std::optional<ActionOutcome> outcome_;
    class QEventLoop* loop_ = nullptr;
    bool running_ = false; // an action started by StartSearch or StartSave has not ended
};
