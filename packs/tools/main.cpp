// camtivo-packtool: builds a language pack's resources from its readable sources.
//   svg2bmp IN.svg OUT.bmp [FRAME] [--scale N]
//                                    art -> 8-bit BMP (RLE8 when smaller); FRAME picks an
//                                    animation frame (see SelectFrame, -1 none); --scale
//                                    renders at N times the size the SVG declares
//   svg2ico IN.svg OUT.ico           icon art -> 16, 32 and 64 pixel icon (64: the 2x of 32)
//   rc OUT.rc --strings F... --skin F... --bitmaps F... --icons F...
//                                    checks the sources and writes the resource script
//   png PACK.dll OUTDIR              every bitmap and icon of a built pack as PNG, for review
//   compare A.dll B.dll [--same]     every string number, bitmap, icon and skin section that
//                                    one pack has and the other lacks, and sections whose
//                                    lines differ in shape; exit 1 when there is any. --same
//                                    also lists texts that are the same in both (untranslated)
//
// Art for screens of high pixel density: the build renders every bitmap N up to 12000 a
// second time at twice the size and stores it as bitmap N + 20000 ("<N+20000>_<name>@2x.bmp",
// see platform/core/hires_art.h). `rc` refuses a bitmap N + 20000 that is not exactly twice
// the size of bitmap N; a bitmap from 20000 without a 1x twin is an ordinary bitmap.
#include "bmp_writer.h"
#include "ico_writer.h"
#include "pack_compare.h"
#include "pack_source.h"
#include "svg_render.h"

#include "platform/resource_library.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

constexpr int kMaxScale = 4;

int Fail(const QString& message)
{
    std::fprintf(stderr, "camtivo-packtool: %s\n", qPrintable(message));
    return 1;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() &&
           file.flush();
}

int SvgToBmp(QStringList args)
{
    int scale = 1;
    if (const qsizetype at = args.indexOf(QStringLiteral("--scale")); at >= 0 && at + 1 < args.size()) {
        scale = args[at + 1].toInt();
        args.remove(at, 2);
    }
    if (args.size() < 2 || scale < 1 || scale > kMaxScale)
        return Fail(QStringLiteral("svg2bmp IN.svg OUT.bmp [FRAME] [--scale 1-4]"));
    const int frame = args.size() > 2 ? args[2].toInt() : -1;
    const QByteArray svg = SelectFrame(ReadFile(args[0]), frame);
    const QImage image = RenderSvg(svg, true, DeclaredSize(svg) * scale);
    if (image.isNull())
        return Fail(args[0] + QStringLiteral(": not a readable SVG"));
    return WriteFile(args[1], EncodeBmp8(image)) ? 0 : Fail(args[1] + QStringLiteral(": cannot be written"));
}

int SvgToIco(const QStringList& args)
{
    if (args.size() != 2)
        return Fail(QStringLiteral("svg2ico IN.svg OUT.ico"));
    const QByteArray svg = ReadFile(args[0]);
    QList<QImage> sizes;
    for (int size : {16, 32, 64})
        sizes.append(RenderSvg(svg, false, QSize(size, size)));
    if (sizes[0].isNull())
        return Fail(args[0] + QStringLiteral(": not a readable SVG"));
    return WriteFile(args[1], EncodeIco(sizes)) ? 0 : Fail(args[1] + QStringLiteral(": cannot be written"));
}

int MakeRc(const QStringList& args)
{
    if (args.isEmpty())
        return Fail(QStringLiteral("rc OUT.rc --strings F... --skin F... --bitmaps F... --icons F..."));
    QMap<QString, QStringList> lists;
    QString current;
    for (const QString& arg : args.mid(1)) {
        if (arg.startsWith(QStringLiteral("--")))
            current = arg.mid(2);
        else
            lists[current].append(arg);
    }
    PackSource pack;
    for (const QString& path : lists.value(QStringLiteral("strings")))
        ReadStringsFile(path, pack);
    ReadSkinFiles(lists.value(QStringLiteral("skin")), pack);
    AddArtFiles(lists.value(QStringLiteral("bitmaps")), pack.bitmaps, pack.errors);
    AddArtFiles(lists.value(QStringLiteral("icons")), pack.icons, pack.errors);
    ValidatePack(pack);
    if (!pack.errors.isEmpty())
        return Fail(pack.errors.join(QLatin1Char('\n')));
    return WriteFile(args[0], WriteResourceScript(pack))
               ? 0
               : Fail(args[0] + QStringLiteral(": cannot be written"));
}

int PackToPng(const QStringList& args)
{
    if (args.size() != 2)
        return Fail(QStringLiteral("png PACK.dll OUTDIR"));
    ResourceLibrary library;
    if (!library.Open(args[0]))
        return Fail(args[0] + QStringLiteral(": not loadable"));
    QDir().mkpath(args[1]);
    const QString stem = QFileInfo(args[0]).completeBaseName();
    for (const pe::ResourceEntry& entry : library.Resources().Bitmaps())
        library.Bitmap(entry.id).save(QStringLiteral("%1/%2_bitmap_%3.png").arg(args[1], stem).arg(entry.id));
    for (const pe::ResourceEntry& entry : library.Resources().GroupIcons())
        library.Icon(entry.id).save(QStringLiteral("%1/%2_icon_%3.png").arg(args[1], stem).arg(entry.id));
    return 0;
}

bool ReadPack(const QString& path, PackContents& pack)
{
    ResourceLibrary library;
    if (!library.Open(path))
        return false;
    pack.name = QFileInfo(path).fileName();
    for (const pe::PeString& s : library.Resources().Strings())
        pack.strings.insert(s.number, QString::fromStdU16String(s.text));
    for (const pe::ResourceEntry& entry : library.Resources().Bitmaps())
        pack.bitmaps.append(entry.id);
    for (const pe::ResourceEntry& entry : library.Resources().GroupIcons())
        pack.icons.append(entry.id);
    return true;
}

int ComparePackFiles(const QStringList& args)
{
    if (args.size() < 2)
        return Fail(QStringLiteral("compare A.dll B.dll [--same]"));
    PackContents a;
    PackContents b;
    for (auto [path, pack] : {std::pair{args[0], &a}, std::pair{args[1], &b}})
        if (!ReadPack(path, *pack))
            return Fail(path + QStringLiteral(": not loadable"));
    const QStringList differences = ComparePacks(a, b);
    for (const QString& line : differences)
        std::printf("%s\n", qPrintable(line));
    if (args.contains(QStringLiteral("--same")))
        for (const QString& line : SameTexts(a, b))
            std::printf("same text: %s\n", qPrintable(line));
    std::printf("%s and %s: %lld differences\n", qPrintable(a.name), qPrintable(b.name),
                static_cast<long long>(differences.size()));
    return differences.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Qt wants a private runtime folder even offscreen; give it one of our own.
        const QString runtime = QDir::tempPath() + QStringLiteral("/camtivo-packtool-runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    QGuiApplication app(argc, argv); // fonts for text in SVG art
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return Fail(QStringLiteral("svg2bmp | svg2ico | rc | png | compare ..."));
    const QString command = args.takeFirst();
    if (command == QStringLiteral("svg2bmp"))
        return SvgToBmp(args);
    if (command == QStringLiteral("svg2ico"))
        return SvgToIco(args);
    if (command == QStringLiteral("rc"))
        return MakeRc(args);
    if (command == QStringLiteral("png"))
        return PackToPng(args);
    if (command == QStringLiteral("compare"))
        return ComparePackFiles(args);
    return Fail(QStringLiteral("unknown command ") + command);
}
