#include "platform/canvas.h"

#include <QFontInfo>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Columns [first, last] that hold any non-black pixel, or (-1, -1).
std::pair<int, int> InkColumns(const QImage& image)
{
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if ((image.pixel(x, y) & 0xFFFFFF) != 0) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

FontDesc Desc(int height, int weight = 400, std::u16string face = u"DejaVu Sans")
{
    FontDesc desc;
    desc.height = height;
    desc.weight = weight;
    desc.SetFaceName(face);
    return desc;
}

TEST(Canvas, CreatesZeroFilledCanvasesOfTheAcceptedDepths)
{
    const QImage page = CreateCanvasBitmap(436, 581, 24);
    ASSERT_EQ(page.size(), QSize(581, 436));
    EXPECT_EQ(page.format(), QImage::Format_RGB888);
    QImage black(581, 436, QImage::Format_RGB888);
    black.fill(0);
    EXPECT_EQ(page, black);

    for (int depth : {8, 16, 32})
        EXPECT_FALSE(CreateCanvasBitmap(10, 10, depth).isNull()) << depth;
    for (int depth : {0, 12, 48, -24})
        EXPECT_TRUE(CreateCanvasBitmap(10, 10, depth).isNull()) << depth;
    EXPECT_TRUE(CreateCanvasBitmap(0, 10, 24).isNull());
}

TEST(Canvas, FontsFollowTheirDescription)
{
    const QFont bold = CreateFontFromDesc(Desc(-20, 700));
    EXPECT_EQ(bold.pixelSize(), 20);
    EXPECT_EQ(bold.weight(), QFont::Bold);
    EXPECT_EQ(QFontInfo(bold).family(), QStringLiteral("DejaVu Sans"));
    // A positive height is the whole line height, so the characters come out smaller.
    EXPECT_LE(QFontMetrics(CreateFontFromDesc(Desc(20))).height(), 21);

    FontDesc narrow = Desc(-20);
    narrow.width = 4;
    FontDesc wide = Desc(-20);
    wide.width = 20;
    const QString sample = QStringLiteral("Camera settings");
    EXPECT_LT(MeasureText(CreateFontFromDesc(narrow), sample).width(),
              MeasureText(CreateFontFromDesc(wide), sample).width());

    // Absurd sizes are clamped rather than handed to the text engine.
    FontDesc huge = Desc(INT32_MIN, INT32_MAX, std::u16string(40, u'x'));
    huge.width = INT32_MAX;
    const QFont clamped = CreateFontFromDesc(huge, INT32_MAX);
    EXPECT_LE(clamped.pixelSize(), 1024);
    EXPECT_EQ(clamped.family().size(), 31);
    EXPECT_GT(MeasureText(clamped, sample).width(), 0);
}

TEST(Canvas, TheExtraWidensTextByItsValuePerCharacter)
{
    const QString text = QStringLiteral("IIIII");
    const QFont plain = CreateFontFromDesc(Desc(-16), 0);
    const QFont spaced = CreateFontFromDesc(Desc(-16), 3);
    EXPECT_EQ(MeasureText(spaced, text).width() - MeasureText(plain, text).width(), 3 * text.size());
    EXPECT_EQ(MeasureText(spaced, text).height(), MeasureText(plain, text).height());
    // A line feed is measured as one more character.
    EXPECT_GT(MeasureText(plain, QStringLiteral("II\nIII")).width(), MeasureText(plain, text).width());

    auto inkWidth = [&](const QFont& font) {
        QImage canvas = CreateCanvasBitmap(40, 200, 24);
        QPainter painter(&canvas);
        DrawTextLine(painter, QRect(10, 5, 180, 30), text, font, Qt::white);
        painter.end();
        const auto [first, last] = InkColumns(canvas);
        return last - first;
    };
    // The extra after the last character leaves no ink.
    EXPECT_EQ(inkWidth(spaced) - inkWidth(plain), 3 * (text.size() - 1));
}

TEST(Canvas, LinesAreClippedToTheirRectangleAndLeaveThePainterAsItWas)
{
    QImage canvas = CreateCanvasBitmap(60, 300, 24);
    QPainter painter(&canvas);
    painter.setPen(Qt::red);
    const QFont before = painter.font();
    DrawTextLine(painter, QRect(20, 10, 50, 30), QStringLiteral("A long caption that does not fit"),
                 CreateFontFromDesc(Desc(-18)), Qt::white);
    EXPECT_EQ(painter.pen().color(), QColor(Qt::red));
    EXPECT_EQ(painter.font(), before);
    EXPECT_FALSE(painter.hasClipping());
    painter.end();
    const auto [first, last] = InkColumns(canvas);
    EXPECT_GE(first, 20);
    EXPECT_LE(last, 69);
    EXPECT_GT(last, first);

    // Centred text sits in the middle of its rectangle.
    QImage centred = CreateCanvasBitmap(40, 300, 24);
    QPainter centrePainter(&centred);
    DrawTextLine(centrePainter, QRect(0, 0, 300, 40), QStringLiteral("OK"), CreateFontFromDesc(Desc(-18)),
                 Qt::white, TextAlign::Centre);
    centrePainter.end();
    const auto [left, right] = InkColumns(centred);
    EXPECT_NEAR((left + right) / 2.0, 150.0, 3.0);
}

TEST(Canvas, MessagesWrapOutsideBracketsIntoEvenLines)
{
    const QFont font = CreateFontFromDesc(Desc(-13));
    const auto width = [&](const QString& text) { return MeasureText(font, text).width(); };
    const QString hex = QStringLiteral("Una clave WEP de 64 bits tiene 10 cifras hexadecimales (0-9, a-f).");
    const QString restart =
        QStringLiteral("La cámara puede reiniciarse y no estar disponible durante un minuto.");
    const struct
    {
        const char* name;
        QString line;
        int room;
    } cases[] = {
        {"a bracketed group is never split", hex,
         width(QStringLiteral("Una clave WEP de 64 bits tiene 10 cifras (0-9,"))},
        {"a line just too wide leaves no lone word", restart, width(restart) - 4},
        {"three lines", restart + QLatin1Char(' ') + restart, width(restart) * 2 / 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList lines = WrapTextLine(font, c.line, c.room);
        ASSERT_GE(lines.size(), 2);
        EXPECT_EQ(lines.join(QLatin1Char(' ')), c.line) << "wrapped only at spaces";
        int widest = 0;
        int narrowest = c.room;
        for (const QString& line : lines) {
            EXPECT_LE(width(line), c.room);
            EXPECT_EQ(line.count(QLatin1Char('(')), line.count(QLatin1Char(')'))) << line.toStdString();
            widest = std::max(widest, width(line));
            narrowest = std::min(narrowest, width(line));
        }
        EXPECT_GT(narrowest, widest / 2) << "no short last line";
    }
    EXPECT_EQ(WrapTextLine(font, QStringLiteral("Saved."), 400), QStringList{QStringLiteral("Saved.")});
}

TEST(Canvas, TheTwiceSizedArtIsDrawnFromARatioOfOneAndAHalf)
{
    QImage plain(4, 2, QImage::Format_RGB32);
    QImage sharp(8, 4, QImage::Format_RGB32);
    const QImage wrongSize(6, 4, QImage::Format_RGB32);
    const struct
    {
        qreal ratio;
        QImage twice;
        bool sharpDrawn;
    } cases[] = {
        {1.0, sharp, false}, {1.25, sharp, false},   {1.5, sharp, true},
        {2.0, sharp, true},  {2.0, QImage(), false}, {2.0, wrongSize, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ratio);
        const QImage chosen = ArtForRatio(plain, c.twice, c.ratio);
        EXPECT_EQ(chosen.size(), c.sharpDrawn ? sharp.size() : plain.size());
        // Either way it covers the 1x picture's place.
        EXPECT_EQ(chosen.deviceIndependentSize(), QSizeF(plain.size()));
    }
}

} // namespace
