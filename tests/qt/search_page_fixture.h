#pragma once
// A search page inside a stand-in frame that records what the page asks of it, with a small
// language pack made in memory and helpers to build camera records and drive modal dialogs.
#include "device_ui/search_page.h"
#include "qt_test_support.h"
#include "skin/message_answer.h"
#include "skin/value_field.h"

#include <QLabel>

namespace search_test {

using namespace qt_test;

struct CameraTraits
{
    const char* name;
    std::array<uint8_t, 4> ip;
    uint16_t answered = CMD_QUERY_FULL;
    uint16_t firmware = 0x2500;
    const char* login = "admin";
    const char* password = "secret";
    uint8_t mac = 1;
};

inline std::unique_ptr<CameraRecord> MakeCamera(const CameraTraits& traits)
{
    auto camera = std::make_unique<CameraRecord>();
    camera->replyHeader.command = traits.answered;
    DeviceInfo& info = camera->info;
    info.Set(DeviceInfo::deviceType, 17);
    info.Set(DeviceInfo::firmwareVersion, traits.firmware);
    info.Set(DeviceInfo::macAddress, {0x00, 0x50, 0xc2, 0x10, 0x20, traits.mac});
    info.Set(DeviceInfo::cameraName, traits.name);
    info.Set(DeviceInfo::ipAddress, traits.ip);
    info.Set(DeviceInfo::subnetMask, {255, 255, 255, 0});
    info.Set(DeviceInfo::gateway, {traits.ip[0], traits.ip[1], traits.ip[2], 1});
    info.Set(DeviceInfo::date, "12/07/2026");
    info.Set(DeviceInfo::time, "09:15:00");
    info.Set(DeviceInfo::loginName, traits.login);
    info.Set(DeviceInfo::loginPassword, traits.password);
    info.Set(DeviceInfo::security, 1);
    camera->identity.FillFrom(info);
    return camera;
}

inline void ShowCameras(SearchPage& page, const SearchPage::CameraList& cameras)
{
    page.ForgetCameraList();
    page.SearchStarted();
    for (const CameraRecord* camera : cameras)
        page.CameraListed(camera);
    page.SearchEnded();
}

class SearchPageTest : public ::testing::Test, protected PageHost
{
protected:
    void SetUp() override
    {
        AddString(strings, 50801, QStringLiteral("OK"));
        AddString(strings, 50803, QStringLiteral("No web browser is set up."));
        AddString(strings, 50804, QStringLiteral("No camera was found."));
        for (int n = 50805; n <= 50809; ++n)
            AddString(strings, n, QStringLiteral("Socket error %1").arg(n));
        AddString(strings, 50810, QStringLiteral("The login name or password is wrong."));
        AddString(strings, 52510, QStringLiteral("%1 cameras found"));
        AddString(strings, 52513, QStringLiteral("Searching for cameras... %1 found"));
        Host(page);
    }

    void Add(const CameraTraits& traits) { cameras.AddTail(MakeCamera(traits)); }
    // The page lists every camera of `cameras` anew, as a search that found them all at once.
    void ListAll() { ShowCameras(page, cameras); }

    std::vector<QString> TreeNames() const { return qt_test::TreeNames(page.Tree()); }

    QString FieldText(int id) const { return page.Field(id)->text(); }

    QPoint ItemCentre(int row) const
    {
        return page.Tree()->visualItemRect(page.Tree()->topLevelItem(row)).center();
    }

    // Steps and actions reach the frame on the next turn of the loop.
    std::vector<Request> Received()
    {
        QCoreApplication::processEvents();
        return frame.received;
    }

    SearchPage::CameraList cameras;
    SearchPage page;
    MessageAnswer answers;
};

} // namespace search_test
