#include "app/language_page.h"
#include "qt_test_support.h"

#include <QComboBox>

using namespace qt_test;

TEST(LanguagePage, StartsOnEnglishAndAChoiceMakesTheFrameReloadThatPack)
{
    PageHost host;
    RecordingFrame& frame = host.frame;
    LanguagePage page;
    host.Host(page);

    QComboBox* list = page.LanguageList();
    ASSERT_EQ(list->count(), 6);
    EXPECT_EQ(list->itemText(1), QString::fromUtf8("Espa\xC3\xB1ol"));
    EXPECT_EQ(list->currentText(), "English");
    EXPECT_EQ(page.GetLanguage(), "English");
    EXPECT_FALSE(page.Control(LanguagePage::IDC_LANGUAGE_LOAD_SKIN)->isVisibleTo(&page));
    EXPECT_TRUE(frame.received.empty());

    // The frame, told to reload, reads the page's language: it must already be the new one.
    QString languageAtReload;
    QObject::connect(&page, &SkinnedDialog::languageReloadRequested,
                     [&] { languageAtReload = page.GetLanguage(); });
    list->setCurrentIndex(1);
    EXPECT_EQ(page.GetLanguage(), "Spanish");
    EXPECT_EQ(languageAtReload, "Spanish");
    list->setCurrentIndex(4);
    EXPECT_EQ(page.GetLanguage(), "Italian");
    EXPECT_EQ(frame.received.size(), 2u);
}

TEST(LanguagePage, OffersThePacksTheFrameFoundAndStartsOnTheOneItChose)
{
    PageHost host;
    LanguagePage page;
    // Table order, whatever order the frame names them in.
    page.SetChoices({"Italian", "English", "Spanish"}, "Spanish");
    host.Host(page);

    QComboBox* list = page.LanguageList();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), "English");
    EXPECT_EQ(list->itemText(2), "Italiano");
    EXPECT_EQ(list->currentText(), QString::fromUtf8("Espa\xC3\xB1ol"));
    EXPECT_EQ(page.GetLanguage(), "Spanish");
    EXPECT_TRUE(host.frame.received.empty());
}

TEST(LanguagePage, RendersFromTheEnglishPack)
{
    PageHost host;
    ASSERT_TRUE(host.LoadEnglish());
    LanguagePage page;
    page.SetTestMode(true);
    host.Host(page);
    EXPECT_TRUE(page.Control(LanguagePage::IDC_LANGUAGE_LOAD_SKIN)->isVisibleTo(&page));
    SavePng(page.grab().toImage(), QStringLiteral("language_page.png"));
}
