// Language packs as the program loads them: the probe pack of edge cases and the English
// pack, both built from their sources by the pack pipeline.
#include "app/language_pack.h"
#include "platform/core/pe_resources.h"
#include "skin/core/message_skin.h"
#include "skin/core/skin_button_items.h"
#include "skin/core/skin_lines.h"
#include "skin/core/skin_text_items.h"

#include "../unit/pe_test_builder.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kBuildDir = QStringLiteral(CAMTIVO_BUILD_DIR);
const QString kProbePack = kBuildDir + QStringLiteral("/packs/Probe/Probe.dll");
const QString kEnglishPack = kBuildDir + QStringLiteral("/packs/English/English.dll");

struct Pack
{
    SkinStrings strings;
    SkinBitmaps bitmaps;
    SkinIcons icons;
    int Load(const QString& path) { return LoadLanguagePack(path, strings, bitmaps, icons); }

    std::u16string String(int number) const
    {
        std::u16string text;
        GetSkinString(&strings, number, text);
        return text;
    }
    QImage Bitmap(int number) const
    {
        for (const SkinBitmap* b : bitmaps)
            if (b->number == number)
                return b->Image();
        return {};
    }
    QImage Icon(int number) const
    {
        for (const SkinIcon* i : icons)
            if (i->number == number)
                return i->image;
        return {};
    }
};

template <class List> std::vector<int> Numbers(const List& list)
{
    std::vector<int> numbers;
    for (const auto* entry : list)
        numbers.push_back(entry->number);
    return numbers;
}

bool CopyFile(const QString& from, const QString& to, qint64 keep = -1)
{
    QFile in(from), out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = in.readAll();
    return out.write(keep < 0 ? bytes : bytes.left(keep)) >= 0;
}

} // namespace

TEST(LanguagePack, ProbePackTextsComeThroughExactlyAndInNumberOrder)
{
    Pack pack;
    ASSERT_EQ(pack.Load(kProbePack), 0);
    EXPECT_EQ(Numbers(pack.strings),
              (std::vector<int>{0, 5, 7, 100, 101, 102, 103, 104, 105, 106, 200, 65535}));
    EXPECT_EQ(pack.String(0), u"zero");
    EXPECT_EQ(pack.String(100), u"Espa\u00F1ol, Fran\u00E7ais, Portugu\u00EAs");
    EXPECT_EQ(pack.String(101), u"She said \"hello\" and \"bye\"");
    EXPECT_EQ(pack.String(102), u"first line\nsecond line\n\nfourth line");
    EXPECT_EQ(pack.String(103), u"back\\slash");
    EXPECT_EQ(pack.String(104), std::u16string(1023, u'a')); // exactly at the limit: whole
    EXPECT_EQ(pack.String(105), std::u16string(1023, u'b')); // one over: cut
    EXPECT_EQ(pack.String(106), std::u16string(1023, u'c'));
    EXPECT_EQ(pack.String(200), u"Espa\u00F1ol \u201Cquoted\u201D costs 5 \u20AC"); // a Windows-1252 source
    EXPECT_EQ(pack.String(65535), u"the last number");
}

TEST(LanguagePack, BitmapsUpTo32000AndIconsUpTo100AreLoaded)
{
    Pack pack;
    ASSERT_EQ(pack.Load(kProbePack), 0);
    EXPECT_EQ(Numbers(pack.bitmaps), (std::vector<int>{1, 32000}));
    EXPECT_EQ(Numbers(pack.icons), (std::vector<int>{1, 100}));

    const QImage first = pack.Bitmap(1);
    ASSERT_EQ(first.size(), QSize(5, 3));
    EXPECT_EQ(first.pixel(0, 0), qRgb(0x64, 0x7A, 0xD0));
    EXPECT_EQ(first.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(first.pixel(4, 2), qRgb(0x64, 0x7A, 0xD0));

    const QImage icon = pack.Icon(100);
    ASSERT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(icon.pixel(16, 16), qRgb(0x64, 0x7A, 0xD0));
}

TEST(LanguagePack, AMissingOrBrokenLibraryLeavesTheListsEmpty)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString garbage = dir.filePath(QStringLiteral("Garbage.dll"));
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("MZ this is not a library at all");
    file.close();
    const QString cut = dir.filePath(QStringLiteral("Cut.dll"));
    ASSERT_TRUE(CopyFile(kProbePack, cut, 600));

    for (const QString& path : {dir.filePath(QStringLiteral("Missing.dll")), garbage, cut, dir.path()}) {
        SCOPED_TRACE(path.toStdString());
        Pack pack;
        ASSERT_EQ(pack.Load(kProbePack), 0);
        EXPECT_EQ(pack.Load(path), 1);
        EXPECT_TRUE(pack.strings.IsEmpty());
        EXPECT_TRUE(pack.bitmaps.IsEmpty());
        EXPECT_TRUE(pack.icons.IsEmpty());
    }
}

