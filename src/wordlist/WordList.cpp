#include "WordList.h"

#include <QLocale>
#include <algorithm>
#include <numeric>
#include <vector>

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

}  // namespace

std::optional<QString> committedWord(const QString& typed) {
    // A control character would break the puzzle file's lines or a grid
    // cell; it has no letter to give.
    QString text = typed;
    text.removeIf([](QChar c) { return c.category() == QChar::Other_Control || isLineBreak(c); });
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

QStringList committedLines(const QString& text) {
    QStringList words;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isLineBreak(text.at(i))) continue;
        if (const auto word = committedWord(text.mid(start, i - start))) words.append(*word);
        start = i + 1;
    }
    return words;
}

int wordLength(const QString& word) {
    qsizetype begin = 0;
    qsizetype end = word.size();
    while (begin < end && word.at(begin) == u' ') ++begin;
    while (end > begin && word.at(end - 1) == u' ') --end;
    int length = 0;
    for (qsizetype i = begin; i < end; ++i) {
        if (word.at(i).isLowSurrogate() && i > begin && word.at(i - 1).isHighSurrogate()) continue;
        ++length;
    }
    return length;
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
