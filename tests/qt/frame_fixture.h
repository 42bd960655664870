#pragma once
// The whole wizard frame run modally in a scratch current directory that holds a copy of the
// demo's camera file (and, when asked, the English pack), with timers shortened and every box
// answered; a script runs inside the frame's loop.
#include "app/core/test_mode_file.h"
#include "app/data_folders.h"
#include "app/wizard_frame.h"
#include "demo_wizard.h"
#include "device_ui/progress_dialog.h"
#include "platform/message_box.h"
#include "qt_test_support.h"
#include "skin/message_answer.h"

#include <QFile>
#include <QTest>
#include <algorithm>
#include <memory>

using namespace qt_test;

namespace frame_test {

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
        if (event->type() == QEvent::Show && qobject_cast<ProgressDialog*>(watched) != nullptr)
            ++shown;
        return false;
    }
};

inline std::vector<QString> CameraNames(const CameraList& cameras)
{
    std::vector<QString> names;
    for (const CameraRecord* camera : cameras)
        names.push_back(QString::fromStdString(camera->info.Get(DeviceInfo::cameraName)));
    return names;
}

// Runs the frame in a scratch current directory holding a copy of the demo's camera file
// (and, when asked, the English pack, which the frame is pointed at), with timers shortened
// and every box answered.
class FrameTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(demo.Ready()); }

    void InstallPack() const { ASSERT_TRUE(demo.AddPack(EnglishPackPath())); }

    // Runs the frame modally; `script` runs inside its loop, after which the wizard is closed.
    int Run(const QString& commandLine, const std::function<void(WizardFrame&)>& script)
    {
        frame = std::make_unique<WizardFrame>(commandLine);
        return RunWizard(*frame, script);
    }

    static std::vector<QString> DemoNames()
    {
        CameraList cameras;
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

    DemoFolder demo;
    ScopedDataFolders dataFolders{QStringList{demo.Path()}};
    std::unique_ptr<WizardFrame> frame;
    MessageAnswer answers;
    MessageBoxAnswer plainAnswers;
};

} // namespace frame_test
