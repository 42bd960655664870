#pragma once
// While a save waits for its camera, standard error shows where it stands when it is a
// terminal: one line, redrawn each second ("02:ca:00:00:00:01: no answer yet, try 2 of 4, 2:59
// left") and cleared when the save ends. Nothing is written to a file or a pipe.
#include <QTimer>
#include <string>

class CameraActions;

class SaveProgressLine
{
public:
    SaveProgressLine(const CameraActions& action, std::string mac);
    ~SaveProgressLine();
    SaveProgressLine(const SaveProgressLine&) = delete;
    SaveProgressLine& operator=(const SaveProgressLine&) = delete;

private:
    void Redraw();

    const CameraActions& action_;
    const std::string mac_;
    QTimer timer_;
    bool drawn_ = false;
};
