#include "pack_source.h"

#include "platform/core/dib_decoder.h"
#include "platform/core/hires_art.h"
#include "platform/core/icon_decoder.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSize>
#include <QStringDecoder>

namespace {

constexpr int kLastNumber = 65535;
constexpr int kBmpFileHeaderSize = 14;

// Sources are UTF-8; a file that is not valid UTF-8 was saved in the Windows-1252 code page
// (as older resource scripts are) and is read as such, so its accents come through exactly.
QString DecodeSource(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1252("windows-1252");
    return cp1252.isValid() ? cp1252(bytes) : text;
}

QStringList ReadLines(const QString& path, QStringList& errors)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        errors << QStringLiteral("%1: cannot be read").arg(path);
        return {};
    }
    return DecodeSource(file.readAll()).split(QLatin1Char('\n'));
}

bool Ignored(const QString& line)
{
    return line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#'));
}

void AddString(PackSource& pack, int number, const QString& text, const QString& where)
{
    if (number < 0 || number > kLastNumber)
        pack.errors << QStringLiteral("%1: string number %2 is outside 0 to 65535").arg(where).arg(number);
    else if (pack.strings.contains(number))
        pack.errors << QStringLiteral("%1: string number %2 is used twice").arg(where).arg(number);
    else
        pack.strings.insert(number, text);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::span<const uint8_t> DibOf(const QByteArray& bytes)
{
    if (bytes.size() < kBmpFileHeaderSize || !bytes.startsWith("BM"))
        return {};
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    return {data + kBmpFileHeaderSize, size_t(bytes.size()) - kBmpFileHeaderSize};
}

bool IsBmp(const QByteArray& bytes)
{
    const std::span<const uint8_t> dib = DibOf(bytes);
    return !dib.empty() && pe::DecodeDib(dib).status == pe::DibStatus::Ok;
}

QSize BmpSize(const QString& path)
{
    const QByteArray bytes = ReadAll(path);
    const pe::DibLayoutResult read = pe::ReadDibLayout(DibOf(bytes));
    return read.status == pe::DibStatus::Ok ? QSize(read.layout.width, read.layout.height) : QSize();
}

// A bitmap N + kHiResArtOffset beside a bitmap N is N's art at twice the size.
void ValidateHiResArt(PackSource& pack)
{
    for (auto it = pack.bitmaps.lowerBound(kHiResArtOffset); it != pack.bitmaps.end(); ++it) {
        const int base = it.key() - kHiResArtOffset;
        if (!pack.bitmaps.contains(base))
            continue;
        const QSize twice = BmpSize(pack.bitmaps.value(base)) * kHiResArtScale;
        if (BmpSize(it.value()) != twice)
            pack.errors << QStringLiteral("%1: the 2x art of bitmap %2 must be %3 x %4 pixels")
                               .arg(it.value())
                               .arg(base)
                               .arg(twice.width())
                               .arg(twice.height());
    }
}

bool IsIco(const QByteArray& bytes)
{
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    const pe::GroupIconResult header =
        pe::ReadGroupIcon(std::span<const uint8_t>(data, size_t(bytes.size())));
    return header.status == pe::IconStatus::Ok && !header.entries.empty();
}

} // namespace

QString UnescapeText(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\\') && i + 1 < text.size() &&
            (text[i + 1] == QLatin1Char('n') || text[i + 1] == QLatin1Char('\\'))) {
            out += text[i + 1] == QLatin1Char('n') ? QLatin1Char('\n') : QLatin1Char('\\');
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

QString RcEscape(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (c == QLatin1Char('"'))
            out += QStringLiteral("\"\"");
        else if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else
            out += c;
    }
    return out;
}