TEST(LanguagePack, EveryCutOfTheProbePackLoadsAtMostWhatTheWholeHolds)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile whole(kProbePack);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const qint64 size = whole.size();
    for (qint64 keep = 0; keep < size; keep += 257) {
        const QString path = dir.filePath(QStringLiteral("Cut.dll"));
        ASSERT_TRUE(CopyFile(kProbePack, path, keep));
        Pack pack;
        pack.Load(path);
        EXPECT_LE(pack.strings.GetCount(), 12u);
        EXPECT_LE(pack.bitmaps.GetCount(), 2u);
    }
}

TEST(LanguagePack, PacksAreFoundInTheCurrentDirectory)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(CopyFile(kProbePack, dir.filePath(QStringLiteral("Spanish.dll"))));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const QString programDir = CurrentProgramDir();
    Pack pack;
    const int loaded = pack.Load(LanguagePackPath(programDir, QStringLiteral("Spanish")));
    const int missing = Pack().Load(LanguagePackPath(programDir, QStringLiteral("English")));
    QDir::setCurrent(before);
    EXPECT_EQ(programDir, QDir(dir.path()).canonicalPath() + QLatin1Char('/'));
    EXPECT_EQ(loaded, 0);
    EXPECT_EQ(missing, 1);
}

TEST(EnglishPack, HoldsTheStringsTheFirstPagesUse)
{
    Pack pack;
    ASSERT_EQ(pack.Load(kEnglishPack), 0);
    std::vector<int> wanted = {59999, 51202, 51203};
    for (int n = 50201; n <= 50213; ++n)
        wanted.push_back(n);
    for (int n = 50801; n <= 50810; ++n)
        wanted.push_back(n);
    for (int n : wanted)
        EXPECT_FALSE(pack.String(n).empty()) << n;
    for (const auto* s : pack.strings)
        EXPECT_LE(s->text.size(), 1023u);
}

TEST(EnglishPack, EverySectionDrawsItsTextsAndSkinsItsButtons)
{
    Pack pack;
    ASSERT_EQ(pack.Load(kEnglishPack), 0);
    const auto hasBitmap = [&pack](int32_t n) { return !pack.Bitmap(n).isNull(); };
    const struct
    {
        const char16_t* section;
        size_t texts;
        std::vector<std::u16string_view> buttons;
    } sections[] = {
        {u"2_Main",
         5,
         {u"Start", u"Close", u"Install Utility", u"Setup Varnet", u"User Guide", u"Exit", u"Language"}},
        {u"8_Search", 17, {u"Search", u"Next", u"Back", u"Close"}},
        {u"Search_Password", 3, {u"OK", u"Cancel"}}, // the line under the title is the program's
        {u"Search_Progress", 2, {}},
        {u"Save_Progress", 2, {}},
    };
    // In pack order: each section's blocks lie before the next section, never borrowed from it.
    for (size_t i = 0; i < std::size(sections); ++i) {
        const auto& s = sections[i];
        SCOPED_TRACE(QString::fromUtf16(s.section).toStdString());
        const int start = FindSkinSection(&pack.strings, s.section);
        const int end = i + 1 < std::size(sections) ? FindSkinSection(&pack.strings, sections[i + 1].section)
                                                    : static_cast<int>(pack.strings.GetCount());
        const SkinTextItems texts = ReadSkinTextItems(&pack.strings, s.section);
        ASSERT_EQ(texts.status, SkinReadStatus::Ok);
        EXPECT_EQ(texts.items.size(), s.texts);
        for (std::u16string_view button : s.buttons) {
            const SkinButtonResult item = ReadSkinButtonItem(&pack.strings, s.section, button, hasBitmap);
            EXPECT_EQ(item.status, SkinReadStatus::Ok)
                << QString::fromUtf16(button.data(), button.size()).toStdString();
            const int block = FindSkinBlock(&pack.strings, start, button);
            EXPECT_GT(block, start);
            EXPECT_LT(block, end) << QString::fromUtf16(button.data(), button.size()).toStdString();
        }
    }
}

