#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace sopaly {

// How a window asks the user something or tells them: each a modal dialog
// by default, and each replaceable, so that a test answers in its place.
struct Prompts {
    // Tells the user something, in a message box with the window's caption.
    std::function<void(const QString& text)> showMessage;
    // The print button's name prompt; Cancel gives the empty text.
    std::function<QString()> askPuzzleName;
    // The same prompt with `last` filled in; nothing on Cancel.
    std::function<std::optional<QString>(const QString& last)> askWorksheetName;
    // The secret message, `current` filled in; nothing on Cancel.
    std::function<std::optional<QString>(const QString& current)> askSecretMessage;
    // How many versions a classroom set has, `last` offered; nothing on Cancel.
    std::function<std::optional<int>(int last)> askVersionCount;
    // Asks before "&Restablecer valores iniciales" takes the values back.
    std::function<bool()> confirmReset;
    // Asks before an opened puzzle's words take the place of the `count`
    // words the list holds.
    std::function<bool(int count)> confirmReplaceList;
    // The file dialogs: the chosen path, or an empty text on Cancel. The
    // suggested path's suffix picks the filter.
    std::function<QString(const QString& caption, const QString& suggested)> chooseOpenFile;
    std::function<QString(const QString& caption, const QString& suggested)> chooseSaveFile;
};

// The dialogs of the program, over `parent`; messages carry `caption`.
Prompts dialogPrompts(QWidget* parent, const QString& caption);

// A file name for `title`, as a suggestion in a save dialog: `fallback`
// when the title is empty, what a USB stick refuses replaced, and `suffix`
// added.
QString suggestedFileName(const QString& title, const QString& fallback, const QString& suffix);

}  // namespace sopaly
