#include "app/about_dialog.h"
#include "camtivo_version.h"
#include "frame_fixture.h"
#include "skin/skin_draw.h"

#include <QLabel>
#include <QPushButton>

using namespace frame_test;

TEST_F(FrameTest, StartShowsTheSearchPageWhoseFirstVisitAloneSearches)
{
    InstallPack();
    ProgressCounter progress;
    Run(QStringLiteral("camtivo /TestMode"), [&](WizardFrame& wizard) {
        int searches = 0;
        QObject::connect(&wizard.Actions(), &WizardActions::searchStarted, [&] { ++searches; });
        EXPECT_TRUE(wizard.TestMode());
        EXPECT_TRUE(wizard.Main().isVisible());
        QTest::mouseClick(wizard.Main().Control(MainPage::IDC_START), Qt::LeftButton);
        // The page is there at once, listing the cameras while its search still runs.
        ASSERT_TRUE(SpinUntil([&] { return wizard.Search().isVisible(); }));
        QTest::qWait(2 * SearchPage::kRowBatchMs);
        EXPECT_TRUE(wizard.Actions().Searching());
        SavePng(wizard.grab().toImage(), QStringLiteral("frame_search_page_searching.png"));
        EXPECT_EQ(TreeNames(wizard.Search().Tree()), DemoNames());
        EXPECT_FALSE(wizard.Main().isVisible());
        ASSERT_NE(wizard.Search().CurrentCamera(), nullptr);
        EXPECT_TRUE(wizard.Actions().Listed().Records().Contains(wizard.Search().CurrentCamera()));
        ASSERT_TRUE(SpinUntil([&] { return !wizard.Actions().Searching(); }));
        SavePng(wizard.grab().toImage(), QStringLiteral("frame_search_page.png"));

        // Back to the main page and on again: no second search.
        QTimer::singleShot(0, &wizard, [&wizard] { wizard.TakeStep(Navigation::Back); });
        SpinUntil([&] { return wizard.ShownStep() == 0; });
        EXPECT_TRUE(wizard.Main().isVisible());
        StartSearch(wizard);
        EXPECT_EQ(searches, 1);
        // The Search button searches again, and the list is the file's again.
        QTest::mouseClick(wizard.Search().Control(SearchPage::IDC_SEARCH), Qt::LeftButton);
        SpinUntil([&] { return searches == 2 && !wizard.Actions().Searching(); });
        EXPECT_EQ(TreeNames(wizard.Search().Tree()), DemoNames());
    });
    EXPECT_EQ(progress.shown, 0); // no box hides the page
    EXPECT_TRUE(answers.shown.empty());
    EXPECT_TRUE(plainAnswers.shown.empty());
}

// Stop keeps the rows found so far and pauses the asking again; Next during a search ends it
// and goes on with the chosen camera.
TEST_F(FrameTest, StopKeepsTheRowsFoundAndNextDuringASearchGoesOnWithTheChosenCamera)
{
    InstallPack();
    Run(QStringLiteral("camtivo /testmode"), [&](WizardFrame& wizard) {
        QTest::mouseClick(wizard.Main().Control(MainPage::IDC_START), Qt::LeftButton);
        QTreeWidget* tree = wizard.Search().Tree();
        ASSERT_TRUE(SpinUntil([&] { return tree->topLevelItemCount() > 0; }));
        QTest::mouseClick(wizard.Search().Control(SearchPage::IDC_SEARCH), Qt::LeftButton); // Stop
        EXPECT_FALSE(wizard.Actions().Searching());
        EXPECT_EQ(TreeNames(tree), DemoNames());
        QFile::remove(QStringLiteral("Camtivo.tst"));
        QTest::qWait(static_cast<int>(TimeScale::Scaled(WizardActions::kListenPeriodMs) * 2));
        EXPECT_EQ(TreeNames(tree), DemoNames());

        QFile::copy(DemoDir() + QStringLiteral("/Camtivo.tst"), QStringLiteral("Camtivo.tst"));
        wizard.RunSearch();
        ASSERT_TRUE(SpinUntil([&] { return tree->topLevelItemCount() > 0; }));
        tree->setCurrentItem(tree->topLevelItem(tree->topLevelItemCount() - 1));
        CameraRecord* chosen = wizard.Search().CurrentCamera();
        chosen->loginRequired = 0;
        QTest::mouseClick(wizard.Search().Control(IDC_NEXT), Qt::LeftButton);
        ASSERT_TRUE(SpinUntil([&] { return wizard.ShownStep() == 2; }));
        EXPECT_FALSE(wizard.Actions().Searching());
        EXPECT_EQ(wizard.SelectedCamera()->info.Get(DeviceInfo::macAddress),
                  chosen->info.Get(DeviceInfo::macAddress));
    });
    EXPECT_TRUE(answers.shown.empty());
}

