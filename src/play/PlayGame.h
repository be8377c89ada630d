#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "PlayPuzzle.h"
#include "Selection.h"

namespace sopaly {

// The state of one game: which words are found, the hints, whether the
// player gave up, and the clock. It shows nothing; a window shows it.
class PlayGame {
  public:
    // Milliseconds from any fixed moment; the game reads it when it starts
    // and whenever it is asked for the time.
    using Clock = std::function<qint64()>;
    // A clock of the machine's steady time.
    static Clock steadyClock();

    PlayGame(PlayPuzzle puzzle, Clock clock);

    const PlayPuzzle& puzzle() const { return puzzle_; }
    int wordCount() const { return static_cast<int>(found_.size()); }
    int foundCount() const { return foundCount_; }
    bool isFound(int word) const { return found_.at(static_cast<std::size_t>(word)); }
    int hintsUsed() const { return hints_; }
    bool gaveUp() const { return gaveUp_; }
    bool isWon() const { return wordCount() > 0 && foundCount_ == wordCount(); }
    // Whether the game is over, won or given up: the clock stands still.
    bool isOver() const { return gaveUp_ || isWon(); }

    // What a selection did: found a word (a word found before counts once),
    // or missed, which costs nothing.
    struct Result {
        std::optional<int> word;  // the word the selection covers, if any
        bool newlyFound = false;
    };
    // The selection of a drag from `from` to `to`. A game that is over
    // finds nothing more.
    Result select(CellPos from, CellPos to);

    // The word a hint points at: `preferred` when it is not found yet, else
    // the first word of the list not found; counted as a hint used. None
    // when every word is found or the game is over.
    std::optional<int> hint(std::optional<int> preferred);
    void giveUp();

    // Milliseconds played: until the end when the game is over.
    qint64 elapsedMs() const;

    // "Encontradas: 3 de 12".
    QString counterText() const;
    // "4:32"; past an hour "1:04:32".
    static QString timeText(qint64 ms);
    // "Encuentra las 12 palabras escondidas.": what stands for a hidden list.
    QString hiddenListText() const;
    // "¡Muy bien! Encontraste las 12 palabras en 4:32.", with the hints
    // used when there were any; empty until the game is won.
    QString endText() const;

  private:
    PlayPuzzle puzzle_;
    Clock clock_;
    qint64 started_ = 0;
    std::optional<qint64> stopped_;
    std::vector<bool> found_;
    int foundCount_ = 0;
    int hints_ = 0;
    bool gaveUp_ = false;
};

}  // namespace sopaly
