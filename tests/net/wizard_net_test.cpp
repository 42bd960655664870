// The wizard's whole path against the camera simulator, by clicks and typing: search, login,
// the setting pages, the save and the verifying search. The simulator's log must show exactly
// what was changed on the pages; a refusing and a silent camera leave the summary page up.
//
// CAMTIVO_WALK_SCALE=1 runs the walk at the product's own timing and prints the times from
// Start to the camera list and to the success message, and the process's peak memory.
#include "app/wizard_frame.h"
#include "device/core/camera_detail_text.h"
#include "device_ui/login_dialog.h"
#include "device_ui/search_status_strip.h"
#include "event_loop_wait.h"
#include "net_test_support.h"
#include "page_input.h"
#include "platform/core/time_scale.h"
#include "skin/message_answer.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <array>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

using namespace nettest;
using test_input::Click;
using test_input::Type;
using test_wait::SpinUntil;
using test_wait::WhenModal;

namespace {

constexpr double kWalkScale = 0.02; // a 400 ms search; a silent camera fails after 4.8 s

double WalkScale()
{
    const QByteArray value = qgetenv("CAMTIVO_WALK_SCALE");
    return value.isEmpty() ? kWalkScale : value.toDouble();
}

QString Dotted(const Ipv4Address& address)
{
    return QString::fromStdString(camera_text::DottedQuad(address));
}

// The settings the simulator logs, as the record holds them.
QJsonObject LoggedSettings(const DeviceInfo& info)
{
    const auto text = [&info](auto field) { return QString::fromLatin1(info.Get(field)); };
    return QJsonObject{
        {"cameraName", text(DeviceInfo::cameraName)},
        {"description", text(DeviceInfo::description)},
        {"date", text(DeviceInfo::date)},
        {"time", text(DeviceInfo::time)},
        {"timeZone", info.Get(DeviceInfo::timeZone)},
        {"fixedIp", info.Get(DeviceInfo::fixedIp)},
        {"ipAddress", Dotted(info.Get(DeviceInfo::ipAddress))},
        {"subnetMask", Dotted(info.Get(DeviceInfo::subnetMask))},
        {"gateway", Dotted(info.Get(DeviceInfo::gateway))},
        {"primaryDns", Dotted(info.Get(DeviceInfo::primaryDns))},
        {"secondaryDns", Dotted(info.Get(DeviceInfo::secondaryDns))},
        {"ssid", text(DeviceInfo::ssid)},
        {"security", info.Get(DeviceInfo::security)},
    };
}

struct Walk
{
    bool fixedAddress = false;
    int saveAnswer = 2;                                        // the save question's button
    std::array<const char*, 4> address{"10", "77", "0", "42"}; // typed on the IP page

    std::string Address() const
    {
        return std::string(address[0]) + "." + address[1] + "." + address[2] + "." + address[3];
    }
};

class WizardNet : public NetTest
{
protected:
    // Runs the wizard from Start to the save; returns the frame's modal result.
    int RunWalk(const Walk& walk)
    {
        PcNamespaceScope pc(pair);
        EXPECT_TRUE(pc.Entered());
        if (!pc.Entered())
            return -1;
        TimeScale::SetFactor(WalkScale());
        answers.SetNextAnswer(walk.saveAnswer);
        WizardFrame frame(commandLine);
        QTimer::singleShot(0, &frame, [&] {
            ASSERT_TRUE(SpinUntil([&] { return frame.PagesReady(); }, kWaitLimitMs));
            walkClock.start();
            Steps(frame, walk);
            if (frame.isVisible())
                frame.Finish(IDOK);
            elapsedMs = walkClock.elapsed();
        });
        const int result = frame.RunModal();
        TimeScale::SetFactor(1.0);
        return result;
    }

