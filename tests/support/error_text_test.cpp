#include "support/error_text.h"

#include <gtest/gtest.h>

#include <new>

namespace akt {
namespace {

// Every error of ours reaches the log through errorText; Polish letters must survive the trip
// through what().
TEST(ErrorText, GivesTheTextOfEveryKindOfCaughtError) {
    const auto textOf = [](auto&& raise) {
        try {
            raise();
        } catch (const std::exception& error) {
            return errorText(error);
        }
        return QStringLiteral("nothing thrown");
    };

    EXPECT_EQ(textOf([] { throw ConversionError::notAnInteger(QStringLiteral("żółw")); }),
              QStringLiteral("'żółw' is not a valid integer value"));
    EXPECT_EQ(textOf([] { throw FileError::cannotCreate(QStringLiteral("/tmp/ść/log.txt"), "Permission denied"); }),
              QStringLiteral("Cannot create file \"/tmp/ść/log.txt\". Permission denied"));
    EXPECT_EQ(textOf([] { throw ConversionError(QStringLiteral("Błąd")); }), QStringLiteral("Błąd"));
    EXPECT_EQ(textOf([] { throw std::bad_alloc(); }), QStringLiteral("std::bad_alloc"));
}

} // namespace
} // namespace akt
