#pragma once

#include <QAbstractListModel>
#include <QCollator>
#include <QStringList>
#include <optional>

namespace sopaly {

// The list counts its entries in 16 bits.
inline constexpr int kMostWordsInList = 32767;

// The user's words in Spanish alphabetical order (N < Ñ < O), the same on
// every machine whatever its own locale. The list view shows this model.
class WordList : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit WordList(QObject* parent = nullptr);

    int count() const { return static_cast<int>(words_.size()); }
    QString at(int position) const { return words_.at(position); }
    const QStringList& words() const { return words_; }

    // Inserts after any equal entries; returns the new entry's position.
    int add(const QString& word);
    void removeAt(int position);
    void clear();

    // The view shows the words in lower case; words() keeps them as entered.
    void setShownInLowerCase(bool lower);
    // The words as the view shows them.
    QStringList shownWords() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  private:
    QCollator collator_;
    QStringList words_;
    bool lowerCase_ = false;
};

// What Enter makes of the entry field's text: control characters (line
// breaks and tabs among them) dropped, spaces trimmed at both ends, composed
// to NFC, upper case. Nothing when no other character is left.
std::optional<QString> committedWord(const QString& typed);

// Whether the text holds a line break of any kind: pasted lines, not a word.
bool holdsLineBreak(QStringView text);

// Each line of the text as Enter commits it, blank lines left out.
QStringList committedLines(const QString& text);

// A word's length in code points, leading and trailing spaces not counted.
int wordLength(const QString& word);

// "SORT": element 0 empty, the words longest first (equal lengths in list
// order), and the last word once more.
QStringList sortIntoPool(const QStringList& list);

enum class ListMode { Sort, Delete, Clear, None };

// The mode names of the list routine, compared in upper case.
ListMode listMode(const QString& sMode);

}  // namespace sopaly
