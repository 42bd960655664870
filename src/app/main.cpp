// The camtivo program: the application object runs the wizard frame until it is closed.
// Language packs are looked for beside the program, then in its share folder; the test-mode
// file in the current directory.
#include "app/camtivo_app.h"
#include "app/core/command_line.h"
#include "app/core/program_help.h"
#include "app/paint_snapshot.h"
#include "camtivo_version.h"
#include "platform/program_fonts.h"
#include "skin/program_look.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("camtivo %s\n", kCamtivoVersion);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(ProgramHelp(), stdout);
            return 0;
        }
        arguments.push_back(QString::fromLocal8Bit(argv[i]).toStdU16String());
    }
    if (const UnicastTargets targets = ParseUnicastTargets(arguments); !targets.refused.empty()) {
        std::fprintf(stderr, "camtivo: invalid value for --to: %s\n", targets.why.c_str());
        return 2;
    }
    ChooseTextEngine();
    QApplication app(argc, argv);
    program_look::ApplyProgramLook();
    CamtivoApp camtivo(QCoreApplication::arguments());
    camtivo.SetSnapshotPath(SnapshotPathOf(QCoreApplication::arguments()));
    return camtivo.Run();
}
