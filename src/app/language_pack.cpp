#include "app/language_pack.h"

#include "app/core/language_names.h"
#include "platform/resource_library.h"

#include <QDir>
#include <QFileInfo>
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

void LoadStrings(const pe::PeResourceFile& file, CStringList& strings)
{
    for (const pe::PeString& s : file.Strings())
        strings.EmplaceTail(s.number, PackText(s.text));
}

// A pack names its bitmaps' sizes itself, and a few bytes of run-length data can claim a
// huge picture: the pixels of one load are budgeted from the bitmaps' headers, so a hostile
// pack cannot exhaust memory. Each bitmap is decoded when it is first used (most pages are not
// shown at start, many never); one that then fails to decode has still cost its pixels, so
// thousands of entries naming one broken picture cannot each fill it again.
void LoadBitmaps(const std::shared_ptr<const CResourceLibrary>& library, CBmpList& bitmaps)
{
    int64_t budget = kPackPixelBudget;
    for (const pe::ResourceEntry& entry : library->Resources().Bitmaps()) {
        if (entry.id < kPackFirstBitmap || entry.id > kPackLastBitmap)
            continue;
        const pe::DibLayoutResult header = pe::ReadDibLayout(library->Resources().Data(entry));
        const int64_t pixels = int64_t{header.layout.width} * header.layout.height;
        if (header.status != pe::DibStatus::Ok || pixels > budget)
            continue;
        budget -= pixels;
        bitmaps.EmplaceTail(entry.id, library);
    }
}

void LoadIcons(const CResourceLibrary& library, CIconList& icons)
{
    for (const pe::ResourceEntry& entry : library.Resources().GroupIcons()) {
        if (entry.id < kPackFirstIcon || entry.id > kPackLastIcon)
            continue;
        QImage image = library.Icon(entry.id);
        if (!image.isNull())
            icons.EmplaceTail(entry.id, std::move(image));
    }
}

} // namespace

int LoadLanguagePack(const QString& path, CStringList& strings, CBmpList& bitmaps, CIconList& icons)
{
    ClearLanguagePack(strings, bitmaps, icons);
    if (!QFileInfo(path).isFile())
        return 1;
    auto library = std::make_shared<CResourceLibrary>();
    if (!library->Open(path))
        return 1;
    LoadStrings(library->Resources(), strings);
    LoadBitmaps(library, bitmaps);
    LoadIcons(*library, icons);
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
