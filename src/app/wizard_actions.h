#pragma once
// WizardActions: the window's use of the device actions. A search fills the camera list as the
// cameras answer; once it has ended, and while the list is shown, the cameras are asked again
// every few seconds, so that one switched on later appears by itself. A save writes the chosen
// camera, with the follow-up that asks it again when its answers are lost, and a verifying search
// looks for it afterwards. The engine and its runner are owned here, and so is test mode's
// stand-in, which reads and writes the test file instead. Three records are kept apart: the list
// shown, which arriving answers change; the record the setting pages edit; and the record as it
// was found, which the save's follow-up compares against.
#include "app/test_mode_stand_in.h"
#include "device/action_runner.h"
#include "device/camera_actions.h"
#include "device/core/found_camera_list.h"
#include "platform/events/message_box_hook.h"
#include "platform/events/scaled_timer.h"
#include "skin/pack_lists.h"

#include <QObject>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class WaitCursor;

// A box the window shows for an action: one of the pack's messages, or the engine's own text.
struct ActionBox
{
    int kind = 0;       // the pack message's kind (skin/core/message_kind.h)
    int textNumber = 0; // the pack message's number
    std::optional<MessageBoxRequest> plain;
};

class WizardActions : public QObject
{
    Q_OBJECT

public:
    static constexpr int64_t kListenPeriodMs = 5000;
    static constexpr int64_t kVerifyMs = 1000;
    static constexpr int kVerifyTries = 3;

    explicit WizardActions(QObject* parent = nullptr);
    ~WizardActions() override;

    // Set once at start-up: test mode and its file, the types listed, and the addresses and
    // ranges each search asks besides its broadcast.
    void SetTestMode(bool on, const std::filesystem::path& testFile);
    void SetTargets(std::vector<std::string> addresses, std::vector<NamedRange> ranges);
    // The pack's strings, for the status texts.
    void SetStrings(const SkinStrings* strings) { strings_ = strings; }

    // A new search: the list is emptied, the ranges are swept, and the search ends by the
    // engine's quiet rule (test mode: after its delay).
    void StartSearch();
    // Ends the search now, keeping the cameras found so far, and pauses the asking again until
    // the next search.
    void StopSearch();
    // Whether the list is shown: only then are the cameras asked again after the search.
    void SetListening(bool shown);
    // Ends whatever runs, without a box (the window is closing).
    void StopAll();
    bool Searching() const { return activity_ == Activity::Searching; }
    bool Saving() const { return activity_ == Activity::Saving; }
    bool Verifying() const { return activity_ == Activity::Verifying; }

    // The cameras listed, in the order they first answered.
    const FoundCameraList& Listed() const { return listed_; }
    // Whether a camera's address lies outside every network of this computer (never in test mode).
    bool OutsideEveryNetwork(const CameraRecord& camera) const;

    // Takes the camera the user chose as the record the pages edit, and as found; choosing the
    // same camera again keeps the edits made so far.
    void Choose(const CameraRecord& camera);
    CameraRecord* Edited() { return edited_ ? &*edited_ : nullptr; }
    const CameraRecord* Edited() const { return edited_ ? &*edited_ : nullptr; }

    // Saves the edited record; saveEnded follows. False, with nothing started, without one.
    bool StartSave();
    // Stops the running save; the camera is asked once whether it took the settings.
    void StopSave();
    // Searches for the saved camera again, up to kVerifyTries ticks that heard any camera.
    void StartVerify();

    // What the save's box says while the camera has not answered; empty before that.
    QString SaveStatusText() const;
    // While ranges are swept: addresses asked of the total, cameras found, time left.
    QString SweepStatusText() const;

    CameraActions& Engine() { return engine_; }
    TestModeStandIn& StandIn() { return standIn_; }
    int VerifyTries() const { return verifyTries_; }

signals:
    // The list was emptied for a new search: every pointer into it is gone.
    void listCleared();
    void searchStarted();
    // A camera was added to the list, or a listed one changed.
    void cameraListed(const CameraRecord* camera);
    // The search ended (ActionEnd::SearchDone, Stopped or SendFailed); its box, if any, follows.
    void searchEnded(ActionEnd end);
    void sweepProgressed();
    void saveEnded(CameraActions::SaveResult result);
    // The verifying search ended; `found` is the camera as it answered, or null.
    void verifyEnded(CameraRecord* found);
    // At most one box per action.
    void boxRequested(const ActionBox& box);

private:
    enum class Activity
    {
        Idle,
        Searching,
        Listening,
        Saving,
        Verifying
    };

    void OnEnded(const ActionOutcome& outcome);
    void FinishSearch(const ActionOutcome& outcome);
    void List(const CameraRecord& camera);
    void ListAll(const CameraList& cameras);
    void Listen();
    void ResumeListening();
    void StopRunning();
    void OnVerifyTick();
    void FinishVerify(const CameraRecord* found);
    std::vector<std::string> VerifyTargets() const;
    void RequestBox(ActionBox box);

    CameraActions engine_;
    ActionRunner runner_{engine_, false};
    TestModeStandIn standIn_;
    const SkinStrings* strings_ = nullptr;
    bool testMode_ = false;
    std::vector<std::string> addresses_; // --to: cameras behind a router
    std::vector<NamedRange> ranges_;     // --to blocks and ranges, swept by each new search
    Activity activity_ = Activity::Idle;
    bool listShown_ = false;
    bool paused_ = false;
    bool listFull_ = false;
    bool boxShown_ = false;
    FoundCameraList listed_;
    std::optional<CameraRecord> edited_;
    std::optional<CameraRecord> asFound_;
    CameraRecord verified_;
    int verifyTries_ = 0;
    std::unique_ptr<WaitCursor> verifyCursor_;
    ScaledTimer listen_{this};
    ScaledTimer verifyTimer_{this};
};