    void Steps(WizardFrame& frame, const Walk& walk)
    {
        const int64_t limit = static_cast<int64_t>(kWaitLimitMs + TimeScale::Scaled(300000));
        Click(frame.Main(), MainPage::IDC_START);
        ASSERT_TRUE(SpinUntil([&] { return frame.Search().Tree()->topLevelItemCount() > 0; }, limit));
        firstMs = walkClock.elapsed();
        ASSERT_TRUE(SpinUntil([&] { return frame.ShownStep() == 1 && !frame.Actions().Searching(); }, limit));
        QCoreApplication::processEvents();
        listMs = walkClock.elapsed();
        listed = frame.Actions().Listed().GetCount();
        ASSERT_NE(frame.Search().CurrentCamera(), nullptr);
        original = *frame.Search().CurrentCamera();
        markedOutside = frame.Actions().OutsideEveryNetwork(original);
        WhenModal<LoginDialog>([](LoginDialog& login) {
            Type(login, LoginDialog::IDC_LOGIN_NAME, "admin");
            Type(login, LoginDialog::IDC_LOGIN_PASSWORD, "admin");
            Click(login, LoginDialog::IDC_LOGIN_OK);
        });
        Click(frame.Search(), IDC_NEXT);
        ASSERT_TRUE(SpinUntil([&] { return frame.ShownStep() == 2; }, limit));
        Type(frame.Basic(), BasicSettingsPage::IDC_NAME, "Attic");
        Type(frame.Basic(), BasicSettingsPage::IDC_MONTH, "2");
        Type(frame.Basic(), BasicSettingsPage::IDC_DAY, "29");
        Type(frame.Basic(), BasicSettingsPage::IDC_YEAR, "2028");
        Type(frame.Basic(), BasicSettingsPage::IDC_HOUR, "12");
        Type(frame.Basic(), BasicSettingsPage::IDC_MINUTE, "15");
        frame.Basic().Item<QComboBox>(BasicSettingsPage::IDC_HALF_DAY)->setCurrentIndex(0);
        Click(frame.Basic(), IDC_NEXT);
        ASSERT_TRUE(SpinUntil([&] { return frame.ShownStep() == 3; }, limit));
        const int choice = walk.fixedAddress ? NetworkModePage::IDC_FIXED : NetworkModePage::IDC_DHCP;
        QTest::mouseClick(frame.Network().Control(choice), Qt::LeftButton);
        Click(frame.Network(), IDC_NEXT);
        if (walk.fixedAddress) {
            ASSERT_TRUE(SpinUntil([&] { return frame.ShownStep() == 4; }, limit));
            for (size_t i = 0; i < 4; ++i)
                Type(frame.Ip(), IpSettingsPage::kOctetIds[i], QString::fromLatin1(walk.address[i]));
            Click(frame.Ip(), IDC_NEXT);
        }
        ASSERT_TRUE(SpinUntil([&] { return frame.ShownStep() == 5; }, limit));
        Click(frame.Summary(), IDC_NEXT);
        SpinUntil(
            [&] { return !frame.isVisible() || (!frame.Actions().Searching() && answers.shown.size() >= 2); },
            limit);
        if (frame.isVisible())
            return;
        SpinUntil([&] { return !frame.Actions().Verifying(); }, limit);
        savedAgain = frame.Success().Found();
        if (savedAgain)
            foundAddress = Dotted(frame.SelectedCamera()->info.Get(DeviceInfo::ipAddress));
    }

    // The settings the pages must have written: the camera's own, with what the walk typed.
    QJsonObject Expected(const Walk& walk) const
    {
        QJsonObject expected = LoggedSettings(original.info);
        expected["cameraName"] = "Attic";
        expected["date"] = "02/29/2028";
        expected["time"] = "00:15:00";
        expected["fixedIp"] = walk.fixedAddress ? 1 : 0;
        if (walk.fixedAddress)
            expected["ipAddress"] = QString::fromStdString(walk.Address());
        return expected;
    }

    // The camera applied one set request, holding exactly what the walk changed.
    void ExpectSavedOnce(const Camsim& camsim, const Walk& walk) const
    {
        const auto applied = camsim.Events("applied");
        ASSERT_EQ(applied.size(), 1u);
        const QJsonObject settings = applied[0].value("settings").toObject();
        const QJsonObject expected = Expected(walk);
        for (const QString& key : expected.keys())
            EXPECT_EQ(settings.value(key), expected.value(key)) << key.toStdString();
    }

    QString commandLine = QStringLiteral("camtivo");
    MessageAnswer answers;
    CameraRecord original;
    bool savedAgain = false;
    QString foundAddress;
    QElapsedTimer walkClock;
    bool markedOutside = false; // the chosen camera's row says its address is on no network here
    int64_t firstMs = 0;        // Start to the first camera in the list
    int64_t listMs = 0;         // Start to the search's end
    size_t listed = 0;
    int64_t elapsedMs = 0;
};

std::vector<int> Kinds(const MessageAnswer& answers)
{
    std::vector<int> kinds;
    for (const SkinnedMessage& m : answers.shown)
        kinds.push_back(m.kind);
    return kinds;
}

} // namespace

