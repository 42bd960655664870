#include "platform/shell.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>
#include <utility>

namespace {

#ifdef _WIN32
constexpr bool kOnWindows = true;
#else
constexpr bool kOnWindows = false;
#endif

class FakeLauncher : public ShellLauncher
{
public:
    bool OpenUrl(const QUrl& url) override
    {
        opened.append(url);
        return openSucceeds;
    }
    bool StartProgram(const QString& path) override
    {
        started.append(path);
        return startSucceeds;
    }
    bool HasHandler(const QString& mimeType) override
    {
        asked.append(mimeType);
        return handled.count(mimeType) > 0;
    }
    // Holds the lookup's answer until the test gives it, as a slow desktop would.
    void QueryHandler(const QString& mimeType, QObject*, std::function<void(bool)> done) override
    {
        pending = [this, mimeType, done] { done(HasHandler(mimeType)); };
    }

    std::function<void()> pending;
    bool openSucceeds = true;
    bool startSucceeds = true;
    std::set<QString> handled;
    QList<QUrl> opened;
    QStringList started;
    QStringList asked;
};

// Runs in a scratch current directory holding the sibling files of the product.
class ShellOpenTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QDir().mkpath(QStringLiteral("Docs"));
        QDir().mkpath(QStringLiteral("Tools"));
        Write(QStringLiteral("Docs/Guide.pdf"), "%PDF-1.4\n");
        Write(QStringLiteral("Tools/install.exe"), "MZ");
        Write(QStringLiteral("Tools/broken.exe"), "%PDF-1.4\n");
        Write(QStringLiteral("tool.sh"), "#!/bin/sh\n");
        QFile::setPermissions(QStringLiteral("tool.sh"), QFile::ReadOwner | QFile::ExeOwner);
    }
    void TearDown() override { QDir::setCurrent(previous); }

    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
    QString previous;
    FakeLauncher fake;
    ScopedShellLauncher scope{fake};
};

} // namespace

TEST_F(ShellOpenTest, DocumentsOpenOnlyWithARegisteredHandler)
{
    EXPECT_EQ(ShellOpen(QStringLiteral(".\\Docs\\Guide.pdf")), SHELL_NO_ASSOCIATION);
    EXPECT_EQ(fake.asked, QStringList{QStringLiteral("application/pdf")});
    EXPECT_TRUE(fake.opened.isEmpty());

    fake.handled.insert(QStringLiteral("application/pdf"));
    EXPECT_EQ(ShellOpen(QStringLiteral(".\\Docs\\Guide.pdf")), SHELL_STARTED);
    ASSERT_EQ(fake.opened.size(), 1);
    EXPECT_EQ(fake.opened[0], QUrl::fromLocalFile(dir.filePath(QStringLiteral("Docs/Guide.pdf"))));

    EXPECT_EQ(ShellOpen(QUrl::fromLocalFile(dir.filePath(QStringLiteral("Docs/Guide.pdf"))).toString()),
              SHELL_STARTED);
    fake.openSucceeds = false;
    EXPECT_EQ(ShellOpen(QStringLiteral("Docs/Guide.pdf")), SHELL_NO_ASSOCIATION);
}

