#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace akt {

// "--help" or "--version" as the only argument (no server is called that): the text to print on
// standard output before the program ends with 0, without a window or the client library. Any other
// command line gives nothing and starts the program as usual.
std::optional<QString> programInformation(const QStringList& arguments);

} // namespace akt
