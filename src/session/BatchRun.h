#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

#include "Puzzle.h"
#include "SafeWrite.h"

namespace sopaly {

class PuzzleSession;

// "Generar y Guardar": puzzle files Tabloza1.txt... made one a step, each
// step a turn of the event loop, so that the window goes on painting and
// taking input between two puzzles without the run ever spinning the loop
// itself. The list and the settings are read afresh at each puzzle: the user
// may type, empty the list or edit the fields during a run.
class BatchRun : public QObject {
    Q_OBJECT
  public:
    enum class End { Completed, ListEmptied, Failed, Stopped };

    // Where each puzzle's words and settings come from.
    struct Inputs {
        std::function<QStringList()> words;
        std::function<PuzzleSettings()> settings;
    };

    BatchRun(PuzzleSession& session, QString folder, int count, Inputs inputs,
             QObject* parent = nullptr);

    int count() const { return count_; }
    // The puzzles written so far.
    int written() const { return written_; }
    // The puzzles so far that hold no secret message though one was asked for.
    int withoutMessage() const { return withoutMessage_; }
    bool isRunning() const { return running_; }

    // Announces puzzle 1 and queues its step.
    void start();
    // No further step; finished(Stopped) is told at once.
    void stop();

    // Writes the session's finished puzzle, its words and its solution to
    // sFilePath. On failure `reason` says which file and why, in the user's
    // words, and nothing is written.
    bool AutoExportPuzzle(const QString& sFilePath, const QStringList& words,
                          const PuzzleSettings& settings, QString* reason);

  signals:
    // Puzzle `n` is next: told before the event loop runs once more and it
    // is built, so that a window can show it first.
    void puzzleStarting(int n, const QString& path);
    // Puzzle `n` is built, finished and its file complete.
    void puzzleWritten(int n, const QString& path, const QString& finishedText);
    // What stopped the run, in the user's words; the grid of the puzzle that
    // could not be written comes with it, empty when none was built.
    void failed(const QString& message, const QString& path, const QString& finishedText);
    void finished(sopaly::BatchRun::End end);

  private:
    void step();
    void end(End how);

    PuzzleSession& session_;
    QString folder_;
    int count_;
    Inputs inputs_;
    int next_ = 1;
    int withoutMessage_ = 0;
    int written_ = 0;
    bool running_ = false;
    QTimer stepTimer_;
    // Puzzle files are made again at will: they are not synced.
    FileWriter fileWriter_;
};

}  // namespace sopaly
