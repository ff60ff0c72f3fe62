#include "app/script_check.h"

#include "app/script_folders.h"
#include "support/error_text.h"
#include "support/windows1250.h"
#include "update/catalogue/add_matching_scripts.h"
#include "update/catalogue/script_list.h"
#include "update/catalogue/string_object.h"
#include "update/executor/statement_route.h"
#include "update/parser/script_file.h"
#include "update/parser/script_parser.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <set>
#include <variant>

namespace akt {
namespace {

struct CheckedRun {
    QString name;
    QStringList folders;
};

std::vector<CheckedRun> checkedRuns() {
    std::vector<CheckedRun> runs{{QStringLiteral("tworzenie bazy"), createModeFolders()}};
    for (int version : kAcceptedVersions)
        runs.push_back({QStringLiteral("aktualizacja z wersji %1").arg(version), updateModeFolders(version)});
    return runs;
}

QString firstLine(const std::string& text) {
    const QString decoded = fromWindows1250(QByteArray::fromStdString(text));
    return decoded.section(QRegularExpression(QStringLiteral("[\r\n]")), 0, 0).left(80);
}

// What the run logs for the error, with a hint where a habit from other tools is the likely cause.
QString parseErrorText(const ParseError& error) {
    QString text = QString::fromLatin1(error.errorText);
    if (error.text.empty())
        return text;
    text += QStringLiteral(": ") + firstLine(error.text);
    if (error.errorText == std::string(ParseError::kInvalidStatement) && error.text.rfind("--", 0) == 0)
        text += QStringLiteral(" - komentarze liniowe (--) nie należą do języka skryptów, komentarz to /* */");
    return text;
}

// The first byte of a line that Windows-1250 has no character for, or a control byte other than a tab.
int foreignByte(std::string_view line) {
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && byte != '\t') || byte == 0x81 || byte == 0x83 || byte == 0x88 || byte == 0x90 ||
            byte == 0x98)
            return byte;
    }
    return -1;
}

// A line that is valid UTF-8 with letters beyond ASCII was written in UTF-8: read as Windows-1250,
// "ą" becomes "Ä…".
bool looksLikeUtf8(std::string_view line) {
    bool beyondAscii = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (byte < 0x80)
            continue;
        // The lead bytes of two, three and four byte sequences; any other byte beyond ASCII is not UTF-8.
        const int following = byte >= 0xC2 && byte < 0xE0   ? 1
                              : byte >= 0xE0 && byte < 0xF0 ? 2
                              : byte >= 0xF0 && byte < 0xF5 ? 3
                                                            : -1;
        if (following < 0 || i + following >= line.size())
            return false;
        for (int k = 1; k <= following; ++k)
            if ((static_cast<unsigned char>(line[i + k]) & 0xC0) != 0x80)
                return false;
        i += following;
        beyondAscii = true;
    }
    return beyondAscii;
}

class TreeCheck {
public:
    TreeCheck(QString root, QTextStream& out) : root_(std::move(root)), out_(out) {}

    int run(const CheckedRun& checked);

private:
    void checkFile(const ScriptEntry& entry, const ScriptEntry* next);
    void checkBytes(const QString& path, const ScriptLines& lines);
    void checkStatements(const QString& path, ScriptLines lines);
    void report(const QString& path, std::size_t line, const QString& text);

    QString root_;
    QTextStream& out_;
    ScriptParser parser_;
    std::set<QString> printed_;
    int problems_ = 0;
    int statements_ = 0;
};

int TreeCheck::run(const CheckedRun& checked) {
    ScriptList list;
    for (const QString& sub : checked.folders)
        addMatchingScripts(list, sub.isEmpty() ? root_ : root_ + sub + QLatin1Char('/'));
    parser_ = ScriptParser();
    problems_ = 0;
    statements_ = 0;
    for (int i = 0; i < list.count(); ++i)
        checkFile(list.entry(i), i + 1 < list.count() ? &list.entry(i + 1) : nullptr);
    out_ << checked.name
         << QStringLiteral(": skrypty %1, instrukcje %2, problemy %3").arg(list.count()).arg(statements_).arg(problems_)
         << Qt::endl;
    return problems_;
}

