#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

class QPaintDevice;

namespace sopaly {

// The lines of `text` in `font` within `width`, as they follow each other
// in it (spaces kept): broken between words, and inside a word only where
// the word alone is wider than the line. `device` gives the font's
// resolution; the screen's when there is none.
QStringList wrapText(const QString& text, const QFont& font, double width,
                     const QPaintDevice* device = nullptr);

}  // namespace sopaly
