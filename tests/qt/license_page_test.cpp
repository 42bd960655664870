// The licence page reads "License.rtf" from the program's folder at every skin application.
#include "pages/license_page.h"
#include "platform/core/rtf_reader.h"
#include "skin/skin_draw.h"
#include "wireless_page_fixture.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>

using namespace wireless_test;

namespace {

class LicensePageTest : public PageTest
{
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(folder.path()); // the page takes its folder from the current one
    }
    void TearDown() override { QDir::setCurrent(previous); }

    void WriteLicense(const QByteArray& rtf)
    {
        QFile file(folder.filePath(QStringLiteral("License.rtf")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(rtf);
    }

    QTemporaryDir folder;
    QString previous;
};

} // namespace

TEST_F(LicensePageTest, ShowsTheFileAndReloadsItWithTheSkin)
{
    QFile demo(DemoDir() + QStringLiteral("/License.rtf"));
    ASSERT_TRUE(demo.open(QIODevice::ReadOnly));
    WriteLicense(demo.readAll());
    auto& page = Create<LicensePage>();
    QTextDocument* document = page.LicenseText()->document();
    EXPECT_TRUE(document->firstBlock().text().startsWith("Camtivo licence"));
    EXPECT_TRUE(document->firstBlock().begin().fragment().charFormat().font().bold());
    EXPECT_TRUE(page.LicenseText()->isReadOnly());
    EXPECT_GT(document->blockCount(), 3);

    WriteLicense(R"({\rtf1 New {\i terms}\par})");
    page.RenderPage();
    EXPECT_EQ(document->toPlainText(), "New terms");

    // A file that has gone keeps the text already shown.
    QFile::remove(folder.filePath(QStringLiteral("License.rtf")));
    page.RenderPage();
    EXPECT_EQ(document->toPlainText(), "New terms");
}

TEST_F(LicensePageTest, WithoutTheFileTheAreaIsEmptyAndThePageWorks)
{
    auto& page = Create<LicensePage>();
    EXPECT_TRUE(page.LicenseText()->document()->isEmpty());
    page.Command(IDC_NEXT);
    EXPECT_EQ(Take(), (std::vector<Request>{Request::Next}));
}

TEST_F(LicensePageTest, ALicenceBeyondTheLimitsShowsItsBeginningAndSaysTheRestIsLeftOut)
{
    // Bold switched on and off at every letter: one run each, far more than a licence has.
    QByteArray rtf = "{\\rtf1 Terms\\par ";
    for (size_t i = 0; i <= kMaxRtfRunsPerParagraph; ++i)
        rtf += i % 2 == 0 ? "\\b x" : "\\b0 y";
    WriteLicense(rtf + "}");
    auto& page = Create<LicensePage>();
    QTextDocument* document = page.LicenseText()->document();
    ASSERT_EQ(document->blockCount(), 3);
    EXPECT_EQ(document->firstBlock().text(), "Terms");
    EXPECT_EQ(document->lastBlock().text(), SkinString(page.StringList(), LicensePage::kTextLeftOut));
    EXPECT_FALSE(document->lastBlock().text().isEmpty());
    EXPECT_FALSE(document->isUndoAvailable());
}
