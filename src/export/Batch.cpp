#include "Batch.h"

#include <QCoreApplication>
#include <QDir>
#include <limits>

#include "Numbers.h"
#include "PuzzleFile.h"
#include "SecretMessage.h"

namespace sopaly {

QString batchFileName(qint64 n) {
    return QStringLiteral("Tabloza") + QString::number(n) + QStringLiteral(".txt");
}

QString batchFilePath(const QString& folder, qint64 n) {
    // A folder that already ends in a separator (the root) needs no second one.
    const QString separator = folder.endsWith(u'/') ? QString() : QStringLiteral("/");
    return folder + separator + batchFileName(n);
}

QString batchStatusText(const QString& path) {
    return QCoreApplication::translate("Batch", "Creando y Salvando el Rompecabezas en: ") + u' ' +
           QDir::toNativeSeparators(path);
}

QString unencodableStatus(const QStringList& words) {
    const QString letters = unencodableLetters(words);
    if (letters.isEmpty()) return {};
    return QCoreApplication::translate(
               "Batch", "«Generar y Guardar» no puede guardar estas letras en sus archivos: %1.")
        .arg(letters);
}

QString unencodableWordsMessage(const QStringList& words) {
    return unencodableStatus(words) +
           QCoreApplication::translate("Batch",
                                       " Cambie o quite esas palabras de la lista para generar los "
                                       "rompecabezas; la hoja de trabajo en PDF sí las imprime.");
}

std::optional<QString> batchRefusal(const QStringList& words, const QString& message) {
    if (firstUnencodableWord(words)) return unencodableWordsMessage(words);
    // The message goes into the grid as its letters, in capitals.
    const std::u32string letters = messageLetters(message);
    const QStringList characters = unencodableCharacters(
        QString::fromUcs4(letters.data(), static_cast<qsizetype>(letters.size())));
    if (characters.isEmpty()) return std::nullopt;
    return QCoreApplication::translate(
               "Batch",
               "«Generar y Guardar» no puede guardar estas letras del mensaje secreto en sus "
               "archivos: %1. Cambie el mensaje secreto para generar los rompecabezas; la hoja "
               "de trabajo en PDF y el juego para la clase sí lo imprimen.")
        .arg(characters.join(QStringLiteral(", ")));
}

QString batchCountRefusal() {
    return QCoreApplication::translate(
        "Batch", "El número de rompecabezas debe ser un número entero de 1 a 2147483647.");
}

BatchPlan planBatch(const QString& countText, int barLength) {
    BatchPlan plan;
    if (!strictNumber(countText)) return plan;

    constexpr double highest = std::numeric_limits<qint32>::max();
    const double count = roundHalfEven(lenientNumber(countText));
    // Written as a negation so that a count that is not a number at all
    // (an infinite reading) is refused too.
    if (!(count >= 1 && count <= highest)) {
        plan.outcome = BatchPlan::Refused;
        plan.message = batchCountRefusal();
        return plan;
    }
    plan.outcome = BatchPlan::Run;
    plan.count = static_cast<int>(count);
    plan.step = static_cast<int>(roundHalfEven(static_cast<double>(barLength) / count));
    return plan;
}

int tmrAutoStep(int width, bool closing) {
    if (closing) return width > kPanelDesignWidth ? width - kPanelTickStep : width;
    return width < kPanelTickWideLimit ? width + kPanelTickStep : width;
}

}  // namespace sopaly
