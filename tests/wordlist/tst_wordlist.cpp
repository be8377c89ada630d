#include <QTest>

#include "WordList.h"

using namespace sopaly;

class WordListTest : public QObject {
    Q_OBJECT
  private slots:
    void committingTrimsSpacesAndRaisesCase_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("word");
        QTest::newRow("spaces around") << "  casa  "
                                       << "CASA";
        QTest::newRow("inner space kept") << "la casa"
                                          << "LA CASA";
        QTest::newRow("enye") << "niño"
                              << "NIÑO";
        QTest::newRow("accents") << "canción"
                                 << "CANCIÓN";
        QTest::newRow("combining tilde composes") << QString::fromUtf16(u"nin\u0303o") << "NIÑO";
        QTest::newRow("a tab is dropped, not kept in the word") << "\tsol"
                                                                << "SOL";
        QTest::newRow("digits and punctuation kept") << "r2-d2!"
                                                     << "R2-D2!";
    }
    void committingTrimsSpacesAndRaisesCase() {
        QFETCH(QString, typed);
        QFETCH(QString, word);
        const auto committed = committedWord(typed);
        QVERIFY(committed.has_value());
        QCOMPARE(*committed, word);
    }

    void onlySpacesCommitNothing() {
        QVERIFY(!committedWord(QStringLiteral("   ")).has_value());
        QVERIFY(!committedWord(QString()).has_value());
    }

    void theListKeepsSpanishAlphabeticalOrder() {
        WordList list;
        for (const char* w : {"SOL", "CASA", "MAR", "PERRO"}) list.add(QString::fromUtf8(w));
        QCOMPARE(list.words(), QStringList({"CASA", "MAR", "PERRO", "SOL"}));

        WordList spanish;
        const QStringList typed = {"OSO", "ÑANDÚ", "NUBE", "ÁRBOL", "BOTE", "NIÑO", "NIDO"};
        for (const QString& w : typed) spanish.add(w);
        QCOMPARE(spanish.words(),
                 QStringList({"ÁRBOL", "BOTE", "NIDO", "NIÑO", "NUBE", "ÑANDÚ", "OSO"}));
    }

    void duplicatesAreKeptAndPositionsReported() {
        WordList list;
        QCOMPARE(list.add("CASA"), 0);
        QCOMPARE(list.add("CASA"), 1);
        QCOMPARE(list.add("AMOR"), 0);
        QCOMPARE(list.count(), 3);
        QCOMPARE(list.rowCount(), 3);
        QCOMPARE(list.data(list.index(2)).toString(), QStringLiteral("CASA"));
    }

    void removingAndClearing() {
        WordList list;
        for (const char* w : {"B", "A", "C"}) list.add(QString::fromUtf8(w));
        list.removeAt(1);
        QCOMPARE(list.words(), QStringList({"A", "C"}));
        list.removeAt(7);  // out of range: nothing
        QCOMPARE(list.count(), 2);
        list.clear();
        QCOMPARE(list.count(), 0);
    }

    void sortingGivesTheLongestFirstPoolWithTheLastWordRepeated_data() {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QStringList>("pool");
        QTest::newRow("four words") << QStringList{"CASA", "MAR", "PERRO", "SOL"}
                                    << QStringList{"", "PERRO", "CASA", "MAR", "SOL", "SOL"};
        QTest::newRow("one word") << QStringList{"SOL"} << QStringList{"", "SOL", "SOL"};
        QTest::newRow("equal words")
            << QStringList{"CASA", "CASA"} << QStringList{"", "CASA", "CASA", "CASA"};
        QTest::newRow("length counts letters, not code units")
            << QStringList{QString::fromUtf16(u"A\U0001F600"), "ABC"}
            << QStringList{"", "ABC", QString::fromUtf16(u"A\U0001F600"),
                           QString::fromUtf16(u"A\U0001F600")};
        QTest::newRow("enye is one letter")
            << QStringList{"NIÑO", "LUNAS"} << QStringList{"", "LUNAS", "NIÑO", "NIÑO"};
    }
    void sortingGivesTheLongestFirstPoolWithTheLastWordRepeated() {
        QFETCH(QStringList, list);
        QFETCH(QStringList, pool);
        QCOMPARE(sortIntoPool(list), pool);
        QCOMPARE(sortIntoPool(list), sortIntoPool(list));
    }

    void modeNamesAreComparedInUpperCase_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("mode");
        QTest::newRow("SORT") << "SORT" << int(ListMode::Sort);
        QTest::newRow("sort") << "sort" << int(ListMode::Sort);
        QTest::newRow("Delete") << "Delete" << int(ListMode::Delete);
        QTest::newRow("clear") << "clear" << int(ListMode::Clear);
        QTest::newRow("other") << "SHUFFLE" << int(ListMode::None);
        QTest::newRow("padded") << " SORT" << int(ListMode::None);
    }
    void modeNamesAreComparedInUpperCase() {
        QFETCH(QString, name);
        QFETCH(int, mode);
        QCOMPARE(int(listMode(name)), mode);
    }
};

QTEST_APPLESS_MAIN(WordListTest)
#include "tst_wordlist.moc"