TEST(EnglishPack, MessageKindsOneToFourHaveTheirLookAndIcon)
{
    Pack pack;
    ASSERT_EQ(pack.Load(kEnglishPack), 0);
    for (int kind = 1; kind <= 4; ++kind) {
        SCOPED_TRACE(kind);
        MsgButtonStyle buttons;
        ReadMsgButtonStyle(&pack.strings, kind, buttons);
        MessageTextStyle text;
        ReadMessageTextStyle(&pack.strings, kind, text);
        EXPECT_EQ(buttons.font.faceName, u"DejaVu Sans");
        EXPECT_EQ(text.font.faceName, u"DejaVu Sans");
        EXPECT_EQ(text.panelColor, MakeColorRef(255, 255, 255));
        EXPECT_EQ(text.frameSize, 3);
        EXPECT_EQ(pack.Icon(kind).size(), QSize(32, 32));
    }
}

TEST(EnglishPack, BitmapsHaveThePageAndDialogSizesAndTheAccentIsExact)
{
    Pack pack;
    ASSERT_EQ(pack.Load(kEnglishPack), 0);
    const struct
    {
        int number;
        QSize size;
    } bitmaps[] = {
        {111, {581, 436}}, {171, {581, 436}}, {181, {360, 200}}, {177, {300, 160}}, {178, {300, 160}},
        {179, {300, 160}}, {180, {300, 160}}, {255, {300, 160}}, {256, {300, 160}}, {257, {300, 160}},
        {258, {300, 160}}, {1001, {480, 44}}, {1002, {72, 24}},  {1003, {288, 32}}, {1004, {288, 32}},
    };
    for (const auto& b : bitmaps)
        EXPECT_EQ(pack.Bitmap(b.number).size(), b.size) << b.number;
    const QRgb accent = qRgb(0x64, 0x7A, 0xD0);
    EXPECT_EQ(pack.Bitmap(111).pixel(10, 10), accent);
    EXPECT_EQ(pack.Bitmap(171).pixel(400, 40), accent); // behind the firmware and MAC fields
    EXPECT_EQ(pack.Bitmap(171).pixel(500, 420), qRgb(255, 255, 255));
    EXPECT_NE(pack.Bitmap(177), pack.Bitmap(178)); // the animation moves
}

TEST(PackTool, RefusesWhatTheResourceCompilerWouldLetThrough)
{
#ifdef _WIN32
    GTEST_SKIP() << "the pack tool runs where the packs are built, on Linux";
#endif
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&dir](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QString good = write(QStringLiteral("good.txt"), "1 one\n65535 last\n");
    const QString tooBig = write(QStringLiteral("big.txt"), "65536 too big\n");
    const QString twice = write(QStringLiteral("twice.txt"), "5 a\n5 b\n");
    const QString fakeBmp = write(QStringLiteral("7_fake.bmp"), "BM but nothing more");
    const QString openSkin =
        write(QStringLiteral("a.skin"), "<Page>\n<TEXT>\ntext=Hi\nposition=(1,2)\n</TEXT>\n");
    const QString tool = kBuildDir + QStringLiteral("/packs/camtivo-packtool");
    const struct
    {
        const char* name;
        QStringList args;
        int exitCode;
    } cases[] = {
        {"good strings", {QStringLiteral("--strings"), good}, 0},
        {"number above 65535", {QStringLiteral("--strings"), tooBig}, 1},
        {"number used twice", {QStringLiteral("--strings"), twice}, 1},
        {"not a bitmap", {QStringLiteral("--bitmaps"), fakeBmp}, 1},
        {"incomplete item, unclosed section", {QStringLiteral("--skin"), openSkin}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QProcess process;
        process.start(tool,
                      QStringList{QStringLiteral("rc"), dir.filePath(QStringLiteral("out.rc"))} + c.args);
        ASSERT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitCode(), c.exitCode) << process.readAllStandardError().toStdString();
    }
}

