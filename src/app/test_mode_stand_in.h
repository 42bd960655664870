#pragma once
// TestModeStandIn: what stands for the network in test mode. A search reads the cameras of the
// test file and a save writes the list back to it; either then takes the test delay, so that the
// wizard's waits are seen as with cameras, and ends as the engine's runner ends: with `ended`.
#include "app/core/test_mode_file.h"
#include "device/action_runner.h"
#include "platform/events/scaled_timer.h"

#include <QObject>
#include <filesystem>

class TestModeStandIn : public QObject
{
    Q_OBJECT

public:
    static constexpr int64_t kDelayMs = 10000;

    explicit TestModeStandIn(QObject* parent = nullptr);

    void SetFile(std::filesystem::path path) { path_ = std::move(path); }
    // Reads the file's cameras into `cameras` (replacing what it held) without starting anything.
    TestFileRead Read(CameraList& cameras) const;
    // Reads the file into `cameras`; the search ends after the delay. A file too large to read
    // starts nothing.
    TestFileRead StartSearch(CameraList& cameras);
    // Writes `cameras` to the file; the save ends after the delay, saved when the write succeeded.
    void StartSave(const CameraList& cameras);
    // Ends the running search or save, if any, with ActionEnd::Stopped.
    void Stop();
    bool Running() const { return delay_.isActive(); }
    // The delay, for tests that end it themselves.
    ScaledTimer& Delay() { return delay_; }

signals:
    void ended(const ActionOutcome& outcome);

private:
    void Start(ActionOutcome outcome);

    std::filesystem::path path_;
    ActionOutcome pending_;
    ScaledTimer delay_{this, true};
};
