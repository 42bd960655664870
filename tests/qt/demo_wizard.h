#pragma once
// The set-up of a whole-wizard test: a scratch current folder holding the demo's camera file
// with timers shortened, the frame run modally around a script, and Start pressed.
#include "app/wizard_frame.h"
#include "platform/core/time_scale.h"
#include "qt_test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace qt_test {

inline constexpr double kDemoTimeFactor = 0.01; // a 10-second test-mode search takes 100 ms

// Makes a scratch folder holding Camtivo.tst the current one and shortens the timers; the
// previous folder and time scale come back when it goes.
class DemoFolder
{
public:
    DemoFolder() : previous_(QDir::currentPath())
    {
        QDir::setCurrent(dir_.path());
        ready_ = dir_.isValid() &&
                 QFile::copy(DemoDir() + QStringLiteral("/Camtivo.tst"), QStringLiteral("Camtivo.tst"));
        TimeScale::SetFactor(kDemoTimeFactor);
    }
    ~DemoFolder()
    {
        TimeScale::SetFactor(1.0);
        QDir::setCurrent(previous_);
    }
    DemoFolder(const DemoFolder&) = delete;
    DemoFolder& operator=(const DemoFolder&) = delete;

    bool Ready() const { return ready_; }
    // Copies a language pack in as the folder's English.dll.
    bool AddPack(const QString& packPath) const { return QFile::copy(packPath, FilePath(kPackName)); }
    QString Path() const { return dir_.path(); }
    QString FilePath(const QString& name) const { return dir_.filePath(name); }

    static inline const QString kPackName = QStringLiteral("English.dll");

private:
    QTemporaryDir dir_;
    QString previous_;
    bool ready_ = false;
};

// Runs `frame` modally; `script` runs inside its loop once the pages are ready, after which
// the wizard is closed. Returns what RunModal returns.
inline int RunWizard(WizardFrame& frame, const std::function<void(WizardFrame&)>& script)
{
    QTimer::singleShot(0, &frame, [&frame, script] {
        ASSERT_TRUE(SpinUntil([&frame] { return frame.PagesReady(); }));
        script(frame);
        if (frame.isVisible())
            frame.Finish(IDOK);
    });
    return frame.RunModal();
}

// Start on the main page: the search page shows and, the first time, a search runs.
inline void StartSearch(WizardFrame& frame)
{
    QTest::mouseClick(frame.Main().Control(MainPage::IDC_START), Qt::LeftButton);
    SpinUntil([&] { return frame.ShownStep() == 1 && !frame.Actions().Searching(); });
    QCoreApplication::processEvents();
}

} // namespace qt_test
