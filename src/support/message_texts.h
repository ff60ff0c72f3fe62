#pragma once

#include <QString>

namespace akt {

// The program's Polish message texts, kept as Windows-1250 resources (resources/messages/<id>.txt).
enum class MessageId {
    Msg64665 = 64665, // entered values already exist
    Msg64666 = 64666, // fill in the required data
    Msg64667 = 64667, // values not allowed
    Msg64668 = 64668, // saving failed, record probably deleted elsewhere
    Msg64669 = 64669, // record is being edited elsewhere
};

QString messageText(MessageId id);

} // namespace akt
