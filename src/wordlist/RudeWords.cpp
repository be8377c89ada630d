#include "RudeWords.h"

#include <QDir>
#include <QFile>

#include "WordList.h"

namespace sopaly {

QStringList readRudeWords(const QString& programFolder) {
    QFile file(QDir(programFolder).filePath(QString::fromLatin1(kRudeWordsFileName)));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    lines.removeIf([](const QString& line) { return line.trimmed().startsWith(u'#'); });
    return committedLines(lines.join(u'\n'));
}

}  // namespace sopaly
