#include "support/error_translation.h"

#include "support/message_texts.h"
#include "support/program_folder.h"
#include "support/save_to_log.h"

#include <algorithm>

namespace akt {
namespace {

constexpr QLatin1String kBreak("\r\n");

// 1-based position of the first break at or after `from`, 0 when there is none.
qsizetype breakPosition(const QString& text, qsizetype from) {
    if (from > text.size())
        return 0;
    return text.indexOf(kBreak, from - 1) + 1;
}

// A piece by 1-based start and length: a start below 1 counts as 1, a length below 1 gives
// nothing, a piece running past the end is cut there.
QString piece(const QString& text, qsizetype start, qsizetype length) {
    if (length < 1)
        return {};
    return text.mid(std::max<qsizetype>(start, 1) - 1, length);
}

struct WarningPattern {
    const char* text;
    MessageId message;
};

// Checked in this order, each on its own: one error text may show several boxes. The exception
// pattern comes after all of them.
// clang-format off
const WarningPattern kWarnings[] = {
    {"PRIMARY OR UNIQUE KEY", MessageId::Msg64665},
    {"DUPLICATE VALUE", MessageId::Msg64665},
    {"MUST HAVE A VALUE", MessageId::Msg64666},
    {"VALIDATION ERROR FOR COLUMN", MessageId::Msg64667},
    {"UPDATE FAILED", MessageId::Msg64668},
    {"DEADLOCK", MessageId::Msg64669},
};
// clang-format on

} // namespace

QString exceptionPiece(const QString& message) {
    const qsizetype p1 = breakPosition(message, 1);
    const qsizetype p2 = breakPosition(message, p1 + 1);
    const qsizetype p3 = breakPosition(message, p2 + 1);
    return piece(message, p2, p3 - p2);
}

bool TranslateIBError(UserInterface& ui, const QString& message, const QString& logFolder, const Clock& clock) {
    if (ui.cursor() != Cursor::Normal)
        ui.setCursor(Cursor::Normal);
    SaveToLog(QStringLiteral("IBMessagesLog.txt"), message, logFolder, clock, ui);

    const QString upper = message.toUpper();
    bool shown = false;
    for (const WarningPattern& warning : kWarnings) {
        if (upper.contains(QLatin1String(warning.text))) {
            ui.warningBox(messageText(warning.message));
            shown = true;
        }
    }
    if (upper.contains(QLatin1String("EXCEPTION"))) {
        ui.exceptionBox(exceptionPiece(message));
        shown = true;
    }
    return shown;
}

bool TranslateIBError(UserInterface& ui, const QString& message) {
    const SystemClock clock;
    return TranslateIBError(ui, message, programFolder(), clock);
}

} // namespace akt
