// The camtivo program: the application object runs the wizard frame until it is closed.
// Language packs are looked for beside the program, then in its share folder; the test-mode
// file in the current directory.
#include "app/camtivo_app.h"
#include "app/core/command_line.h"
#include "app/core/program_help.h"
#include "app/paint_snapshot.h"
#include "camtivo_version.h"
#include "platform/net/program_arguments.h"
#include "platform/net/standard_text.h"
#include "platform/program_fonts.h"
#include "skin/program_look.h"

#include <QApplication>
#include <QString>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // As typed: on Windows the narrow argv would hold the ANSI code page's guesses.
    std::vector<std::u16string> arguments;
    for (const std::string& argument : ProgramArguments(argc, argv)) {
        if (argument == "--version") {
            ShowStartupText(std::string("camtivo ") + kCamtivoVersion + "\n", StartupText::Information);
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            ShowStartupText(ProgramHelp(), StartupText::Information);
            return 0;
        }
        arguments.push_back(QString::fromStdString(argument).toStdU16String());
    }
    if (const UnicastTargets targets = ParseUnicastTargets(arguments); !targets.refused.empty()) {
        ShowStartupText("camtivo: invalid value for --to: " + targets.why + "\n", StartupText::Refusal);
        return 2;
    }
    ChooseTextEngine();
    QApplication app(argc, argv);
    program_look::ApplyProgramLook();
    CamtivoApp camtivo(QCoreApplication::arguments());
    camtivo.SetSnapshotPath(SnapshotPathOf(QCoreApplication::arguments()));
    return camtivo.Run();
}
