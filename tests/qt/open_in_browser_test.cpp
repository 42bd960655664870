#include "platform/core/shell_result.h"
#include "platform/open_in_browser.h"
#include "platform/shell.h"

#include <gtest/gtest.h>

namespace {

class FakeLauncher : public ShellLauncher
{
public:
    bool handler = true;
    QList<QUrl> opened;
    bool OpenUrl(const QUrl& url) override
    {
        opened.push_back(url);
        return true;
    }
    bool StartProgram(const QString&) override { return false; }
    bool HasHandler(const QString&) override { return handler; }
};

TEST(OpenInBrowser, HandsWebAddressesToTheBrowserAndReportsWhy)
{
    FakeLauncher launcher;
    ScopedShellLauncher scoped(launcher);
    EXPECT_TRUE(ShellStarted(OpenInBrowser(QStringLiteral("http://192.168.0.20:8080"))));
    ASSERT_EQ(launcher.opened.size(), 1);
    EXPECT_EQ(launcher.opened[0], QUrl(QStringLiteral("http://192.168.0.20:8080")));

    launcher.handler = false;
    EXPECT_EQ(OpenInBrowser(QStringLiteral("http://example.invalid")), SHELL_NO_ASSOCIATION);
    EXPECT_EQ(OpenInBrowser(QStringLiteral("no such guide.pdf")), SHELL_FILE_NOT_FOUND);
    EXPECT_EQ(launcher.opened.size(), 1);
}

} // namespace
