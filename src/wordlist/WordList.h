#pragma once

#include <QAbstractListModel>
#include <QCollator>
#include <QList>
#include <QStringList>
#include <QStringView>
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

// What a word keeps of any text it comes from, on every road in (typing,
// pasting, a list file): control and format characters (zero-width spaces
// and joiners, byte-order marks, direction marks) and variation selectors
// dropped, every kind of space made a plain space, composed to NFC.
QString printableText(QStringView text);

// What Enter makes of the entry field's text: its printable text with
// spaces trimmed at both ends, in upper case and NFC. Nothing when no other
// character is left.
std::optional<QString> committedWord(const QString& typed);

// Whether the text holds a line break of any kind: pasted lines, not a word.
bool holdsLineBreak(QStringView text);

// One non-blank line of a paste: as the user had it, and as Enter commits it.
struct PastedLine {
    QString typed;
    QString word;
};
QList<PastedLine> pastedLines(const QString& text);

// Each line of the text as Enter commits it, blank lines left out.
QStringList committedLines(const QString& text);

// What a list of committed words gives a list that has `room` places left:
// the words it takes, in order; those with no letter or digit to hide,
// which it refuses; and the positions of those it has no room for.
struct Intake {
    QStringList words;
    QStringList noLetters;
    QList<qsizetype> noRoom;
};
Intake sortOutWords(const QStringList& committed, int room);

// How many of `words` the list holds already.
int alreadyListed(const WordList& list, const QStringList& words);

// The status after opening a list file, for instance "40 palabras añadidas
// de lista.txt (3 ya estaban en la lista)."
QString listOpenedStatus(const QString& fileName, int added, int alreadyThere,
                         const QStringList& noLetters);

// Why Enter or a paste did not take entries with nothing to hide.
QString noLettersMessage(const QStringList& entries);

// Why the full list took no more words; `left` is how many it left out.
QString fullListMessage(int left);

// A word's length: the cells its letters and digits take in the grid.
int wordLength(const QString& word);

// "SORT": element 0 empty, the words longest first (equal lengths in list
// order), and the last word once more.
QStringList sortIntoPool(const QStringList& list);

enum class ListMode { Sort, Delete, Clear, None };

// The mode names of the list routine, compared in upper case.
ListMode listMode(const QString& sMode);

}  // namespace sopaly
