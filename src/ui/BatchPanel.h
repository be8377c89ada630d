#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include "BatchRun.h"

class QLabel;
class QTextEdit;
class QTimer;

namespace sopaly {

class Frame;
class LineShape;

// The batch panel of the main window while "Generar y Guardar" runs: it
// widens over the help text, shows each puzzle's file and grid as the run
// makes them and moves its bar, then narrows again, each step a tick of the
// window's panel timer.
class BatchPanel : public QObject {
    Q_OBJECT
  public:
    struct Controls {
        Frame* panel;     // fraOfPuzzlesToCreate
        QLabel* status;   // lblNumOfPuzzles
        LineShape* done;  // linGrn
        LineShape* left;  // linRed
        QTextEdit* grid;  // txtWord
        QTimer* timer;    // tmrAuto
    };

    BatchPanel(Controls controls, QObject* parent);

    // The panel's direction: false widens it, true narrows it.
    bool PanelClosing = false;

    // The bar's length, from its start to its end.
    int barLength() const;
    // Widens the panel, then runs `run` (which it then owns), advancing the
    // bar by `step` for each puzzle.
    void start(BatchRun* run, int step);
    // One tick of the panel timer.
    void tick();
    // Stops a run at once, as when the window closes; ended() follows.
    void stop();
    bool isBusy() const { return run_ != nullptr; }

  signals:
    // What stopped the run, in the user's words.
    void failed(const QString& message);
    // The panel is back at rest, or stays wide when the list went under it.
    void ended(sopaly::BatchRun::End end, int written, int withoutMessage);

  private:
    void showStarting(int n, const QString& path);
    void showWritten(int n, const QString& path, const QString& finished);
    void showFailure(const QString& message, const QString& path, const QString& finished);
    void runFinished(BatchRun::End end);
    void end();

    Controls controls_;
    BatchRun* run_ = nullptr;
    BatchRun::End end_ = BatchRun::End::Completed;
    int step_ = 0;
    // Whether the puzzle being made is on show, and since when the last was.
    bool shown_ = false;
    QElapsedTimer sinceShown_;
};

}  // namespace sopaly
