#include "RudeWords.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "Fairness.h"
#include "WordList.h"

namespace sopaly {

namespace {

// Far more than any list of rude words; a larger file is no such list.
constexpr qint64 kLargestFile = 1024 * 1024;

QByteArray fileBytes(const QString& path) {
    // Only a regular file: a pipe or a device would block the program.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kLargestFile) return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.read(kLargestFile);
}

// Words compare as the guard reads them: accents folded.
std::u32string folded(const QString& word) {
    return foldAccents(word.toStdU32String());
}

}  // namespace

RudeWordsFile parseRudeWords(const QByteArray& bytes) {
    QStringList added;
    QStringList removed;
    for (const QString& line : QString::fromUtf8(bytes).split(u'\n')) {
        const QString word = line.trimmed();
        if (word.startsWith(u'#')) continue;
        if (word.startsWith(u'-')) {
            removed << word.mid(1);
        } else {
            added << word;
        }
    }
    return {committedLines(added.join(u'\n')), committedLines(removed.join(u'\n'))};
}

QStringList builtInRudeWords() {
    QFile file(QStringLiteral(":/sopaly/palabrotas.txt"));
    if (!file.open(QIODevice::ReadOnly)) qFatal("The built-in rude words are missing");
    return parseRudeWords(file.readAll()).added;
}

QStringList rudeWords(const QStringList& files) {
    QStringList words = builtInRudeWords();
    QStringList added;
    for (const QString& path : files) {
        const RudeWordsFile file = parseRudeWords(fileBytes(path));
        for (const QString& gone : file.removed) {
            words.removeIf([&](const QString& word) { return folded(word) == folded(gone); });
        }
        added << file.added;
    }
    words << added;
    words.removeDuplicates();
    return words;
}

QStringList readRudeWords(const QString& programFolder) {
    return rudeWords({QDir(programFolder).filePath(QString::fromLatin1(kRudeWordsFileName))});
}

}  // namespace sopaly