TEST_F(FrameTest, NavigationIgnoresRequestsItCannotServe)
{
    Run(QStringLiteral("camtivo /testmode"), [&](WizardFrame& wizard) {
        // Back on the main page and an empty request change nothing.
        for (const Navigation request : {Navigation::Back, Navigation::None}) {
            wizard.TakeStep(request);
            EXPECT_EQ(wizard.Step(), 0);
            EXPECT_TRUE(wizard.Main().isVisible());
        }
        StartSearch(wizard);
        // Without a camera on the search page, Next leads nowhere.
        QFile::remove(QStringLiteral("Camtivo.tst"));
        wizard.RunSearch();
        ASSERT_EQ(wizard.Search().CurrentCamera(), nullptr);
        wizard.TakeStep(Navigation::Next);
        EXPECT_EQ(wizard.Step(), 1);
        EXPECT_TRUE(wizard.Search().isVisible());
    });
}

TEST(FrameBeforePages, ANavigationRequestBeforeThePagesExistIsDropped)
{
    WizardFrame wizard(QStringLiteral("camtivo /testmode"));
    wizard.TakeStep(Navigation::Next);
    EXPECT_EQ(wizard.Step(), 0);
    EXPECT_EQ(wizard.ShownStep(), 0);
}

TEST_F(FrameTest, ASearchEndsWithANoticeOfWhyTheListIsEmptyOrFull)
{
    InstallPack();
    const struct
    {
        bool sendError;
        int code;
        int expectedText;
        qint64 fileSize = -1; // a test camera file of this many bytes, or none
        size_t sections = 0;  // and this many one-blank sections after its bytes
    } cases[] = {{false, 0, 50804},
                 {true, 10060, 50806},
                 {true, 10064, 50807},
                 {true, 10065, 50808},
                 {true, 11001, 50809},
                 {true, 10051, 50805},
                 {true, 0, 50841, static_cast<qint64>(kMaxTestFileBytes) + 1},
                 {false, 0, 50842, 0, kMaxTestFileCameras + 1}};
    for (const auto& c : cases) {
        answers.shown.clear();
        QFile::remove(QStringLiteral("Camtivo.tst"));
        if (c.fileSize >= 0) {
            QFile file(QStringLiteral("Camtivo.tst"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(c.fileSize) && file.seek(c.fileSize));
            for (size_t n = 1; n <= c.sections; ++n)
                file.write(QStringLiteral("<Camera_%1> </Camera_%1>").arg(n).toLatin1());
        }
        Run(QStringLiteral("camtivo /testmode"), [&](WizardFrame& wizard) {
            if (c.sendError && c.fileSize < 0) {
                // The action reports a failed send while the search runs.
                QObject::connect(
                    &wizard.Actions(), &WizardActions::searchStarted, &wizard,
                    [&] {
                        emit wizard.Actions().StandIn().ended({true, ActionEnd::SendFailed, {}, c.code});
                    },
                    Qt::QueuedConnection);
            }
            StartSearch(wizard);
            EXPECT_EQ(wizard.Actions().Listed().GetCount(), std::min(c.sections, kMaxTestFileCameras));
        });
        const QString expected = SkinString(&frame->PackStrings(), c.expectedText);
        SCOPED_TRACE(c.expectedText);
        ASSERT_EQ(answers.shown.size(), 1u);
        EXPECT_EQ(answers.shown[0].kind, c.sendError ? 1 : 2);
        EXPECT_EQ(answers.shown[0].message, expected);
        EXPECT_FALSE(expected.isEmpty());
    }
}

TEST_F(FrameTest, TheSaveBoxClosesWhenTheSaveEndsAndNotBefore)
{
    InstallPack();
    Run(QStringLiteral("camtivo /testmode"), [&](WizardFrame& wizard) {
        StartSearch(wizard);
        wizard.TakeStep(Navigation::Next);
        bool upWhileRunning = false;
        bool closedAtEnd = false;
        WhenModal<ProgressDialog>([&](ProgressDialog& progress) {
            wizard.Actions().StandIn().Delay().stop();
            wizard.close(); // a desktop close request waits for the save
            QTest::qWait(50);
            upWhileRunning = progress.isVisible() && wizard.isVisible();
            emit wizard.Actions().StandIn().ended(
                {true, ActionEnd::SaveDone, CameraActions::SaveResult::Refused});
            closedAtEnd = !progress.isVisible();
        });
        wizard.RunSave();
        EXPECT_TRUE(upWhileRunning);
        EXPECT_TRUE(closedAtEnd);
        EXPECT_EQ(Kinds(), std::vector<int>{1});
    });
}

TEST_F(FrameTest, LoadSkinReRendersEveryPageFromTheNewPack)
{
    Run(QStringLiteral("camtivo /testmode"), [&](WizardFrame& wizard) {
        EXPECT_TRUE(wizard.PackStrings().IsEmpty());
        const QColor blank = wizard.Main().Canvas().pixelColor(300, 5);
        EXPECT_EQ(blank, QColor(Qt::black));

        // The counter lives only in this script, but the pages render after it (as the window
        // closes): the connections end with the script.
        int rendered = 0;
        QObject counting;
        std::vector<SkinnedDialog*> pages(wizard.Pages().begin(), wizard.Pages().end());
        pages.push_back(&wizard.Language());
        for (SkinnedDialog* page : pages)
            QObject::connect(page, &SkinnedDialog::rendered, &counting, [&rendered] { ++rendered; });
        InstallPack();
        QTest::mouseClick(wizard.Main().Control(MainPage::IDC_LOAD_SKIN_BUTTON), Qt::LeftButton);

        EXPECT_FALSE(wizard.PackStrings().IsEmpty());
        // The language page twice, then every other page once.
        EXPECT_EQ(rendered, 2 + static_cast<int>(wizard.Pages().size()));
        // Every page, on a step or not, exists and is drawn from the new pack: with the
        // language page, sixteen.
        EXPECT_EQ(wizard.Pages().size(), 15u);
        for (const SkinnedDialog* page : wizard.Pages()) {
            EXPECT_TRUE(page->IsInitialised()) << page->SectionName().toStdString();
            EXPECT_EQ(page->Canvas().pixelColor(300, 5), QColor(100, 122, 208))
                << page->SectionName().toStdString();
        }
        EXPECT_NE(wizard.Main().Canvas().pixelColor(300, 5), blank);
        EXPECT_NE(wizard.Search().Canvas().pixelColor(300, 5), blank);
    });
}

// A page's background is decoded and drawn when the page is first shown: at start only the
// main page's, and the search page's once Start shows it; pages never shown cost no pixels.
TEST_F(FrameTest, OnlyThePagesShownDecodeTheirPictures)
{
    InstallPack();
    Run(QStringLiteral("camtivo /testmode"), [&](WizardFrame& wizard) {
        const auto decoded = [&wizard](int number) {
            for (const SkinBitmap* bitmap : wizard.PackBitmaps())
                if (bitmap->number == number)
                    return bitmap->Decoded();
            return false;
        };
        wizard.grab();
        EXPECT_TRUE(decoded(111));
        for (const int hidden : {101, 121, 131, 171, 191, 211, 251, 261})
            EXPECT_FALSE(decoded(hidden)) << hidden;
        StartSearch(wizard);
        wizard.grab();
        EXPECT_TRUE(decoded(171));
        EXPECT_FALSE(decoded(191));
    });
}

// The pages edit a copy of the chosen camera: a new list leaves it and its edits alone, and the
// list's record stays as the camera answered.
TEST_F(FrameTest, ThePagesEditACopyThatNewAnswersLeaveAlone)
{
    Run(QStringLiteral("camtivo /testmode"), [&](WizardFrame& wizard) {
        StartSearch(wizard);
        QTreeWidget* tree = wizard.Search().Tree();
        tree->setCurrentItem(tree->topLevelItem(tree->topLevelItemCount() - 1));
        CameraRecord* chosen = wizard.Search().CurrentCamera();
        ASSERT_NE(chosen, nullptr);
        const std::string name = chosen->info.Get(DeviceInfo::cameraName);
        wizard.TakeStep(Navigation::Next);
        ASSERT_EQ(wizard.Step(), 2);
        ASSERT_NE(wizard.SelectedCamera(), nullptr);
        ASSERT_NE(wizard.SelectedCamera(), chosen);
        wizard.SelectedCamera()->info.Set(DeviceInfo::cameraName, "Edited");
        EXPECT_EQ(chosen->info.Get(DeviceInfo::cameraName), name);

        wizard.RunSearch();
        ASSERT_TRUE(SpinUntil([&] { return !wizard.Actions().Searching(); }));
        EXPECT_EQ(wizard.SelectedCamera()->info.Get(DeviceInfo::cameraName), "Edited");
        // Back to the list and on with the same camera: the edits are still there.
        wizard.TakeStep(Navigation::Back);
        tree->setCurrentItem(tree->topLevelItem(tree->topLevelItemCount() - 1));
        wizard.TakeStep(Navigation::Next);
        EXPECT_EQ(wizard.SelectedCamera()->info.Get(DeviceInfo::cameraName), "Edited");
    });
}

TEST_F(FrameTest, ATestModeSaveWritesTheFileVerifiesAndEndsTheWizard)
{
    InstallPack();
    const int result = Run(QStringLiteral("camtivo /testmode"), [&](WizardFrame& wizard) {
        StartSearch(wizard);
        wizard.TakeStep(Navigation::Next);
        ASSERT_NE(wizard.SelectedCamera(), nullptr);
        wizard.SelectedCamera()->info.Set(DeviceInfo::cameraName, "Renamed");
        const MacAddress mac = wizard.SelectedCamera()->info.Get(DeviceInfo::macAddress);
        // The verification's ticks arrive while the success message is up.
        answers.SetDefaultAnswer(1);
        wizard.RunSave();
        SpinUntil([&] { return !wizard.Actions().Verifying(); });
        // The success page has the camera as found again.
        EXPECT_TRUE(wizard.Success().Found());
        ASSERT_NE(wizard.Success().Record(), nullptr);
        EXPECT_EQ(wizard.Success().Record()->info.Get(DeviceInfo::macAddress), mac);
        EXPECT_EQ(wizard.Success().Record()->info.Get(DeviceInfo::cameraName), "Renamed");
    });
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(Kinds(), std::vector<int>{4});
    CameraList saved;
    ReadTestFile(std::filesystem::path(u"Camtivo.tst"), saved);
    const std::vector<QString> names = CameraNames(saved);
    EXPECT_NE(std::find(names.begin(), names.end(), "Renamed"), names.end());
}

TEST_F(FrameTest, ASaveThatCannotBeWrittenSaysSoAndStays)
{
    InstallPack();
    Run(QStringLiteral("camtivo /testmode"), [&](WizardFrame& wizard) {
        StartSearch(wizard);
        wizard.TakeStep(Navigation::Next);
        ASSERT_NE(wizard.SelectedCamera(), nullptr);
        // The file's place is taken by a folder: it cannot be written.
        QFile::remove(QStringLiteral("Camtivo.tst"));
        QDir().mkdir(QStringLiteral("Camtivo.tst"));
        wizard.RunSave();
        EXPECT_EQ(Kinds(), std::vector<int>{1});
        EXPECT_EQ(wizard.Step(), 2);
        EXPECT_TRUE(wizard.isVisible());
    });
}

TEST_F(FrameTest, ShowAllMessagesEndsWithTheFramesOwn)
{
    InstallPack();
    Run(QStringLiteral("camtivo /testmode"), [&](WizardFrame& wizard) {
        QTest::mouseClick(wizard.Main().Control(MainPage::IDC_SHOW_ALL), Qt::LeftButton);
        EXPECT_EQ(answers.shown.front().kind, 3); // the main page's first
        // The setting pages' boxes follow the search page's, then the success page's, then the
        // frame's own.
        const SkinStrings* pack = &wizard.PackStrings();
        const auto box = [pack](int kind, int text, int button1, int button2 = 0) {
            return SkinnedMessage{kind, SkinString(pack, text), SkinString(pack, button1),
                                  button2 != 0 ? SkinString(pack, button2) : QString(), QString()};
        };
        std::vector<SkinnedMessage> tail;
        for (int n = 50903; n <= 50912; ++n)
            tail.push_back(box(1, n, 50801));
        for (int n = 51102; n <= 51115; ++n)
            tail.push_back(box(1, n, 50801));
        tail.push_back(box(3, 51201, 51221, 51220)); // Cancel, Save
        tail.push_back(box(4, 51202, 50801));
        tail.push_back(box(1, 51203, 50801));
        for (int n = 51402; n <= 51405; ++n)
            tail.push_back(box(1, n, 51401)); // the wireless security page's, after the summary's
        tail.push_back(box(3, 51604, 51601, 51602));
        for (int n = 51605; n <= 51608; ++n)
            tail.push_back(box(1, n, 51602));
        tail.push_back(box(1, 59999, 50801));
        ASSERT_GT(answers.shown.size(), tail.size());
        EXPECT_EQ(std::vector<SkinnedMessage>(answers.shown.end() - static_cast<long>(tail.size()),
                                              answers.shown.end()),
                  tail);
    });
}

TEST_F(FrameTest, ADesktopCloseRequestDuringASearchStopsItAndEndsTheWizard)
{
    const int result = Run(QStringLiteral("camtivo /testmode"), [&](WizardFrame& wizard) {
        QTest::mouseClick(wizard.Main().Control(MainPage::IDC_START), Qt::LeftButton);
        ASSERT_TRUE(SpinUntil([&] { return wizard.Actions().Searching(); }));
        wizard.close();
        EXPECT_FALSE(wizard.Actions().Searching());
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(FrameTest, DragMovesTheWindowByThePointersTravel)
{
    Run(QStringLiteral("camtivo"), [&](WizardFrame& wizard) {
        EXPECT_FALSE(wizard.TestMode());
        const QPoint start = wizard.pos();
        // A press on the page's background starts the drag.
        QTest::mousePress(&wizard.Main(), Qt::LeftButton, {}, QPoint(10, 10));
        EXPECT_EQ(wizard.DragFlags() & 0x0401u, 0x0401u);
        SendMouse(&wizard, QEvent::MouseMove, QPoint(30, 25), Qt::NoButton, Qt::LeftButton);
        EXPECT_EQ(wizard.pos(), start + QPoint(20, 15));
        SendMouse(&wizard, QEvent::MouseButtonRelease, QPoint(30, 25), Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(wizard.DragFlags() & 0x03FFu, 0u);
        SendMouse(&wizard, QEvent::MouseMove, QPoint(60, 60), Qt::NoButton, Qt::NoButton);
        EXPECT_EQ(wizard.pos(), start + QPoint(20, 15));
    });
}

TEST_F(FrameTest, TheSystemMenusAboutBoxNamesTheVersion)
{
    Run(QStringLiteral("camtivo"), [&](WizardFrame& wizard) {
        QString text;
        WhenModal<AboutDialog>([&](AboutDialog& about) {
            for (QLabel* label : about.findChildren<QLabel*>())
                text += label->text() + QLatin1Char('\n');
            EXPECT_EQ(about.windowTitle(), "About Camtivo");
            SavePng(about.grab().toImage(), QStringLiteral("about_box.png"));
            QTest::mouseClick(qobject_cast<QPushButton*>(about.Control(IDOK)), Qt::LeftButton);
        });
        wizard.OnSysCommand(16);
        EXPECT_TRUE(text.contains(QStringLiteral("Camtivo version ") + kCamtivoVersion));
        wizard.OnSysCommand(32); // not the About box's: nothing opens
        EXPECT_EQ(QApplication::activeModalWidget(), &wizard);
    });
}

TEST_F(FrameTest, TheVerificationCountsOnlyTicksThatHeardCamerasAndGivesUpAfterThree)
{
    Run(QStringLiteral("camtivo /testmode"), [&](WizardFrame& wizard) {
        StartSearch(wizard);
        QTreeWidget* tree = wizard.Search().Tree();
        tree->setCurrentItem(tree->topLevelItem(tree->topLevelItemCount() - 1));
        // The file numbers its cameras: a file of one camera holds only the first number.
        const CameraRecord* first = wizard.Actions().Listed().Records().GetHead();
        ASSERT_NE(wizard.Search().CurrentCamera(), first);
        CameraList others;
        others.AddTail(std::make_unique<CameraRecord>(*first));
        wizard.TakeStep(Navigation::Next);
        ASSERT_EQ(wizard.Step(), 2);

        // Nothing heard yet: ticks go by without counting.
        QFile::remove(QStringLiteral("Camtivo.tst"));
        wizard.Actions().StartVerify();
        QTest::qWait(static_cast<int>(TimeScale::Scaled(WizardActions::kVerifyMs) * 5));
        EXPECT_EQ(wizard.Actions().VerifyTries(), 0);
        EXPECT_TRUE(wizard.Actions().Verifying());

        // Other cameras answer, the saved one never does: three counted ticks, then it ends.
        ASSERT_TRUE(WriteTestFile(std::filesystem::path(u"Camtivo.tst"), others));
        EXPECT_TRUE(SpinUntil([&] { return !wizard.Actions().Verifying(); }));
        EXPECT_EQ(wizard.Actions().VerifyTries(), 3);
        EXPECT_FALSE(wizard.Success().Found());
    });
}
