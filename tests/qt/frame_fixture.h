#pragma once
// The whole wizard frame run modally in a scratch current directory that holds a copy of the
// demo's camera file (and, when asked, the English pack), with timers shortened and every box
// answered; a script runs inside the frame's loop.
#include "app/camtivo_dlg.h"
#include "app/core/test_mode_file.h"
#include "app/data_folders.h"
#include "platform/core/time_scale.h"
#include "platform/core/window_messages.h"
#include "platform/message_box.h"
#include "qt_test_support.h"
#include "skin/message_answer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

using namespace qt_test;

namespace frame_test {

inline constexpr double kTimeFactor = 0.01; // a 10-second test-mode search takes 100 ms

// Counts how often a progress box is shown.
class ProgressCounter : public QObject
{
public:
    ProgressCounter() { qApp->installEventFilter(this); }
    ~ProgressCounter() override { qApp->removeEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<CProgressDlg*>(watched) != nullptr)
            ++shown;
        return false;
    }
};

inline std::vector<QString> CameraNames(const CCameraList& cameras)
{
    std::vector<QString> names;
    for (const CCameraDataObj* camera : cameras)
        names.push_back(QString::fromStdString(camera->info.Get(DeviceInfo::cameraName)));
    return names;
}

// Runs the frame in a scratch current directory holding a copy of the demo's camera file
// (and, when asked, the English pack, which the frame is pointed at), with timers shortened
// and every box answered.
class FrameTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        ASSERT_TRUE(QFile::copy(DemoDir() + QStringLiteral("/Camtivo.tst"), QStringLiteral("Camtivo.tst")));
        TimeScale::SetFactor(kTimeFactor);
    }
    void TearDown() override
    {
        TimeScale::SetFactor(1.0);
        QDir::setCurrent(previous);
    }

    static void InstallPack() { ASSERT_TRUE(QFile::copy(EnglishPackPath(), QStringLiteral("English.dll"))); }

    // Runs the frame modally; `script` runs inside its loop, after which the wizard is closed.
    int Run(const QString& commandLine, const std::function<void(CCamtivoDlg&)>& script)
    {
        frame = std::make_unique<CCamtivoDlg>(commandLine);
        QTimer::singleShot(0, frame.get(), [this, script] {
            ASSERT_TRUE(SpinUntil([this] { return frame->PagesReady(); }));
            script(*frame);
            if (frame->isVisible())
                frame->SendMessage(WM_WIZARD_CLOSE);
        });
        return frame->DoModal();
    }

    // Next on the main page: the search page shows and, the first time, a search runs.
    static void Start(CCamtivoDlg& wizard)
    {
        QTest::mouseClick(wizard.MainPage().GetDlgItem(CMainDialog::IDC_START), Qt::LeftButton);
        SpinUntil([&] { return wizard.ShownStep() == 1 && wizard.Busy() == 0; });
        QCoreApplication::processEvents();
    }

    static std::vector<QString> DemoNames()
    {
        CCameraList cameras;
        ReadTestFile(std::filesystem::path(DemoDir().toStdU16String() + u"/Camtivo.tst"), cameras);
        std::vector<QString> names = CameraNames(cameras);
        std::sort(names.begin(), names.end());
        return names;
    }

    std::vector<int> Kinds() const
    {
        std::vector<int> kinds;
        for (const SkinnedMessage& m : answers.shown)
            kinds.push_back(m.kind);
        return kinds;
    }

    QTemporaryDir dir;
    ScopedDataFolders dataFolders{QStringList{dir.path()}};
    QString previous;
    std::unique_ptr<CCamtivoDlg> frame;
    CMessageAnswer answers;
    CMessageBoxAnswer plainAnswers;
};

} // namespace frame_test
