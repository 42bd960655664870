#include "skin/hex_key_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(HexEdit, TypedCharactersOtherThanHexDigitsAreRefused)
{
    struct Case
    {
        const char* name;
        QString typed;
        QString text;
        int refused;
    };
    const Case cases[] = {
        {"digits and both cases of a-f", QStringLiteral("09afAF"), QStringLiteral("09afAF"), 0},
        {"lower-case f stays lower-case", QStringLiteral("f"), QStringLiteral("f"), 0},
        {"g", QStringLiteral("g"), QString(), 1},
        {"G", QStringLiteral("G"), QString(), 1},
        {"space", QStringLiteral(" "), QString(), 1},
        {"minus", QStringLiteral("-"), QString(), 1},
        {"mixed", QStringLiteral("1x2-3"), QStringLiteral("123"), 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HexKeyEdit edit;
        QSignalSpy refused(&edit, &HexKeyEdit::characterRefused);
        QTest::keyClicks(&edit, c.typed);
        EXPECT_EQ(edit.text(), c.text);
        EXPECT_EQ(refused.count(), c.refused);
    }
}

TEST(HexEdit, NonAsciiCharactersAreRefused)
{
    HexKeyEdit edit;
    QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, QStringLiteral("\u00e9"), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, QStringLiteral("\uff21"), Qt::NoModifier);
    EXPECT_TRUE(edit.text().isEmpty());
}

TEST(HexEdit, ControlKeysAndPasteKeepWorkingUnfiltered)
{
    HexKeyEdit edit;
    QTest::keyClicks(&edit, QStringLiteral("abc"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), QStringLiteral("ab"));
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), QStringLiteral("b"));

    QApplication::clipboard()->setText(QStringLiteral("xyz"));
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("bxyz")) << "pasted text is the page's to check";
}
