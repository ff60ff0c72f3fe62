#include "app/progress_value.h"

#include "tests/common/case_name.h"

#include <gtest/gtest.h>

#include <ostream>

#include <functional>

namespace akt {
namespace {

using test::CaseName;
using test::NamedCase;

struct ProgressCase : NamedCase {
    std::function<void(ProgressValue&)> steps;
    double minimum;
    double maximum;
    double position;
    QString text;
};

class ProgressValueTest : public testing::TestWithParam<ProgressCase> {};

TEST_P(ProgressValueTest, FollowsTheBarsRules) {
    ProgressValue progress;
    GetParam().steps(progress);
    EXPECT_DOUBLE_EQ(progress.minimum(), GetParam().minimum);
    EXPECT_DOUBLE_EQ(progress.maximum(), GetParam().maximum);
    EXPECT_DOUBLE_EQ(progress.position(), GetParam().position);
    EXPECT_EQ(progress.text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgressValueTest,
                         testing::Values(ProgressCase{"initial", [](ProgressValue&) {}, 0, 1, 0, "0 %"},
                                         ProgressCase{"positionClampedToMaximum",
                                                      [](ProgressValue& p) {
                                                          p.setMaximum(250);
                                                          p.setPosition(300);
                                                      },
                                                      0, 250, 250, "100 %"},
                                         ProgressCase{"rounded",
                                                      [](ProgressValue& p) {
                                                          p.setMaximum(3);
                                                          p.setPosition(2);
                                                      },
                                                      0, 3, 2, "67 %"},
                                         ProgressCase{"maximumLoweredBelowPosition",
                                                      [](ProgressValue& p) {
                                                          p.setMaximum(1000);
                                                          p.setPosition(400);
                                                          p.setMaximum(150);
                                                      },
                                                      0, 150, 150, "100 %"},
                                         ProgressCase{"nextStepStartsFromLoweredMaximum",
                                                      [](ProgressValue& p) {
                                                          p.setMaximum(1000);
                                                          p.setPosition(400);
                                                          p.setMaximum(150);
                                                          p.setMaximum(1000);
                                                          p.setPosition(p.position() + 100);
                                                      },
                                                      0, 1000, 250, "25 %"},
                                         ProgressCase{"maximumBelowMinimumLowersIt",
                                                      [](ProgressValue& p) {
                                                          p.setMaximum(-1);
                                                          p.setMaximum(10);
                                                      },
                                                      -1, 10, 0, "9 %"},
                                         ProgressCase{"maximumEqualToMinimumDividesByOne",
                                                      [](ProgressValue& p) {
                                                          p.setMaximum(0);
                                                          p.setPosition(0);
                                                      },
                                                      0, 0, 0, "0 %"},
                                         ProgressCase{"emptyRangeDoesNotClamp",
                                                      [](ProgressValue& p) {
                                                          p.setMaximum(0);
                                                          p.setPosition(0.5);
                                                      },
                                                      0, 0, 0.5, "50 %"},
                                         ProgressCase{"percentCappedAtHundred",
                                                      [](ProgressValue& p) {
                                                          p.setMaximum(0);
                                                          p.setPosition(7);
                                                      },
                                                      0, 0, 7, "100 %"}),
                         CaseName{});

} // namespace
} // namespace akt
