#include "PlayGame.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <memory>
#include <utility>

namespace sopaly {

PlayGame::Clock PlayGame::steadyClock() {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return timer->elapsed(); };
}

PlayGame::PlayGame(PlayPuzzle puzzle, Clock clock)
    : puzzle_(std::move(puzzle)), clock_(clock ? std::move(clock) : steadyClock()) {
    found_.assign(puzzle_.places.size(), false);
    started_ = clock_();
}

PlayGame::Result PlayGame::select(CellPos from, CellPos to) {
    if (isOver()) return {};
    const CellLine line = snapSelection(from, to, puzzle_.rows(), puzzle_.cols());
    const std::optional<int> word = matchWord(puzzle_.places, line);
    if (!word) return {};
    const auto index = static_cast<std::size_t>(*word);
    if (found_[index]) return {word, false};
    found_[index] = true;
    ++foundCount_;
    if (isWon()) stopped_ = clock_();
    return {word, true};
}

std::optional<int> PlayGame::hint(std::optional<int> preferred) {
    if (isOver()) return std::nullopt;
    int word = -1;
    if (preferred && *preferred >= 0 && *preferred < wordCount() && !isFound(*preferred)) {
        word = *preferred;
    } else {
        for (int i = 0; i < wordCount() && word < 0; ++i) {
            if (!isFound(i)) word = i;
        }
    }
    if (word < 0) return std::nullopt;
    ++hints_;
    return word;
}

void PlayGame::giveUp() {
    if (isOver()) return;
    gaveUp_ = true;
    stopped_ = clock_();
}

qint64 PlayGame::elapsedMs() const {
    return stopped_.value_or(clock_()) - started_;
}

QString PlayGame::counterText() const {
    return QCoreApplication::translate("PlayGame", "Encontradas: %1 de %2")
        .arg(foundCount_)
        .arg(wordCount());
}

QString PlayGame::timeText(qint64 ms) {
    const qint64 seconds = std::max<qint64>(ms, 0) / 1000;
    const QLatin1Char zero('0');
    if (seconds < 3600)
        return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, zero);
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, zero)
        .arg(seconds % 60, 2, 10, zero);
}

QString PlayGame::hiddenListText() const {
    return QCoreApplication::translate("PlayGame", "Encuentra las %n palabras escondidas.", nullptr,
                                       wordCount());
}

QString PlayGame::endText() const {
    if (!isWon()) return {};
    const QString found = QCoreApplication::translate(
                              "PlayGame", "¡Muy bien! Encontraste las %n palabras en %1", nullptr,
                              wordCount())
                              .arg(timeText(elapsedMs()));
    if (hints_ == 0) return found + QLatin1Char('.');
    return found + QLatin1Char(' ') +
           QCoreApplication::translate("PlayGame", "y usaste %n pistas.", nullptr, hints_);
}

}  // namespace sopaly
