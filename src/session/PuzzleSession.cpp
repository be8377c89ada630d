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
    built_ = true;
    finished_ = false;
}

QString PuzzleSession::finish(const PuzzleSettings& settings) {
    const QString text = ShowFinishedWord(puzzle_, settings, random_);
    finished_ = true;
    return text;
}

PuzzleWords PuzzleSession::words() const {
    return puzzleWords(puzzle_.WordPool, puzzle_.Placements, builtWith_);
}

WorksheetPuzzle PuzzleSession::worksheet(const QString& title) const {
    return worksheetPuzzle(title, puzzle_, puzzle_.Placements, builtWith_);
}

ClassroomSet PuzzleSession::classroomSet(const QStringList& list,
                                         const PuzzleSettings& settings) const {
    return ClassroomSet(list, settings, random_);
}

QString PuzzleSession::buildBatchPuzzle(const QStringList& list, const PuzzleSettings& settings) {
    start(list, settings);
    return finish(settings);
}

}  // namespace sopaly
