#include "app/data_folders.h"

#include "app/core/language_names.h"
#include "app/core/locale_language.h"
#include "app/language_pack.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <functional>
#include <optional>

namespace {

const QString kSharedFolder = QStringLiteral("../share/camtivo");

std::optional<QStringList>& FolderOverride()
{
    static std::optional<QStringList> folders;
    return folders;
}

QString WithSlash(const QString& folder)
{
    return QDir::cleanPath(folder) + QLatin1Char('/');
}

QString FirstFolderWith(const std::function<bool(const QString&)>& holds)
{
    const QStringList folders = DataFolders();
    for (const QString& folder : folders)
        if (holds(folder))
            return folder;
    return folders.value(0);
}

// Windows sets no LANG: there (and wherever it is unset) the user's own language decides, as the
// system's setting names it ("es-ES").
std::string LangOrUserLanguage()
{
    const QByteArray lang = qgetenv("LANG");
    if (!lang.isEmpty())
        return lang.toStdString();
    return QLocale::system().uiLanguages().value(0).replace(QLatin1Char('-'), QLatin1Char('_')).toStdString();
}

} // namespace

QStringList DataFolders()
{
    if (FolderOverride())
        return *FolderOverride();
    const QDir program(QCoreApplication::applicationDirPath());
    return {WithSlash(program.path()), WithSlash(program.filePath(kSharedFolder))};
}

QString DataFolderOf(const QString& fileName)
{
    return FirstFolderWith([&](const QString& folder) { return QFileInfo(folder + fileName).isFile(); });
}

QString PackFolder()
{
    return FirstFolderWith([](const QString& folder) { return !PacksIn(folder).isEmpty(); });
}

QStringList PacksIn(const QString& folder)
{
    QStringList packs;
    for (const LanguageName& language : kLanguageNames) {
        const QString name = QString::fromStdU16String(std::u16string(language.packName));
        if (QFileInfo(LanguagePackPath(folder, name)).isFile())
            packs << name;
    }
    return packs;
}

QString StartupPackName(const QString& packFolder)
{
    const std::u16string_view wanted = PackNameForLocale(
        qgetenv("LC_ALL").toStdString(), qgetenv("LC_MESSAGES").toStdString(), LangOrUserLanguage());
    const QString name = QString::fromStdU16String(std::u16string(wanted));
    return PacksIn(packFolder).contains(name) ? name
                                              : QString::fromStdU16String(std::u16string(kDefaultPackName));
}

ScopedDataFolders::ScopedDataFolders(QStringList folders) : hadPrevious_(FolderOverride().has_value())
{
    if (hadPrevious_)
        previous_ = *FolderOverride();
    for (QString& folder : folders)
        folder = WithSlash(folder);
    FolderOverride() = std::move(folders);
}

ScopedDataFolders::~ScopedDataFolders()
{
    if (hadPrevious_)
        FolderOverride() = previous_;
    else
        FolderOverride().reset();
}
