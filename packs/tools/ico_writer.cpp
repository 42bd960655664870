#include "ico_writer.h"

#include <QtEndian>

namespace {

template <class T> void Put(QByteArray& out, T v)
{
    char b[sizeof(T)];
    qToLittleEndian(v, b);
    out.append(b, sizeof(T));
}

// Header, bottom-up BGRA rows, then the mask rows (a set bit is transparent).
QByteArray IconImage(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    QByteArray out;
    Put<quint32>(out, 40);
    Put<qint32>(out, image.width());
    Put<qint32>(out, image.height() * 2);
    Put<quint16>(out, 1);
    Put<quint16>(out, 32);
    for (int i = 0; i < 6; ++i)
        Put<quint32>(out, 0);
    for (int y = image.height() - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            out.append(char(qBlue(row[x])))
                .append(char(qGreen(row[x])))
                .append(char(qRed(row[x])))
                .append(char(qAlpha(row[x])));
    }
    const int maskStride = (image.width() + 31) / 32 * 4;
    for (int y = image.height() - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QByteArray mask(maskStride, '\0');
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) == 0)
                mask[x / 8] = char(mask[x / 8] | (0x80 >> (x % 8)));
        out.append(mask);
    }
    return out;
}

} // namespace

QByteArray EncodeIco(const QList<QImage>& sizes)
{
    QList<QByteArray> images;
    for (const QImage& image : sizes)
        images.append(IconImage(image));
    QByteArray out;
    Put<quint16>(out, 0);
    Put<quint16>(out, 1);
    Put<quint16>(out, quint16(images.size()));
    quint32 offset = 6 + 16 * quint32(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        out.append(char(sizes[i].width() >= 256 ? 0 : sizes[i].width()));
        out.append(char(sizes[i].height() >= 256 ? 0 : sizes[i].height()));
        out.append(char(0)).append(char(0));
        Put<quint16>(out, 1);
        Put<quint16>(out, 32);
        Put<quint32>(out, quint32(images[i].size()));
        Put<quint32>(out, offset);
        offset += quint32(images[i].size());
    }
    for (const QByteArray& image : images)
        out.append(image);
    return out;
}
