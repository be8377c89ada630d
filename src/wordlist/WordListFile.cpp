#include "WordListFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QStringDecoder>
#include <algorithm>
#include <optional>

#include "CheckedRead.h"
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

// Text written as UTF-16 holds a zero byte in nearly every line: the high
// byte of each line end and of each Latin letter. Valid UTF-8 after the mark
// with none is an editor's mislabelled UTF-8, not CJK text.
bool plausibleUtf16(QByteArrayView body) {
    if (body.contains('\0')) return true;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    utf8.decode(body);
    return utf8.hasError();
}

std::optional<QString> utf16Text(const QByteArray& bytes) {
    const bool little = bytes.startsWith("\xFF\xFE");
    const bool big = bytes.startsWith("\xFE\xFF");
    if (!little && !big) return std::nullopt;
    const QByteArrayView body = QByteArrayView(bytes).sliced(2);
    if (!plausibleUtf16(body)) return QString::fromUtf8(body);
    QStringDecoder utf16(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                         QStringDecoder::Flag::Stateless);
    return utf16(body);
}

// A line the decoding could not make sense of: it would enter the list as
// a word with "\uFFFD" that no puzzle file can hold.
bool isInvalidText(const QString& line) {
    return line.contains(QChar::ReplacementCharacter) || !QStringView(line).isValidUtf16();
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

QString readRefusalReason(ReadRefusal refusal) {
    switch (refusal) {
        case ReadRefusal::Missing:
            return QCoreApplication::translate("WordListFile", "el archivo no existe");
        case ReadRefusal::NotRegular:
            return QCoreApplication::translate("WordListFile", "no es un archivo de texto");
        case ReadRefusal::TooLarge:
            return QCoreApplication::translate("WordListFile", "el archivo pasa de 1 MiB");
        case ReadRefusal::Unreadable:
        case ReadRefusal::None:
            break;
    }
    return QCoreApplication::translate("WordListFile", "no se puede leer el archivo");
}

WordListRead readWordListFile(const QString& path, int alreadyInList) {
    const CheckedBytes file = readRegularFile(path, kLargestWordListFile);
    if (!file.ok()) {
        WordListRead read;
        read.failure = readRefusalReason(file.refusal);
        return read;
    }
    return readWordListBytes(file.bytes, alreadyInList);
}

WordListRead readWordListBytes(const QByteArray& bytes, int alreadyInList) {
    WordListRead read;
    if (!isText(bytes)) {
        read.failure = QCoreApplication::translate("WordListFile", "no es un archivo de texto");
        return read;
    }
    QStringList committed;
    QList<int> invalidLines;
    const QStringList lines = wordListLines(bytes);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (isInvalidText(lines.at(i))) {
            invalidLines << static_cast<int>(i + 1);
        } else if (const std::optional<QString> word = committedWord(lines.at(i))) {
            committed << *word;
        }
    }
    // The whole file or nothing: it is checked against the room left only
    // once the entries with nothing to hide are set aside.
    Intake intake = sortOutWords(committed, kMostWordsInList);
    if (alreadyInList + intake.words.size() + intake.noRoom.size() > kMostWordsInList) {
        read.failure =
            QCoreApplication::translate("WordListFile", "la lista pasaría de %1 palabras")
                .arg(QLocale(QLocale::Spanish).toString(kMostWordsInList));
        return read;
    }
    read.words = std::move(intake.words);
    read.noLetters = std::move(intake.noLetters);
    read.invalidLines = std::move(invalidLines);
    return read;
}

QString wordListReadMessage(const QString& path, const QString& failure) {
    return QCoreApplication::translate("WordListFile",
                                       "No se pudo abrir la lista de palabras %1: %2.")
        .arg(QDir::toNativeSeparators(path), failure);
}

QString invalidLinesMessage(const QString& path, const QList<int>& lines) {
    QStringList numbers;
    for (const int line : lines) numbers << QString::number(line);
    // The plural form follows how many lines there are; the lines
    // themselves are named as %1.
    const int count = static_cast<int>(lines.size());
    const QString sentence = QCoreApplication::translate(
        "WordListFile",
        "Las líneas %1 de la lista de palabras %2 no son texto válido: no se añadió.", nullptr,
        count);
    return sentence.arg(numbers.join(QStringLiteral(", ")), QDir::toNativeSeparators(path));
}

QString emptyWordListMessage(const QString& path) {
    return QCoreApplication::translate(
               "WordListFile",
               "La lista de palabras %1 no tiene ninguna palabra: no se añadió nada.")
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
