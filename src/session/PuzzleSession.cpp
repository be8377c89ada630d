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

void PuzzleSession::open(OpenedPuzzle opened, PuzzleSettings settings) {
    settings.rowsText = QString::number(opened.rows);
    settings.colsText = QString::number(opened.cols);
    settings.wordLimitText = QString::number(opened.words.size());
    settings.message = opened.puzzle.Message.typed;
    settings.shape = Shape::Square;  // the grid's own cells say where the shape lies
    puzzle_ = std::move(opened.puzzle);
    builtWith_ = settings;
}

bool PuzzleSession::isFinished() const {
    return sopaly::isFinished(puzzle_);
}

}  // namespace sopaly