TEST_F(WizardNet, EachVariantSavesWhatThePagesChangedAndIsFoundAgain)
{
    for (const char* variant : {"plain", "enc", "full"}) {
        for (const bool fixed : {false, true}) {
            SCOPED_TRACE(std::string(variant) + (fixed ? " fixed" : " dhcp"));
            answers.shown.clear();
            auto camsim = StartCamsim({"--variants", variant, "--ip", "10.77.0.30", "--gateway", "10.77.0.1"},
                                      std::string("walk-") + variant + (fixed ? "-fixed" : "-dhcp"));
            const Walk walk{fixed, 2};
            EXPECT_EQ(RunWalk(walk), IDOK);
            EXPECT_EQ(Kinds(answers), (std::vector<int>{3, 4}));
            ExpectSavedOnce(*camsim, walk);
            // The verifying search finds the camera by its MAC: at the address typed, or at the
            // one its DHCP server (here: its own interface) gave it.
            EXPECT_TRUE(savedAgain);
            EXPECT_EQ(foundAddress, fixed ? "10.77.0.42" : kCameraAddress);
            EXPECT_FALSE(markedOutside);
        }
    }
}

// "camtivo --to" lists a camera behind a router, saves it by its address and asks its new
// address in the verifying search.
TEST_F(WizardNet, ACameraBehindARouterIsListedSavedAndAskedAgainWithTo)
{
    const RouterLab lab = BuildRouterLab(pair);
    ASSERT_FALSE(lab.far.empty());
    ASSERT_TRUE(lab.AddAddresses({"10.88.0.42"}));
    auto camsim =
        StartCamsim({"--own-address", "--ip", "10.88.0.2", "--gateway", "10.88.0.1"}, "walk-far", lab.far);
    commandLine = QStringLiteral("camtivo /to:10.88.0.2");
    const Walk walk{true, 2, {"10", "88", "0", "42"}};
    EXPECT_EQ(RunWalk(walk), IDOK);
    EXPECT_EQ(Kinds(answers), (std::vector<int>{3, 4}));
    EXPECT_TRUE(markedOutside);
    ExpectSavedOnce(*camsim, walk);
    EXPECT_EQ(SetRequestsReceived(*camsim), 1u);
    // The wizard ends as the verifying search sends its queries: the simulator may log them later.
    const auto askedAtNewAddress = [&camsim] {
        int asked = 0;
        for (const QJsonObject& received : camsim->Events("received"))
            asked += received.value("to").toString() == "10.88.0.42" ? 1 : 0;
        return asked;
    };
    SpinUntil([&] { return askedAtNewAddress() >= 3; }, kWaitLimitMs);
    EXPECT_EQ(askedAtNewAddress(), 3);
}

TEST_F(WizardNet, ARefusedOrUnansweredSaveKeepsTheSummaryPage)
{
    // A camera that refuses with status 5, and one that answers searches but ignores every
    // set request (it gets the first and three repeats before the save gives up).
    for (const char* misbehaviour : {"--status", "--drop-first"}) {
        SCOPED_TRACE(misbehaviour);
        answers.shown.clear();
        const bool silent = std::string(misbehaviour) == "--drop-first";
        auto camsim = StartCamsim({misbehaviour, silent ? "9" : "5"}, std::string("walk") + misbehaviour);
        EXPECT_EQ(RunWalk({false, 2}), IDOK); // closed by the test, not by a save
        EXPECT_EQ(Kinds(answers), (std::vector<int>{3, 1}));
        EXPECT_TRUE(camsim->Events("applied").empty());
        int setRequests = 0;
        for (const auto& event : camsim->Events("received"))
            setRequests += event.value("size").toInt() > 29 ? 1 : 0;
        EXPECT_EQ(setRequests, silent ? 4 : 1);
    }
}

// Every answer to a set request is lost on its way back (a rule on the PC's link drops them):
// the camera applied the settings, so asked once more it holds them and the save succeeds.
TEST_F(WizardNet, ASaveWhoseAnswersAreLostSucceedsWhenTheCameraHoldsTheSettings)
{
    auto camsim = StartCamsim({"--variants", "plain"}, "walk-lost-answers");
    ASSERT_TRUE(LoseSetAnswers());
    EXPECT_EQ(RunWalk({false, 2}), IDOK);
    EXPECT_EQ(Kinds(answers), (std::vector<int>{3, 4}));
    EXPECT_FALSE(camsim->Events("applied").empty());
    EXPECT_TRUE(savedAgain);
}

// A flood of replies from more cameras than the list holds: the search still ends, the first
// 10,000 are listed, and the user is told that the rest were left out.
TEST_F(WizardNet, AFloodOfCamerasIsCutAtTheListLimitAndSaid)
{
    auto camsim = StartCamsim({"--count", "12000", "--variants", "plain"}, "flood");
    PcNamespaceScope pc(pair);
    ASSERT_TRUE(pc.Entered());
    // A 5-second search: a loaded machine's simulator may take the first 300 ms to answer at all.
    TimeScale::SetFactor(0.25);
    WizardFrame frame(QStringLiteral("camtivo"));
    QTimer::singleShot(0, &frame, [&] {
        ASSERT_TRUE(SpinUntil([&] { return frame.PagesReady(); }, kWaitLimitMs));
        Click(frame.Main(), MainPage::IDC_START);
        SpinUntil([&] { return frame.ShownStep() == 1 && !frame.Actions().Searching(); }, kWaitLimitMs);
        QCoreApplication::processEvents();
        EXPECT_EQ(frame.Actions().Listed().GetCount(), kMaxFoundCameras);
        frame.Finish(IDOK);
    });
    frame.RunModal();
    TimeScale::SetFactor(1.0);
    // A notice with cameras in the list: the list-full one, not the no-camera one.
    EXPECT_EQ(Kinds(answers), (std::vector<int>{2}));
}

