#include "BatchRun.h"

#include "Batch.h"
#include "PuzzleFile.h"
#include "PuzzleSession.h"
#include "SecretMessage.h"

namespace sopaly {

BatchRun::BatchRun(PuzzleSession& session, QString folder, int count, Inputs inputs,
                   QObject* parent)
    : QObject(parent),
      session_(session),
      folder_(std::move(folder)),
      count_(count),
      inputs_(std::move(inputs)) {
    // A zero-interval timer fires once the events that came in meanwhile
    // (input, painting) have been handled.
    stepTimer_.setSingleShot(true);
    stepTimer_.setInterval(0);
    connect(&stepTimer_, &QTimer::timeout, this, &BatchRun::step);
}

void BatchRun::start() {
    running_ = true;
    next_ = 1;
    withoutMessage_ = 0;
    written_ = 0;
    emit puzzleStarting(next_, batchFilePath(folder_, next_));
    stepTimer_.start();
}

void BatchRun::stop() {
    if (running_) end(End::Stopped);
}

void BatchRun::end(End how) {
    stepTimer_.stop();
    running_ = false;
    emit finished(how);
}

void BatchRun::step() {
    if (!running_) return;
    const QString path = batchFilePath(folder_, next_);
    const QStringList words = inputs_.words();
    if (words.isEmpty()) return end(End::ListEmptied);
    const PuzzleSettings settings = inputs_.settings();
    if (const std::optional<QString> refusal = gridSizeRefusal(settings)) {
        emit failed(*refusal, path, QString());
        return end(End::Failed);
    }
    const QString finished = session_.buildBatchPuzzle(words, settings);
    const bool lacksMessage =
        !messageLetters(settings.message).empty() && !session_.puzzle().Message.placed();
    QString reason;
    if (!AutoExportPuzzle(path, words, settings, &reason)) {
        emit failed(reason, path, finished);
        return end(End::Failed);
    }
    ++written_;
    withoutMessage_ += lacksMessage ? 1 : 0;
    emit puzzleWritten(next_, path, finished);
    if (next_ == count_) return end(End::Completed);
    ++next_;
    emit puzzleStarting(next_, batchFilePath(folder_, next_));
    stepTimer_.start();
}

bool BatchRun::AutoExportPuzzle(const QString& sFilePath, const QStringList& words,
                                const PuzzleSettings& settings, QString* reason) {
    // A word typed since the run started is checked too.
    if (const std::optional<QString> refusal = batchRefusal(words, settings.message)) {
        *reason = *refusal;
        return false;
    }
    QString why;
    if (writePuzzleFile(fileWriter_, sFilePath, session_.puzzle(), settings, words, &why)) {
        return true;
    }
    *reason = writeFailureMessage(sFilePath, why);
    return false;
}

}  // namespace sopaly
