#pragma once

#include "support/clock.h"

#include <utility>

namespace akt::test {

// A clock that says whatever time the test sets, so names with a date in them (the dated error log,
// backup files) are known in advance.
class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime at) : at_(std::move(at)) {}
    void set(QDateTime at) { at_ = std::move(at); }
    QDateTime now() const override { return at_; }

private:
    QDateTime at_;
};

} // namespace akt::test
