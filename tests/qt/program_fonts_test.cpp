#include "platform/program_fonts.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The program's face as the build machine has it; the Windows build carries it beside the tests.
QString DejaVuSansFile()
{
#ifdef _WIN32
    return QCoreApplication::applicationDirPath() + QStringLiteral("/fonts/DejaVuSans.ttf");
#else
    return QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
#endif
}

} // namespace

// Only the folder's TrueType files are loaded, a damaged one is passed over, and a folder that
// is not there loads nothing.
TEST(ProgramFonts, LoadsEveryGoodTrueTypeFileOfTheFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QFile::copy(DejaVuSansFile(), dir.filePath(QStringLiteral("DejaVuSans.ttf"))));
    for (const char* name : {"Broken.ttf", "LICENSE-DejaVu.txt"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a font");
    }
    EXPECT_EQ(LoadFontsFrom(dir.path()), 1);
    EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")));
    EXPECT_EQ(LoadFontsFrom(dir.filePath(QStringLiteral("missing"))), 0);
    // The copy goes with the folder; left registered, a font database without fontconfig would
    // keep choosing it for the family and every later text would fall back to another face.
    QFontDatabase::removeAllApplicationFonts();
    LoadProgramFonts();
}
