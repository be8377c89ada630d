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
    if (role == Qt::DisplayRole || role == Qt::EditRole) return words_.at(index.row());
    return {};
}

std::optional<QString> committedWord(const QString& typed) {
    qsizetype begin = 0;
    qsizetype end = typed.size();
    while (begin < end && typed.at(begin) == u' ') ++begin;
    while (end > begin && typed.at(end - 1) == u' ') --end;
    if (begin == end) return std::nullopt;
    // Upper case first, then compose, so that n + combining tilde becomes the
    // single letter Ñ and takes one cell of the grid.
    return typed.mid(begin, end - begin).toUpper().normalized(QString::NormalizationForm_C);
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