TEST(LanguagePack, HugePicturesClaimedByFewBytesCannotExhaustMemory)
{
    // 4096 x 4096 bitmaps of a few bytes of run-length data each: only the first fits the
    // pack's pixel budget; one that breaks off (bitmap 1 here) spends its pixels all the same,
    // and shows as no picture when it is used.
    const test_pe::Bytes huge = test_pe::Dib(4096, 4096, 8, 1, {0x647AD0}, {0, 0, 0, 1}, 1);
    const test_pe::Bytes broken = test_pe::Dib(2048, 4096, 8, 1, {0x647AD0}, {2, 0}, 1);
    const test_pe::BuiltPe built =
        test_pe::BuildPe({{pe::kResourceBitmap, 1, broken},
                          {pe::kResourceBitmap, 2, huge},
                          {pe::kResourceBitmap, 3, test_pe::Dib(2048, 4096, 8, 1, {0x647AD0}, {0, 1}, 1)},
                          {pe::kResourceBitmap, 4, huge},
                          {pe::kResourceBitmap, 5, test_pe::Dib(1, 1, 24, 0, {}, {1, 2, 3, 0})}});
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("Huge.dll")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(built.bytes.data()), static_cast<qint64>(built.bytes.size()));
    file.close();
    Pack pack;
    ASSERT_EQ(pack.Load(file.fileName()), 0);
    EXPECT_EQ(Numbers(pack.bitmaps), (std::vector<int>{1, 3}));
    EXPECT_TRUE(pack.Bitmap(1).isNull());
    EXPECT_EQ(pack.Bitmap(3).pixel(2047, 4095), qRgb(0x64, 0x7A, 0xD0));
}

TEST(PackTool, FlatArtComesThroughTheEightBitRunLengthBitmapExactly)
{
#ifdef _WIN32
    GTEST_SKIP() << "the pack tool runs where the packs are built, on Linux";
#endif
    // Runs of 1, 2 and 3 pixels, one longer than a run can hold, alternating single pixels
    // (stored literally) and a tail: every path of the encoder.
    struct Stripe
    {
        int width;
        QRgb color;
    };
    std::vector<Stripe> stripes = {
        {1, qRgb(255, 0, 0)}, {2, qRgb(0, 255, 0)}, {3, qRgb(0, 0, 255)}, {295, qRgb(255, 255, 255)}};
    for (int i = 0; i < 21; ++i)
        stripes.push_back({1, i % 2 ? qRgb(0, 0, 0) : qRgb(100, 122, 208)});
    stripes.push_back({278, qRgb(255, 255, 0)});
    QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"600\" height=\"3\">";
    std::vector<QRgb> expected;
    for (const Stripe& s : stripes) {
        svg += QStringLiteral("<rect x=\"%1\" y=\"0\" width=\"%2\" height=\"3\" fill=\"%3\"/>")
                   .arg(expected.size())
                   .arg(s.width)
                   .arg(QColor(s.color).name())
                   .toUtf8();
        expected.insert(expected.end(), s.width, s.color);
    }
    svg += "</svg>";
    ASSERT_EQ(expected.size(), 600u);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile source(dir.filePath(QStringLiteral("stripes.svg")));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write(svg);
    source.close();
    const QString bmp = dir.filePath(QStringLiteral("stripes.bmp"));
    QProcess process;
    process.start(kBuildDir + QStringLiteral("/packs/camtivo-packtool"),
                  {QStringLiteral("svg2bmp"), source.fileName(), bmp});
    ASSERT_TRUE(process.waitForFinished(20000));
    ASSERT_EQ(process.exitCode(), 0);

    QFile file(bmp);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GT(bytes.size(), 14);
    const std::span<const uint8_t> dib(reinterpret_cast<const uint8_t*>(bytes.constData()) + 14,
                                       size_t(bytes.size()) - 14);
    const pe::DibResult decoded = pe::DecodeDib(dib);
    ASSERT_EQ(decoded.status, pe::DibStatus::Ok);
    EXPECT_EQ(pe::ReadDibLayout(dib).layout.compression, 1u); // run-length encoded: smaller here
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 600; ++x)
            ASSERT_EQ(decoded.image.pixels[size_t(y) * 600 + x], expected[size_t(x)] | 0xFF000000u)
                << x << "," << y;
}

