#pragma once
// While a search sweeps ranges, standard error shows where it stands when it is a terminal: one
// line, redrawn at most four times a second ("asked 1024 of 65534 addresses, 3 cameras found,
// 0:41 left") and cleared when the search ends. Nothing is written to a file or a pipe.
#include <QMetaObject>
#include <chrono>

class CameraActions;

class SweepProgressLine
{
public:
    explicit SweepProgressLine(const CameraActions& action);
    ~SweepProgressLine();
    SweepProgressLine(const SweepProgressLine&) = delete;
    SweepProgressLine& operator=(const SweepProgressLine&) = delete;

private:
    void Redraw();

    const CameraActions& action_;
    QMetaObject::Connection connection_;
    std::chrono::steady_clock::time_point lastDrawn_{};
    bool drawn_ = false;
};
