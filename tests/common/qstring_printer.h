#pragma once

#include <QString>

#include <ostream>

// Failure messages show texts, not their UTF-16 code units. Beside QString itself (the global
// namespace), so that Google Test finds it from any test.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
