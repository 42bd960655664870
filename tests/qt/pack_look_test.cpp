// The shipped packs as a user meets them: every caption readable against its button, and the
// Spanish wizard without an English word left on any page or box. The walk also saves a PNG
// of every page and box in both languages.
#include "app/language_pack.h"
#include "page_walk.h"
#include "platform/canvas.h"
#include "qt_test_support.h"
#include "skin/button_skin.h"
#include "skin/core/message_skin.h"
#include "skin/core/skin_lines.h"

#include <QRegularExpression>
#include <QSet>
#include <cmath>

using namespace qt_test;

namespace {

double Luminance(const QColor& colour)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) +
           0.0722 * channel(colour.blue());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Every section name of the skin ("<name>" lines that open a section).
QStringList SectionNames(const SkinStrings& strings)
{
    static const QRegularExpression open(QStringLiteral("^<([^/<>][^<>]*)>$"));
    QStringList names;
    for (const StringEntry* line : strings) {
        const QRegularExpressionMatch m = open.match(QString::fromStdU16String(line->text));
        if (m.hasMatch() && !names.contains(m.captured(1)))
            names << m.captured(1);
    }
    return names;
}

// The names of the items in a section's BUTTON block.
QStringList ButtonNames(const SkinStrings& strings, const QString& section)
{
    QStringList names;
    bool inSection = false;
    bool inButtons = false;
    for (const StringEntry* entry : strings) {
        const QString line = QString::fromStdU16String(entry->text);
        if (line == QLatin1Char('<') + section + QLatin1Char('>'))
            inSection = true;
        else if (line == QStringLiteral("</") + section + QLatin1Char('>'))
            inSection = false;
        else if (inSection && (line == QStringLiteral("<BUTTON>") || line == QStringLiteral("</BUTTON>")))
            inButtons = line == QStringLiteral("<BUTTON>");
        else if (inButtons && line.startsWith(QLatin1Char('<')) && !line.startsWith(QStringLiteral("</")))
            names << line.mid(1, line.size() - 2);
    }
    return names;
}

TEST(PackLook, EveryButtonCaptionReadsAgainstItsFaceAtFourAndAHalfToOne)
{
    for (const QString& path : {EnglishPackPath(), SpanishPackPath()}) {
        SCOPED_TRACE(path.toStdString());
        SkinStrings strings;
        SkinBitmaps bitmaps;
        SkinIcons icons;
        ASSERT_EQ(LoadLanguagePack(path, strings, bitmaps, icons), 0);
        int checked = 0;
        for (const QString& section : SectionNames(strings)) {
            for (const QString& name : ButtonNames(strings, section)) {
                const std::optional<ButtonSkin> skin = ReadButtonSkin(&strings, &bitmaps, section, name);
                if (!skin || skin->text.isEmpty())
                    continue;
                const int frame = skin->image.width() / 3;
                const int middle = skin->image.height() / 2;
                const struct
                {
                    const char* state;
                    int column;
                    COLORREF caption;
                } states[] = {{"normal", frame / 2, skin->inactiveColor},
                              {"hover", 2 * frame + frame / 2, skin->activeColor}};
                for (const auto& s : states) {
                    const QColor face = skin->image.pixelColor(s.column, middle);
                    EXPECT_GE(Contrast(face, ColorRefToQColor(s.caption)), 4.5)
                        << section.toStdString() << " / " << name.toStdString() << " " << s.state;
                    ++checked;
                }
            }
        }
        EXPECT_GT(checked, 30);
        for (int kind = 1; kind <= 4; ++kind) {
            MsgButtonStyle style;
            ReadMsgButtonStyle(&strings, kind, style);
            const QColor face = ColorRefToQColor(style.fillColor);
            EXPECT_GE(Contrast(face, ColorRefToQColor(style.textColor)), 4.5) << "message kind " << kind;
            EXPECT_GE(Contrast(face, ColorRefToQColor(style.hoverTextColor)), 4.5) << "message kind " << kind;
        }
    }
}

QSet<QString> Words(const QStringList& texts)
{
    static const QRegularExpression word(QStringLiteral("\\p{L}{2,}"));
    QSet<QString> words;
    for (const QString& text : texts)
        for (auto it = word.globalMatch(text); it.hasNext();)
            words.insert(it.next().captured().toLower());
    return words;
}

// Words a Spanish user may meet as they are: names of protocols and of the program, folder
// names on disk, the test's camera name, and place names of the time-zone list that Spanish
// writes alike.
QSet<QString> WordSet(const char* words)
{
    const QStringList list = QString::fromLatin1(words).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return QSet<QString>(list.begin(), list.end());
}

const QSet<QString> kSameInBothLanguages =
    // protocols, standards, the program and technical words Spanish uses as they are
    WordSet("camtivo dhcp dns gmt ip mac pdf ssid wep wpa tcp udp tkip web firmware router ")
    // folders beside the program, the camera name the walk gives the login dialog
    + WordSet("tools docs pdfreader front door ")
    // place names of the time-zone list
    + WordSet("abu dhabi adelaide alaska almaty arizona azores baku bangkok brisbane buenos aires caracas "
              "casablanca colombo darwin dhaka fiji guam harare hobart hong kong jakarta kabul karachi "
              "kathmandu kinshasa kolkata krasnoyarsk kuwait la lagos lima madrid melbourne monrovia muscat "
              "nairobi nuku alofa osaka paz perth port moresby pretoria riad santiago seoul sydney tashkent "
              "tbilisi tokyo vladivostok yakutsk yangon yekaterinburg bogota dublin tehran auckland brasilia "
              "cairo delhi helsinki samoa verde ")
    // Spanish words that English spells alike
    + WordSet("cable central no de son red final general");

TEST(LanguageWalk, TheSpanishWizardShowsNoEnglishWord)
{
    QSet<QString> english;
    int englishShown = 0;
    page_walk::Walk(EnglishPackPath(), QStringLiteral("en"), [&](const page_walk::Shown& shown) {
        english += Words(shown.texts);
        ++englishShown;
    });
    english -= kSameInBothLanguages;

    int spanishShown = 0;
    page_walk::Walk(
        SpanishPackPath(), QStringLiteral("es"), [&](const page_walk::Shown& shown) {
            ++spanishShown;
            if (shown.name == QStringLiteral("login_dialog")) {
                EXPECT_TRUE(shown.texts.join(QLatin1Char(' ')).contains(QStringLiteral("Front-door")))
                    << "the login dialog names its camera";
            }
            const QSet<QString> left = Words(shown.texts) & english;
            EXPECT_TRUE(left.isEmpty())
                << shown.name.toStdString() << ": "
                << QStringList(left.begin(), left.end()).join(QLatin1Char(' ')).toStdString();
        });
    EXPECT_EQ(spanishShown, englishShown);
    EXPECT_GT(spanishShown, 40) << "pages, messages and dialogs";
}

} // namespace
