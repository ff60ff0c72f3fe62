#pragma once

#include <QString>

namespace akt {

// The arithmetic of the window's progress bar, kept apart from the widget. The run sets the
// maximum to a line count and advances the position in steps of statements, so a position above
// the maximum is normal and is clamped; a maximum below the minimum drags the minimum down with
// it for good.
class ProgressValue {
public:
    double minimum() const { return min_; }
    double maximum() const { return max_; }
    // The clamped position.
    double position() const { return pos_; }

    void setMaximum(double maximum);
    void setPosition(double position);

    // Share of the range done, 0 to 100 (an empty range divides by 1).
    int percent() const;
    // The bar's text: percent() followed by " %".
    QString text() const;

private:
    void clampPosition();

    double min_ = 0.0;
    double max_ = 1.0;
    double pos_ = 0.0;
};

} // namespace akt
