#include "WordList.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSet>
#include <algorithm>
#include <numeric>
#include <vector>

#include "Cells.h"

namespace sopaly {

WordList::WordList(QObject* parent)
    : QAbstractListModel(parent), collator_(QLocale(QLocale::Spanish, QLocale::Spain)) {}

int WordList::add(const QString& word) {
    // After the last entry that does not sort after the word: equal words keep
    // the order in which they came.
    const auto it = std::upper_bound(
        words_.cbegin(), words_.cend(), word,
        [this](const QString& a, const QString& b) { return collator_.compare(a, b) < 0; });
    const auto position = static_cast<int>(it - words_.cbegin());
    beginInsertRows(QModelIndex(), position, position);
    words_.insert(position, word);
    endInsertRows();
    return position;
}

void WordList::removeAt(int position) {
    if (position < 0 || position >= count()) return;
    beginRemoveRows(QModelIndex(), position, position);
    words_.removeAt(position);
    endRemoveRows();
}

void WordList::clear() {
    beginResetModel();
    words_.clear();
    endResetModel();
}

int WordList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant WordList::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count()) return {};
    if (role == Qt::DisplayRole && lowerCase_) return words_.at(index.row()).toLower();
    if (role == Qt::DisplayRole || role == Qt::EditRole) return words_.at(index.row());
    return {};
}

void WordList::setShownInLowerCase(bool lower) {
    if (lowerCase_ == lower) return;
    lowerCase_ = lower;
    if (count() > 0) emit dataChanged(index(0), index(count() - 1), {Qt::DisplayRole});
}

QStringList WordList::shownWords() const {
    if (!lowerCase_) return words_;
    QStringList shown = words_;
    for (QString& word : shown) word = word.toLower();
    return shown;
}

namespace {

// Line feed, carriage return, next line, line and paragraph separators.
bool isLineBreak(QChar c) {
    return c == u'\n' || c == u'\r' || c == u'\u0085' || c == u'\u2028' || c == u'\u2029';
}

bool isVariationSelector(char32_t c) {
    return (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0100 && c <= 0xE01EF) ||
           (c >= 0x180B && c <= 0x180D) || c == 0x180F;
}

}  // namespace

QString printableText(QStringView text) {
    // What does not print would take a cell of its own in the grid, or make
    // a word that looks clean unsavable.
    QString kept;
    kept.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Other_Control || category == QChar::Other_Format ||
            category == QChar::Separator_Line || category == QChar::Separator_Paragraph ||
            isVariationSelector(c)) {
            continue;
        }
        if (category == QChar::Separator_Space) {
            kept.append(u' ');
        } else if (QChar::requiresSurrogates(c)) {
            kept.append(QChar(QChar::highSurrogate(c)));
            kept.append(QChar(QChar::lowSurrogate(c)));
        } else {
            kept.append(QChar(static_cast<char16_t>(c)));
        }
    }
    return kept.normalized(QString::NormalizationForm_C);
}

std::optional<QString> committedWord(const QString& typed) {
    const QString text = printableText(typed);
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ') ++begin;
    while (end > begin && text.at(end - 1) == u' ') --end;
    if (begin == end) return std::nullopt;
    // Upper case first, then compose, so that n + combining tilde becomes the
    // single letter Ñ and takes one cell of the grid.
    return text.mid(begin, end - begin).toUpper().normalized(QString::NormalizationForm_C);
}

bool holdsLineBreak(QStringView text) {
    return std::any_of(text.begin(), text.end(), isLineBreak);
}

QList<PastedLine> pastedLines(const QString& text) {
    QList<PastedLine> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isLineBreak(text.at(i))) continue;
        const QString line = text.mid(start, i - start);
        if (const auto word = committedWord(line)) lines.append({line.trimmed(), *word});
        start = i + 1;
    }
    return lines;
}

QStringList committedLines(const QString& text) {
    QStringList words;
    for (const PastedLine& line : pastedLines(text)) words.append(line.word);
    return words;
}

