// Where the wizard finds its packs and which language it starts in: the folders beside the
// program and its share folder, the user's locale, and the pages drawn in Spanish.
#include "app/data_folders.h"
#include "app/wizard_frame.h"
#include "demo_wizard.h"
#include "device_ui/login_dialog.h"
#include "pages/license_page.h"
#include "platform/core/time_scale.h"
#include "platform/message_box.h"
#include "qt_test_support.h"
#include "skin/bitmap_button.h"
#include "skin/message_answer.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>
#include <memory>

using namespace qt_test;

namespace {

// Sets the locale variables the wizard reads for the test's life and restores them after.
class ScopedLocale
{
public:
    ScopedLocale(const char* lcAll, const char* lcMessages, const char* lang)
    {
        const std::pair<const char*, const char*> wanted[] = {
            {"LC_ALL", lcAll}, {"LC_MESSAGES", lcMessages}, {"LANG", lang}};
        for (const auto& [name, value] : wanted) {
            saved_.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
            qputenv(name, value);
        }
    }
    ~ScopedLocale()
    {
        for (const Saved& s : saved_) {
            if (s.wasSet)
                qputenv(s.name, s.value);
            else
                qunsetenv(s.name);
        }
    }

private:
    struct Saved
    {
        const char* name;
        QByteArray value;
        bool wasSet;
    };
    std::vector<Saved> saved_;
};

bool Copy(const QString& from, const QString& to)
{
    QDir().mkpath(QFileInfo(to).path());
    return QFile::copy(from, to);
}

TEST(DataFolders, PacksAndLicenceComeFromTheFirstFolderHoldingThem)
{
    QTemporaryDir dir;
    const QString beside = dir.filePath(QStringLiteral("bin"));
    const QString shared = dir.filePath(QStringLiteral("share/camtivo"));
    QDir().mkpath(beside);
    QDir().mkpath(shared);
    ScopedDataFolders folders({beside, shared});
    // Nothing anywhere: the program's own folder.
    EXPECT_EQ(PackFolder(), beside + QLatin1Char('/'));
    EXPECT_EQ(DataFolderOf(QStringLiteral("License.rtf")), beside + QLatin1Char('/'));
    // An installed copy: everything in the share folder.
    ASSERT_TRUE(Copy(EnglishPackPath(), shared + QStringLiteral("/English.dll")));
    ASSERT_TRUE(Copy(EnglishPackPath(), shared + QStringLiteral("/Spanish.dll")));
    ASSERT_TRUE(Copy(DemoDir() + QStringLiteral("/License.rtf"), shared + QStringLiteral("/License.rtf")));
    ASSERT_TRUE(Copy(EnglishPackPath(), shared + QStringLiteral("/Klingon.dll"))); // not a table language
    EXPECT_EQ(PackFolder(), shared + QLatin1Char('/'));
    EXPECT_EQ(PacksIn(PackFolder()), (QStringList{"English", "Spanish"}));
    EXPECT_EQ(DataFolderOf(QStringLiteral("License.rtf")), shared + QLatin1Char('/'));
    // A copy beside the program wins, even with fewer packs.
    ASSERT_TRUE(Copy(EnglishPackPath(), beside + QStringLiteral("/Italian.dll")));
    EXPECT_EQ(PackFolder(), beside + QLatin1Char('/'));
    EXPECT_EQ(PacksIn(PackFolder()), (QStringList{"Italian"}));
}

TEST(DataFolders, AreBesideTheProgramThenInItsShareFolder)
{
    const QString program = QCoreApplication::applicationDirPath();
    EXPECT_EQ(DataFolders(), (QStringList{program + QLatin1Char('/'),
                                          QDir::cleanPath(program + QStringLiteral("/../share/camtivo")) +
                                              QLatin1Char('/')}));
}

TEST(DataFolders, TheStartLanguageIsTheLocalesWhenItsPackIsThere)
{
    QTemporaryDir dir;
    ASSERT_TRUE(Copy(EnglishPackPath(), dir.filePath(QStringLiteral("English.dll"))));
    ASSERT_TRUE(Copy(EnglishPackPath(), dir.filePath(QStringLiteral("Spanish.dll"))));
    const QString folder = dir.path() + QLatin1Char('/');
    const struct
    {
        const char *lcAll, *lcMessages, *lang, *start;
    } cases[] = {
        {"", "", "es_ES.UTF-8", "Spanish"},
        {"", "es_MX.UTF-8", "en_US.UTF-8", "Spanish"},
        {"en_GB.UTF-8", "", "es_ES.UTF-8", "English"},
        {"", "", "de_DE.UTF-8", "English"}, // German is in the table, but its pack is not there
        {"", "", "", "English"},
    };
    for (const auto& c : cases) {
        ScopedLocale locale(c.lcAll, c.lcMessages, c.lang);
        EXPECT_EQ(StartupPackName(folder), c.start) << c.lang;
    }
}

// The whole wizard, started in test mode from a scratch folder holding the demo cameras, with
// its packs in a share folder of its own.
class WizardLanguageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(demo.Ready());
        ASSERT_TRUE(Copy(EnglishPackPath(), shared + QStringLiteral("/English.dll")));
    }

    // Runs the wizard to its search page; `check` sees it on the main page and again there.
    void Run(const std::function<void(WizardFrame&)>& onMain,
             const std::function<void(WizardFrame&)>& onSearch)
    {
        WizardFrame frame(QStringLiteral("camtivo /testmode"));
        RunWizard(frame, [&](WizardFrame& shown) {
            onMain(shown);
            StartSearch(shown);
            onSearch(shown);
        });
    }

    static QString StartCaption(WizardFrame& frame)
    {
        return qobject_cast<BitmapButton*>(frame.Main().Control(MainPage::IDC_START))->text();
    }

    DemoFolder demo;
    QString shared = demo.FilePath(QStringLiteral("share/camtivo"));
    ScopedDataFolders folders{QStringList{demo.FilePath(QStringLiteral("bin")), shared}};
    MessageAnswer answers;
    MessageBoxAnswer plainAnswers;
};

