#include "device/core/saved_settings.h"

#include <gtest/gtest.h>

namespace {

// A record asked for again after a save whose answers were lost: what it must hold to count
// as saved, and what it may differ in.
TEST(SavedSettings, TheRecordTellsWhetherTheSaveWasApplied)
{
    DeviceInfo before;
    before.Set(DeviceInfo::cameraName, "Door");
    before.Set(DeviceInfo::time, "08:15:00");
    DeviceInfo sent = before;
    sent.Set(DeviceInfo::cameraName, "Hall");
    sent.Set(DeviceInfo::time, "09:00:00");
    DeviceInfo applied = sent;
    applied.Set(DeviceInfo::time, "09:00:07"); // the camera's clock has moved on
    DeviceInfo ignored = before;
    ignored.Set(DeviceInfo::time, "08:15:07");
    DeviceInfo clockOnly = before;
    clockOnly.Set(DeviceInfo::time, "09:00:00");

    EXPECT_TRUE(HoldsChangedSettings(before, sent, applied));
    EXPECT_FALSE(HoldsChangedSettings(before, sent, ignored));
    // A save that changed only the clock cannot be told from the record.
    EXPECT_FALSE(HoldsChangedSettings(before, clockOnly, clockOnly));
    // A key the save changed differs byte for byte, not only as text.
    DeviceInfo key = sent;
    key.Get(DeviceInfo::wepKeys)[12] = 0x5A;
    EXPECT_FALSE(HoldsChangedSettings(before, key, applied));
}

} // namespace
