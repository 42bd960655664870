#include "platform/resource_library.h"

#include <QFile>

#include <cstring>

QImage ToQImage(const pe::Argb32Image& image, bool withAlpha)
{
    if (image.width <= 0 || image.height <= 0)
        return {};
    QImage out(image.width, image.height, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (out.isNull())
        return {};
    const size_t rowBytes = static_cast<size_t>(image.width) * sizeof(uint32_t);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(out.scanLine(y), image.pixels.data() + static_cast<size_t>(y) * image.width, rowBytes);
    return out;
}

bool CResourceLibrary::Open(const QString& path)
{
    open_ = false;
    file_ = {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    pe::PeParseResult parsed = pe::ParsePeResources(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    if (parsed.status != pe::PeStatus::Ok)
        return false;
    file_ = std::move(parsed.file);
    open_ = true;
    return true;
}

QImage CResourceLibrary::Bitmap(int number) const
{
    if (number < 0 || number > 0xFFFF)
        return {};
    const pe::DibResult decoded = file_.DecodeBitmap(static_cast<uint16_t>(number));
    return decoded.status == pe::DibStatus::Ok ? ToQImage(decoded.image, false) : QImage();
}

QImage CResourceLibrary::Icon(int number) const
{
    if (number < 0 || number > 0xFFFF)
        return {};
    const pe::IconImage decoded = file_.DecodeIcon(static_cast<uint16_t>(number));
    if (decoded.status != pe::IconStatus::Ok)
        return {};
    if (!decoded.isPng)
        return ToQImage(decoded.pixels, true);
    QImage png;
    png.loadFromData(reinterpret_cast<const uchar*>(decoded.png.data()), static_cast<int>(decoded.png.size()),
                     "PNG");
    return png;
}

QImage LoadLibraryBitmap(const QString& path, int number)
{
    CResourceLibrary library;
    return library.Open(path) ? library.Bitmap(number) : QImage();
}