Intake sortOutWords(const QStringList& committed, int room) {
    Intake intake;
    for (qsizetype i = 0; i < committed.size(); ++i) {
        const QString& word = committed.at(i);
        if (!hasCells(word)) {
            intake.noLetters << word;
        } else if (intake.words.size() < room) {
            intake.words << word;
        } else {
            intake.noRoom << i;
        }
    }
    return intake;
}

int alreadyListed(const WordList& list, const QStringList& words) {
    const QSet<QString> listed(list.words().cbegin(), list.words().cend());
    return static_cast<int>(
        std::count_if(words.cbegin(), words.cend(),
                      [&listed](const QString& word) { return listed.contains(word); }));
}

namespace {

QString quotedList(const QStringList& entries) {
    QStringList quoted;
    for (const QString& entry : entries)
        quoted << QCoreApplication::translate("WordList", "«%1»").arg(entry);
    return quoted.join(QStringLiteral(", "));
}

QString spanishCount(int n) {
    return QLocale(QLocale::Spanish).toString(n);
}

}  // namespace

QString listOpenedStatus(const QString& fileName, int added, int alreadyThere,
                         const QStringList& noLetters) {
    // The count is written the Spanish way (1.000), so the plural form is
    // chosen by the count and the number given as %1.
    QString text =
        QCoreApplication::translate("WordList", "%1 palabras añadidas de %2", nullptr, added)
            .arg(spanishCount(added), fileName);
    if (alreadyThere > 0) {
        text += QCoreApplication::translate("WordList", " (%1 ya estaban en la lista)", nullptr,
                                            alreadyThere)
                    .arg(spanishCount(alreadyThere));
    }
    text += u'.';
    if (!noLetters.isEmpty()) {
        text +=
            QCoreApplication::translate("WordList", " Sin letras ni números, no se añadieron: %1.")
                .arg(quotedList(noLetters));
    }
    return text;
}

QString noLettersMessage(const QStringList& entries) {
    return QCoreApplication::translate(
               "WordList",
               "Sin letras ni números no hay nada que buscar en la sopa: no se añadieron %1.")
        .arg(quotedList(entries));
}

QString fullListMessage(int left) {
    const QString full = QCoreApplication::translate(
                             "WordList", "La lista ya tiene %1 palabras, todas las que caben.")
                             .arg(spanishCount(kMostWordsInList));
    if (left <= 1)
        return full + QCoreApplication::translate("WordList", " Quite alguna para añadir otra.");
    return full + QCoreApplication::translate(
                      "WordList", " No se añadieron %1 palabras; quite algunas para añadirlas.")
                      .arg(spanishCount(left));
}

int wordLength(const QString& word) {
    // Longest first by the letters the grid places, not by the signs
    // between them.
    return static_cast<int>(cellCount(word));
}

QStringList sortIntoPool(const QStringList& list) {
    // Longest first, equal lengths in list order: a stable sort gives exactly
    // what picking the first longest untaken word pass after pass gives.
    std::vector<int> lengths(static_cast<std::size_t>(list.size()));
    std::transform(list.cbegin(), list.cend(), lengths.begin(), wordLength);
    std::vector<qsizetype> order(lengths.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&lengths](qsizetype a, qsizetype b) {
        return lengths[static_cast<std::size_t>(a)] > lengths[static_cast<std::size_t>(b)];
    });
    QStringList pool;
    pool.reserve(list.size() + 2);
    pool.append(QString());
    for (const qsizetype i : order) pool.append(list.at(i));
    // The closing pass finds nothing and appends its candidate again.
    pool.append(pool.size() > 1 ? pool.last() : QString());
    return pool;
}

ListMode listMode(const QString& sMode) {
    const QString mode = sMode.toUpper();
    if (mode == u"SORT") return ListMode::Sort;
    if (mode == u"DELETE") return ListMode::Delete;
    if (mode == u"CLEAR") return ListMode::Clear;
    return ListMode::None;
}

}  // namespace sopaly