void TreeCheck::checkFile(const ScriptEntry& entry, const ScriptEntry* next) {
    const QString path = entry.object()->str;
    if (entry.displayText().isEmpty())
        report(path, 1, QStringLiteral("pusta nazwa na liście skryptów (plik nazwany \".SQL\")"));
    ScriptLines lines;
    try {
        lines = loadScriptFile(entry.object()->nativePath.toStdString());
    } catch (const std::exception& error) {
        report(path, 1, errorText(error));
        return;
    }
    checkBytes(path, lines);
    const std::size_t lineCount = lines.size();
    checkStatements(path, std::move(lines));
    if (next && parser_.terminator() != ";")
        report(path, lineCount == 0 ? 1 : lineCount,
               QStringLiteral("ostrzeżenie: plik kończy się z terminatorem \"%1\" zamiast \";\" - według niego "
                              "zostanie pocięty następny plik, %2")
                   .arg(fromWindows1250(QByteArray::fromStdString(parser_.terminator())), next->object()->str));
}

// Reported at the first line of each kind; a file written in another encoding has many.
void TreeCheck::checkBytes(const QString& path, const ScriptLines& lines) {
    bool foreignSeen = false;
    bool utf8Seen = false;
    for (std::size_t i = 0; i < lines.size() && !(foreignSeen && utf8Seen); ++i) {
        const std::string_view line = lines[i];
        if (const int byte = foreignByte(line); byte >= 0 && !foreignSeen) {
            foreignSeen = true;
            report(path, i + 1,
                   QStringLiteral("bajt 0x%1 nie jest znakiem tekstu Windows-1250").arg(byte, 2, 16, QLatin1Char('0')));
        }
        if (!utf8Seen && looksLikeUtf8(line)) {
            utf8Seen = true;
            report(path, i + 1, QStringLiteral("tekst w UTF-8, a skrypty są czytane jako Windows-1250"));
        }
    }
}

void TreeCheck::checkStatements(const QString& path, ScriptLines lines) {
    parser_.start(std::move(lines));
    for (;;) {
        ParseResult result = parser_.next();
        if (std::holds_alternative<End>(result))
            return;
        if (const ParseError* error = std::get_if<ParseError>(&result)) {
            // An unknown statement stops the file here, as it stops the run.
            report(path, error->lineIndex, parseErrorText(*error));
            continue; // the parser has stopped; End follows
        }
        const ScriptStatement& statement = std::get<ScriptStatement>(result);
        ++statements_;
        if (routeOf(statement) == StatementRoute::Refuse)
            report(path, statement.lineIndex,
                   QString::fromLatin1(ParseError::kInvalidStatement) + QStringLiteral(": ") +
                       firstLine(statement.text) +
                       QStringLiteral(" - instrukcja niedozwolona w skrypcie aktualizacji"));
    }
}

void TreeCheck::report(const QString& path, std::size_t line, const QString& text) {
    ++problems_;
    const QString entry = path + QLatin1Char(':') + QString::number(line) + QStringLiteral(": ") + text;
    if (printed_.insert(entry).second)
        out_ << entry << Qt::endl;
}

} // namespace

int checkScriptTree(const QString& folder, QTextStream& out, QTextStream& errors) {
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable() || !QDir(folder).isReadable()) {
        errors << QStringLiteral("Nie można odczytać folderu skryptów: ") << folder << Qt::endl;
        return 3;
    }
    TreeCheck check(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'), out);
    int problems = 0;
    for (const CheckedRun& run : checkedRuns())
        problems += check.run(run);
    return problems == 0 ? 0 : 2;
}

} // namespace akt
