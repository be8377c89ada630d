#pragma once

#include <QString>

namespace sopaly {

// The Options menu's choices that a start finds as the last run left them.
// The secret message is not among them: one left over from yesterday would
// slip into today's puzzles unseen.
struct RememberedOptions {
    bool lowerCase = false;
    QString shape;  // the shape's settings word; empty for the square
    bool hideList = false;
};

// The user's settings file, ~/.config/sopaly/sopaly.conf, or an
// administrator's under /etc/xdg; a value that does not read as its field
// expects is ignored.
RememberedOptions readRememberedOptions();

// False when the settings file could not be written.
bool rememberOptions(const RememberedOptions& options);

}  // namespace sopaly
