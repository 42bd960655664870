#include "app/language_pack.h"

#include "app/core/language_names.h"
#include "platform/core/hires_art.h"
#include "platform/resource_library.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>

namespace {

// The text as a 1024-unit string buffer returns it: cut to 1023 units and ended by the
// first NUL the resource holds.
std::u16string PackText(const std::u16string& text)
{
    std::u16string cut = text.substr(0, kPackStringLimit);
    if (const size_t nul = cut.find(u'\0'); nul != std::u16string::npos)
        cut.resize(nul);
    return cut;
}

void LoadStrings(const pe::PeResourceFile& file, CStringList& strings)
{
    for (const pe::PeString& s : file.Strings())
        strings.EmplaceTail(s.number, PackText(s.text));
}

// The 2x art costs four times the memory of the 1x art, so it is read only when a screen
// could draw it.
bool ScreensWantHiResArt()
{
    if (qGuiApp == nullptr)
        return false;
    for (const QScreen* screen : QGuiApplication::screens())
        if (WantsHiResArt(screen->devicePixelRatio()))
            return true;
    return false;
}

// A pack names its bitmaps' sizes itself, and a few bytes of run-length data can claim a
// huge picture: the pixels of one load are budgeted, so a hostile pack cannot exhaust memory.
// A picture that fails to decode has cost its pixels all the same, so it is charged too:
// otherwise thousands of entries naming one broken picture would each fill it again.
class BitmapLoader
{
public:
    BitmapLoader(const CResourceLibrary& library, bool hiRes) : library_(library), hiRes_(hiRes) {}

    void Load(const pe::ResourceEntry& entry, CBmpList& bitmaps)
    {
        if (entry.id < kPackFirstBitmap || entry.id > kPackLastBitmap)
            return;
        // Bitmap N + offset beside a bitmap N is N's 2x art, never a bitmap of its own.
        if (CBmpObj* base = loaded_.value(entry.id - kHiResArtOffset)) {
            if (hiRes_)
                base->image2x = Compact(Decode(entry, base->image.size() * kHiResArtScale, hiResBudget_));
            return;
        }
        QImage image = Decode(entry, {}, budget_);
        if (image.isNull())
            return;
        loaded_.insert(entry.id, bitmaps.EmplaceTail(entry.id, std::move(image)));
    }

private:
    // Pack art has at most 256 colours (8-bit bitmaps): kept as 8-bit pixels, the 2x art takes
    // a quarter of the memory its decoded 32-bit form would.
    static QImage Compact(const QImage& image)
    {
        return image.isNull() ? image : image.convertToFormat(QImage::Format_Indexed8, Qt::AvoidDither);
    }

    // The picture, when its size is `size` (any, when invalid) and it fits the budget.
    QImage Decode(const pe::ResourceEntry& entry, QSize size, int64_t& budget) const
    {
        const pe::DibLayoutResult header = pe::ReadDibLayout(library_.Resources().Data(entry));
        const int64_t pixels = int64_t{header.layout.width} * header.layout.height;
        if (header.status != pe::DibStatus::Ok || pixels > budget)
            return {};
        if (size.isValid() && size != QSize(header.layout.width, header.layout.height))
            return {};
        budget -= pixels;
        return library_.Bitmap(entry.id);
    }

    const CResourceLibrary& library_;
    const bool hiRes_;
    int64_t budget_ = kPackPixelBudget;
    int64_t hiResBudget_ = kPackPixelBudget * kHiResArtScale * kHiResArtScale;
    QHash<int, CBmpObj*> loaded_;
};

void LoadBitmaps(const CResourceLibrary& library, CBmpList& bitmaps, bool hiRes)
{
    BitmapLoader loader(library, hiRes);
    for (const pe::ResourceEntry& entry : library.Resources().Bitmaps())
        loader.Load(entry, bitmaps);
}

void LoadIcons(const CResourceLibrary& library, CIconList& icons, bool hiRes)
{
    constexpr int kIconSize = 32;
    for (const pe::ResourceEntry& entry : library.Resources().GroupIcons()) {
        if (entry.id < kPackFirstIcon || entry.id > kPackLastIcon)
            continue;
        QImage image = library.Icon(entry.id, kIconSize);
        if (image.isNull())
            continue;
        QImage image2x = hiRes ? library.Icon(entry.id, kIconSize * kHiResArtScale) : QImage();
        const QSize twice = image.size() * kHiResArtScale;
        CIconObj* icon = icons.EmplaceTail(entry.id, std::move(image));
        if (image2x.size() == twice)
            icon->image2x = std::move(image2x);
    }
}

} // namespace

int LoadLanguagePack(const QString& path, CStringList& strings, CBmpList& bitmaps, CIconList& icons)
{
    ClearLanguagePack(strings, bitmaps, icons);
    if (!QFileInfo(path).isFile())
        return 1;
    CResourceLibrary library;
    if (!library.Open(path))
        return 1;
    LoadStrings(library.Resources(), strings);
    const bool hiRes = ScreensWantHiResArt();
    LoadBitmaps(library, bitmaps, hiRes);
    LoadIcons(library, icons, hiRes);
    return 0;
}

void ClearLanguagePack(CStringList& strings, CBmpList& bitmaps, CIconList& icons)
{
    strings.RemoveAll();
    bitmaps.RemoveAll();
    icons.RemoveAll();
}

QString CurrentProgramDir()
{
    return QDir::currentPath() + QLatin1Char('/');
}

QString LanguagePackPath(const QString& programDir, const QString& packName)
{
    const std::u16string path = PackLibraryPath(programDir.toStdU16String(), packName.toStdU16String());
    return QString::fromStdU16String(path);
}
