#pragma once
// The one Qt application a benchmark's widgets or fonts need, started on first use and run
// offscreen unless a platform is chosen.
#include <QApplication>

template <class App = QApplication> App& BenchApplication()
{
    static int argc = 1;
    static char name[] = "camtivo_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static App app(argc, argv);
    return app;
}
