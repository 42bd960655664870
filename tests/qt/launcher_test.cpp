#include "app/launcher.h"
#include "platform/shell.h"
#include "skin/message_answer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

class FakeLauncher : public ShellLauncher
{
public:
    bool OpenUrl(const QUrl& url) override
    {
        opened.append(url.toString());
        return true;
    }
    bool StartProgram(const QString& path) override
    {
        started.append(QFileInfo(path).fileName());
        return true;
    }
    bool HasHandler(const QString& mimeType) override { return handled.count(mimeType) > 0; }

    std::set<QString> handled{QStringLiteral("x-scheme-handler/http")};
    QStringList opened;
    QStringList started;
};

enum class File
{
    Missing,
    Present,    // a document, or a program this system cannot run
    Executable, // a program that starts: a script naming its interpreter
};

// The sibling files of the product in a scratch current directory, a fake desktop and a
// recorder of the boxes the launcher shows.
class LauncherTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        context.texts = Texts();
        context.showMessage = [this](int kind, const QString& message, const QString& b1, const QString& b2,
                                     const QString& b3) {
            shown.push_back({kind, message, b1, b2, b3});
            return answer;
        };
        context.systemDirectory = dir.filePath(QStringLiteral("system"));
        context.isMediaPlayer9 = [this] { return player9; };
        QDir().mkpath(context.systemDirectory);
    }
    void TearDown() override { QDir::setCurrent(previous); }

    static LaunchTexts Texts()
    {
        return {.yes = "Yes",
                .ok = "OK",
                .playerAddress = "http://codec.example/update",
                .playerQuestion = "Update the player?",
                .installerNotFound = "installer missing",
                .installerInvalid = "installer invalid",
                .toolNotFound = "tool missing",
                .toolInvalid = "tool invalid",
                .guideNotFound = "guide missing",
                .guideInvalid = "guide invalid",
                .readerQuestion = "Install a reader?",
                .readerNotFound = "reader missing",
                .readerInvalid = "reader invalid",
                .otherFailure = "could not start"};
    }

    // Forgets what earlier runs started, opened and showed.
    void ForgetRuns()
    {
        fake.started.clear();
        fake.opened.clear();
        shown.clear();
    }

    std::vector<QString> Messages() const
    {
        std::vector<QString> messages;
        for (const SkinnedMessage& m : shown)
            messages.push_back(m.message);
        return messages;
    }

    void Place(const QString& path, File state)
    {
        if (state == File::Missing)
            return;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // A program as the system knows one: a script here, a PE image ("MZ") on Windows.
#ifdef _WIN32
        file.write(state == File::Executable ? "MZ" : "x");
#else
        file.write(state == File::Executable ? "#!/bin/sh\n" : "x");
#endif
        file.close();
        if (state == File::Executable)
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QTemporaryDir dir;
    QString previous;
    FakeLauncher fake;
    ScopedShellLauncher scope{fake};
    LaunchContext context;
    std::vector<SkinnedMessage> shown;
    int answer = 1;
    bool player9 = false;
};

} // namespace

TEST(LaunchFailureText, PicksTheTextByShellResult)
{
    const struct
    {
        int result;
        const char* expected;
    } cases[] = {{2, "missing"}, {11, "invalid"}, {31, "other"}, {0, "other"}, {32, "other"}};
    for (const auto& c : cases)
        EXPECT_EQ(LaunchFailureText(c.result, "missing", "invalid", "other"), c.expected) << c.result;
}

TEST_F(LauncherTest, InstallUtilityChecksCodecThenPlayerThenStartsTheInstaller)
{
    const struct
    {
        bool driverPresent;
        bool player9;
        int answer;
        File installer;
        QStringList started;
        QStringList opened;
        std::vector<QString> messages;
    } cases[] = {
        // The codec installer starts only while its driver is missing.
        {false, false, 1, File::Executable, {"adpcm726.exe", "install.exe"}, {}, {}},
        {true, false, 1, File::Executable, {"install.exe"}, {}, {}},
        // Media player 9: the question; answer 2 opens the address, answer 1 does not.
        {true,
         true,
         2,
         File::Executable,
         {"install.exe"},
         {"http://codec.example/update"},
         {"Update the player?"}},
        {true, true, 1, File::Executable, {"install.exe"}, {}, {"Update the player?"}},
        // The installer's failures, by reason.
        {true, false, 1, File::Missing, {}, {}, {"installer missing"}},
        {true, false, 1, File::Present, {}, {}, {"installer invalid"}},
    };
    for (const auto& c : cases) {
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(context.systemDirectory);
        QDir::setCurrent(dir.path());
        ForgetRuns();
        Place(QStringLiteral("adpcm726.exe"), File::Executable);
        if (c.driverPresent)
            Place(context.systemDirectory + QStringLiteral("/adpcm726.acm"), File::Present);
        Place(QStringLiteral("Tools/install.exe"), c.installer);
        player9 = c.player9;
        answer = c.answer;

        InstallUtility(context);

        SCOPED_TRACE(testing::Message() << "driver " << c.driverPresent << " player9 " << c.player9);
        EXPECT_EQ(fake.started, c.started);
        EXPECT_EQ(fake.opened, c.opened);
        EXPECT_EQ(Messages(), c.messages);
    }
}

TEST_F(LauncherTest, UserGuideWithoutAReaderOffersToInstallOne)
{
    const struct
    {
        File guide;
        bool pdfHandler;
        int answer;
        File reader;
        std::vector<QString> messages;
        QStringList started;
        int openedCount;
    } cases[] = {
        {File::Present, true, 1, File::Missing, {}, {}, 1},
        // A missing guide goes straight to its message, without the question.
        {File::Missing, false, 2, File::Executable, {"guide missing"}, {}, 0},
        // No program for the guide: the question; 2 starts the reader's installer.
        {File::Present, false, 2, File::Executable, {"Install a reader?"}, {"setup.exe"}, 0},
        {File::Present, false, 1, File::Executable, {"Install a reader?"}, {}, 0},
        {File::Present, false, 2, File::Missing, {"Install a reader?", "reader missing"}, {}, 0},
        {File::Present, false, 2, File::Present, {"Install a reader?", "reader invalid"}, {}, 0},
    };
    for (const auto& c : cases) {
        QDir(QStringLiteral("Docs")).removeRecursively();
        QDir(QStringLiteral("PdfReader")).removeRecursively();
        ForgetRuns();
        Place(QStringLiteral("Docs/Guide.pdf"), c.guide);
        Place(QStringLiteral("PdfReader/setup.exe"), c.reader);
        if (c.pdfHandler)
            fake.handled.insert(QStringLiteral("application/pdf"));
        else
            fake.handled.erase(QStringLiteral("application/pdf"));
        answer = c.answer;

        OpenUserGuide(context);

        SCOPED_TRACE(testing::Message() << "answer " << c.answer << " handler " << c.pdfHandler);
        EXPECT_EQ(fake.started, c.started);
        EXPECT_EQ(fake.opened.size(), c.openedCount);
        EXPECT_EQ(Messages(), c.messages);
    }
}

TEST_F(LauncherTest, VarnetToolReportsWhyItDidNotStart)
{
    LaunchVarnetTool(context);
    Place(QStringLiteral("ddnscfg.exe"), File::Present);
    LaunchVarnetTool(context);
    Place(QStringLiteral("ddnscfg.exe"), File::Executable);
    LaunchVarnetTool(context);
    EXPECT_EQ(Messages(), (std::vector<QString>{"tool missing", "tool invalid"}));
    EXPECT_EQ(fake.started, QStringList{"ddnscfg.exe"});
}