TEST_F(ShellOpenTest, MissingFilesAndProgramsGiveTheirCodes)
{
    struct Case
    {
        QString target;
        bool startSucceeds;
        int expected;
    };
    // The program file of the other system is refused; Windows starts its own.
    const QString program =
        kOnWindows ? QStringLiteral(".\\Tools\\install.exe") : QStringLiteral("./tool.sh");
    const QString foreign =
        kOnWindows ? QStringLiteral(".\\Tools\\broken.exe") : QStringLiteral(".\\Tools\\install.exe");
    const Case cases[] = {
        {QStringLiteral(".\\ddnscfg.exe"), true, SHELL_FILE_NOT_FOUND},
        {QStringLiteral(".\\PdfReader\\setup.exe"), true, SHELL_FILE_NOT_FOUND},
        {QString(), true, SHELL_FILE_NOT_FOUND},
        {foreign, true, SHELL_BAD_FORMAT},
        {program, true, SHELL_STARTED},
        {program, false, SHELL_BAD_FORMAT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        fake.startSucceeds = c.startSucceeds;
        EXPECT_EQ(ShellOpen(c.target), c.expected);
    }
    EXPECT_TRUE(fake.opened.isEmpty()) << "no document handler may be asked to run a program";
    EXPECT_EQ(fake.started.size(), 2);
}

TEST_F(ShellOpenTest, WebAddressesGoToTheBrowserForTheirScheme)
{
    EXPECT_FALSE(IsWebBrowserRegistered());
    EXPECT_EQ(ShellOpen(QStringLiteral("http://192.168.0.3:8080")), SHELL_NO_ASSOCIATION);

    fake.handled.insert(QStringLiteral("x-scheme-handler/http"));
    EXPECT_TRUE(IsWebBrowserRegistered());
    EXPECT_EQ(ShellOpen(QStringLiteral("http://192.168.0.3:8080")), SHELL_STARTED);
    ASSERT_EQ(fake.opened.size(), 1);
    EXPECT_EQ(fake.opened[0], QUrl(QStringLiteral("http://192.168.0.3:8080")));
    // A drive letter is not a scheme: this is a (missing) path.
    EXPECT_EQ(ShellOpen(QStringLiteral("C:\\Docs\\Guide.pdf")), SHELL_FILE_NOT_FOUND);
}

// Mode bits copied from a FAT or NTFS stick say nothing: an ELF binary or a "#!" script is a
// program whatever its mode, anything else a document for its handler.
TEST_F(ShellOpenTest, WhatAFileHoldsDecidesProgramOrDocument)
{
    const QFile::Permissions all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                   QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    Write(QStringLiteral("Docs/Stick.pdf"), "%PDF-1.4\n");
    Write(QStringLiteral("Docs/Notes.txt"), "#not a script\n");
    Write(QStringLiteral("helper"), QByteArray("\x7f"
                                               "ELF\x02\x01\x01",
                                               7));
    Write(QStringLiteral("plain.sh"), "#!/bin/sh\n");
    for (const char* name : {"Docs/Stick.pdf", "Docs/Notes.txt", "helper"})
        QFile::setPermissions(QString::fromLatin1(name), all);
    fake.handled = {QStringLiteral("application/pdf"), QStringLiteral("text/plain")};
    struct Case
    {
        const char* target;
        int expected;
        bool started; // went to the program starter rather than a document handler
    };
    // Windows knows its programs by their names; an ELF binary or a script is a document there.
    const Case cases[] = {
        {"Docs/Stick.pdf", SHELL_STARTED, false},
        {"Docs/Notes.txt", SHELL_STARTED, false},
        {"helper", kOnWindows ? SHELL_NO_ASSOCIATION : SHELL_STARTED, !kOnWindows},
        {"plain.sh", kOnWindows ? SHELL_NO_ASSOCIATION : SHELL_STARTED,
         !kOnWindows}, // whether it may run is the starter's to say
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        fake.started.clear();
        fake.opened.clear();
        EXPECT_EQ(ShellOpen(QString::fromLatin1(c.target)), c.expected);
        EXPECT_EQ(fake.started.size(), c.started ? 1 : 0);
        EXPECT_EQ(fake.opened.size(), c.started || c.expected != SHELL_STARTED ? 0 : 1);
    }
}

// Only the handler lookup is waited for: the call returns before it answers, and the answer
// decides; what needs no lookup is answered at once.
TEST_F(ShellOpenTest, OpeningLaterWaitsOnlyForTheHandlerLookup)
{
    QList<int> results;
    const auto record = [&](int result) { results.append(result); };
    ShellOpenLater(QStringLiteral("Docs/Missing.pdf"), nullptr, record);
    ShellOpenLater(kOnWindows ? QStringLiteral("Tools\\install.exe") : QStringLiteral("tool.sh"), nullptr,
                   record);
    EXPECT_EQ(results, (QList<int>{SHELL_FILE_NOT_FOUND, SHELL_STARTED}));
    for (const bool registered : {false, true}) {
        SCOPED_TRACE(registered);
        results.clear();
        fake.opened.clear();
        ShellOpenLater(QStringLiteral(".\\Docs\\Guide.pdf"), nullptr, record);
        EXPECT_TRUE(results.isEmpty());
        ASSERT_TRUE(fake.pending);
        if (registered)
            fake.handled.insert(QStringLiteral("application/pdf"));
        std::exchange(fake.pending, nullptr)();
        EXPECT_EQ(results, QList<int>{registered ? SHELL_STARTED : SHELL_NO_ASSOCIATION});
        EXPECT_EQ(fake.opened.size(), registered ? 1 : 0);
    }
}

// The desktop's own launcher asks its query tool in the background: the call returns at
// once and the answer comes through the event loop.
TEST(DesktopShell, TheBrowserQueryAnswersLaterFromTheQueryTool)
{
    if (kOnWindows)
        GTEST_SKIP() << "Windows answers from its registry at once; there is no query tool to stand in for";
    QTemporaryDir tools;
    ASSERT_TRUE(tools.isValid());
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", tools.path().toLocal8Bit() + ':' + path);
    for (const bool registered : {true, false}) {
        SCOPED_TRACE(registered);
        QFile tool(tools.filePath(QStringLiteral("xdg-mime")));
        ASSERT_TRUE(tool.open(QIODevice::WriteOnly | QIODevice::Truncate));
        tool.write(registered ? "#!/bin/sh\nsleep 0.2\necho browser.desktop\n" : "#!/bin/sh\nsleep 0.2\n");
        tool.close();
        tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        QObject context;
        int answers = 0;
        bool answer = !registered;
        QueryWebBrowser(&context, [&](bool r) {
            ++answers;
            answer = r;
        });
        EXPECT_EQ(answers, 0);
        const QDeadlineTimer limit(10000);
        while (answers == 0 && !limit.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_EQ(answers, 1);
        EXPECT_EQ(answer, registered);
    }
    qputenv("PATH", path);
}
