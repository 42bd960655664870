#include "app/language_dialog.h"
#include "app/language_pack.h"
#include "platform/core/window_messages.h"
#include "qt_test_support.h"

#include <QComboBox>

using namespace qt_test;

TEST(LanguagePage, StartsOnEnglishAndAChoiceMakesTheFrameReloadThatPack)
{
    CStringList strings;
    CBmpList bitmaps;
    CIconList icons;
    RecordingFrame frame;
    CLanguageDialog page;
    page.SetLists(&strings, &bitmaps, &icons);
    page.SetNotifyWnd(&frame);
    page.CreateChild(&frame);

    QComboBox* list = page.LanguageList();
    ASSERT_EQ(list->count(), 6);
    EXPECT_EQ(list->itemText(1), QString::fromUtf8("Espa\xC3\xB1ol"));
    EXPECT_EQ(list->currentText(), "English");
    EXPECT_EQ(page.GetLanguage(), "English");
    EXPECT_FALSE(page.GetDlgItem(CLanguageDialog::IDC_LANGUAGE_LOAD_SKIN)->isVisibleTo(&page));
    EXPECT_TRUE(frame.received.empty());

    // The frame, told to reload, reads the page's language: it must already be the new one.
    QString languageAtReload;
    QObject::connect(&frame, &CDialog::messageHandled, [&](UINT message, WPARAM, LPARAM) {
        if (message == WM_WIZARD_RELOAD_SKIN)
            languageAtReload = page.GetLanguage();
    });
    list->setCurrentIndex(1);
    EXPECT_EQ(page.GetLanguage(), "Spanish");
    EXPECT_EQ(languageAtReload, "Spanish");
    list->setCurrentIndex(4);
    EXPECT_EQ(page.GetLanguage(), "Italian");
    EXPECT_EQ(frame.received.size(), 2u);
}

TEST(LanguagePage, OffersThePacksTheFrameFoundAndStartsOnTheOneItChose)
{
    CStringList strings;
    CBmpList bitmaps;
    CIconList icons;
    RecordingFrame frame;
    CLanguageDialog page;
    page.SetLists(&strings, &bitmaps, &icons);
    page.SetNotifyWnd(&frame);
    // Table order, whatever order the frame names them in.
    page.SetChoices({"Italian", "English", "Spanish"}, "Spanish");
    page.CreateChild(&frame);

    QComboBox* list = page.LanguageList();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), "English");
    EXPECT_EQ(list->itemText(2), "Italiano");
    EXPECT_EQ(list->currentText(), QString::fromUtf8("Espa\xC3\xB1ol"));
    EXPECT_EQ(page.GetLanguage(), "Spanish");
    EXPECT_TRUE(frame.received.empty());
}

TEST(LanguagePage, RendersFromTheEnglishPack)
{
    CStringList strings;
    CBmpList bitmaps;
    CIconList icons;
    ASSERT_EQ(LoadLanguagePack(EnglishPackPath(), strings, bitmaps, icons), 0);
    RecordingFrame frame;
    CLanguageDialog page;
    page.SetTestMode(true);
    page.SetLists(&strings, &bitmaps, &icons);
    page.SetNotifyWnd(&frame);
    page.CreateChild(&frame);
    page.show();
    EXPECT_TRUE(page.GetDlgItem(CLanguageDialog::IDC_LANGUAGE_LOAD_SKIN)->isVisibleTo(&page));
    SavePng(page.grab().toImage(), QStringLiteral("language_page.png"));
}
