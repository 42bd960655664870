#include "platform/resource_library.h"

#include <QFile>

QImage ToQImage(pe::Argb32Image image, bool withAlpha)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
        return {};
    // The image takes the decoded pixels over instead of copying them; the buffer is freed
    // with the last copy of the image.
    auto* pixels = new std::vector<uint32_t>(std::move(image.pixels));
    const auto release = [](void* buffer) { delete static_cast<std::vector<uint32_t>*>(buffer); };
    QImage out(reinterpret_cast<uchar*>(pixels->data()), image.width, image.height, image.width * 4,
               withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32, release, pixels);
    if (out.isNull())
        delete pixels;
    return out;
}

bool ResourceLibrary::Open(const QString& path)
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

QImage ResourceLibrary::Bitmap(int number) const
{
    if (number < 0 || number > 0xFFFF)
        return {};
    pe::DibResult decoded = file_.DecodeBitmap(static_cast<uint16_t>(number));
    return decoded.status == pe::DibStatus::Ok ? ToQImage(std::move(decoded.image), false) : QImage();
}

QImage ResourceLibrary::Icon(int number, int size) const
{
    if (number < 0 || number > 0xFFFF)
        return {};
    pe::IconImage decoded = file_.DecodeIcon(static_cast<uint16_t>(number), size);
    if (decoded.status != pe::IconStatus::Ok)
        return {};
    if (!decoded.isPng)
        return ToQImage(std::move(decoded.pixels), true);
    QImage png;
    png.loadFromData(reinterpret_cast<const uchar*>(decoded.png.data()), static_cast<int>(decoded.png.size()),
                     "PNG");
    return png;
}

QImage LoadLibraryBitmap(const QString& path, int number)
{
    ResourceLibrary library;
    return library.Open(path) ? library.Bitmap(number) : QImage();
}
