#include <QRegularExpression>
#include <QTest>

#include "Preview.h"

using namespace sopaly;

namespace {
const QString kGrid =
    QStringLiteral("S O L K T \r\nB E X Q M \r\nZ U C P A \r\nH W I D R \r\nF Y N G V \r\n");

QStringList twelveWords() {
    QStringList words;
    for (const char* word : {"ARENA", "BARCO", "CIELO", "DUNA", "ESPUMA", "FARO", "GAVIOTA",
                             "HIELO", "ISLA", "JAIBA", "KAYAK", "LANCHA"}) {
        words << QString::fromLatin1(word);
    }
    return words;
}
}  // namespace

class PreviewTest : public QObject {
    Q_OBJECT
  private slots:
    void theWorkedExampleReadsNameGridAndNumberedWords() {
        const QString text = previewText("Playa", kGrid, {"MAR", "SOL"});
        QCOMPARE(text, "Playa\r\n\r\n" + kGrid + "\r\n\r\n\r\n 1. MAR   2. SOL  ");
    }

    void anEmptyNameStartsWithTwoLineEnds() {
        const QString text = previewText(QString(), kGrid, {"MAR"});
        QVERIFY(text.startsWith("\r\n\r\nS O L K T \r\n"));
    }

    void theNameIsTakenExactlyAsTyped() {
        const QString name = "  Mi  sopa\t";
        QVERIFY(previewText(name, kGrid, {}).startsWith(name + "\r\n\r\nS"));
    }

    void twelveWordsAreNumberedOneToTwelveInOneParagraph() {
        const QStringList words = twelveWords();
        const QString text = previewText("Mar", kGrid, words);
        const QString entries = text.mid(text.lastIndexOf("\r\n") + 2);
        QVERIFY(!entries.contains(u'\r') && !entries.contains(u'\n'));
        QVERIFY(entries.endsWith(words.last() + "  "));

        const QRegularExpression entry(" (\\d+)\\. ([A-Z]+)  ");
        int expected = 1;
        qsizetype at = 0;
        for (auto match = entry.match(entries); match.hasMatch();
             match = entry.match(entries, at)) {
            QCOMPARE(match.capturedStart(), at);  // entries follow each other directly
            QCOMPARE(match.captured(1).toInt(), expected);
            QCOMPARE(match.captured(2), words.at(expected - 1));
            at = match.capturedEnd();
            ++expected;
        }
        QCOMPARE(expected, 13);
        QCOMPARE(at, entries.size());
        QVERIFY(entries.contains("  10. JAIBA  "));  // three spaces before the tenth number
    }

    void missingPartsAddNothingOfTheirOwn_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty display")
            << "Sol" << QString() << QStringList{"SOL"} << "Sol\r\n\r\n\r\n\r\n\r\n 1. SOL  ";
        QTest::newRow("empty list")
            << "Sol" << kGrid << QStringList{} << "Sol\r\n\r\n" + kGrid + "\r\n\r\n\r\n";
        QTest::newRow("nothing at all")
            << QString() << QString() << QStringList{} << "\r\n\r\n\r\n\r\n\r\n";
    }
    void missingPartsAddNothingOfTheirOwn() {
        QFETCH(QString, name);
        QFETCH(QString, display);
        QFETCH(QStringList, words);
        QFETCH(QString, text);
        QCOMPARE(previewText(name, display, words), text);
    }

    void aGridWithEmptyCellsShowsItsDotsAsTheDisplayDoes() {
        const QString placed = ". . . \r\nS O L \r\n";
        const QString text = previewText("Sol", placed, {"SOL", "LUNA"});
        QVERIFY(text.contains("\r\n\r\n" + placed + "\r\n\r\n\r\n 1. SOL   2. LUNA  "));
    }
};

QTEST_GUILESS_MAIN(PreviewTest)
#include "tst_preview.moc"
