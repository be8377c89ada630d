#include <QTest>
#include <cmath>

#include "Numbers.h"

using namespace sopaly;

class NumbersTest : public QObject {
    Q_OBJECT
  private slots:
    void lenientReadingTakesTheNumberTheTextBeginsWith_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "20" << 20.0;
        QTest::newRow("blanks inside are skipped") << "1 2" << 12.0;
        QTest::newRow("tabs and line feeds are skipped") << "\t1\n5" << 15.0;
        QTest::newRow("letters end the number") << "12abc" << 12.0;
        QTest::newRow("no number reads zero") << "abc" << 0.0;
        QTest::newRow("empty reads zero") << "" << 0.0;
        QTest::newRow("decimal point") << "7.5" << 7.5;
        QTest::newRow("comma is no decimal point") << "7,5" << 7.0;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("negative") << "-2" << -2.0;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("exponent without digits stops before it") << "4e" << 4.0;
        QTest::newRow("a second point ends the number") << "1.2.3" << 1.2;
        QTest::newRow("sign alone reads zero") << "-" << 0.0;
        QTest::newRow("carriage return ends the number") << "1\r2" << 1.0;
    }
    void lenientReadingTakesTheNumberTheTextBeginsWith() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(lenientNumber(text), value);
    }

    void wholeReadingRoundsHalvesToTheEvenNeighbour_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("10.5") << "10.5" << 10;
        QTest::newRow("11.5") << "11.5" << 12;
        QTest::newRow("7.5") << "7.5" << 8;
        QTest::newRow("6.5") << "6.5" << 6;
        QTest::newRow("6.51") << "6.51" << 7;
        QTest::newRow("-2.5") << "-2.5" << -2;
        QTest::newRow("no number") << "x" << 0;
        QTest::newRow("beyond 16 bits is held at the top") << "99999" << 32767;
        QTest::newRow("huge exponent") << "1e400" << 32767;
    }
    void wholeReadingRoundsHalvesToTheEvenNeighbour() {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(wholeNumber(text), value);
    }

    void strictReadingNeedsTheWholeTextToBeANumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::newRow("whole") << "20" << true << 20.0;
        QTest::newRow("fraction is kept") << "6.5" << true << 6.5;
        QTest::newRow("surrounding blanks") << "  5 " << true << 5.0;
        QTest::newRow("sign") << "-2" << true << -2.0;
        QTest::newRow("exponent") << "2E1" << true << 20.0;
        QTest::newRow("trailing point") << "3." << true << 3.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("blank") << "   " << false << 0.0;
        QTest::newRow("letters after digits") << "12abc" << false << 0.0;
        QTest::newRow("inner blank") << "1 2" << false << 0.0;
        QTest::newRow("point alone") << "." << false << 0.0;
        QTest::newRow("exponent without digits") << "1e" << false << 0.0;
    }
    void strictReadingNeedsTheWholeTextToBeANumber() {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        const auto result = strictNumber(text);
        QCOMPARE(result.has_value(), isNumber);
        if (isNumber) QCOMPARE(*result, value);
    }

    void aValueTooSmallForADoubleReadsAsZeroWithItsSign_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("negative");
        QTest::newRow("1e-400") << "1e-400" << false;
        QTest::newRow("-1e-400") << "-1e-400" << true;
        QTest::newRow("0.5e-330") << "0.5e-330" << false;
        QTest::newRow("many digits, smaller still") << "123456789e-999" << false;
    }
    void aValueTooSmallForADoubleReadsAsZeroWithItsSign() {
        QFETCH(QString, text);
        QFETCH(bool, negative);
        const double lenient = lenientNumber(text);
        QCOMPARE(lenient, 0.0);
        QCOMPARE(std::signbit(lenient), negative);
        QCOMPARE(wholeNumber(text), 0);
        const auto strict = strictNumber(text);
        QVERIFY(strict.has_value());
        QCOMPARE(*strict, 0.0);
        QCOMPARE(std::signbit(*strict), negative);
    }
};

QTEST_APPLESS_MAIN(NumbersTest)
#include "tst_numbers.moc"
