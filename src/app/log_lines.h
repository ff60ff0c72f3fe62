#pragma once

#include <QString>
#include <QStringList>

namespace akt {

// The text of the log box as lines: what the window shows and what the run saves as log.txt.
// Until the first clear() it holds one empty line, as the box does when the window opens.
class LogLines {
public:
    const QStringList& lines() const { return lines_; }

    void clear() { lines_.clear(); }
    // One line per call; a text holding line breaks (CR LF, or a lone CR or LF) gives several,
    // the same lines the box shows.
    void append(const QString& text);

    // Writes every line followed by CR LF as Windows-1250 bytes, creating or truncating the
    // file. Throws FileError naming the file and the system's reason when the file cannot be
    // written.
    void save(const QString& fileName) const;

    // The lines split as append() splits them.
    static QStringList split(const QString& text);

    // What the log box shows of one appended text: the whole text up to kShownLength characters;
    // past that, its beginning and a note of how many bytes of log.txt it leaves out. A text box
    // lays out a megabyte-long line for minutes, while log.txt keeps every byte.
    static constexpr qsizetype kShownLength = 4000;
    static QString shownInBox(const QString& text);

private:
    QStringList lines_{QString()};
};

} // namespace akt
