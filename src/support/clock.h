#pragma once

#include <QDateTime>

namespace akt {

// The local clock. Code that puts dates into names (the dated error log, backup files) asks one of
// these, so a test can say what day it is.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace akt
