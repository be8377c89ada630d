#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "ClassroomSet.h"
#include "Puzzle.h"
#include "PuzzleFileReader.h"
#include "Random.h"
#include "Worksheet.h"

namespace sopaly {

// One puzzle and the choices it is made with, behind every face of the
// program: the main window, and whatever else builds, finishes or prints a
// puzzle. Every puzzle goes through the engine's one road from here; a face
// reads its controls into PuzzleSettings and shows what comes back.
class PuzzleSession {
  public:
    explicit PuzzleSession(Random& random) : random_(random) {}

    // The secret message typed for this run, trimmed; empty for none. It is
    // put into the settings of every build.
    const QString& message() const { return message_; }
    void setMessage(const QString& message) { message_ = message.trimmed(); }
    // `settings` with the session's own choices filled in.
    PuzzleSettings withSessionChoices(PuzzleSettings settings) const;

    // Places the words of `list`, longest first, in a fresh grid: the start
    // button's road. The grid then still shows "." in its empty cells.
    void start(const QStringList& list, const PuzzleSettings& settings);
    // Fills the empty cells and returns the finished grid's text. A fill
    // that finds no fair letter may build the puzzle again.
    QString finish(const PuzzleSettings& settings);

    // Takes a puzzle read back from its file as the finished puzzle on show,
    // as if built here with `settings` at the file's size, its words all
    // within the limit, and the message the solution holds.
    void open(OpenedPuzzle opened, PuzzleSettings settings);

    // Whether the grid on show is finished: a worksheet shows only such a grid.
    bool isFinished() const;

    Puzzle& puzzle() { return puzzle_; }
    const Puzzle& puzzle() const { return puzzle_; }
    // Where each placed word went, in placing order.
    const std::vector<Placement>& placements() const { return puzzle_.Placements; }
    // The settings the last build read.
    const PuzzleSettings& builtWith() const { return builtWith_; }

    // The printed page of the finished puzzle, under `title`.
    WorksheetPuzzle worksheet(const QString& title) const;
    // A set of versions of `list`, each built on the same road as this
    // puzzle but with a state of its own.
    ClassroomSet classroomSet(const QStringList& list, const PuzzleSettings& settings) const;

    // Builds and finishes one puzzle of a batch run in this session, as the
    // window shows it, and returns its finished grid's text.
    QString buildBatchPuzzle(const QStringList& list, const PuzzleSettings& settings);

  private:
    Random& random_;
    Puzzle puzzle_;
    PuzzleSettings builtWith_;
    QString message_;
};

}  // namespace sopaly
