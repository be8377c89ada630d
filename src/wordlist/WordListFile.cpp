#include "WordListFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringDecoder>

#include "WordList.h"

namespace sopaly {

namespace {

QString decoded(const QByteArray& bytes) {
    static constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
    if (bytes.startsWith(kByteOrderMark)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        return utf8(bytes.sliced(3));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
    // Qt reaches this code page through ICU, by this name only.
    QStringDecoder windows1252("windows-1252");
    if (windows1252.isValid()) return windows1252(bytes);
    return QString::fromLatin1(bytes);
}

}  // namespace

QStringList wordListLines(const QByteArray& bytes) {
    QString text = decoded(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    // The line end of the last line does not begin another one.
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

WordListRead readWordListFile(const QString& path, int alreadyInList) {
    WordListRead read;
    const QFileInfo info(path);
    if (!info.exists()) {
        read.failure = QStringLiteral("el archivo no existe");
        return read;
    }
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        read.failure = QStringLiteral("no se puede leer el archivo");
        return read;
    }
    // One byte more than allowed tells a file that grew since it was
    // measured, and no more than that is ever held in memory.
    const QByteArray bytes = file.read(kLargestWordListFile + 1);
    if (file.error() != QFileDevice::NoError) {
        read.failure = QStringLiteral("no se puede leer el archivo");
        return read;
    }
    if (bytes.size() > kLargestWordListFile) {
        read.failure = QStringLiteral("el archivo pasa de 1 MiB");
        return read;
    }
    QStringList words;
    for (const QString& line : wordListLines(bytes)) {
        if (line.trimmed().isEmpty()) continue;
        if (const std::optional<QString> word = committedWord(line)) words << *word;
    }
    if (alreadyInList + words.size() > kMostWordsInList) {
        read.failure = QStringLiteral("la lista pasaría de %1 palabras")
                           .arg(QLocale(QLocale::Spanish).toString(kMostWordsInList));
        return read;
    }
    read.words = words;
    return read;
}

QString wordListReadMessage(const QString& path, const QString& failure) {
    return QStringLiteral("No se pudo abrir la lista de palabras %1: %2.")
        .arg(QDir::toNativeSeparators(path), failure);
}

QByteArray wordListFileBytes(const QStringList& words) {
    QByteArray bytes;
    for (const QString& word : words) {
        bytes += word.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace sopaly
