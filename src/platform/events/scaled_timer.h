#pragma once
// ScaledTimer: a precise QTimer whose periods go through the process time scale, so that tests
// can run every wait of the program faster. Starting a running timer restarts it.
#include "platform/core/time_scale.h"

#include <QTimer>
#include <algorithm>
#include <climits>
#include <cstdint>

class ScaledTimer : public QTimer
{
public:
    explicit ScaledTimer(QObject* parent = nullptr, bool singleShot = false) : QTimer(parent)
    {
        setTimerType(Qt::PreciseTimer);
        setSingleShot(singleShot);
    }

    void Start(int64_t periodMs)
    {
        start(static_cast<int>(std::min<int64_t>(TimeScale::Scaled(periodMs), INT_MAX)));
    }
};
