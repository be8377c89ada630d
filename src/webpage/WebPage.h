#pragma once

#include <QByteArray>

#include "Worksheet.h"

namespace sopaly {

// One HTML5 file that plays a finished puzzle in any browser: the grid, its
// list (or the hidden list's sentence), a counter, a clock, a hint and a
// surrender, by pointer (mouse, finger, pen) or by the keyboard alone as an
// ARIA grid. Its script and styles are inside it, it uses the browser's own
// fonts and it makes no request, so it plays from a USB stick or a learning
// platform's file with no network. The grid, the words and where they lie
// are encoded in it, so that its source hands no pupil the key (this is not
// security). Its texts are the program's, in the user's language.
//
// The page of a SCORM package also reports the game to the learning
// platform's runtime when it finds one (see ScormPackage.h).
//
// The same puzzle gives the same bytes.
enum class WebPageKind { Plain, Scorm };
QByteArray webPage(const WorksheetPuzzle& puzzle, WebPageKind kind = WebPageKind::Plain);

}  // namespace sopaly