// "camtivo /to:BLOCK" sweeps a routed /22 once, the search page's status strip counting the
// addresses asked in place of the usual words; the camera at the block's edge is saved to a new address and
// asked there, and the verification does not sweep the block again.
TEST_F(WizardNet, ARangeIsSweptOnceCountedInTheSearchBoxAndItsCameraSavedByAddress)
{
    const std::string block = BuildBlockLab(pair, false);
    ASSERT_FALSE(block.empty());
    auto camsim = StartCamsim(
        {"--own-address", "--ip", "10.20.3.254", "--mask", "255.255.252.0", "--gateway", "10.20.0.1"},
        "walk-block", block);
    commandLine = QStringLiteral("camtivo /to:10.20.0.0/22");
    QStringList counts;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&counts] {
        for (QWidget* widget : QApplication::allWidgets()) {
            const auto* strip = qobject_cast<SearchStatusStrip*>(widget);
            if (strip != nullptr && strip->Text().startsWith(QStringLiteral("Asked ")) &&
                !counts.contains(strip->Text()))
                counts.append(strip->Text());
        }
    });
    watch.start(5);
    const Walk walk{true, 2, {"10", "20", "2", "42"}};
    EXPECT_EQ(RunWalk(walk), IDOK);
    ExpectSavedOnce(*camsim, walk);
    ASSERT_FALSE(counts.isEmpty());
    EXPECT_TRUE(counts.front().startsWith(QStringLiteral("Asked "))) << counts.front().toStdString();
    EXPECT_TRUE(counts.front().contains(QStringLiteral(" of 1022 addresses")))
        << counts.front().toStdString();
    const auto queries = [&camsim](bool toCamera) {
        size_t n = 0;
        for (const QJsonObject& received : camsim->Events("received")) {
            const QString to = received.value("to").toString();
            n += (to == "10.20.3.254" || to == "10.20.2.42") == toCamera ? 1 : 0;
        }
        return n;
    };
    SpinUntil([&] { return queries(true) >= 9; }, kWaitLimitMs);
    EXPECT_EQ(queries(false), 1020u * 3);
}

// CAMTIVO_WALK_SCALE=1: the window's search of a routed /22 holding 20 cameras, Start to the
// camera list.
TEST_F(WizardNet, RangeWalkFigures)
{
    if (qEnvironmentVariableIsEmpty("CAMTIVO_WALK_SCALE"))
        GTEST_SKIP() << "set CAMTIVO_WALK_SCALE=1 to measure the search of a /22 at the product's timing";
    const std::string block = BuildBlockLab(pair, false);
    ASSERT_FALSE(block.empty());
    auto camsim = StartCamsim({"--own-address", "--ip", "10.20.0.1", "--count", "20", "--ip-step", "51"},
                              "walk-block", block);
    commandLine = QStringLiteral("camtivo /to:10.20.0.0/22");
    EXPECT_EQ(RunWalk({false, 2}), IDOK);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf(
        "range walk: /22, %zu of 20 cameras listed, Start to the first camera %.2f s, to the search's end "
        "%.1f s, peak memory %ld MB\n",
        listed, static_cast<double>(firstMs) / 1000.0, static_cast<double>(listMs) / 1000.0,
        usage.ru_maxrss / 1024);
}

TEST_F(WizardNet, WalkFigures)
{
    if (qEnvironmentVariableIsEmpty("CAMTIVO_WALK_SCALE"))
        GTEST_SKIP() << "set CAMTIVO_WALK_SCALE=1 to measure the walk at the product's timing";
    auto camsim = StartCamsim({"--variants", "full"}, "walk-figures");
    EXPECT_EQ(RunWalk({false, 2}), IDOK);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("walk: Start to the first camera in the list %.2f s, to the search's end %.1f s, to success "
                "message %.1f s, peak memory %ld MB\n",
                static_cast<double>(firstMs) / 1000.0, static_cast<double>(listMs) / 1000.0,
                static_cast<double>(elapsedMs) / 1000.0, usage.ru_maxrss / 1024);
}
