#pragma once

#include <QString>

#include <exception>
#include <stdexcept>

namespace akt {

// The text of any error the program catches. Every error type of ours keeps its text, in UTF-8, as
// what(); the standard library's own (bad_alloc and the like) give their English words.
QString errorText(const std::exception& error);

// A value that does not convert to what the code needs, such as a whole number.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& text);

    // "'<value>' is not a valid integer value": what a query's first column or SET SQL DIALECT holds.
    static ConversionError notAnInteger(const QString& value);
};

// A file the program has to write and cannot.
class FileError : public std::runtime_error {
public:
    explicit FileError(const QString& text);

    // Cannot create file "<name>". <the system's reason>
    static FileError cannotCreate(const QString& fileName, const QString& reason);
};

} // namespace akt
