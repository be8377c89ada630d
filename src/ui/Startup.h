#pragma once

#include <QStringList>

class QCoreApplication;
class QLocale;

namespace sopaly {

// What the program sets up before its first window, shared with the tests so
// that they see the windows as the user does:
// - Qt's own dialogs (buttons of the name prompt and of the message boxes,
//   the file dialog) speak Spanish, whatever the system's language;
// - the faces that the windows were designed with ("Courier", "Courier New",
//   "MS Sans Serif", "Arial") resolve to their metric twins from
//   fonts-liberation, so that texts fit the boxes they were measured for;
// - everything without a design face of its own (menus, dialogs, prompts)
//   is set in Liberation Sans: a machine with no other fonts answers
//   "sans-serif" with Liberation Mono.
// - the program's own texts follow the user's language where a translation
//   sopaly_<language>.qm lies beside the program or in
//   /usr/share/sopaly/translations; they stay the Spanish sources otherwise.
// Returns whether Qt's Spanish translations were found.
bool prepareApplication(QCoreApplication& app);

// The folders searched for the program's translations, in order.
QStringList translationFolders();

// Installs the first sopaly_<language>.qm for `locale` found in `folders`
// (Qt's fallbacks: "ca_ES" tries sopaly_ca_ES, then sopaly_ca), replacing
// one installed before. Returns whether one was found.
bool installProgramTranslation(QCoreApplication& app, const QLocale& locale,
                               const QStringList& folders);

// Held while the QApplication is made. When the window system cannot be
// reached (no display named, or one that refuses, as after a closed
// `ssh -X`), Qt gives up with advice to reinstall and aborts; instead the
// program says in one Spanish sentence what it needs and ends with status 1.
// When the platform fails for another reason (a library of its plugin that
// will not load), the display is not blamed: Qt's own words follow.
// What Qt reports meanwhile is held back and passed on once it has started.
class PlatformStartGuard {
  public:
    PlatformStartGuard();
    ~PlatformStartGuard();
    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;

    // The platform is up: back to the previous handler of Qt's messages.
    void release();

    static constexpr int kExitStatus = 1;

  private:
    bool active_ = true;
};

}  // namespace sopaly
