// The "A&rchivo" menu and the status bar, driven through the real window:
// its keys and menus, real small files, the PDFs read back with poppler's
// tools as a reader of them would.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <memory>
#include <optional>
#include <set>

#include "Directions.h"
#include "Program.h"
#include "ProgressWindow.h"
#include "TestEnvironment.h"
#include "WindowTestTools.h"
#include "WordList.h"
#include "WordListFile.h"
#include "Worksheet.h"
#include "frmMain.h"

using namespace sopaly;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs one of poppler's tools and returns what it printed.
QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool runs(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

int pageCount(const QString& pdf) {
    const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    return pages.match(run(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
}

QString pageText(const QString& pdf, int page) {
    return run(QStringLiteral("pdftotext"),
               {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                QString::number(page), pdf, QStringLiteral("-")});
}

QStringList tokens(const QString& text) {
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// The grid's letters as a reader of the page finds them, in reading order.
QString gridLetters(const QString& text) {
    QString letters;
    for (const QString& token : tokens(text)) {
        if (token.size() == 1 && token.at(0).isUpper()) letters += token;
    }
    return letters;
}

bool isOutlineColour(QRgb pixel) {
    return qBlue(pixel) > qRed(pixel) + 60 && qBlue(pixel) > qGreen(pixel) + 30;
}

// How many outline-coloured pixels lie in the square of `half` cell sizes
// around the centre of cell (row, col).
int outlinePixels(const QImage& page, const QRectF& gridPx, int cols, int row, int col,
                  double half) {
    const double cell = gridPx.width() / cols;
    const QPointF centre(gridPx.left() + (col - 0.5) * cell, gridPx.top() + (row - 0.5) * cell);
    int count = 0;
    for (int y = qRound(centre.y() - half * cell); y <= qRound(centre.y() + half * cell); ++y) {
        for (int x = qRound(centre.x() - half * cell); x <= qRound(centre.x() + half * cell); ++x) {
            if (page.valid(x, y) && isOutlineColour(page.pixel(x, y))) ++count;
        }
    }
    return count;
}

}  // namespace

class FileMenuTest : public WindowTest {
    Q_OBJECT

    QString nextOpenPath;
    QString nextSavePath;
    QStringList suggestedPaths;

    void commit(const QString& word) {
        window->txtInputWord->setText(word);
        QTest::keyClick(window->txtInputWord, Qt::Key_Return);
    }

    QString path(const QString& name) const { return folder->filePath(name); }

    // Opens "A&rchivo" with Alt+R and picks an item by its access key, as
    // the keyboard does it.
    void chooseFromFileMenu(Qt::Key item) {
        QTest::keyClick(window, Qt::Key_R, Qt::AltModifier);
        QTRY_VERIFY(window->mnuFile->isVisible());
        QTest::keyClick(window->mnuFile, item);
        QTRY_VERIFY(!window->mnuFile->isVisible());
    }

    // Builds and finishes a puzzle with the window's buttons.
    void buildAndFinish(const QStringList& words, const QString& side, const QString& limit) {
        for (const QString& word : words) commit(word);
        window->txtGridRows->setText(side);
        window->txtGridCol->setText(side);
        window->txtWordCount->setText(limit);
        QTest::mouseClick(window->cmdStart, Qt::LeftButton);
        QTest::mouseClick(window->cmdFinish, Qt::LeftButton);
        QVERIFY(window->cmdExport->isEnabled());
    }

  private slots:
    void init() {
        QVERIFY(openWindow());
        suggestedPaths.clear();
        window->prompts.chooseOpenFile = [this](const QString&, const QString&) { return nextOpenPath; };
        window->prompts.chooseSaveFile = [this](const QString&, const QString& suggested) {
            suggestedPaths << suggested;
            return nextSavePath;
        };
    }
    void cleanup() { closeWindow(); }

    void theFileMenuComesBeforeTheAboutMenuAndFollowsTheListAndThePrintButton() {
        const QList<QAction*> menus = window->menuBar()->actions();
        QCOMPARE(menus.size(), 3);
        QCOMPARE(menus.at(0)->text(), QStringLiteral("A&rchivo"));
        QCOMPARE(menus.at(2)->text(), QStringLiteral("&Acerca de..."));
        QVERIFY(window->mnuOpenList->isEnabled());
        QVERIFY(!window->mnuSaveList->isEnabled());
        QVERIFY(!window->mnuWorksheetPdf->isEnabled());
        QVERIFY(!window->mnuPrintWorksheet->isEnabled());
        QVERIFY(!window->mnuClassroomPdf->isEnabled());
        buildAndFinish({"sol", "mar"}, "10", "100");
        QVERIFY(window->mnuSaveList->isEnabled());
        QVERIFY(window->mnuClassroomPdf->isEnabled());
        QVERIFY(window->mnuWorksheetPdf->isEnabled());
        QVERIFY(window->mnuPrintWorksheet->isEnabled());
        QTest::mouseClick(window->cmdNew, Qt::LeftButton);
        QVERIFY(!window->mnuSaveList->isEnabled());
        QVERIFY(!window->mnuWorksheetPdf->isEnabled());
        QVERIFY(!window->mnuPrintWorksheet->isEnabled());
        QVERIFY(!window->mnuClassroomPdf->isEnabled());
    }

    void aListFileAddsEachLineAsEnterWould_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("list");
        const QStringList accents{"CAMIÓN", "MAR", "NIÑO", "SOL"};
        QTest::newRow("UTF-8, LF")
            << QByteArray("sol\nni\xC3\xB1o\n  cami\xC3\xB3n  \n\nmar\n") << accents;
        QTest::newRow("UTF-8 with a byte-order mark, CR LF")
            << QByteArray("\xEF\xBB\xBFsol\r\nni\xC3\xB1o\r\ncami\xC3\xB3n\r\n \r\nmar") << accents;
        QTest::newRow("Windows-1252, CR LF")
            << QByteArray("SOL\r\nni\xF1o\r\ncami\xF3n\r\nmar\r\n") << accents;
        QTest::newRow("Windows-1252, CR")
            << QByteArray("sol\rNI\xD1O\rCAMI\xD3N\rmar\r") << accents;
        QTest::newRow("UTF-8 behind a UTF-16 mark")
            << QByteArray("\xFF\xFEsol\nni\xC3\xB1o\ncami\xC3\xB3n\nmar\n") << accents;
        QTest::newRow("a line of U+FFFD is left out and named")
            << QByteArray("sol\nni\xC3\xB1o\nx\xEF\xBF\xBD\ncami\xC3\xB3n\nmar\n") << accents;
        QTest::newRow("a lone UTF-16 surrogate too is left out")
            << QByteArray(reinterpret_cast<const char*>(u"\uFEFFsol\nniño\n\xD800\ncamión\nmar\n"),
                          46)
            << accents;
    }
    void aListFileAddsEachLineAsEnterWould() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, list);
        nextOpenPath = path("lista.txt");
        QVERIFY(writeBytes(nextOpenPath, bytes));
        QVERIFY(!window->cmdStart->isEnabled());
        QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
        const bool leftOut = QString(QTest::currentDataTag()).contains("left out");
        QCOMPARE(messages,
                 leftOut ? QStringList{invalidLinesMessage(nextOpenPath, {3})} : QStringList());
        QCOMPARE(window->wordList().words(), list);
        QVERIFY(window->cmdStart->isEnabled());
        QVERIFY(window->cmdAuto->isEnabled());
    }

    void aListFileThatCannotBeTakenIsNamedWithItsReasonAndAddsNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("2 MiB") << "grande.txt" << QByteArray(2 * 1024 * 1024, 'a')
                               << "el archivo pasa de 1 MiB";
        QTest::newRow("missing") << "no-existe.txt" << QByteArray() << "el archivo no existe";
        QTest::newRow("past the list's limit") << "larga.txt" << QByteArray("a\n").repeated(32767)
                                               << "la lista pasaría de 32.767 palabras";
        QTest::newRow("a FIFO") << "tuberia" << QByteArray() << "no es un archivo de texto";
        QTest::newRow("a folder") << "carpeta/" << QByteArray() << "no es un archivo de texto";
    }
    void aListFileThatCannotBeTakenIsNamedWithItsReasonAndAddsNothing() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        commit("sol");
        nextOpenPath = path(name);
        if (!bytes.isEmpty()) QVERIFY(writeBytes(nextOpenPath, bytes));
        if (name.endsWith(u'/')) QVERIFY(QDir().mkpath(nextOpenPath));
        std::optional<LateFifo> fifo;
        if (name == u"tuberia") QVERIFY(fifo.emplace(nextOpenPath).made);
        QElapsedTimer answered;
        answered.start();
        QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
        QVERIFY2(answered.elapsed() < 1000, qPrintable(QString::number(answered.elapsed())));
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains(QDir::toNativeSeparators(nextOpenPath)),
                 qPrintable(messages.first()));
        QVERIFY2(messages.first().contains(reason), qPrintable(messages.first()));
        QCOMPARE(window->wordList().words(), QStringList{"SOL"});
    }

    void aSavedListOpensAgainAsTheSameList() {
        for (const char* word : {"sol", "niño", "la casa", "sol", "árbol"}) {
            commit(QString::fromUtf8(word));
        }
        const QStringList saved = window->wordList().words();
        nextSavePath = path("guardada.txt");
        QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(messages.isEmpty());
        QCOMPARE(fileBytes(nextSavePath),
                 QByteArray("\xC3\x81RBOL\r\nLA CASA\r\nNI\xC3\x91O\r\nSOL\r\nSOL\r\n"));
        QTest::mouseClick(window->cmdNew, Qt::LeftButton);
        QCOMPARE(window->wordList().count(), 0);
        nextOpenPath = nextSavePath;
        QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(window->wordList().words(), saved);
    }

    void aWorksheetPdfHoldsThePlacedWordsAndItsAnswerKeyOutlinesThem() {
        // Thirteen letters do not fit ten columns; a limit of 6 leaves the
        // last two words of the pool untried.
        buildAndFinish({"bibliotecaria", "perro", "árbol", "casa", "gato", "luna", "sol", "mar"},
                       "10", "6");
        QStringList placed;
        for (const Placement& where : window->session().placements()) {
            placed << window->session().puzzle().WordPool.at(where.poolIndex);
        }
        QCOMPARE(placed.size(), 5);
        program->PuzzleName = QStringLiteral("Anterior");
        QString defaultName;
        window->prompts.askWorksheetName = [&defaultName](const QString& last) {
            defaultName = last;
            return std::optional<QString>(QStringLiteral("Animales"));
        };
        nextSavePath = path("hoja.pdf");
        chooseFromFileMenu(Qt::Key_H);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
        QCOMPARE(defaultName, QStringLiteral("Anterior"));
        QCOMPARE(QFileInfo(suggestedPaths.value(0)).fileName(), QStringLiteral("Animales.pdf"));

        QCOMPARE(pageCount(nextSavePath), 2);
        const QString fonts = run(QStringLiteral("pdffonts"), {nextSavePath});
        QVERIFY(fonts.contains(QStringLiteral("LiberationSans")));
        // The "emb" column of every font says yes.
        const QRegularExpression font(
            QStringLiteral("\\s(yes|no)\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$"),
            QRegularExpression::MultilineOption);
        int fontCount = 0;
        for (auto it = font.globalMatch(fonts); it.hasNext(); ++fontCount) {
            QCOMPARE(it.next().captured(1), QStringLiteral("yes"));
        }
        QVERIFY(fontCount > 0);

        // Page 1: the title and exactly the words the grid holds.
        QStringList words;
        for (const QString& token : tokens(pageText(nextSavePath, 1))) {
            if (token.size() > 1) words << token;
        }
        std::sort(words.begin(), words.end());
        QStringList expected = placed;
        expected << QStringLiteral("Animales");
        std::sort(expected.begin(), expected.end());
        QCOMPARE(words, expected);

        // Page 2: the heading and the words left out.
        const QString key = pageText(nextSavePath, 2);
        QVERIFY(key.contains(QStringLiteral("Animales")));
        QVERIFY(key.contains(QStringLiteral("Solución")));
        QVERIFY2(key.contains(QStringLiteral("No caben en la cuadrícula: BIBLIOTECARIA.")),
                 qPrintable(key));
        QVERIFY2(key.contains(QStringLiteral("Fuera del máximo de palabras: MAR, SOL.")),
                 qPrintable(key));

        // The key's outlines run through the cells of the placed words and
        // stay clear of the middle of every other cell.
        const int dpi = 100;
        const QString prefix = path("clave");
        const QStringList render{QStringLiteral("-f"),   QStringLiteral("2"),
                                 QStringLiteral("-l"),   QStringLiteral("2"),
                                 QStringLiteral("-r"),   QString::number(dpi),
                                 QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                 nextSavePath,           prefix};
        QVERIFY(runs(QStringLiteral("pdftoppm"), render));
        const QImage page(prefix + QStringLiteral(".png"));
        QVERIFY(!page.isNull());
        WorksheetPuzzle sheet = worksheetPuzzle(QStringLiteral("Animales"), window->session().puzzle(),
                                                window->session().placements(), window->session().builtWith());
        const QRectF gridMm = worksheetGridMm(worksheetPageSize(), sheet, PageKind::AnswerKey);
        const double pxPerMm = dpi / 25.4;
        const QRectF gridPx(gridMm.left() * pxPerMm, gridMm.top() * pxPerMm,
                            gridMm.width() * pxPerMm, gridMm.height() * pxPerMm);
        std::set<std::pair<int, int>> used;
        for (const Placement& where : window->session().placements()) {
            const Step step = directionStep(where.direction);
            const auto length = window->session().puzzle().WordPool.at(where.poolIndex).toStdU32String().size();
            for (int k = 0; k < static_cast<int>(length); ++k) {
                used.insert({where.row + k * step.dRow, where.col + k * step.dCol});
            }
        }
        for (int row = 1; row <= 10; ++row) {
            for (int col = 1; col <= 10; ++col) {
                if (used.count({row, col})) {
                    QVERIFY2(outlinePixels(page, gridPx, 10, row, col, 0.5) > 0,
                             qPrintable(QStringLiteral("no outline at %1,%2").arg(row).arg(col)));
                } else {
                    QVERIFY2(outlinePixels(page, gridPx, 10, row, col, 0.15) == 0,
                             qPrintable(QStringLiteral("outline at %1,%2").arg(row).arg(col)));
                }
            }
        }
    }

    void aClassroomSetHasItsWorksheetsThenItsKeysAndLeavesTheWindowAsItWas() {
        buildAndFinish({"perro", "árbol", "casa", "gato", "luna", "sol", "mar"}, "10", "100");
        const QString shown = window->txtWord->toPlainText();
        const Grid grid = window->session().puzzle().WordGrid;
        const QStringList list = window->wordList().words();
        window->prompts.askVersionCount = [](int) { return std::optional<int>(5); };
        window->prompts.askWorksheetName = [](const QString&) {
            return std::optional<QString>(QStringLiteral("Clase"));
        };
        nextSavePath = path("clase.pdf");
        chooseFromFileMenu(Qt::Key_J);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));

        QCOMPARE(pageCount(nextSavePath), 10);
        QStringList grids;
        for (int k = 1; k <= 5; ++k) {
            const QString title = QStringLiteral("Clase — versión %1").arg(k);
            const QString sheet = pageText(nextSavePath, k);
            const QString key = pageText(nextSavePath, 5 + k);
            QVERIFY2(sheet.contains(title), qPrintable(sheet));
            QVERIFY(!sheet.contains(QStringLiteral("Solución")));
            QVERIFY2(key.contains(title), qPrintable(key));
            QVERIFY(key.contains(QStringLiteral("Solución")));
            QCOMPARE(gridLetters(sheet).size(), 100);
            // The key holds the same letters, whatever order a reader takes them in.
            QString keyLetters = gridLetters(key);
            QString sheetLetters = gridLetters(sheet);
            std::sort(keyLetters.begin(), keyLetters.end());
            std::sort(sheetLetters.begin(), sheetLetters.end());
            QCOMPARE(keyLetters, sheetLetters);
            grids << gridLetters(sheet);
        }
        QCOMPARE(QSet<QString>(grids.cbegin(), grids.cend()).size(), 5);

        QCOMPARE(window->txtWord->toPlainText(), shown);
        QVERIFY(window->session().puzzle().WordGrid == grid);
        QCOMPARE(window->wordList().words(), list);
        QVERIFY(window->cmdExport->isEnabled());
        QVERIFY(!window->cmdFinish->isEnabled());
        QCOMPARE(QDir(folder->path()).entryList(QDir::Files), QStringList{"clase.pdf"});
    }

    void cancellingAClassroomSetLeavesNoFile() {
        for (const char* word : {"perro", "casa", "gato", "luna", "sol", "mar"}) commit(word);
        window->prompts.askVersionCount = [](int) { return std::optional<int>(200); };
        window->prompts.askWorksheetName = [](const QString&) {
            return std::optional<QString>(QStringLiteral("Clase"));
        };
        nextSavePath = path("cancelada.pdf");
        bool clicked = false;
        QTimer cancel;
        connect(&cancel, &QTimer::timeout, this, [this, &clicked] {
            auto* progress = window->findChild<ProgressWindow*>(QStringLiteral("classroomProgress"));
            if (clicked || !progress || !progress->isVisible() || progress->bar()->value() < 2) {
                return;
            }
            clicked = true;
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        });
        cancel.start(1);
        chooseFromFileMenu(Qt::Key_J);
        QVERIFY(clicked);
        QVERIFY(messages.isEmpty());
        QCOMPARE(QDir(folder->path()).entryList(QDir::Files), QStringList());
    }

    void aFileThatCannotBeWrittenIsToldOnceAndLeftAbsent_data() {
        QTest::addColumn<Qt::Key>("menuItem");
        QTest::newRow("word list") << Qt::Key_G;
        QTest::newRow("worksheet") << Qt::Key_H;
        QTest::newRow("classroom set") << Qt::Key_J;
    }
    void aFileThatCannotBeWrittenIsToldOnceAndLeftAbsent() {
        QFETCH(Qt::Key, menuItem);
        buildAndFinish({"sol", "mar", "casa"}, "10", "100");
        window->prompts.askVersionCount = [](int) { return std::optional<int>(2); };
        window->prompts.askWorksheetName = [](const QString&) { return std::optional<QString>(QString()); };
        nextSavePath = path(QStringLiteral("no-existe/archivo"));
        chooseFromFileMenu(menuItem);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains(QDir::toNativeSeparators(nextSavePath)),
                 qPrintable(messages.first()));
        QVERIFY2(messages.first().contains(QStringLiteral("la carpeta no existe")),
                 qPrintable(messages.first()));
        QCOMPARE(QDir(folder->path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList());
        // A nameless worksheet is offered as "sopa.pdf".
        if (menuItem != Qt::Key_G) {
            QCOMPARE(QFileInfo(suggestedPaths.value(0)).fileName(), QStringLiteral("sopa.pdf"));
        }
    }

    void aSaveSuggestsANameAUsbStickTakesAndTheFootLineSaysWhereItWent_data() {
        QTest::addColumn<Qt::Key>("menuItem");
        QTest::addColumn<QString>("suggested");
        QTest::addColumn<QString>("sentence");
        QTest::newRow("word list") << Qt::Key_G << "palabras.txt"
                                   << "Lista guardada en";
        QTest::newRow("worksheet") << Qt::Key_H << "Sopa de otoño- 3ºB---.pdf"
                                   << "Hoja guardada en";
        QTest::newRow("classroom set") << Qt::Key_J << "Sopa de otoño- 3ºB---.pdf"
                                       << "Juego guardado en";
    }
    void aSaveSuggestsANameAUsbStickTakesAndTheFootLineSaysWhereItWent() {
        QFETCH(Qt::Key, menuItem);
        QFETCH(QString, suggested);
        QFETCH(QString, sentence);
        buildAndFinish({"sol", "mar", "computadoras"}, "5", "100");
        const QString words = window->lblPuzzleWords->text();
        window->prompts.askVersionCount = [](int) { return std::optional<int>(2); };
        window->prompts.askWorksheetName = [](const QString&) {
            return std::optional<QString>(QStringLiteral("Sopa de otoño: 3ºB\t*?"));
        };
        for (const QString& name : {QStringLiteral("uno"), QStringLiteral("dos")}) {
            nextSavePath = path(name);
            // Offscreen, no window gets the activation back from a progress.
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            chooseFromFileMenu(menuItem);
        }
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
        QCOMPARE(QFileInfo(suggestedPaths.value(0)).fileName(), suggested);
        const QString saved = menuItem == Qt::Key_G ? nextSavePath : nextSavePath + ".pdf";
        QCOMPARE(window->lblPuzzleWords->text(), words + " " + sentence + " " + saved + ".");
    }

    void aClassroomSetRefusesTheSizesThatStartRefuses() {
        for (const char* word : {"sol", "mar"}) commit(word);
        window->txtGridRows->setText("4");
        QTest::mouseClick(window->cmdStart, Qt::LeftButton);
        QCOMPARE(messages.size(), 1);
        bool asked = false;
        window->prompts.askVersionCount = [&asked](int) {
            asked = true;
            return std::optional<int>(2);
        };
        chooseFromFileMenu(Qt::Key_J);
        QVERIFY(!asked);
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages.at(1), messages.at(0));
    }

    void theStatusBarNamesTheWordsTheGridLeftOut_data() {
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QString>("status");
        QTest::newRow("no room") << "100"
                                 << "2 de 3 palabras en la cuadrícula. No caben: COMPUTADORAS.";
        QTest::newRow("beyond the limit")
            << "1"
            << "0 de 3 palabras en la cuadrícula. No caben: COMPUTADORAS. Fuera del máximo: MAR, "
               "SOL.";
    }
    void theStatusBarNamesTheWordsTheGridLeftOut() {
        QFETCH(QString, limit);
        QFETCH(QString, status);
        const QRect client = window->centralWidget()->geometry();
        for (const char* word : {"computadoras", "sol", "mar"}) commit(word);
        window->txtGridRows->setText("5");
        window->txtGridCol->setText("5");
        window->txtWordCount->setText(limit);
        QTest::keyClick(window, Qt::Key_I, Qt::AltModifier);
        QTRY_VERIFY(window->cmdFinish->isEnabled());
        QCOMPARE(window->lblPuzzleWords->text(), status);
        QVERIFY(window->lblPuzzleWords->isVisible());
        // Below the client area, which has not moved.
        QCOMPARE(window->centralWidget()->geometry(), client);
        QVERIFY(window->statusBar()->geometry().top() >= client.bottom());
        QTest::keyClick(window, Qt::Key_L, Qt::AltModifier);
        QTRY_COMPARE(window->lblPuzzleWords->text(), QString());
    }

    void theStatusBarNamesAWordThatReadsInsideAnother() {
        for (const char* word : {"girasol", "sol", "mar"}) commit(word);
        QTest::keyClick(window, Qt::Key_I, Qt::AltModifier);
        QTRY_VERIFY(window->cmdFinish->isEnabled());
        const QString status = QStringLiteral(
            "3 de 3 palabras en la cuadrícula. SOL se lee también dentro de GIRASOL.");
        QCOMPARE(window->lblPuzzleWords->text(), status);
        QTest::mouseClick(window->cmdFinish, Qt::LeftButton);
        QCOMPARE(window->lblPuzzleWords->text(), status);
    }

    void aRudeWordFileThatIsAFifoIsToldAndIniciarAnswersAtOnce() {
        const LateFifo fifo(path("palabrotas.txt"));
        QVERIFY(fifo.made);
        commit("sol");
        QElapsedTimer answered;
        answered.start();
        QTest::keyClick(window, Qt::Key_I, Qt::AltModifier);
        QTRY_VERIFY(window->cmdFinish->isEnabled());
        QVERIFY2(answered.elapsed() < 1000, qPrintable(QString::number(answered.elapsed())));
        QCOMPARE(messages, QStringList{wordListReadMessage(path("palabrotas.txt"),
                                                           "no es un archivo de texto")});
    }

    void aWordOfTheProgramFoldersRudeListNeverReadsInAFinishedPuzzle() {
        // Three common letters read by chance in about one 8 x 8 puzzle in
        // twenty; ASA reads the same both ways.
        QVERIFY(writeBytes(path(QStringLiteral("palabrotas.txt")), "# prueba\nasa\n"));
        commit(QStringLiteral("sol"));
        window->txtGridRows->setText(QStringLiteral("8"));
        window->txtGridCol->setText(QStringLiteral("8"));
        for (int n = 0; n < 150; ++n) {
            QTest::mouseClick(window->cmdStart, Qt::LeftButton);
            QTest::mouseClick(window->cmdFinish, Qt::LeftButton);
            const QStringList lines =
                window->txtWord->toPlainText().split(u'\n', Qt::SkipEmptyParts);
            QCOMPARE(lines.size(), 8);
            const auto at = [&](int r, int c) { return lines.at(r).at(2 * c); };
            for (int r = 0; r < 8; ++r) {
                for (int c = 0; c < 8; ++c) {
                    for (const auto& [dr, dc] : {std::pair{0, 1}, {1, 0}, {1, 1}, {1, -1}}) {
                        const int er = r + 2 * dr;
                        const int ec = c + 2 * dc;
                        if (er >= 8 || ec < 0 || ec >= 8) continue;
                        const QString read = QString(at(r, c)) + at(r + dr, c + dc) + at(er, ec);
                        QVERIFY2(read != QStringLiteral("ASA"),
                                 qPrintable(window->txtWord->toPlainText()));
                    }
                }
            }
        }
    }
};

QTEST_MAIN(FileMenuTest)
#include "tst_filemenu.moc"
