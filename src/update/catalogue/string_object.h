#pragma once

#include <QString>
#include <utility>

namespace akt {

// The object each script list entry carries: the full path of its script file.
class TstringObject {
public:
    explicit TstringObject(QString str) : str(std::move(str)) {}

    QString str;
};

} // namespace akt