void ReadStringsFile(const QString& path, PackSource& pack)
{
    static const QRegularExpression line(QStringLiteral("^([0-9]+)[ \\t](.*)$"));
    const QStringList lines = ReadLines(path, pack.errors);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString text = QString(lines[i]).remove(QLatin1Char('\r'));
        if (Ignored(text))
            continue;
        const QString where = QStringLiteral("%1:%2").arg(path).arg(i + 1);
        const QRegularExpressionMatch m = line.match(text);
        if (!m.hasMatch()) {
            pack.errors << where + QStringLiteral(": expected \"<number> <text>\"");
            continue;
        }
        AddString(pack, m.captured(1).toInt(), UnescapeText(m.captured(2)), where);
    }
}

void ReadSkinFiles(const QStringList& paths, PackSource& pack)
{
    int next = 1;
    for (const QString& path : paths) {
        const QStringList lines = ReadLines(path, pack.errors);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString text = QString(lines[i]).remove(QLatin1Char('\r'));
            const QString where = QStringLiteral("%1:%2").arg(path).arg(i + 1);
            if (Ignored(text))
                continue;
            if (text.startsWith(QLatin1Char('@'))) {
                const int number = text.mid(1).toInt();
                if (number < next)
                    pack.errors << where + QStringLiteral(": numbers must keep rising");
                next = std::max(next, number);
                continue;
            }
            if (text[0].isSpace() || text.back().isSpace())
                pack.errors << where + QStringLiteral(
                                           ": a leading or trailing blank hides the line from the skin");
            AddString(pack, next++, UnescapeText(text), where);
        }
    }
}

void AddArtFiles(const QStringList& paths, QMap<int, QString>& into, QStringList& errors)
{
    static const QRegularExpression name(QStringLiteral("^([0-9]+)_"));
    for (const QString& path : paths) {
        const QRegularExpressionMatch m = name.match(QFileInfo(path).fileName());
        const int number = m.hasMatch() ? m.captured(1).toInt() : -1;
        if (number < 1 || number > kLastNumber)
            errors << path + QStringLiteral(": the name must start with a number from 1 to 65535 and \"_\"");
        else if (into.contains(number))
            errors << path + QStringLiteral(": number used twice");
        else
            into.insert(number, path);
    }
}

void ValidatePack(PackSource& pack)
{
    for (auto it = pack.bitmaps.begin(); it != pack.bitmaps.end(); ++it)
        if (!IsBmp(ReadAll(it.value())))
            pack.errors << it.value() + QStringLiteral(": not a readable BMP file");
    ValidateHiResArt(pack);
    for (auto it = pack.icons.begin(); it != pack.icons.end(); ++it)
        if (!IsIco(ReadAll(it.value())))
            pack.errors << it.value() + QStringLiteral(": not an icon file");
    for (auto it = pack.strings.begin(); it != pack.strings.end(); ++it)
        for (QChar c : it.value())
            if (c.unicode() < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\t'))
                pack.errors << QStringLiteral("string %1: control character").arg(it.key());
    ValidateSkin(pack);
}

QByteArray WriteResourceScript(const PackSource& pack)
{
    QString rc =
        QStringLiteral("// Generated from the pack's sources; edit those instead.\n\nSTRINGTABLE\nBEGIN\n");
    for (auto it = pack.strings.begin(); it != pack.strings.end(); ++it)
        rc += QStringLiteral("  %1 \"%2\"\n").arg(it.key()).arg(RcEscape(it.value()));
    rc += QStringLiteral("END\n\n");
    for (auto it = pack.bitmaps.begin(); it != pack.bitmaps.end(); ++it)
        rc += QStringLiteral("%1 BITMAP \"%2\"\n")
                  .arg(it.key())
                  .arg(RcEscape(QFileInfo(it.value()).absoluteFilePath()));
    for (auto it = pack.icons.begin(); it != pack.icons.end(); ++it)
        rc += QStringLiteral("%1 ICON \"%2\"\n")
                  .arg(it.key())
                  .arg(RcEscape(QFileInfo(it.value()).absoluteFilePath()));
    return rc.toUtf8();
}
