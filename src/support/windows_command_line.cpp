#include "support/windows_command_line.h"

namespace akt {
namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Walks one parameter string; `pos` is the next character to read.
class Splitter {
public:
    explicit Splitter(const QString& text) : text_(text) {}

    QStringList split() {
        QStringList args;
        while (true) {
            while (pos_ < text_.size() && isBlank(text_[pos_]))
                ++pos_;
            if (pos_ >= text_.size())
                return args;
            args << nextArgument();
        }
    }

private:
    QString nextArgument() {
        QString arg;
        bool quoted = false;
        while (pos_ < text_.size()) {
            const QChar c = text_[pos_];
            if (!quoted && isBlank(c))
                break;
            if (c == QLatin1Char('\\')) {
                takeBackslashes(arg);
            } else if (c == QLatin1Char('"')) {
                ++pos_;
                if (quoted && pos_ < text_.size() && text_[pos_] == QLatin1Char('"')) {
                    arg += QLatin1Char('"');
                    ++pos_;
                } else {
                    quoted = !quoted;
                }
            } else {
                arg += c;
                ++pos_;
            }
        }
        return arg;
    }

    // A run of backslashes matters only when a quote follows it.
    void takeBackslashes(QString& arg) {
        int count = 0;
        while (pos_ < text_.size() && text_[pos_] == QLatin1Char('\\')) {
            ++count;
            ++pos_;
        }
        const bool beforeQuote = pos_ < text_.size() && text_[pos_] == QLatin1Char('"');
        if (!beforeQuote) {
            arg += QString(count, QLatin1Char('\\'));
            return;
        }
        arg += QString(count / 2, QLatin1Char('\\'));
        if (count % 2 == 1) {
            arg += QLatin1Char('"');
            ++pos_;
        }
    }

    const QString& text_;
    qsizetype pos_ = 0;
};

} // namespace

QStringList splitWindowsCommandLine(const QString& params) {
    return Splitter(params).split();
}

} // namespace akt
