#include "app/language_pack.h"

#include "app/core/language_names.h"
#include "platform/core/hires_art.h"
#include "platform/resource_library.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <map>
#include <memory>

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

void LoadStrings(const pe::PeResourceFile& file, SkinStrings& strings)
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
// huge picture: the pixels of one load are budgeted from the bitmaps' headers, so a hostile
// pack cannot exhaust memory. Each bitmap is decoded when it is first used (most pages are not
// shown at start, many never); one that then fails to decode has still cost its pixels, so
// thousands of entries naming one broken picture cannot each fill it again.
class BitmapLoader
{
public:
    BitmapLoader(std::shared_ptr<const ResourceLibrary> library, bool hiRes)
        : library_(std::move(library)), hiRes_(hiRes)
    {
    }

    void Load(const pe::ResourceEntry& entry, SkinBitmaps& bitmaps)
    {
        if (entry.id < kPackFirstBitmap || entry.id > kPackLastBitmap)
            return;
        // Bitmap N + offset beside a bitmap N is N's 2x art, never a bitmap of its own.
        if (const auto base = loaded_.find(entry.id - kHiResArtOffset); base != loaded_.end()) {
            if (hiRes_ && Charge(SizeOf(entry), base->second.size * kHiResArtScale, hiResBudget_))
                base->second.bitmap->SetHiResArt(entry.id);
            return;
        }
        const QSize size = SizeOf(entry);
        if (!Charge(size, {}, budget_))
            return;
        loaded_[entry.id] = {bitmaps.EmplaceTail(entry.id, library_), size};
    }

private:
    struct Loaded
    {
        SkinBitmap* bitmap;
        QSize size;
    };

    QSize SizeOf(const pe::ResourceEntry& entry) const
    {
        const pe::DibLayoutResult header = pe::ReadDibLayout(library_->Resources().Data(entry));
        if (header.status != pe::DibStatus::Ok)
            return {};
        return {header.layout.width, header.layout.height};
    }

    // Whether a well-formed picture of size `own` is of size `wanted` (any, when invalid) and
    // fits the budget, which it is then charged.
    static bool Charge(QSize own, QSize wanted, int64_t& budget)
    {
        const int64_t pixels = int64_t{own.width()} * own.height();
        if (!own.isValid() || pixels > budget || (wanted.isValid() && wanted != own))
            return false;
        budget -= pixels;
        return true;
    }

    const std::shared_ptr<const ResourceLibrary> library_;
    const bool hiRes_;
    int64_t budget_ = kPackPixelBudget;
    int64_t hiResBudget_ = kPackPixelBudget * kHiResArtScale * kHiResArtScale;
    std::map<int, Loaded> loaded_;
};

void LoadBitmaps(const std::shared_ptr<const ResourceLibrary>& library, SkinBitmaps& bitmaps, bool hiRes)
{
    BitmapLoader loader(library, hiRes);
    for (const pe::ResourceEntry& entry : library->Resources().Bitmaps())
        loader.Load(entry, bitmaps);
}

void LoadIcons(const ResourceLibrary& library, SkinIcons& icons, bool hiRes)
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
        SkinIcon* icon = icons.EmplaceTail(entry.id, std::move(image));
        if (image2x.size() == twice)
            icon->image2x = std::move(image2x);
    }
}

} // namespace

int LoadLanguagePack(const QString& path, SkinStrings& strings, SkinBitmaps& bitmaps, SkinIcons& icons)
{
    ClearLanguagePack(strings, bitmaps, icons);
    if (!QFileInfo(path).isFile())
        return 1;
    auto library = std::make_shared<ResourceLibrary>();
    if (!library->Open(path))
        return 1;
    LoadStrings(library->Resources(), strings);
    const bool hiRes = ScreensWantHiResArt();
    LoadBitmaps(library, bitmaps, hiRes);
    LoadIcons(*library, icons, hiRes);
    return 0;
}

void ClearLanguagePack(SkinStrings& strings, SkinBitmaps& bitmaps, SkinIcons& icons)
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

LoadedPack LoadPackOrEnglish(const QString& folder, const QString& language, SkinStrings& strings,
                             SkinBitmaps& bitmaps, SkinIcons& icons)
{
    const QString wanted = LanguagePackPath(folder, language);
    if (LoadLanguagePack(wanted, strings, bitmaps, icons) == 0 || !QFileInfo::exists(wanted))
        return {language, wanted, {}};
    const QString english = QString::fromStdU16String(std::u16string(kDefaultPackName));
    const QString englishPath = LanguagePackPath(folder, english);
    const bool fellBack =
        englishPath != wanted && LoadLanguagePack(englishPath, strings, bitmaps, icons) == 0;
    // The pack's own texts are what failed, so this one message is the program's own.
    const QString failure = QStringLiteral("The language pack %1 could not be read.\n%2")
                                .arg(QDir::toNativeSeparators(wanted),
                                     fellBack ? QStringLiteral("The wizard is shown in English instead.")
                                              : QStringLiteral("The wizard has no texts to show."));
    return fellBack ? LoadedPack{english, englishPath, failure} : LoadedPack{language, wanted, failure};
}
