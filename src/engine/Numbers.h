#pragma once

#include <QStringView>
#include <optional>

namespace sopaly {

// The three ways a control's text becomes a number. Each caller names the
// reading it takes, so they live here once.

// The number the text begins with; blanks, tabs and line feeds are skipped
// wherever they stand ("1 2" reads 12). No number at the start reads 0.
double lenientNumber(QStringView text);

// Rounds to the nearest whole number, a half going to the even neighbour.
double roundHalfEven(double value);

// The lenient number rounded half to even, held as a 16-bit signed integer
// (values beyond that range are clamped to it).
int wholeNumber(QStringView text);

// The whole text must be a number (surrounding blanks allowed); not rounded.
std::optional<double> strictNumber(QStringView text);

}  // namespace sopaly
