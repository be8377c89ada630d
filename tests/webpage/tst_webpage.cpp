// "Exportar para el navegador (HTML)..." through the real window: the page
// it writes, what a pupil who reads its source finds, its size. Each page is
// left, with what the window knows of its puzzle, for the browser test
// (play_in_browser.py), which plays it in a real browser.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "Cells.h"
#include "Directions.h"
#include "WindowTestTools.h"

using namespace sopaly;

namespace {

// The puzzle as the window built it: the letters a pupil sees, and the
// first and last cell of each placed word (from 0, row then column).
QJsonObject answerOf(const WorksheetPuzzle& sheet) {
    QJsonArray letters, words;
    for (int row = 1; row <= sheet.grid.rows(); ++row) {
        for (int col = 1; col <= sheet.grid.cols(); ++col) {
            const Cell cell = sheet.grid.at(row, col);
            const QString text = cell == kOffShapeCell ? QString() : cellText(cell);
            letters.append(sheet.lowerCase ? text.toLower() : text);
        }
    }
    for (const Placement& where : sheet.placements) {
        const QString word = sheet.pool.at(where.poolIndex);
        const int last = static_cast<int>(cellCount(word)) - 1;
        const Step step = directionStep(where.direction);
        words.append(QJsonObject{{"text", sheet.lowerCase ? word.toLower() : word},
                                 {"first", QJsonArray{where.row - 1, where.col - 1}},
                                 {"last", QJsonArray{where.row - 1 + last * step.dRow,
                                                     where.col - 1 + last * step.dCol}}});
    }
    return {{"rows", sheet.grid.rows()},
            {"cols", sheet.grid.cols()},
            {"letters", letters},
            {"words", words},
            {"hidden", sheet.hideList}};
}

const QStringList kAnimals{"MURCIÉLAGO", "CABALLO", "PERRO", "GATO", "OVEJA",
                           "CERDO",      "PATO",    "TORO",  "LEÓN", "ÑU"};

QString backwards(QString text) {
    std::reverse(text.begin(), text.end());
    return text;
}

}  // namespace

class WebPageTest : public WindowTest {
    Q_OBJECT

    QStringList suggested;

    void commit(const QString& word) {
        window->txtInputWord->setText(word);
        QTest::keyClick(window->txtInputWord, Qt::Key_Return);
    }

    // Builds and finishes a puzzle, then "A&rchivo" → the item of access key
    // `item` (N: "Exportar para el &navegador (HTML)...") with Alt+R, the
    // name typed, `file` chosen.
    QByteArray exportFile(const QStringList& list, int side, const QString& name,
                          const QString& file, Qt::Key item = Qt::Key_N) {
        for (const QString& word : list) commit(word);
        window->txtGridRows->setText(QString::number(side));
        window->txtGridCol->setText(QString::number(side));
        QTest::mouseClick(window->cmdStart, Qt::LeftButton);
        QTest::mouseClick(window->cmdFinish, Qt::LeftButton);
        window->prompts.askWorksheetName = [name](const QString&) { return name; };
        window->prompts.chooseSaveFile = [this, file](const QString&, const QString& offered) {
            suggested << offered;
            return file;
        };
        QTest::keyClick(window, Qt::Key_R, Qt::AltModifier);
        if (!QTest::qWaitFor([this] { return window->mnuFile->isVisible(); })) return {};
        QTest::keyClick(window->mnuFile, item);
        if (!QTest::qWaitFor([&] { return QFile::exists(file); }, 5000)) return {};
        QFile page(file);
        return page.open(QIODevice::ReadOnly) ? page.readAll() : QByteArray();
    }

  private slots:
    void init() {
        QVERIFY(openWindow());
        suggested.clear();
    }
    void cleanup() { closeWindow(); }

