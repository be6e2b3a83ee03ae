#pragma once

#include "Clock.h"

#include <QElapsedTimer>

class SystemClock : public Clock {
public:
    SystemClock();
    QDateTime now() const override;
    qint64 monotonicMs() const override;

private:
    QElapsedTimer m_started;
};
