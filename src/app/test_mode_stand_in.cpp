#include "app/test_mode_stand_in.h"

TestModeStandIn::TestModeStandIn(QObject* parent) : QObject(parent)
{
    connect(&delay_, &QTimer::timeout, this, [this] { emit ended(pending_); });
}

TestFileRead TestModeStandIn::Read(CameraList& cameras) const
{
    return ReadTestFile(path_, cameras);
}

TestFileRead TestModeStandIn::StartSearch(CameraList& cameras)
{
    const TestFileRead read = Read(cameras);
    if (read != TestFileRead::TooLarge)
        Start({true, ActionEnd::SearchDone});
    return read;
}

void TestModeStandIn::StartSave(const CameraList& cameras)
{
    const bool written = WriteTestFile(path_, cameras);
    using Result = CameraActions::SaveResult;
    Start({true, ActionEnd::SaveDone, written ? Result::Saved : Result::Refused});
}

void TestModeStandIn::Stop()
{
    if (!delay_.isActive())
        return;
    delay_.stop();
    emit ended({true, ActionEnd::Stopped});
}

void TestModeStandIn::Start(ActionOutcome outcome)
{
    pending_ = outcome;
    delay_.Start(kDelayMs);
}
