// Reading the banner lists, drawing a banner number and telling web
// addresses from everything else.
#include <QTemporaryDir>
#include <QtTest>
#include <map>

#include "Banner.h"
#include "BannerLists.h"
#include "Random.h"

using sopaly::BannerList;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

BannerList filledWith(const QString& prefix) {
    BannerList list;
    for (std::size_t i = 0; i < list.size(); ++i) {
        list[i] = prefix + QString::number(i);
    }
    return list;
}

}  // namespace

class TestBannerLists : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void linesEndAtCrCrLfOrLfAndAreKeptWhole_data();
    void linesEndAtCrCrLfOrLfAndAreKeptWhole();
    void onlyTheFirstSixLinesAreStored_data();
    void onlyTheFirstSixLinesAreStored();
    void entriesTheFileDoesNotReachKeepWhatTheyHeld_data();
    void entriesTheFileDoesNotReachKeepWhatTheyHeld();
    void eachNumberIsDrawnAboutEquallyOften_data();
    void eachNumberIsDrawnAboutEquallyOften();
    void onlyWebAddressesWithAHostAreAccepted_data();
    void onlyWebAddressesWithAHostAreAccepted();

  private:
    QTemporaryDir dir_;
};

void TestBannerLists::linesEndAtCrCrLfOrLfAndAreKeptWhole_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("CR alone") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("LF alone") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("mixed endings") << QByteArray("a\rb\nc\r\nd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("last line without an ending")
        << QByteArray("http://x/1\r\nhttp://x/2") << QStringList{"http://x/1", "http://x/2"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("empty lines count") << QByteArray("\r\n\r\nc\r\n") << QStringList{"", "", "c"};
    QTest::newRow("LF CR is two endings") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("blanks and tabs are kept")
        << QByteArray("  lead\r\ntrail \t\r\n") << QStringList{"  lead", "trail \t"};
    QTest::newRow("UTF-8 text") << QByteArray("http://ñandú.example/a\n")
                                << QStringList{QStringLiteral("http://ñandú.example/a")};
}

void TestBannerLists::linesEndAtCrCrLfOrLfAndAreKeptWhole() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(sopaly::splitBannerLines(bytes), lines);

    // The file reader stores the same lines, one per position from 1.
    const QString path = dir_.filePath(QStringLiteral("list.t"));
    writeFile(path, bytes);
    BannerList entries;
    QCOMPARE(sopaly::readBannerList(path, entries), lines.size());
    QVERIFY(entries[0].isEmpty());
    for (int i = 0; i < lines.size(); ++i) {
        QCOMPARE(entries[static_cast<std::size_t>(i) + 1], lines.at(i));
    }
}

void TestBannerLists::onlyTheFirstSixLinesAreStored_data() {
    QTest::addColumn<int>("lineCount");
    for (int n : {5, 6, 7, 9, 40}) {
        QTest::addRow("%d lines", n) << n;
    }
}

void TestBannerLists::onlyTheFirstSixLinesAreStored() {
    QFETCH(int, lineCount);
    QByteArray bytes;
    for (int i = 1; i <= lineCount; ++i) {
        bytes += "line" + QByteArray::number(i) + "\r\n";
    }
    const QString path = dir_.filePath(QStringLiteral("long.t"));
    writeFile(path, bytes);

    BannerList entries;
    const int stored = sopaly::readBannerList(path, entries);
    QCOMPARE(stored, std::min(lineCount, sopaly::kBannerSlots));
    for (int i = 1; i <= stored; ++i) {
        QCOMPARE(entries[static_cast<std::size_t>(i)], QStringLiteral("line%1").arg(i));
    }
}

void TestBannerLists::entriesTheFileDoesNotReachKeepWhatTheyHeld_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("a shorter file") << "short.t" << QStringList{"new1", "new2"};
    QTest::newRow("an empty file") << "empty.t" << QStringList{};
    QTest::newRow("a missing file") << "absent.t" << QStringList{};
    QTest::newRow("a folder") << "folder.t" << QStringList{};
}

void TestBannerLists::entriesTheFileDoesNotReachKeepWhatTheyHeld() {
    QFETCH(QString, name);
    QFETCH(QStringList, lines);
    const QString path = dir_.filePath(name);
    if (name == u"folder.t") {
        QVERIFY(QDir(dir_.path()).mkpath(name));
    } else if (name != u"absent.t") {
        QByteArray bytes;
        for (const QString& line : lines) {
            bytes += line.toUtf8() + '\n';
        }
        writeFile(path, bytes);
    }
    BannerList entries = filledWith(QStringLiteral("old"));
    const BannerList before = entries;

    QCOMPARE(sopaly::readBannerList(path, entries), lines.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const bool replaced = i >= 1 && i <= std::size_t(lines.size());
        QCOMPARE(entries[i], replaced ? lines.at(qsizetype(i) - 1) : before[i]);
    }
}

void TestBannerLists::eachNumberIsDrawnAboutEquallyOften_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<quint64>("seed");
    for (int count = 1; count <= sopaly::kBannerSlots; ++count) {
        QTest::addRow("%d banners", count) << count << quint64(count * 7919 + 3);
    }
}

// Every draw lies in 1..count, and the spread is even.
void TestBannerLists::eachNumberIsDrawnAboutEquallyOften() {
    QFETCH(int, count);
    QFETCH(quint64, seed);
    sopaly::Random random;
    random.seed(seed);
    constexpr int kDraws = 60000;
    std::map<int, int> seen;
    for (int i = 0; i < kDraws; ++i) {
        const int drawn = sopaly::drawBannerIndex(random, count);
        QVERIFY2(drawn >= 1 && drawn <= count, qPrintable(QString::number(drawn)));
        ++seen[drawn];
    }
    QCOMPARE(static_cast<int>(seen.size()), count);
    // Chi-square against the uniform spread; 30 lies beyond the 99.99 %
    // point for up to five degrees of freedom.
    const double expected = double(kDraws) / count;
    double chiSquare = 0;
    for (const auto& [value, times] : seen) {
        chiSquare += (times - expected) * (times - expected) / expected;
    }
    QVERIFY2(chiSquare < 30.0, qPrintable(QString::number(chiSquare)));
}

void TestBannerLists::onlyWebAddressesWithAHostAreAccepted_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("http") << "http://sponsor.example/page" << true;
    QTest::newRow("https") << "https://sponsor.example/" << true;
    QTest::newRow("scheme in capitals") << "HTTP://sponsor.example/" << true;
    QTest::newRow("with port") << "http://127.0.0.1:8080/x.gif" << true;
    QTest::newRow("file") << "file:///etc/passwd" << false;
    QTest::newRow("program path") << "/usr/bin/xterm" << false;
    QTest::newRow("windows program") << "C:\\Windows\\System32\\calc.exe" << false;
    QTest::newRow("ftp") << "ftp://files.example/x" << false;
    QTest::newRow("javascript") << "javascript:alert(1)" << false;
    QTest::newRow("mailto") << "mailto:someone@example.com" << false;
    QTest::newRow("no host") << "http:///path" << false;
    QTest::newRow("empty") << "" << false;
}

void TestBannerLists::onlyWebAddressesWithAHostAreAccepted() {
    QFETCH(QString, address);
    QFETCH(bool, accepted);
    QCOMPARE(sopaly::isWebAddress(QUrl(address)), accepted);
}

QTEST_GUILESS_MAIN(TestBannerLists)
#include "tst_banner_lists.moc"
