#include "bmp_writer.h"

#include <QHash>
#include <QtEndian>

#include <algorithm>
#include <vector>

namespace {

struct Weighted
{
    QRgb color;
    qint64 count;
};

int Component(QRgb c, int channel)
{
    return channel == 0 ? qRed(c) : channel == 1 ? qGreen(c) : qBlue(c);
}

// The channel with the widest spread in a box, and that spread.
std::pair<int, int> WidestChannel(const std::vector<Weighted>& box)
{
    int best = 0, spread = -1;
    if (box.empty())
        return {best, spread};
    for (int channel = 0; channel < 3; ++channel) {
        const auto [lo, hi] = std::minmax_element(box.begin(), box.end(), [channel](auto a, auto b) {
            return Component(a.color, channel) < Component(b.color, channel);
        });
        const int s = Component(hi->color, channel) - Component(lo->color, channel);
        if (s > spread)
            best = channel, spread = s;
    }
    return {best, spread};
}

QRgb Mean(const std::vector<Weighted>& box)
{
    qint64 r = 0, g = 0, b = 0, n = 0;
    for (const Weighted& w : box) {
        r += qRed(w.color) * w.count, g += qGreen(w.color) * w.count, b += qBlue(w.color) * w.count;
        n += w.count;
    }
    return qRgb(int((r + n / 2) / n), int((g + n / 2) / n), int((b + n / 2) / n));
}

std::vector<QRgb> MedianCut(std::vector<Weighted> colors, int slotCount)
{
    std::vector<std::vector<Weighted>> boxes{std::move(colors)};
    while (static_cast<int>(boxes.size()) < slotCount) {
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const auto& a, const auto& b) {
            return WidestChannel(a).second < WidestChannel(b).second;
        });
        if (widest->size() < 2 || WidestChannel(*widest).second <= 0)
            break;
        const int channel = WidestChannel(*widest).first;
        std::sort(widest->begin(), widest->end(), [channel](auto a, auto b) {
            return Component(a.color, channel) < Component(b.color, channel);
        });
        qint64 total = 0, half = 0;
        for (const Weighted& w : *widest)
            total += w.count;
        size_t cut = 0;
        while (cut + 2 < widest->size() && (half += (*widest)[cut].count) < total / 2)
            ++cut;
        std::vector<Weighted> upper(widest->begin() + static_cast<long>(cut) + 1, widest->end());
        widest->resize(cut + 1);
        boxes.push_back(std::move(upper));
    }
    std::vector<QRgb> palette;
    for (const auto& box : boxes)
        if (!box.empty())
            palette.push_back(Mean(box));
    return palette;
}

int Nearest(const QList<QRgb>& palette, QRgb c)
{
    int best = 0;
    qint64 bestDistance = -1;
    for (int i = 0; i < palette.size(); ++i) {
        const qint64 dr = qRed(c) - qRed(palette[i]), dg = qGreen(c) - qGreen(palette[i]),
                     db = qBlue(c) - qBlue(palette[i]);
        const qint64 d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance)
            best = i, bestDistance = d;
    }
    return best;
}

void PutLe32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void PutLe16(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

// Appends one row's literal bytes: absolute mode for three or more, single runs otherwise.
void PutLiteral(QByteArray& out, const QByteArray& row, int start, int length)
{
    if (length < 3) {
        for (int i = 0; i < length; ++i)
            out.append(char(1)).append(row[start + i]);
        return;
    }
    out.append(char(0)).append(char(length)).append(row.mid(start, length));
    if (length % 2)
        out.append(char(0));
}

} // namespace

QList<QRgb> MakePalette(const QImage& image, int maxColors)
{
    QHash<QRgb, qint64> histogram;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++histogram[row[x] | 0xFF000000u];
    }
    std::vector<Weighted> colors;
    for (auto it = histogram.begin(); it != histogram.end(); ++it)
        colors.push_back({it.key(), it.value()});
    // Ties broken by colour: the hash's order changes from run to run, and the same art must
    // give the same bitmap every build.
    std::sort(colors.begin(), colors.end(),
              [](auto a, auto b) { return a.count != b.count ? a.count > b.count : a.color < b.color; });
    if (static_cast<int>(colors.size()) <= maxColors) {
        QList<QRgb> exact;
        for (const Weighted& w : colors)
            exact.append(w.color);
        return exact;
    }
    // Colours that cover large areas (bands, panels, the accent) are kept exact; the rest,
    // mostly anti-aliased edges, share the remaining slotCount.
    QList<QRgb> palette;
    const qint64 large = qint64(image.width()) * image.height() / 1000;
    size_t kept = 0;
    while (kept < colors.size() && kept < 64 && colors[kept].count >= large)
        palette.append(colors[kept++].color);
    for (QRgb c : MedianCut(std::vector<Weighted>(colors.begin() + static_cast<long>(kept), colors.end()),
                            maxColors - static_cast<int>(kept)))
        palette.append(c);
    return palette;
}

QByteArray EncodeRle8(const QList<QByteArray>& rowsBottomUp)
{
    QByteArray out;
    for (const QByteArray& row : rowsBottomUp) {
        int i = 0, literalStart = 0;
        const auto flush = [&](int end) {
            for (int s = literalStart; s < end; s += 255)
                PutLiteral(out, row, s, std::min(255, end - s));
        };
        while (i < row.size()) {
            int run = 1;
            while (i + run < row.size() && run < 255 && row[i + run] == row[i])
                ++run;
            if (run >= 3) {
                flush(i);
                out.append(char(run)).append(row[i]);
                i += run;
                literalStart = i;
            } else {
                i += run;
            }
        }
        flush(int(row.size()));
        out.append(char(0)).append(char(0));
    }
    out.append(char(0)).append(char(1));
    return out;
}

QByteArray EncodeBmp8(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const QList<QRgb> palette = MakePalette(image);
    QHash<QRgb, int> indexOf;
    QList<QByteArray> rows;
    const int stride = (image.width() + 3) / 4 * 4;
    for (int y = image.height() - 1; y >= 0; --y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QByteArray row(image.width(), '\0');
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x] | 0xFF000000u;
            auto it = indexOf.find(c);
            if (it == indexOf.end())
                it = indexOf.insert(c, Nearest(palette, c));
            row[x] = char(it.value());
        }
        rows.append(row);
    }
    const QByteArray rle = EncodeRle8(rows);
    const bool useRle = rle.size() < qsizetype(stride) * image.height();
    QByteArray bits = rle;
    if (!useRle) {
        bits.clear();
        for (const QByteArray& row : rows)
            bits.append(row).append(QByteArray(stride - row.size(), '\0'));
    }
    const quint32 tableSize = quint32(palette.size()) * 4;
    const quint32 bitsOffset = 14 + 40 + tableSize;
    QByteArray out("BM");
    PutLe32(out, bitsOffset + quint32(bits.size()));
    PutLe32(out, 0);
    PutLe32(out, bitsOffset);
    PutLe32(out, 40);
    PutLe32(out, quint32(image.width()));
    PutLe32(out, quint32(image.height()));
    PutLe16(out, 1);
    PutLe16(out, 8);
    PutLe32(out, useRle ? 1 : 0);
    PutLe32(out, quint32(bits.size()));
    PutLe32(out, 2835);
    PutLe32(out, 2835);
    PutLe32(out, quint32(palette.size()));
    PutLe32(out, 0);
    for (QRgb c : palette)
        out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append(char(0));
    out.append(bits);
    return out;
}
