#include "StatusText.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "Batch.h"
#include "WordList.h"
#include "Worksheet.h"

namespace sopaly {

QString puzzleWordsStatus(const PuzzleWords& words) {
    QString text = QCoreApplication::translate("StatusText", "%1 de %n palabras en la cuadrícula.",
                                               nullptr, words.listCount)
                       .arg(words.placed.size());
    if (!words.noRoom.isEmpty()) {
        text += QCoreApplication::translate("StatusText", " No caben: %1.")
                    .arg(words.noRoom.join(QStringLiteral(", ")));
    }
    if (!words.beyondLimit.isEmpty()) {
        text += QCoreApplication::translate("StatusText", " Fuera del máximo: %1.")
                    .arg(words.beyondLimit.join(QStringLiteral(", ")));
    }
    return text;
}

QString puzzleStatus(const Puzzle& puzzle, const PuzzleSettings& builtWith) {
    QStringList sentences = fairnessNotes(puzzle, builtWith.lowerCase);
    PuzzleWords words = puzzleWords(puzzle.WordPool, puzzle.Placements, builtWith);
    // The words are named as the grid and the list show them.
    if (builtWith.lowerCase) {
        for (QStringList* named : {&words.placed, &words.noRoom, &words.beyondLimit}) {
            for (QString& word : *named) word = word.toLower();
        }
    }
    sentences.prepend(puzzleWordsStatus(words));
    if (builtWith.letterSize != LetterSize::Normal) {
        // Measured under a title of one line, as most are: the name is
        // asked for only when the worksheet is made.
        const QString shrunk =
            gridShrunkNote(worksheetPageSize(), worksheetPuzzle(QStringLiteral("Sopa de letras"),
                                                                puzzle, puzzle.Placements, builtWith));
        if (!shrunk.isEmpty()) sentences.insert(1, shrunk);
    }
    if (const QString message = secretMessageStatus(puzzle.Message); !message.isEmpty()) {
        sentences << message;
    }
    if (const QString small =
            shapeSizeNote(builtWith.shape, puzzle.WordGrid.rows(), puzzle.WordGrid.cols());
        !small.isEmpty()) {
        sentences << small;
    }
    return sentences.join(u' ');
}

QString listOpenedLine(const QString& path, const WordListRead& read, int alreadyListed) {
    QStringList status{listOpenedStatus(QFileInfo(path).fileName(),
                                        static_cast<int>(read.words.size()), alreadyListed,
                                        read.noLetters)};
    if (const QString unencodable = unencodableStatus(read.words); !unencodable.isEmpty()) {
        status << unencodable;
    }
    return status.join(u' ');
}

}  // namespace sopaly
