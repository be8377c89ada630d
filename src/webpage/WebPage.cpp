#include "WebPage.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtEndian>
#include <algorithm>
#include <cstdint>

#include "Cells.h"
#include "Directions.h"
#include "Shape.h"

namespace sopaly {
namespace {

// The texts the page shows and announces, from the program's translation.
// "%1" and "%2" in them are filled in by the page as the game goes.
class WebPageTexts {
    Q_DECLARE_TR_FUNCTIONS(WebPage)

  public:
    static QJsonObject of(const WorksheetPuzzle& puzzle, int total);
    static QString language() { return tr("es", "the language code of the page's texts"); }
    static QString noScript() { return tr("Esta página necesita JavaScript para jugar."); }
    static QString untitled() { return tr("Sopa de letras"); }

  private:
    static QJsonObject endings(int total);
};

QJsonObject WebPageTexts::endings(int total) {
    // A puzzle of one word is rare, but "las 1 palabras" is no Spanish.
    if (total == 1) {
        return {{"end", tr("¡Muy bien! Encontraste la palabra en %1.")},
                {"endOneHint", tr("¡Muy bien! Encontraste la palabra en %1 y usaste una pista.")},
                {"endHints", tr("¡Muy bien! Encontraste la palabra en %1 y usaste %2 pistas.")}};
    }
    return {{"end", tr("¡Muy bien! Encontraste las %n palabras en %1.", nullptr, total)},
            {"endOneHint", tr("¡Muy bien! Encontraste las %n palabras en %1 y usaste una pista.",
                              nullptr, total)},
            {"endHints", tr("¡Muy bien! Encontraste las %n palabras en %1 y usaste %2 pistas.",
                            nullptr, total)}};
}

QJsonObject WebPageTexts::of(const WorksheetPuzzle& puzzle, int total) {
    QJsonObject texts = endings(total);
    texts.insert("listHeading", tr("Palabras para buscar"));
    texts.insert("clock", tr("Tiempo"));
    texts.insert("hint", tr("Pista"));
    texts.insert("giveUp", tr("Rendirse"));
    texts.insert("help", tr("Arrastra desde la primera letra de una palabra hasta la última, o "
                            "toca la primera y luego la última. Con el teclado: las flechas "
                            "mueven, Espacio o Intro marca la primera letra y la última."));
    texts.insert("hiddenList", hiddenListSentence(puzzle));
    texts.insert("message", secretMessageSentence(puzzle));
    texts.insert("counter", tr("Encontradas: %1 de %n", nullptr, total));
    texts.insert("found", tr("Encontrada: %1."));
    texts.insert("cellFound", tr("encontrada"));
    texts.insert("wrong", tr("No es ninguna de las palabras escondidas."));
    texts.insert("firstMarked", tr("Primera letra marcada; ahora marca la última."));
    texts.insert("hintAt", tr("Pista: una palabra empieza en la fila %1, columna %2."));
    texts.insert("gaveUp", tr("Las palabras que faltaban quedan marcadas en gris."));
    return texts;
}

QString shown(const QString& text, bool lowerCase) {
    return lowerCase ? text.toLower() : text;
}

QJsonArray gridCells(const WorksheetPuzzle& puzzle) {
    QJsonArray cells;
    const Grid& grid = puzzle.grid;
    for (int row = 1; row <= grid.rows(); ++row) {
        for (int col = 1; col <= grid.cols(); ++col) {
            const Cell cell = grid.at(row, col);
            const bool letter = cell != kOffShapeCell && cell != kBlankCell;
            cells.append(letter ? shown(cellText(cell), puzzle.lowerCase) : QString());
        }
    }
    return cells;
}

// The placed words in the order the worksheet lists them, each with where
// it lies; a word placed twice is listed, and lies, twice.
QJsonArray placedWords(const WorksheetPuzzle& puzzle) {
    QJsonArray words;
    std::vector<bool> taken(puzzle.placements.size(), false);
    for (const QString& word : puzzle.words.placed) {
        for (std::size_t i = 0; i < puzzle.placements.size(); ++i) {
            const Placement& where = puzzle.placements[i];
            if (taken[i] || puzzle.pool.value(where.poolIndex) != word) continue;
            taken[i] = true;
            const Step step = directionStep(where.direction);
            words.append(QJsonObject{{"text", shown(word, puzzle.lowerCase)},
                                     {"r", where.row - 1},
                                     {"c", where.col - 1},
                                     {"dr", step.dRow},
                                     {"dc", step.dCol},
                                     {"n", static_cast<int>(cellCount(word))}});
            break;
        }
    }
    return words;
}

QJsonArray secretCells(const WorksheetPuzzle& puzzle) {
    QJsonArray indices;
    const std::vector<bool> secret = secretMessageCells(puzzle);
    const Grid& grid = puzzle.grid;
    for (int row = 1; row <= grid.rows(); ++row) {
        for (int col = 1; col <= grid.cols(); ++col) {
            if (secret[static_cast<std::size_t>(row * (grid.cols() + 1) + col)]) {
                indices.append((row - 1) * grid.cols() + col - 1);
            }
        }
    }
    return indices;
}

QByteArray puzzleData(const WorksheetPuzzle& puzzle, const QJsonArray& words) {
    const QJsonObject data{{"rows", puzzle.grid.rows()},
                           {"cols", puzzle.grid.cols()},
                           {"cells", gridCells(puzzle)},
                           {"words", words},
                           {"secret", secretCells(puzzle)}};
    return QJsonDocument(data).toJson(QJsonDocument::Compact);
}

// A xorshift stream over the bytes; the page's script runs the same one.
QByteArray mixWithKey(QByteArray bytes, std::uint32_t key) {
    std::uint32_t x = key != 0 ? key : 1;
    for (char& byte : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        byte = static_cast<char>(static_cast<unsigned char>(byte) ^ (x & 0xFFu));
    }
    return bytes;
}

// Whether the encoded text spells a listed word of four letters or more,
// either way, in any case: base64 is made of letters, and a pupil who reads
// the source should not stumble on one of the answers by chance.
bool spellsAWord(const QByteArray& encoded, const QStringList& pool) {
    const QByteArray folded = encoded.toLower();
    for (const QString& word : pool) {
        QString letters;
        for (const Cell cell : wordCells(word)) letters += cellText(cell);
        if (letters.size() < 4) continue;
        const QByteArray forwards = letters.toLower().toUtf8();
        QByteArray backwards = forwards;
        std::reverse(backwards.begin(), backwards.end());
        if (folded.contains(forwards) || folded.contains(backwards)) return true;
    }
    return false;
}

struct Encoded {
    QByteArray text;
    std::uint32_t key = 0;
};

// The data encoded under a key drawn from the data itself, so that the same
// puzzle gives the same page; a key whose text spells a word is passed over.
Encoded encode(const QByteArray& data, const QStringList& pool) {
    Encoded encoded;
    for (int attempt = 0; attempt < 256; ++attempt) {
        const QByteArray digest = QCryptographicHash::hash(data + QByteArray::number(attempt),
                                                           QCryptographicHash::Sha256);
        encoded.key = qFromLittleEndian<std::uint32_t>(digest.constData());
        encoded.text = mixWithKey(data, encoded.key).toBase64();
        if (!spellsAWord(encoded.text, pool)) break;
    }
    return encoded;
}

QString resourceText(const QString& name) {
    QFile file(QStringLiteral(":/webpage/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The template with each @NAME@ replaced in one pass, so that a value that
// happens to hold "@NAME@" stays as it is.
QString filled(const QString& page, const QHash<QString, QString>& values) {
    static const QRegularExpression slot(QStringLiteral("@([A-Z]+)@"));
    QString out;
    qsizetype from = 0;
    for (auto it = slot.globalMatch(page); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        out += QStringView(page).mid(from, match.capturedStart() - from);
        out += values.value(match.captured(1), match.captured(0));
        from = match.capturedEnd();
    }
    out += QStringView(page).mid(from);
    return out;
}

QString sha256Source(const QString& text) {
    return QStringLiteral("'sha256-%1'")
        .arg(QString::fromLatin1(
            QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toBase64()));
}

// What the page may do: run its own script and styles, nothing else; no
// request of any kind leaves it.
QString policy(const QString& script, const QString& style) {
    return QStringLiteral(
               "default-src 'none'; script-src %1; style-src %2; img-src data:; "
               "base-uri 'none'; form-action 'none'")
        .arg(sha256Source(script), sha256Source(style));
}

}  // namespace

QByteArray webPage(const WorksheetPuzzle& puzzle, WebPageKind kind) {
    const QJsonArray words = placedWords(puzzle);
    const Encoded encoded = encode(puzzleData(puzzle, words), puzzle.pool);
    const QJsonObject game{{"t", WebPageTexts::of(puzzle, static_cast<int>(words.size()))},
                           {"k", static_cast<double>(encoded.key)},
                           {"d", QString::fromLatin1(encoded.text)}};
    // "<" only inside the data's strings: escaped, no text can close the script.
    QString data = QString::fromUtf8(QJsonDocument(game).toJson(QJsonDocument::Compact));
    data.replace(u'<', QStringLiteral("\\u003c"));
    // The platform's reporter listens before the game starts.
    const QString script =
        QStringLiteral("const SOPALY = %1;\n").arg(data) +
        (kind == WebPageKind::Scorm ? resourceText(QStringLiteral("scorm.js")) : QString()) +
        resourceText(QStringLiteral("page.js"));
    const QString style = resourceText(QStringLiteral("page.css"));
    const QString title =
        puzzle.title.trimmed().isEmpty() ? WebPageTexts::untitled() : puzzle.title.trimmed();
    return filled(resourceText(QStringLiteral("page.html")),
                  {{"LANG", WebPageTexts::language().toHtmlEscaped()},
                   {"POLICY", policy(script, style)},
                   {"TITLE", title.toHtmlEscaped()},
                   {"NOSCRIPT", WebPageTexts::noScript().toHtmlEscaped()},
                   {"STYLE", style},
                   {"SCRIPT", script}})
        .toUtf8();
}

}  // namespace sopaly
