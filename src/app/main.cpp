// The camtivo program: the application object runs the wizard frame until it is closed.
// Language packs and the test-mode file are looked for in the current directory.
#include "app/camtivo_app.h"
#include "skin/program_look.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    program_look::ApplyProgramLook();
    CCamtivoApp camtivo(QCoreApplication::arguments());
    return camtivo.Run();
}