    // Each page is played in the browser by play_in_browser.py.
    void thePageHoldsThePuzzleButNoWordOfIt_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("options");
        QTest::newRow("square") << "cuadrada" << QStringList();
        QTest::newRow("heart, lower case, a message")
            << "corazon" << QStringList{"heart", "lower", "message"};
        QTest::newRow("hidden list") << "oculta" << QStringList{"hidden"};
    }
    void thePageHoldsThePuzzleButNoWordOfIt() {
        QFETCH(QString, page);
        QFETCH(QStringList, options);
        window->prompts.askSecretMessage = [](const QString&) { return QStringLiteral("Hola"); };
        if (options.contains("heart")) chooseOption(window, window->mnuShapes[2]);
        if (options.contains("lower")) chooseOption(window, window->mnuLowerCase);
        if (options.contains("message")) chooseOption(window, window->mnuSecretMessage);
        if (options.contains("hidden")) chooseOption(window, window->mnuHideList);
        const QStringList& list = kAnimals;
        const QString file = QStringLiteral(SOPALY_WEBPAGES) + "/" + page + ".html";
        QFile::remove(file);
        const QByteArray bytes = exportFile(list, 12, "Granja 2ºB", file);
        QVERIFY(bytes.startsWith("<!DOCTYPE html>"));
        QCOMPARE(QFileInfo(suggested.value(0)).fileName(), QStringLiteral("Granja 2ºB.html"));
        QVERIFY(window->lblPuzzleWords->text().endsWith(
            QStringLiteral("Página guardada en %1.").arg(QDir::toNativeSeparators(file))));
        const QString folded = QString::fromUtf8(bytes).toLower();
        for (const QString& word : list) {
            if (word.size() < 4) continue;
            QVERIFY2(
                !folded.contains(word.toLower()) && !folded.contains(backwards(word.toLower())),
                qPrintable(word));
        }
        const QJsonObject answer = answerOf(window->session().worksheet("Granja 2ºB"));
        QVERIFY(answer["words"].toArray().size() >= 6);
        QVERIFY(writeBytes(QStringLiteral(SOPALY_WEBPAGES) + "/" + page + ".json",
                           QJsonDocument(answer).toJson()));
    }

    // The package is played against a SCORM runtime by scorm_in_browser.py.
    void theMoodleItemWritesASCORMPackage() {
        const QString folder = QStringLiteral(SOPALY_WEBPAGES) + "/scorm";
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + "/paquete.zip";
        QFile::remove(file);
        const QByteArray bytes = exportFile(kAnimals, 12, "Granja <2ºB>", file, Qt::Key_M);
        QVERIFY(bytes.startsWith("PK\x03\x04"));
        QCOMPARE(QFileInfo(suggested.value(0)).fileName(), QStringLiteral("Granja -2ºB-.zip"));
        QVERIFY(window->lblPuzzleWords->text().endsWith(
            QStringLiteral("Paquete guardado en %1.").arg(QDir::toNativeSeparators(file))));
        QVERIFY(writeBytes(folder + "/paquete.json",
                           QJsonDocument(answerOf(window->session().worksheet("x"))).toJson()));
    }

    void aFullGridOfAHundredWordsStaysUnderAHundredKilobytes() {
        QStringList list;
        for (int i = 0; i < 100; ++i) {
            QString word;
            for (int n = i; word.size() < 2 || n > 0; n /= 26) word += QChar(u'A' + n % 26);
            list << word + QStringLiteral("ÁÉÍÓÚÑ").mid(i % 6, 1);
        }
        window->txtWordCount->setText("100");
        const QString file = folder->filePath("grande.html");
        const QByteArray bytes = exportFile(list, 20, "Cien palabras", file);
        QVERIFY(window->session().placements().size() >= 90);
        qInfo("%zu words placed, a page of %lld bytes", window->session().placements().size(),
              static_cast<long long>(bytes.size()));
        QVERIFY2(bytes.size() > 0 && bytes.size() <= 100 * 1024,
                 qPrintable(QString::number(bytes.size())));
    }
};

QTEST_MAIN(WebPageTest)
#include "tst_webpage.moc"