TEST(LanguagePack, ABitmapTwentyThousandAboveAnotherIsItsArtAtTwiceTheSize)
{
    const auto solid = [](int width, int height) {
        const size_t stride = static_cast<size_t>(width * 3 + 3) / 4 * 4;
        return test_pe::Dib(width, height, 24, 0, {}, test_pe::Bytes(stride * height, 0x80));
    };
    const test_pe::BuiltPe built = test_pe::BuildPe({{pe::kResourceBitmap, 5, solid(2, 3)},
                                                     {pe::kResourceBitmap, 7, solid(2, 2)},
                                                     {pe::kResourceBitmap, 20005, solid(4, 6)},
                                                     {pe::kResourceBitmap, 20006, solid(1, 1)},
                                                     {pe::kResourceBitmap, 20007, solid(3, 3)}});
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("Twice.dll")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(built.bytes.data()), static_cast<qint64>(built.bytes.size()));
    file.close();
    Pack pack;
    ASSERT_EQ(pack.Load(file.fileName()), 0);
    // 20005 and 20007 belong to 5 and 7; 20006 has no 1x twin and is a bitmap of its own.
    EXPECT_EQ(Numbers(pack.bitmaps), (std::vector<int>{5, 7, 20006}));
    const auto entry = [&](int number) {
        for (const SkinBitmap* b : pack.bitmaps)
            if (b->number == number)
                return b;
        return static_cast<const SkinBitmap*>(nullptr);
    };
    // The 2x art is read only when a screen can draw it.
    const bool hiRes = qGuiApp->devicePixelRatio() >= 1.5;
    EXPECT_EQ(entry(5)->Image2x().isNull(), !hiRes);
    if (hiRes) {
        EXPECT_EQ(entry(5)->Image2x().size(), QSize(4, 6));
    }
    EXPECT_TRUE(entry(7)->Image2x().isNull()) << "2x art of the wrong size is never drawn";
}

TEST(PackTool, TheTwiceSizedArtIsRenderedFromTheSameSvgAndMustBeTwiceTheSize)
{
#ifdef _WIN32
    GTEST_SKIP() << "the pack tool runs where the packs are built, on Linux";
#endif
    QTemporaryDir dir;
    QFile source(dir.filePath(QStringLiteral("dot.svg")));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"6\">"
                 "<circle cx=\"5\" cy=\"3\" r=\"2.5\" fill=\"#5468C4\"/></svg>");
    source.close();
    const auto run = [&](const QStringList& args) {
        QProcess process;
        process.start(kBuildDir + QStringLiteral("/packs/camtivo-packtool"), args);
        EXPECT_TRUE(process.waitForFinished(20000));
        return std::pair{process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
    };
    const QString plain = dir.filePath(QStringLiteral("1_dot.bmp"));
    const QString twice = dir.filePath(QStringLiteral("20001_dot@2x.bmp"));
    const QString thrice = dir.filePath(QStringLiteral("20001_dot@3x.bmp"));
    ASSERT_EQ(run({"svg2bmp", source.fileName(), plain}).first, 0);
    ASSERT_EQ(run({"svg2bmp", source.fileName(), twice, "-1", "--scale", "2"}).first, 0);
    ASSERT_EQ(run({"svg2bmp", source.fileName(), thrice, "-1", "--scale", "3"}).first, 0);
    const QString rc = dir.filePath(QStringLiteral("pack.rc"));
    EXPECT_EQ(run({"rc", rc, "--bitmaps", plain, twice}).first, 0);
    const auto [status, errors] = run({"rc", rc, "--bitmaps", plain, thrice});
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(errors.contains(QStringLiteral("2x art of bitmap 1 must be 20 x 12")))
        << errors.toStdString();
}
