#include "platform/shell.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

namespace {

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
    const Case cases[] = {
        {QStringLiteral(".\\ddnscfg.exe"), true, SHELL_FILE_NOT_FOUND},
        {QStringLiteral(".\\PdfReader\\setup.exe"), true, SHELL_FILE_NOT_FOUND},
        {QString(), true, SHELL_FILE_NOT_FOUND},
        {QStringLiteral(".\\Tools\\install.exe"), true, SHELL_BAD_FORMAT},
        {QStringLiteral("./tool.sh"), true, SHELL_STARTED},
        {QStringLiteral("./tool.sh"), false, SHELL_BAD_FORMAT},
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
