#include "Numbers.h"

#include <locale.h>

#include <QByteArray>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace sopaly {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Blanks, tabs and line feeds do not interrupt a leniently read number.
bool isSkipped(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isExponentMark(QChar c) {
    return c == u'e' || c == u'E' || c == u'd' || c == u'D';
}

double parseAscii(const QByteArray& ascii) {
    if (ascii.isEmpty()) return 0.0;
    bool ok = false;
    const double value = ascii.toDouble(&ok);
    if (ok) return value;
    // toDouble refuses values beyond the double range either way; they are
    // still numbers. strtod tells the two apart: infinity for a value too
    // large, zero with its sign for one too small. The C locale keeps its
    // decimal point a point whatever the user's locale.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtod_l(ascii.constData(), nullptr, cLocale);
}

// The value of a text of nothing but a few digits, as every grid side and
// word limit the window offers is written; -1 for any other text. Nine
// digits stay far within a double's exact integers.
double plainDigits(QStringView text) {
    if (text.isEmpty() || text.size() > 9) return -1;
    double value = 0;
    for (const QChar c : text) {
        if (!isDigit(c)) return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

}  // namespace

double lenientNumber(QStringView text) {
    // Each build reads its sizes from the texts more than once.
    if (const double plain = plainDigits(text); plain >= 0) return plain;
    // Collect the longest prefix that forms a number, skipping blanks, then
    // let the C-locale parser give its value.
    QByteArray number;
    qsizetype validLength = 0;  // length of `number` that is a complete number
    enum { Sign, Mantissa, Fraction, ExponentSign, Exponent } state = Sign;
    bool mantissaDigits = false;
    for (const QChar c : text) {
        if (isSkipped(c)) continue;
        if (isDigit(c)) {
            number.append(static_cast<char>(c.unicode()));
            if (state == Sign) state = Mantissa;
            if (state == ExponentSign) state = Exponent;
            if (state != Exponent) mantissaDigits = true;
            validLength = number.size();
        } else if ((c == u'+' || c == u'-') && (state == Sign || state == ExponentSign)) {
            number.append(static_cast<char>(c.unicode()));
            state = state == Sign ? Mantissa : Exponent;
        } else if (c == u'.' && (state == Sign || state == Mantissa)) {
            number.append('.');
            state = Fraction;
        } else if (isExponentMark(c) && mantissaDigits &&
                   (state == Mantissa || state == Fraction)) {
            number.append('e');
            state = ExponentSign;
        } else {
            break;
        }
    }
    if (!mantissaDigits) return 0.0;
    number.truncate(validLength);
    if (number.endsWith('.')) number.append('0');
    return parseAscii(number);
}

double roundHalfEven(double value) {
    // The default floating-point environment rounds to nearest, ties to even.
    return std::nearbyint(value);
}

int wholeNumber(QStringView text) {
    const double rounded = roundHalfEven(lenientNumber(text));
    constexpr double low = std::numeric_limits<qint16>::min();
    constexpr double high = std::numeric_limits<qint16>::max();
    if (rounded <= low) return static_cast<int>(low);
    if (rounded >= high) return static_cast<int>(high);
    return static_cast<int>(rounded);
}

std::optional<double> strictNumber(QStringView text) {
    const QStringView t = text.trimmed();
    qsizetype i = 0;
    const qsizetype n = t.size();
    auto digits = [&] {
        const qsizetype start = i;
        while (i < n && isDigit(t[i])) ++i;
        return i - start;
    };
    if (i < n && (t[i] == u'+' || t[i] == u'-')) ++i;
    qsizetype mantissa = digits();
    if (i < n && t[i] == u'.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return std::nullopt;
    if (i < n && isExponentMark(t[i])) {
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-')) ++i;
        if (digits() == 0) return std::nullopt;
    }
    if (i != n) return std::nullopt;
    return lenientNumber(t);
}

}  // namespace sopaly
