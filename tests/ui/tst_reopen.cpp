// A puzzle file that "Generar y Guardar" wrote, opened again from the menu:
// the same grid, words and worksheet, or one message and nothing changed.
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextEdit>

#include "WindowTestTools.h"
#include "WordList.h"

using namespace sopaly;

class ReopenTest : public WindowTest {
    Q_OBJECT

    // One puzzle written by the batch, from `words`; its path.
    QString batchFile(const QStringList& words) {
        for (const QString& word : words) {
            window->txtInputWord->setText(word);
            QTest::keyClick(window->txtInputWord, Qt::Key_Return);
        }
        window->txtGridRows->setText(QStringLiteral("12"));
        window->txtGridCol->setText(QStringLiteral("12"));
        window->txtNumOfPuzzles->setText(QStringLiteral("1"));
        QTest::mouseClick(window->cmdAuto, Qt::LeftButton);
        if (!waitForBatchEnd(window)) return {};
        return folder->filePath(QStringLiteral("Tabloza1.txt"));
    }
    void openThroughTheMenu(const QString& path) {
        window->prompts.chooseOpenFile = [path](const QString&, const QString&) { return path; };
        window->prompts.confirmReplaceList = [](int) { return true; };
        QMenuBar* bar = window->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(window->mnuFile->menuAction()).center());
        QTRY_VERIFY(window->mnuFile->isVisible());
        QTest::mouseClick(window->mnuFile, Qt::LeftButton, {},
                          window->mnuFile->actionGeometry(window->mnuOpenPuzzle).center());
    }
    static QStringList lines(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    }
    static const QStringList kWords;

  private slots:
    void init() { QVERIFY(openWindow()); }
    void cleanup() { closeWindow(); }

    void aBatchFileOpensAsTheFinishedPuzzle_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("extraWord");
        QTest::newRow("square") << 0 << QString() << QString();
        QTest::newRow("heart") << 2 << QString() << QString();
        QTest::newRow("message") << 0 << QStringLiteral("hola") << QString();
        QTest::newRow("file listing a word left out")
            << 0 << QString() << QStringLiteral("INEXISTENTE");
    }
    void aBatchFileOpensAsTheFinishedPuzzle() {
        QFETCH(int, shape);
        QFETCH(QString, message);
        QFETCH(QString, extraWord);
        if (shape != 0) chooseOption(window, window->mnuShapes[std::size_t(shape)]);
        if (!message.isEmpty()) {
            window->prompts.askSecretMessage = [&](const QString&) {
                return std::optional(message);
            };
            chooseOption(window, window->mnuSecretMessage);
        }
        const QString path = batchFile(kWords);
        QStringList file = lines(path);
        QVERIFY(file.size() > 30);
        // A file from before lists named only the placed words.
        if (!extraWord.isEmpty()) {
            file.insert(file.indexOf(QStringLiteral("Palabras Para Buscar:")) + 1, extraWord);
            QVERIFY(writeBytes(path, file.join(QStringLiteral("\r\n")).toLatin1()));
        }
        window->txtInputWord->setText(QStringLiteral("OTRA"));
        QTest::keyClick(window->txtInputWord, Qt::Key_Return);
        openThroughTheMenu(path);
        QTRY_VERIFY2(window->cmdExport->isEnabled(), qPrintable(messages.join(u'|')));
        QVERIFY(messages.isEmpty());
        const QStringList shown = window->txtWord->toPlainText().split(u'\n');
        for (int row = 0; row < 12; ++row) QCOMPARE(shown.at(row), file.at(3 + row));
        QStringList listed = kWords;
        if (!extraWord.isEmpty()) listed << extraWord;
        listed.sort();
        QCOMPARE(window->wordList().words(), listed);
        QCOMPARE(window->txtGridRows->text(), QStringLiteral("12"));
        const WorksheetPuzzle sheet = window->session().worksheet(QStringLiteral("x"));
        QCOMPARE(sheet.grid, window->session().puzzle().WordGrid);
        QCOMPARE(sheet.words.placed.size(), kWords.size());
        QCOMPARE(sheet.message, message.toUpper());
        QCOMPARE(window->lblPuzzleWords->text().contains("No caben: " + extraWord + u'.'),
                 !extraWord.isEmpty());
        QVERIFY(window->mnuWorksheetPdf->isEnabled());
    }

    void aMalformedFileIsRefusedAndNothingChanges_data() {
        QTest::addColumn<int>("damage");
        QTest::addColumn<QString>("said");
        QTest::newRow("cut short") << 0 << "termina en la línea";
        QTest::newRow("a row too long") << 1 << "La línea 5 de Tabloza1.txt no es una fila";
        QTest::newRow("a solution that disagrees") << 2 << "no coincide con la cuadrícula";
        QTest::newRow("a word not on solution letters") << 3 << "no es de ninguna palabra";
        QTest::newRow("UTF-16") << 4 << "Tabloza1.txt no es un rompecabezas de Sopaly.";
        QTest::newRow("binary") << 5 << "no es un archivo de texto";
        QTest::newRow("over 1 MiB") << 6 << "pasa de 1 MiB";
    }
    void aMalformedFileIsRefusedAndNothingChanges() {
        QFETCH(int, damage);
        QFETCH(QString, said);
        const QString path = batchFile(kWords);
        QStringList file = lines(path);
        // The last letter of the solution, in reading order.
        const qsizetype first = file.indexOf(QStringLiteral("Palabras Para Buscar:")) + 4 + 4;
        qsizetype line = first + 11;
        while (line > first && !file[line].contains(QRegularExpression(QStringLiteral("[A-Z]"))))
            --line;
        const qsizetype letter =
            file[line].lastIndexOf(QRegularExpression(QStringLiteral("[A-Z]")));
        if (damage == 0) file = file.mid(0, 20);
        if (damage == 1) file[4] += QStringLiteral("A ");
        if (damage == 2) file[line][letter] = file[line][letter] == u'Z' ? u'Y' : u'Z';
        if (damage == 3) file[line][letter] = u'.';
        const QString text = file.join(QStringLiteral("\r\n"));
        QByteArray bytes = text.toLatin1();
        if (damage == 4)
            bytes = "\xFF\xFE" +
                    QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        if (damage == 5) bytes.replace(' ', '\0');
        if (damage == 6) bytes += QByteArray(1024 * 1024, ' ');
        QVERIFY(writeBytes(path, bytes));
        window->txtInputWord->setText(QStringLiteral("OTRA"));
        QTest::keyClick(window->txtInputWord, Qt::Key_Return);
        const QString before = window->txtWord->toPlainText();
        openThroughTheMenu(path);
        QTRY_COMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains(said), qPrintable(messages.first()));
        QVERIFY(messages.first().contains(QStringLiteral("Tabloza1.txt")));
        QCOMPARE(window->wordList().words(), QStringList{QStringLiteral("OTRA")});
        QCOMPARE(window->txtWord->toPlainText(), before);
    }
};

const QStringList ReopenTest::kWords{QStringLiteral("CABALLO"), QStringLiteral("GATO"),
                                     QStringLiteral("PERRO"), QStringLiteral("RATON")};

QTEST_MAIN(ReopenTest)
#include "tst_reopen.moc"
