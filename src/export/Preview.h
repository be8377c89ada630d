#pragma once

#include <QString>
#include <QStringList>

namespace sopaly {

// The print preview's text: the puzzle's name, an empty line, the grid as
// the main window shows it, three line ends, and the numbered words in one
// paragraph (" 1. MAR   2. SOL  ").
QString previewText(const QString& puzzleName, const QString& displayText,
                    const QStringList& words);

}  // namespace sopaly
