#include "WordListFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringDecoder>
#include <algorithm>
#include <optional>

#include "WordList.h"

namespace sopaly {

namespace {

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

// Qt reaches this code page through ICU, by this name only.
QString fromWindows1252(QByteArrayView line) {
    QStringDecoder windows1252("windows-1252");
    if (windows1252.isValid()) return windows1252(line);
    return QString::fromLatin1(line);
}

// A line is UTF-8 only when all of it decodes: a file typed partly in an
// old editor keeps its other lines.
QString decodedLine(QByteArrayView line) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(line);
    if (!utf8.hasError()) return text;
    return fromWindows1252(line);
}

std::optional<QString> utf16Text(const QByteArray& bytes) {
    const bool little = bytes.startsWith("\xFF\xFE");
    const bool big = bytes.startsWith("\xFE\xFF");
    if (!little && !big) return std::nullopt;
    QStringDecoder utf16(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                         QStringDecoder::Flag::Stateless);
    return utf16(QByteArrayView(bytes).sliced(2));
}

QStringList splitLines(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    // The line end of the last line does not begin another one.
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

}  // namespace

bool isText(const QByteArray& bytes) {
    if (utf16Text(bytes)) return true;
    qsizetype controls = 0;
    for (const char byte : bytes) {
        if (byte == '\0') return false;
        const auto code = static_cast<unsigned char>(byte);
        if (code < 0x20 && code != '\t' && code != '\r' && code != '\n' && code != '\f') {
            ++controls;
        }
    }
    return controls * 10 <= bytes.size();
}

QStringList wordListLines(const QByteArray& bytes) {
    if (const std::optional<QString> text = utf16Text(bytes)) return splitLines(*text);
    QByteArrayView rest(bytes);
    if (rest.startsWith(kUtf8Mark)) rest = rest.sliced(3);
    QStringList lines;
    while (!rest.isEmpty()) {
        qsizetype end = 0;
        while (end < rest.size() && rest[end] != '\n' && rest[end] != '\r') ++end;
        lines << decodedLine(rest.first(end));
        if (end < rest.size() && rest[end] == '\r' && end + 1 < rest.size() &&
            rest[end + 1] == '\n') {
            ++end;
        }
        rest = rest.sliced(std::min(end + 1, rest.size()));
    }
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
    if (!isText(bytes)) {
        read.failure = QStringLiteral("no es un archivo de texto");
        return read;
    }
    QStringList committed;
    for (const QString& line : wordListLines(bytes)) {
        if (const std::optional<QString> word = committedWord(line)) committed << *word;
    }
    // The whole file or nothing: it is checked against the room left only
    // once the entries with nothing to hide are set aside.
    Intake intake = sortOutWords(committed, kMostWordsInList);
    if (alreadyInList + intake.words.size() + intake.noRoom.size() > kMostWordsInList) {
        read.failure = QStringLiteral("la lista pasaría de %1 palabras")
                           .arg(QLocale(QLocale::Spanish).toString(kMostWordsInList));
        return read;
    }
    read.words = std::move(intake.words);
    read.noLetters = std::move(intake.noLetters);
    return read;
}

QString wordListReadMessage(const QString& path, const QString& failure) {
    return QStringLiteral("No se pudo abrir la lista de palabras %1: %2.")
        .arg(QDir::toNativeSeparators(path), failure);
}

QString emptyWordListMessage(const QString& path) {
    return QStringLiteral("La lista de palabras %1 no tiene ninguna palabra: no se añadió nada.")
        .arg(QDir::toNativeSeparators(path));
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
