#include "RudeWords.h"

#include <QDir>

#include "CheckedRead.h"
#include "WordList.h"

namespace sopaly {

QStringList readRudeWords(const QString& programFolder) {
    QStringList lines =
        QString::fromUtf8(
            readRegularFile(QDir(programFolder).filePath(QString::fromLatin1(kRudeWordsFileName)),
                            kLargestListFile)
                .bytes)
            .split(u'\n');
    lines.removeIf([](const QString& line) { return line.trimmed().startsWith(u'#'); });
    return committedLines(lines.join(u'\n'));
}

}  // namespace sopaly
