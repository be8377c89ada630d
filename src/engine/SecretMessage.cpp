#include "SecretMessage.h"

#include <QChar>
#include <QCoreApplication>
#include <QList>
#include <QRegularExpression>

namespace sopaly {

QString messageWithoutLettersSentence(const QString& typed) {
    // Said by the main window first; its translation stays where it was.
    return QCoreApplication::translate("sopaly::frmMain",
                                       "El mensaje secreto \"%1\" no tiene ninguna letra ni "
                                       "cifra: no se pondrá en la sopa.")
        .arg(typed);
}

std::u32string messageLetters(const QString& typed) {
    std::u32string letters;
    for (const char32_t c : typed.toUpper().normalized(QString::NormalizationForm_C).toUcs4()) {
        if (QChar::isLetterOrNumber(c)) letters += c;
    }
    return letters;
}

int freeCellCount(const Grid& grid) {
    int free = 0;
    for (int row = 1; row <= grid.rows(); ++row) {
        for (int col = 1; col <= grid.cols(); ++col) free += grid.at(row, col) == kEmptyCell;
    }
    return free;
}

int placeMessageLetters(Grid& grid, std::u32string_view letters,
                        std::vector<std::pair<int, int>>* cells) {
    const auto length = static_cast<int>(letters.size());
    const int free = freeCellCount(grid);
    if (free < length) return length - free;
    std::size_t next = 0;
    for (int row = 1; row <= grid.rows() && next < letters.size(); ++row) {
        for (int col = 1; col <= grid.cols() && next < letters.size(); ++col) {
            if (grid.at(row, col) != kEmptyCell) continue;
            grid.at(row, col) = letters[next++];
            if (cells) cells->emplace_back(row, col);
        }
    }
    return 0;
}

QString secretMessageStatus(const SecretMessage& message) {
    if (message.missing == 1) {
        return QStringLiteral("El mensaje secreto no se puso: 1 de sus letras no cabe.");
    }
    if (message.missing > 1) {
        return QStringLiteral("El mensaje secreto no se puso: %1 de sus letras no caben.")
            .arg(message.missing);
    }
    if (message.unfair) {
        return QStringLiteral(
            "El mensaje secreto no se puso: hacía leer una palabra en dos sitios.");
    }
    return {};
}

QString withMessageShortfall(const QString& footLine, int without, int total,
                             const QString& puzzles) {
    static const QRegularExpression earlier(
        QStringLiteral(" ?El mensaje secreto no cupo en \\d+ de \\d+ \\w+\\."));
    QString line = QString(footLine).remove(earlier).trimmed();
    if (without <= 0) return line;
    const QString sentence = QStringLiteral("El mensaje secreto no cupo en %1 de %2 %3.")
                                 .arg(without)
                                 .arg(total)
                                 .arg(puzzles);
    return line.isEmpty() ? sentence : line + u' ' + sentence;
}

}  // namespace sopaly
