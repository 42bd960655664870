// The wireless security page driven by keys and clicks: type switching, the key lock, the
// keyboard filter, the key and length messages, what loading keeps and what Next writes into
// the record.
#include "pages/core/wep_key.h"
#include "pages/wireless_security_page.h"
#include "platform/core/string_utils.h"
#include "repeat_text.h"
#include "skin/hex_key_edit.h"
#include "skin/skin_draw.h"
#include "wireless_page_fixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

using namespace wireless_test;

using test_text::Repeat;

namespace {

class SecurityPageTest : public PageTest
{
protected:
    WirelessSecurityPage& Open(bool testMode = false)
    {
        WirelessSecurityPage& page = Create<WirelessSecurityPage>(testMode);
        page.LoadFromRecord(&camera);
        Take();
        return page;
    }

    // Chooses a type from the keyboard, as a user stepping through the closed list does.
    void Choose(WirelessSecurityPage& page, int index)
    {
        auto* list = page.Item<QComboBox>(WirelessSecurityPage::IDC_SECURITY_TYPE);
        while (list->currentIndex() < index)
            QTest::keyClick(list, Qt::Key_Down);
        while (list->currentIndex() > index)
            QTest::keyClick(list, Qt::Key_Up);
    }

    QLineEdit* Edit(WirelessSecurityPage& page, int id) { return page.Item<QLineEdit>(id); }

