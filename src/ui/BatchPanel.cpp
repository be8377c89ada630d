#include "BatchPanel.h"

#include <QGuiApplication>
#include <QLabel>
#include <QTextEdit>
#include <QTimer>

#include "Batch.h"
#include "Toolkit.h"

namespace sopaly {

namespace {

// Laying out and painting the run's progress costs more than a puzzle. The
// status line, the grid and the bar change at most 25 times a second, which
// the eye cannot tell from every puzzle; the first and the last puzzle
// always show, and one whose file failed.
constexpr qint64 kDisplayIntervalMs = 40;

}  // namespace

BatchPanel::BatchPanel(Controls controls, QObject* parent) : QObject(parent), controls_(controls) {}

int BatchPanel::barLength() const {
    return controls_.left->x2() - controls_.done->x1();
}

void BatchPanel::start(BatchRun* run, int step) {
    run_ = run;
    run_->setParent(this);
    step_ = step;
    PanelClosing = false;
    controls_.done->setX2(controls_.done->x1());
    controls_.left->setX1(controls_.done->x2());
    connect(run_, &BatchRun::puzzleStarting, this, &BatchPanel::showStarting);
    connect(run_, &BatchRun::puzzleWritten, this, &BatchPanel::showWritten);
    connect(run_, &BatchRun::failed, this, &BatchPanel::showFailure);
    connect(run_, &BatchRun::finished, this, &BatchPanel::runFinished);
    controls_.timer->start();
}

void BatchPanel::tick() {
    Frame* panel = controls_.panel;
    panel->setWidthTwips(tmrAutoStep(panel->widthTwips(), PanelClosing));
    if (!run_) return;
    const int width = panel->widthTwips();
    if (!PanelClosing && !panelStillWidening(width) && !run_->isRunning()) {
        // Widened: the puzzles come next, under the waiting pointer.
        controls_.timer->stop();
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        sinceShown_.start();
        run_->start();
    } else if (PanelClosing && !panelStillNarrowing(width)) {
        controls_.timer->stop();
        end();
    }
}

void BatchPanel::stop() {
    if (!run_) return;
    if (run_->isRunning()) {
        run_->stop();
    } else {
        // Still widening or narrowing: no puzzle is on its way.
        end_ = BatchRun::End::Stopped;
        end();
    }
}

void BatchPanel::showStarting(int n, const QString& path) {
    shown_ = n == 1 || n == run_->count() || sinceShown_.elapsed() >= kDisplayIntervalMs;
    if (shown_) controls_.status->setText(batchStatusText(path));
}

void BatchPanel::showWritten(int n, const QString& /*path*/, const QString& finished) {
    if (!shown_) return;
    controls_.grid->setPlainText(finished);
    controls_.done->setX2(controls_.done->x1() + n * step_);
    controls_.left->setX1(controls_.done->x2());
    sinceShown_.restart();
}

void BatchPanel::showFailure(const QString& message, const QString& path, const QString& finished) {
    if (!shown_) controls_.status->setText(batchStatusText(path));
    if (!finished.isEmpty()) controls_.grid->setPlainText(finished);
    emit failed(message);
}

void BatchPanel::runFinished(BatchRun::End end) {
    QGuiApplication::restoreOverrideCursor();
    end_ = end;
    // A run whose list was emptied under it stops where it is, panel wide.
    if (end == BatchRun::End::Completed || end == BatchRun::End::Failed) {
        PanelClosing = true;
        controls_.timer->start();
    } else {
        this->end();
    }
}

void BatchPanel::end() {
    controls_.timer->stop();
    const int written = run_->written();
    const int withoutMessage = run_->withoutMessage();
    run_->deleteLater();
    run_ = nullptr;
    emit ended(end_, written, withoutMessage);
}

}  // namespace sopaly
