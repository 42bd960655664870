#include "platform/program_fonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>

int LoadProgramFonts()
{
    return LoadFontsFrom(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
}

void ChooseTextEngine()
{
#ifdef _WIN32
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
}

int LoadFontsFrom(const QString& folder)
{
    int loaded = 0;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name))
        if (QFontDatabase::addApplicationFont(dir.filePath(name)) >= 0)
            ++loaded;
    return loaded;
}
