#pragma once

class QCoreApplication;

namespace sopaly {

// What the program sets up before its first window, shared with the tests so
// that they see the windows as the user does:
// - Qt's own dialogs (buttons of the name prompt and of the message boxes,
//   the file dialog) speak Spanish, whatever the system's language;
// - the faces that the windows were designed with ("Courier", "Courier New",
//   "MS Sans Serif", "Arial") resolve to their metric twins from
//   fonts-liberation, so that texts fit the boxes they were measured for.
// Returns whether Qt's Spanish translations were found.
bool prepareApplication(QCoreApplication& app);

}  // namespace sopaly