TEST_F(WizardLanguageTest, ASpanishLocaleStartsTheWizardInSpanish)
{
    ASSERT_TRUE(Copy(SpanishPackPath(), shared + QStringLiteral("/Spanish.dll")));
    ScopedLocale locale("", "", "es_ES.UTF-8");
    Run(
        [&](WizardFrame& frame) {
            EXPECT_EQ(frame.PackPath(), shared + QStringLiteral("/Spanish.dll"));
            EXPECT_EQ(frame.Language().GetLanguage(), "Spanish");
            EXPECT_EQ(frame.Main().GetLanguage(), "Spanish");
            EXPECT_EQ(StartCaption(frame), "Iniciar");
            // The language page offers the packs of the share folder, the locale's chosen.
            const QComboBox* list = frame.Language().LanguageList();
            ASSERT_EQ(list->count(), 2);
            EXPECT_EQ(list->itemText(0), "English");
            EXPECT_EQ(list->currentText(), QString::fromUtf8("Espa\xC3\xB1ol"));
            SavePng(frame.grab().toImage(), QStringLiteral("main_page_es.png"));
        },
        [&](WizardFrame& frame) {
            EXPECT_TRUE(frame.Search().isVisible());
            EXPECT_EQ(frame.Search().GetLanguage(), "Spanish");
            SavePng(frame.grab().toImage(), QStringLiteral("search_page_es.png"));
            QString cancelCaption;
            WhenModal<LoginDialog>([&](LoginDialog& login) {
                SavePng(login.grab().toImage(), QStringLiteral("login_dialog_es.png"));
                cancelCaption = login.CancelButton()->text();
                QTest::mouseClick(login.CancelButton(), Qt::LeftButton);
            });
            QTest::mouseClick(frame.Search().Control(IDC_NEXT), Qt::LeftButton);
            EXPECT_EQ(cancelCaption, "Cancelar");
        });
}

TEST_F(WizardLanguageTest, WithoutTheSpanishPackASpanishLocaleGetsEnglish)
{
    ASSERT_TRUE(Copy(DemoDir() + QStringLiteral("/License.rtf"), shared + QStringLiteral("/License.rtf")));
    ScopedLocale locale("", "", "es_ES.UTF-8");
    Run(
        [&](WizardFrame& frame) {
            // The licence comes from the share folder too, not from the current one.
            const auto* licence = frame.findChild<LicensePage*>();
            ASSERT_NE(licence, nullptr);
            EXPECT_TRUE(licence->LicenseText()->toPlainText().contains("Camtivo licence"));
            EXPECT_EQ(frame.PackPath(), shared + QStringLiteral("/English.dll"));
            EXPECT_EQ(frame.Language().GetLanguage(), "English");
            EXPECT_EQ(StartCaption(frame), "Start");
            EXPECT_EQ(frame.Language().LanguageList()->count(), 1);
        },
        [&](WizardFrame& frame) { EXPECT_EQ(frame.Search().GetLanguage(), "English"); });
}

TEST_F(WizardLanguageTest, ASpanishPackThatCannotBeReadIsNamedAndEnglishShown)
{
    QFile spanish(SpanishPackPath());
    ASSERT_TRUE(spanish.open(QIODevice::ReadOnly));
    QFile cut(shared + QStringLiteral("/Spanish.dll"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(spanish.read(1024)); // the headers, but not the resources they point to
    cut.close();
    ScopedLocale locale("", "", "es_ES.UTF-8");
    Run(
        [&](WizardFrame& frame) {
            EXPECT_EQ(frame.PackPath(), shared + QStringLiteral("/English.dll"));
            EXPECT_EQ(frame.Language().GetLanguage(), "English");
            EXPECT_EQ(StartCaption(frame), "Start");
            ASSERT_EQ(plainAnswers.shown.size(), 1u);
            EXPECT_TRUE(plainAnswers.shown[0].text.contains(
                QDir::toNativeSeparators(shared + QStringLiteral("/Spanish.dll"))));
            EXPECT_TRUE(plainAnswers.shown[0].text.contains(QStringLiteral("English")));
        },
        [&](WizardFrame& frame) { EXPECT_EQ(frame.Search().GetLanguage(), "English"); });
}

} // namespace
