#include "app/command_line.h"

namespace akt {

QString trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= u' ')
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= u' ')
        --end;
    return text.mid(begin, end - begin);
}

CommandLine parseCommandLine(const QStringList& arguments) {
    const auto argument = [&arguments](int position) { return arguments.value(position - 1); };
    CommandLine line;
    line.serwer = trimBlanks(argument(1));
    line.baza = argument(2);
    line.user = argument(3);
    line.pass = argument(4);
    // Only a single T selects create mode; longer words such as TRUE do not.
    line.createMode = argument(5).toUpper() == QLatin1String("T");
    line.addcatalog = trimBlanks(argument(6));
    return line;
}

} // namespace akt
