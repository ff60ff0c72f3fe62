#pragma once

#include "support/clock.h"

namespace akt::test {

// A clock that says whatever time the test sets.
class FixedClock : public Clock {
public:
    explicit FixedClock(QDateTime at) : at_(std::move(at)) {}
    void set(QDateTime at) { at_ = std::move(at); }
    QDateTime now() const override { return at_; }

private:
    QDateTime at_;
};

} // namespace akt::test
