#include "Preview.h"

namespace sopaly {

QString previewText(const QString& puzzleName, const QString& displayText,
                    const QStringList& words) {
    QString text =
        puzzleName + QStringLiteral("\r\n\r\n") + displayText + QStringLiteral("\r\n\r\n\r\n");
    for (qsizetype i = 0; i < words.size(); ++i) {
        // The entries run on in one paragraph that the box wraps; the two
        // trailing spaces and the number's leading one keep them apart.
        text += u' ' + QString::number(i + 1) + QStringLiteral(". ") + words.at(i) +
                QStringLiteral("  ");
    }
    return text;
}

}  // namespace sopaly
