#pragma once

#include <QCursor>
#include <QPixmap>

namespace akt {

// The pictures of the window, drawn here rather than shipped as files: 24 × 24 on the light grey
// of the buttons.
QPixmap startButtonPicture(); // blue sphere, grey gear wheel at its lower right
QPixmap closeButtonPicture(); // blue sphere, green arrow pointing left at its lower right

// Shown while a script runs: an hourglass with "SQL" under it.
QCursor databaseBusyCursor();

} // namespace akt