    // Replaces an edit's text by typing, as the user would.
    void Type(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    std::string KeyArea() const { return KeyHexText(camera.info.Get(DeviceInfo::wepKeys)); }
};

} // namespace

TEST_F(SecurityPageTest, TypesShowTheirFieldsAndCaptionBlock)
{
    struct Case
    {
        int index;
        bool wepShown, wepEnabled;
        int passphraseLimit, keyLimit;
        const char* block;
    };
    const Case cases[] = {
        {1, true, true, 63, 10, "WEP TEXT"},
        {2, true, true, 16, 26, "WEP TEXT"},
        {3, false, false, 63, 0, "WPA TEXT"},
        {0, true, false, 0, 0, "WEP TEXT"},
    };
    WirelessSecurityPage& page = Open();
    EXPECT_EQ(page.SecurityTypeTexts(),
              QStringList({"None", "WEP, 64-bit key", "WEP, 128-bit key", "WPA (TKIP)"}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        Choose(page, c.index);
        QLineEdit* passphrase = Edit(page, WirelessSecurityPage::IDC_WEP_PASSPHRASE);
        QLineEdit* key = Edit(page, WirelessSecurityPage::IDC_WEP_KEY);
        EXPECT_EQ(passphrase->isVisible(), c.wepShown);
        EXPECT_EQ(key->isVisible(), c.wepShown);
        EXPECT_EQ(page.Control(WirelessSecurityPage::IDC_WPA_CIPHER)->isVisible(), !c.wepShown);
        EXPECT_EQ(page.Control(WirelessSecurityPage::IDC_WPA_PASSPHRASE)->isVisible(), !c.wepShown);
        EXPECT_EQ(page.TextBlockName(), c.block);
        if (c.wepShown) {
            EXPECT_EQ(passphrase->isEnabled(), c.wepEnabled);
            EXPECT_EQ(key->isEnabled(), c.wepEnabled);
        }
        if (c.wepEnabled) {
            EXPECT_EQ(passphrase->maxLength(), c.passphraseLimit);
            EXPECT_EQ(key->maxLength(), c.keyLimit);
        } else if (!c.wepShown) {
            EXPECT_EQ(page.Item<QComboBox>(WirelessSecurityPage::IDC_WPA_CIPHER)->currentText(), "TKIP");
            EXPECT_EQ(Edit(page, WirelessSecurityPage::IDC_WPA_PASSPHRASE)->maxLength(), c.passphraseLimit);
        }
    }
}

TEST_F(SecurityPageTest, OnlyABlockChangeRepaintsTheFrame)
{
    WirelessSecurityPage& page = Open();
    const auto renders = [this] {
        const auto posted = Take();
        return std::count(posted.begin(), posted.end(), Request::Rendered);
    };
    Choose(page, 1);
    Choose(page, 2);
    Choose(page, 1);
    EXPECT_EQ(renders(), 0);
    Choose(page, 3);
    Choose(page, 2);
    Choose(page, 1);
    EXPECT_EQ(renders(), 2);
    // The WPA block's captions are on the canvas while WPA is chosen.
    Choose(page, 3);
    const QImage wpa = page.Canvas();
    Choose(page, 1);
    EXPECT_NE(wpa, page.Canvas());
}

TEST_F(SecurityPageTest, APassphraseLocksAndReplacesTheKeyAnEmptyOneUnlocksIt)
{
    WirelessSecurityPage& page = Open();
    Choose(page, 1);
    QLineEdit* passphrase = Edit(page, WirelessSecurityPage::IDC_WEP_PASSPHRASE);
    QLineEdit* key = Edit(page, WirelessSecurityPage::IDC_WEP_KEY);
    Type(key, "0102030405");
    EXPECT_FALSE(page.IsKeyLocked());

    Type(passphrase, "secret");
    EXPECT_TRUE(page.IsKeyLocked());
    EXPECT_EQ(key->text(), "c93ca31eca");
    // The record has all four generated keys at once, before any Next.
    EXPECT_EQ(KeyArea().substr(0, 10), "c93ca31eca");
    EXPECT_EQ(KeyArea().substr(78, 10), "dd15219276");

    Type(passphrase, "");
    EXPECT_FALSE(page.IsKeyLocked());
    EXPECT_EQ(key->text(), "c93ca31eca");
    Type(key, "a");
    EXPECT_EQ(key->text(), "a");

    QTest::keyClicks(passphrase, "x");
    EXPECT_TRUE(page.IsKeyLocked());
    EXPECT_EQ(key->text(), QString::fromStdString(KeyHexText(GenerateWep64Keys("x")[0])));

    // Another WEP type clears both edits and unlocks.
    Choose(page, 2);
    EXPECT_EQ(passphrase->text(), "");
    EXPECT_EQ(key->text(), "");
    EXPECT_FALSE(page.IsKeyLocked());
}

TEST_F(SecurityPageTest, ALockedKeyTakesOnlyTheArrowsAndTabLeavesIt)
{
    WirelessSecurityPage& page = Open();
    Choose(page, 1);
    QLineEdit* key = Edit(page, WirelessSecurityPage::IDC_WEP_KEY);
    Type(Edit(page, WirelessSecurityPage::IDC_WEP_PASSPHRASE), "secret");
    key->setFocus();
    key->setCursorPosition(5);
    for (int k : {Qt::Key_A, Qt::Key_0, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Home})
        QTest::keyClick(key, static_cast<Qt::Key>(k));
    QTest::keyClick(key, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(key, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(key->text(), "c93ca31eca");
    EXPECT_EQ(key->cursorPosition(), 5);
    QTest::keyClick(key, Qt::Key_Left);
    EXPECT_EQ(key->cursorPosition(), 4);
    QTest::keyClick(key, Qt::Key_Right);
    QTest::keyClick(key, Qt::Key_Right);
    EXPECT_EQ(key->cursorPosition(), 6);
    QTest::keyClick(key, Qt::Key_Tab);
    EXPECT_NE(page.focusWidget(), key) << "Tab leaves the key";
    QTest::keyClick(page.focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(page.focusWidget(), key) << "Shift+Tab comes back";
}

TEST_F(SecurityPageTest, LengthMessagesFocusTheirFieldAndKeepThePage)
{
    struct Case
    {
        int index;
        int field;
        const char* text;
        int message;
    };
    const Case cases[] = {
        {1, WirelessSecurityPage::IDC_WEP_KEY, "012345678", 51404},
        {2, WirelessSecurityPage::IDC_WEP_KEY, "0123456789", 51403},
        {3, WirelessSecurityPage::IDC_WPA_PASSPHRASE, "seven77", 51402},
    };
    WirelessSecurityPage& page = Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Choose(page, c.index);
        Type(Edit(page, c.field), c.text);
        Edit(page, c.field)->setCursorPosition(0);
        page.Control(WirelessSecurityPage::IDC_SECURITY_TYPE)->setFocus();
        answers.shown.clear();
        Take();
        const DeviceInfo before = camera.info;
        for (int button : {IDC_NEXT, IDC_BACK}) {
            page.Command(button);
            ASSERT_EQ(answers.shown.size(), 1u);
            EXPECT_EQ(answers.shown[0], (SkinnedMessage{1, SkinString(&strings, c.message), "OK", {}, {}}));
            answers.shown.clear();
            EXPECT_EQ(page.focusWidget(), Edit(page, c.field));
            EXPECT_EQ(Edit(page, c.field)->selectedText(), c.text);
            EXPECT_TRUE(Take().empty()) << "nothing is posted";
            EXPECT_EQ(camera.info, before) << "nothing is saved";
        }
    }
    Type(Edit(page, WirelessSecurityPage::IDC_WPA_PASSPHRASE), "eight888");
    page.Command(IDC_BACK);
    EXPECT_TRUE(answers.shown.empty());
    EXPECT_EQ(Take(), (std::vector<Request>{Request::Back}));
}

TEST_F(SecurityPageTest, NextSavesEachTypeAsTheRecordExpects)
{
    struct Case
    {
        const char* what;
        int index;
        const char* passphrase; // typed into the WEP passphrase edit when not null
        const char* key;        // typed into the key edit when not null
        const char* wpa;        // typed into the WPA passphrase edit when not null
        int security, secMode, bWep;
        std::string keyArea;
        const char* wepStored;
        const char* wpaStored;
    };
    const Case cases[] = {
        // bWep stays 2, so the empty key edit is still parsed as 13 bytes: 0xEF each.
        {"none", 0, nullptr, nullptr, nullptr, 1, 0, 2, Repeat("ef", 13) + Repeat("00", 39), "", ""},
        // Keys 2-4 of the generator are cleared; 16 of the passphrase's 31 characters are kept.
        {"64-bit from a passphrase", 1, "Wireless camera 2026 passphrase", nullptr, nullptr, 0, 0, 1,
         "9bed95bb1d" + Repeat("00", 47), "Wireless camera ", ""},
        {"128-bit typed", 2, nullptr, "000102030405060708090A0B0C", nullptr, 0, 0, 2,
         "000102030405060708090a0b0c" + Repeat("00", 39), "", ""},
        // The hidden key edit, emptied on the way through the WEP types, is parsed too.
        {"wpa", 3, nullptr, nullptr, "correct horse", 0, 1, 2, Repeat("ef", 13) + Repeat("00", 39), "",
         "correct horse"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        camera = CameraRecord();
        camera.info.Set(DeviceInfo::security, 1); // the page opens on "None"
        camera.info.Set(DeviceInfo::wepEnabled, 2);
        WirelessSecurityPage& page = Open();
        Choose(page, c.index);
        if (c.passphrase)
            Type(Edit(page, WirelessSecurityPage::IDC_WEP_PASSPHRASE), c.passphrase);
        if (c.key)
            Type(Edit(page, WirelessSecurityPage::IDC_WEP_KEY), c.key);
        if (c.wpa)
            Type(Edit(page, WirelessSecurityPage::IDC_WPA_PASSPHRASE), c.wpa);
        Take();
        page.Command(IDC_NEXT);
        EXPECT_TRUE(answers.shown.empty());
        EXPECT_EQ(Take(), (std::vector<Request>{Request::Next}));
        EXPECT_EQ(camera.info.Get(DeviceInfo::security), c.security);
        EXPECT_EQ(camera.info.Get(DeviceInfo::securityMode), c.secMode);
        EXPECT_EQ(camera.info.Get(DeviceInfo::wepEnabled), c.bWep);
        EXPECT_EQ(KeyArea(), c.keyArea);
        EXPECT_EQ(camera.info.Get(DeviceInfo::wepPassphrase), c.wepStored);
        EXPECT_EQ(camera.info.Get(DeviceInfo::wpaPassphrase), c.wpaStored);
    }
}

// The record keeps only 16 characters of a passphrase; the key the camera uses was made from
// all of them. Loading shows the camera's key and leaves the record as it was.
TEST_F(SecurityPageTest, LoadingARecordNeverChangesItsKey)
{
    struct Case
    {
        const char* what;
        int bWep;
        std::string keyArea;
        SecurityType type;
        const char* shown;
    };
    const Case cases[] = {
        {"128-bit made from the stored passphrase", 2, "6c12964324cdf3afac4ac04c85" + Repeat("00", 39),
         SecurityType::Wep128, "6c12964324cdf3afac4ac04c85"},
        {"64-bit made from a longer passphrase", 1, "9bed95bb1d" + Repeat("00", 47), SecurityType::Wep64,
         "9bed95bb1d"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        camera = CameraRecord();
        camera.info.Set(DeviceInfo::wepEnabled, static_cast<uint8_t>(c.bWep));
        camera.info.Set(DeviceInfo::wepPassphrase, "Wireless camera ");
        ParseHexKey(c.keyArea, camera.info.Get(DeviceInfo::wepKeys));
        WirelessSecurityPage& page = Open();
        EXPECT_EQ(page.CurrentType(), c.type);
        EXPECT_EQ(Edit(page, WirelessSecurityPage::IDC_WEP_KEY)->text(), c.shown);
        EXPECT_TRUE(page.IsKeyLocked());
        EXPECT_EQ(KeyArea(), c.keyArea);
        page.Command(IDC_NEXT);
        EXPECT_EQ(KeyArea(), c.keyArea) << "saved back unchanged";
    }
}

// A key the page makes itself is shown whole, whatever limit an earlier type set: cut, it
// would be saved back padded with 0xEF bytes.
TEST_F(SecurityPageTest, AGeneratedKeyIsNeverCutByTheKeyEditsLimit)
{
    WirelessSecurityPage& page = Open();
    Choose(page, 1); // 64-bit: the key edit takes 10 digits
    camera = CameraRecord();
    camera.info.Set(DeviceInfo::security, 1);
    camera.info.Set(DeviceInfo::wepEnabled, 2);
    camera.info.Set(DeviceInfo::wepPassphrase, "Wireless camera ");
    ParseHexKey("6c12964324cdf3afac4ac04c85", camera.info.Get(DeviceInfo::wepKeys));
    page.LoadFromRecord(&camera);
    EXPECT_EQ(page.CurrentType(), SecurityType::None);
    EXPECT_EQ(Edit(page, WirelessSecurityPage::IDC_WEP_KEY)->text(), "6c12964324cdf3afac4ac04c85");
    page.Command(IDC_NEXT);
    EXPECT_EQ(KeyArea(), "6c12964324cdf3afac4ac04c85" + Repeat("00", 39));
}

// The key edit takes typed hexadecimal digits only, but a paste of the right length got
// through and was saved as 0xFF nibbles.
TEST_F(SecurityPageTest, APastedKeyWithOtherCharactersIsRefused)
{
    WirelessSecurityPage& page = Open();
    Choose(page, 1);
    QLineEdit* key = Edit(page, WirelessSecurityPage::IDC_WEP_KEY);
    QGuiApplication::clipboard()->setText(QStringLiteral("0x12345678"));
    key->setFocus();
    QTest::keyClick(key, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(key->text(), "0x12345678");
    const DeviceInfo before = camera.info;
    page.Command(IDC_NEXT);
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].message, SkinString(&strings, 51405));
    EXPECT_FALSE(answers.shown[0].message.isEmpty());
    EXPECT_EQ(page.focusWidget(), key);
    EXPECT_EQ(camera.info, before);
    EXPECT_TRUE(Take().empty());
}

TEST_F(SecurityPageTest, ShowAllMessagesShowsTheKeyAndPassphraseMessages)
{
    WirelessSecurityPage& page = Open(true);
    page.ShowAllMessages();
    ASSERT_EQ(answers.shown.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(answers.shown[i].kind, 1);
        EXPECT_EQ(answers.shown[i].message, SkinString(&strings, 51402 + i));
        EXPECT_EQ(answers.shown[i].button1, SkinString(&strings, 51401));
        EXPECT_TRUE(answers.shown[i].button2.isEmpty());
    }
}
