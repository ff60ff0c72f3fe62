#include "app/progress_value.h"

#include <algorithm>
#include <cmath>

namespace akt {

void ProgressValue::setMaximum(double maximum) {
    if (maximum < min_)
        min_ = maximum;
    max_ = maximum;
    clampPosition();
}

void ProgressValue::setPosition(double position) {
    pos_ = position;
    clampPosition();
}

void ProgressValue::clampPosition() {
    // An empty range has nothing to clamp to; the position is kept as it is.
    if (max_ > min_)
        pos_ = std::clamp(pos_, min_, max_);
}

int ProgressValue::percent() const {
    const double range = max_ == min_ ? 1.0 : max_ - min_;
    const double done = std::round(100.0 * (pos_ - min_) / range);
    return static_cast<int>(std::min(done, 100.0));
}

QString ProgressValue::text() const {
    return QString::number(percent()) + QStringLiteral(" %");
}

} // namespace akt
