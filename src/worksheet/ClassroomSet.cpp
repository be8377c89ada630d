#include "ClassroomSet.h"

#include <QCoreApplication>

namespace sopaly {

ClassroomSet::ClassroomSet(QStringList list, PuzzleSettings settings, Random& random)
    : list_(std::move(list)), settings_(std::move(settings)), random_(random) {}

QString ClassroomSet::versionTitle(const QString& name, int version) {
    const QString versionText =
        QCoreApplication::translate("ClassroomSet", "versión %1").arg(version);
    return name.isEmpty() ? versionText : name + QStringLiteral(" — ") + versionText;
}

WorksheetPuzzle ClassroomSet::version(const QStringList& pool, const QString& title) const {
    Puzzle puzzle;
    // The finishing step may build the puzzle again: its placements are the key.
    buildFinishedPuzzle(puzzle, pool, settings_, random_);
    return worksheetPuzzle(title, puzzle, puzzle.Placements, settings_);
}

bool ClassroomSet::lacksMessage(const WorksheetPuzzle& version) const {
    return version.message.isEmpty() && !messageLetters(settings_.message).empty();
}

}  // namespace sopaly
