#include "PuzzleSession.h"

#include "WordList.h"

namespace sopaly {

PuzzleSettings PuzzleSession::withSessionChoices(PuzzleSettings settings) const {
    settings.message = message_;
    return settings;
}

void PuzzleSession::start(const QStringList& list, const PuzzleSettings& settings) {
    buildPuzzle(puzzle_, sortIntoPool(list), settings, random_);
    builtWith_ = settings;
}

QString PuzzleSession::finish(const PuzzleSettings& settings) {
    return ShowFinishedWord(puzzle_, settings, random_);
}

WorksheetPuzzle PuzzleSession::worksheet(const QString& title) const {
    return worksheetPuzzle(title, puzzle_, puzzle_.Placements, builtWith_);
}

ClassroomSet PuzzleSession::classroomSet(const QStringList& list,
                                         const PuzzleSettings& settings) const {
    return ClassroomSet(list, settings, random_);
}

QString PuzzleSession::buildBatchPuzzle(const QStringList& list, const PuzzleSettings& settings) {
    builtWith_ = settings;
    // A puzzle of a batch may be built again to hold the secret message.
    return buildFinishedPuzzle(puzzle_, sortIntoPool(list), settings, random_);
}

bool PuzzleSession::isFinished() const {
    return sopaly::isFinished(puzzle_);
}

}  // namespace sopaly
