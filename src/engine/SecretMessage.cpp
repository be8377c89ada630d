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
    if (message.missing > 0) {
        return QCoreApplication::translate(
            "SecretMessage", "El mensaje secreto no se puso: %n de sus letras no caben.", nullptr,
            message.missing);
    }
    if (message.unfair) {
        return QCoreApplication::translate(
            "SecretMessage",
            "El mensaje secreto no se puso: hacía leer una palabra en dos sitios.");
    }
    return {};
}

namespace {

QString shortfallSentence(ShortfallOf set, int without, int total) {
    const QString sentence =
        set == ShortfallOf::Versions
            ? QCoreApplication::translate("SecretMessage",
                                          "El mensaje secreto no cupo en %1 de %n versiones.",
                                          nullptr, total)
            : QCoreApplication::translate("SecretMessage",
                                          "El mensaje secreto no cupo en %1 de %n rompecabezas.",
                                          nullptr, total);
    return sentence.arg(without);
}

// The sentences an earlier set may have left, whatever their numbers, in the
// language on show: one pattern for each plural form a few totals reach.
QList<QRegularExpression> earlierShortfalls() {
    QStringList patterns;
    for (const ShortfallOf set : {ShortfallOf::Puzzles, ShortfallOf::Versions}) {
        for (const int total : {1, 2, 5, 22, 1002}) {
            QString pattern = QRegularExpression::escape(shortfallSentence(set, 7001, total))
                                  .replace(QStringLiteral("7001"), QStringLiteral("\\d+"))
                                  .replace(QString::number(total), QStringLiteral("\\d+"));
            if (!patterns.contains(pattern)) patterns << pattern;
        }
    }
    QList<QRegularExpression> found;
    for (const QString& pattern : patterns)
        found << QRegularExpression(QStringLiteral(" ?") + pattern);
    return found;
}

}  // namespace

QString withMessageShortfall(const QString& footLine, int without, int total, ShortfallOf set) {
    QString line = footLine;
    for (const QRegularExpression& earlier : earlierShortfalls()) line.remove(earlier);
    line = line.trimmed();
    if (without <= 0) return line;
    const QString sentence = shortfallSentence(set, without, total);
    return line.isEmpty() ? sentence : line + u' ' + sentence;
}

}  // namespace sopaly
