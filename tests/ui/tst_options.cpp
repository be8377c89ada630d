// The "&Opciones" menu and the printed worksheet, driven through the real
// window: its menus and keys, the PDFs read back with poppler's tools as a
// reader of them would.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <memory>
#include <set>

#include "Directions.h"
#include "Program.h"
#include "SecretMessage.h"
#include "Shape.h"
#include "TestEnvironment.h"
#include "WindowTestTools.h"
#include "WordList.h"
#include "frmMain.h"

using namespace sopaly;

Q_DECLARE_METATYPE(sopaly::Shape)

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfInfo(const QString& pdf, const QString& field) {
    const QRegularExpression line(QStringLiteral("^%1:\\s+(.*)$").arg(field),
                                  QRegularExpression::MultilineOption);
    return line.match(run(QStringLiteral("pdfinfo"), {pdf})).captured(1).trimmed();
}

// A page's text as laid out: the grid's rows stay lines, left to right.
QString pageText(const QString& pdf, int page, bool layout = false) {
    QStringList arguments{QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                          QString::number(page)};
    if (layout) arguments << QStringLiteral("-layout");
    return run(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-"));
}

// The words of page 1 as pdftotext -bbox finds them, with their boxes in
// points; the first box is the page's own.
struct PdfWord {
    QString text;
    QRectF box;
};
std::vector<PdfWord> pageWords(const QString& pdf) {
    const QString xml =
        run(QStringLiteral("pdftotext"), {"-bbox", "-f", "1", "-l", "1", pdf, QStringLiteral("-")});
    std::vector<PdfWord> words{{{}, {}}};
    const QRegularExpression box(QStringLiteral(
        R"re(<(?:page width="([\d.]+)" height="([\d.]+)"|word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word))re"));
    for (const QRegularExpressionMatch& m : box.globalMatch(xml)) {
        const auto at = [&m](int i) { return m.captured(i).toDouble(); };
        if (m.capturedLength(1) > 0) words.front().box = QRectF(0, 0, at(1), at(2));
        if (m.capturedLength(3) > 0)
            words.push_back({m.captured(7), QRectF(QPointF(at(3), at(4)), QPointF(at(5), at(6)))});
    }
    return words;
}

QStringList tokens(const QString& text) {
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// The grid's letters, one-letter tokens in reading order.
QString gridLetters(const QString& text) {
    QString letters;
    for (const QString& token : tokens(text)) {
        if (token.size() == 1 && token.at(0).isLetter()) letters += token;
    }
    return letters;
}

}  // namespace

class OptionsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<Program> program;
    frmMain* window = nullptr;
    QStringList messages;
    QString nextSavePath;

    QString path(const QString& name) const { return folder->filePath(name); }

    void startProgram() {
        program = std::make_unique<Program>(steppingClock());
        program->setProgramFolder(folder->path());
        window = program->showMainWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        window->prompts.showMessage = [this](const QString& text) { messages << text; };
        window->prompts.chooseSaveFile = [this](const QString&, const QString&) {
            return nextSavePath;
        };
        window->prompts.askWorksheetName = [](const QString&) {
            return std::optional<QString>(QStringLiteral("hoja"));
        };
    }

    void commit(const QString& word) {
        window->txtInputWord->setText(word);
        QTest::keyClick(window->txtInputWord, Qt::Key_Return);
    }

    QAction* shapeItem(Shape shape) const {
        return window->mnuShapes[static_cast<std::size_t>(
            std::find(kShapes.begin(), kShapes.end(), shape) - kShapes.begin())];
    }

    void buildAndFinish(const QStringList& words, const QString& side) {
        for (const QString& word : words) commit(word);
        window->txtGridRows->setText(side);
        window->txtGridCol->setText(side);
        QTest::mouseClick(window->cmdStart, Qt::LeftButton);
        QTest::mouseClick(window->cmdFinish, Qt::LeftButton);
        QVERIFY(window->cmdExport->isEnabled());
    }

    // "A&rchivo" → "&Hoja de trabajo en PDF..." into `file`.
    void saveWorksheet(const QString& file) {
        nextSavePath = file;
        QTest::keyClick(window, Qt::Key_R, Qt::AltModifier);
        QTRY_VERIFY(window->mnuFile->isVisible());
        QTest::keyClick(window->mnuFile, Qt::Key_H);
        QTRY_VERIFY(!window->mnuFile->isVisible());
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
        QCOMPARE(pdfInfo(file, QStringLiteral("Pages")), QStringLiteral("2"));
    }

    // Which cells the placed words run through.
    std::set<std::pair<int, int>> wordCells() const {
        std::set<std::pair<int, int>> cells;
        for (const Placement& where : window->session().placements()) {
            const Step step = directionStep(where.direction);
            const auto length =
                window->session().puzzle().WordPool.at(where.poolIndex).toStdU32String().size();
            for (int k = 0; k < static_cast<int>(length); ++k) {
                cells.insert({where.row + k * step.dRow, where.col + k * step.dCol});
            }
        }
        return cells;
    }

  private slots:
    void init() {
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(folder->isValid());
        // Each case starts from the design values; a restart within a case
        // finds what the case kept.
        test::freshSettings();
        messages.clear();
        startProgram();
    }
    void cleanup() {
        program.reset();
        window = nullptr;
        folder.reset();
    }

    void theOptionsStandBetweenFileAndAboutAndAllButTheMessageComeBackAtTheNextStart() {
        QStringList titles;
        for (const QAction* menu : window->menuBar()->actions()) titles << menu->text();
        QCOMPARE(titles, (QStringList{"A&rchivo", "&Opciones", "&Acerca de..."}));
        QStringList items;
        for (const QAction* item : window->mnuOptions->actions()) items << item->text();
        QCOMPARE(items,
                 (QStringList{"Letras &minúsculas", "&Forma", "Mensaje &secreto...",
                              "&Ocultar la lista en la hoja", "&Tamaño de letra",
                              "Letra de &lectura fácil", "", "&Restablecer valores iniciales"}));
        QStringList shapes;
        for (const QAction* item : window->mnuShape->actions()) shapes << item->text();
        QCOMPARE(shapes, (QStringList{"&Cuadrada", "Círcu&lo", "Cora&zón", "&Estrella", "&Rombo",
                                      "Ár&bol"}));
        QVERIFY(shapeItem(Shape::Square)->isChecked());
        QVERIFY(!window->mnuLowerCase->isChecked());
        QVERIFY(!window->mnuHideList->isChecked());

        commit(QStringLiteral("niño"));
        chooseOption(window, window->mnuLowerCase);
        chooseOption(window, shapeItem(Shape::Tree));
        chooseOption(window, window->mnuHideList);
        chooseOption(window, window->mnuLetterSizes[2]);
        chooseOption(window, window->mnuEasyReading);
        window->prompts.askSecretMessage = [](const QString&) {
            return std::optional<QString>(QStringLiteral("hola"));
        };
        chooseOption(window, window->mnuSecretMessage);
        QVERIFY(window->mnuLowerCase->isChecked());
        QVERIFY(shapeItem(Shape::Tree)->isChecked());
        QVERIFY(!shapeItem(Shape::Square)->isChecked());
        // The list shows its words in lower case at once.
        const QModelIndex first = window->lstInputWord->model()->index(0, 0);
        QCOMPARE(first.data().toString(), QStringLiteral("niño"));
        QCOMPARE(window->settings().message, QStringLiteral("hola"));
        QVERIFY(window->mnuSecretMessage->isChecked());

        program.reset();
        startProgram();
        QVERIFY(window->mnuLowerCase->isChecked());
        QVERIFY(shapeItem(Shape::Tree)->isChecked());
        QVERIFY(window->mnuHideList->isChecked());
        QCOMPARE(window->settings().shape, Shape::Tree);
        QCOMPARE(window->settings().letterSize, LetterSize::ExtraLarge);
        QVERIFY(window->settings().easyReading);
        QCOMPARE(window->settings().message, QString());
        QVERIFY(!window->mnuSecretMessage->isChecked());
        QVERIFY(messages.isEmpty());
    }

    void eachShapeIsChosenByItsAccessLetter_data() {
        QTest::addColumn<Qt::Key>("letter");
        QTest::addColumn<Shape>("shape");
        QTest::newRow("Círcu&lo") << Qt::Key_L << Shape::Circle;
        QTest::newRow("Cora&zón") << Qt::Key_Z << Shape::Heart;
        QTest::newRow("&Estrella") << Qt::Key_E << Shape::Star;
        QTest::newRow("&Rombo") << Qt::Key_R << Shape::Diamond;
        QTest::newRow("Ár&bol") << Qt::Key_B << Shape::Tree;
    }
    void eachShapeIsChosenByItsAccessLetter() {
        QFETCH(Qt::Key, letter);
        QFETCH(Shape, shape);
        QTest::keyClick(window, Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(window->mnuOptions->isVisible());
        QTest::keyClick(window->mnuOptions, Qt::Key_F);
        QTRY_VERIFY(window->mnuShape->isVisible());
        QTest::keyClick(window->mnuShape, letter);
        QTRY_VERIFY(!window->mnuOptions->isVisible());
        QCOMPARE(window->settings().shape, shape);
    }

    void aMessageWithNoLetterNorDigitIsRefusedAndLeavesTheItemUnchecked_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("punctuation") << QStringLiteral("¡¿...?!");
        QTest::newRow("emoji") << QStringLiteral("🙂 🎉");
    }
    void aMessageWithNoLetterNorDigitIsRefusedAndLeavesTheItemUnchecked() {
        QFETCH(QString, typed);
        window->prompts.askSecretMessage = [typed](const QString&) {
            return std::optional<QString>(typed);
        };
        chooseOption(window, window->mnuSecretMessage);
        QVERIFY(messages.size() == 1 && messages.first().contains(typed));
        QVERIFY(!window->mnuSecretMessage->isChecked());
        QCOMPARE(window->settings().message, QString());
    }

    void aLowerCaseWorksheetHasNoCapitalInItsGridNorItsWords() {
        chooseOption(window, window->mnuLowerCase);
        buildAndFinish({"niño", "árbol", "pingüino", "casa", "sol", "mar"}, "10");
        // The puzzle box shows no capital either.
        QVERIFY(!window->txtWord->toPlainText().contains(QRegularExpression("[[:upper:]]")));
        saveWorksheet(path("minusculas.pdf"));
        for (int page : {1, 2}) {
            const QString text = pageText(nextSavePath, page);
            QCOMPARE(gridLetters(text).size(), 100);
            QVERIFY2(!gridLetters(text).contains(QRegularExpression("[[:upper:]]")),
                     qPrintable(text));
            if (page == 1) {
                for (const char* word : {"niño", "árbol", "pingüino", "casa", "sol", "mar"}) {
                    QVERIFY2(tokens(text).contains(QString::fromUtf8(word)), word);
                }
            }
        }
    }

    void aSecretMessageReadsBackInReadingOrderFromTheLettersLeftOver_data() {
        QTest::addColumn<Shape>("shape");
        QTest::addColumn<QString>("side");
        QTest::newRow("square 8×8") << Shape::Square << "8";
        QTest::newRow("heart 12×12") << Shape::Heart << "12";
        QTest::newRow("star 15×15") << Shape::Star << "15";
    }
    void aSecretMessageReadsBackInReadingOrderFromTheLettersLeftOver() {
        QFETCH(Shape, shape);
        QFETCH(QString, side);
        const QString typed = QStringLiteral("¡Feliz Navidad, niños!");
        chooseOption(window, shapeItem(shape));
        window->prompts.askSecretMessage = [&typed](const QString& current) {
            return std::optional<QString>(current.isEmpty() ? typed : current);
        };
        chooseOption(window, window->mnuSecretMessage);
        buildAndFinish({"perro", "gato", "luna", "sol", "mar", "tren"}, side);
        QVERIFY2(!window->lblPuzzleWords->text().contains(QStringLiteral("mensaje")),
                 qPrintable(window->lblPuzzleWords->text()));
        saveWorksheet(path("mensaje.pdf"));

        // The worksheet's grid, row by row: the letters no word runs
        // through spell the message first.
        const QStringList lines = pageText(nextSavePath, 1, true).split(u'\n');
        const std::set<std::pair<int, int>> inWords = wordCells();
        const ShapeMask mask(shape, side.toInt(), side.toInt());
        const int sideCount = side.toInt();
        QStringList gridLines;
        for (const QString& line : lines) {
            const QStringList cells = tokens(line);
            if (!cells.isEmpty() && gridLetters(line).size() == cells.size()) gridLines << line;
        }
        QString leftOver;
        int k = 0;
        for (int row = 1; row <= sideCount; ++row) {
            QString letters;
            int col = 0;
            for (col = 1; col <= sideCount && !mask.holds(row, col); ++col) {
            }
            if (col > sideCount) continue;  // a row the shape does not reach
            QVERIFY2(k < gridLines.size(), "fewer grid rows on the page than in the shape");
            letters = gridLetters(gridLines.at(k++));
            int taken = 0;
            for (col = 1; col <= sideCount; ++col) {
                if (!mask.holds(row, col)) continue;
                QVERIFY2(taken < letters.size(), qPrintable(letters));
                if (!inWords.count({row, col})) leftOver += letters.at(taken);
                ++taken;
            }
            QCOMPARE(taken, letters.size());
        }
        QCOMPARE(k, gridLines.size());
        const QString expected = QStringLiteral("FELIZNAVIDADNIÑOS");
        QCOMPARE(leftOver.left(expected.size()), expected);

        const QString sheet = pageText(nextSavePath, 1);
        QVERIFY2(sheet.simplified().contains(
                     QStringLiteral("Las primeras 17 letras que sobran, leídas en orden, forman "
                                    "un mensaje secreto.")),
                 qPrintable(sheet));
        const QString key = pageText(nextSavePath, 2);
        QVERIFY2(key.contains(QStringLiteral("Mensaje secreto: ¡FELIZ NAVIDAD, NIÑOS!")),
                 qPrintable(key));
    }

    void aMessageLongerThanTheFreeCellsIsLeftOutAndTheStatusLineCountsWhatDidNotFit() {
        window->prompts.askSecretMessage = [](const QString&) {
            return std::optional<QString>(QStringLiteral("Un mensaje demasiado largo para caber."));
        };
        chooseOption(window, window->mnuSecretMessage);
        for (const char* word : {"perro", "gato", "luna"}) commit(word);
        window->txtGridRows->setText("5");
        window->txtGridCol->setText("5");
        QTest::mouseClick(window->cmdStart, Qt::LeftButton);
        int free = 0;
        for (int row = 1; row <= 5; ++row) {
            for (int col = 1; col <= 5; ++col)
                free += window->session().puzzle().WordGrid.at(row, col) == u'.';
        }
        const int letters = static_cast<int>(
            messageLetters(QStringLiteral("Un mensaje demasiado largo para caber.")).size());
        QVERIFY(letters > free);
        QVERIFY2(window->lblPuzzleWords->text().endsWith(
                     QStringLiteral(" El mensaje secreto no se puso: %1 de sus letras no caben.")
                         .arg(letters - free)),
                 qPrintable(window->lblPuzzleWords->text()));
    }

    void aWorksheetWithItsListHiddenNamesNoWordAndItsKeyNamesThemAll() {
        chooseOption(window, window->mnuHideList);
        buildAndFinish({"perro", "gato", "luna", "sol", "mar", "tren", "casa"}, "10");
        saveWorksheet(path("oculta.pdf"));
        const QStringList sheet = tokens(pageText(nextSavePath, 1));
        const QStringList key = tokens(pageText(nextSavePath, 2));
        QCOMPARE(window->session().placements().size(), std::size_t{7});
        QStringList words;
        for (const QString& token : sheet) {
            if (token.size() > 1 || !token.at(0).isLetter()) words << token;
        }
        QCOMPARE(words, (QStringList{"hoja", "Encuentra", "las", "7", "palabras", "escondidas."}));
        for (const char* word : {"PERRO", "GATO", "LUNA", "SOL", "MAR", "TREN", "CASA"}) {
            QVERIFY2(key.contains(QString::fromLatin1(word)), word);
        }
    }

    // Sizes are read back against the title, set at 16 points in the same
    // face: a box's height per point is the face's, not the size's.
    void eachLetterSizePrintsTheGridAndTheListAtLeastAtItsSizeWithinThePage_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("side");
        QTest::addColumn<bool>("easyReading");
        QTest::addColumn<double>("gridPoints");
        QTest::addColumn<double>("listPoints");
        QTest::addColumn<QString>("said");  // after the words' sentence on the status line
        QTest::newRow("Normal, 12 × 12") << 0 << "12" << false << 0.0 << 12.0 << "";
        QTest::newRow("Grande in Andika, 20 × 20") << 1 << "20" << true << 16.0 << 16.0 << "";
        QTest::newRow("Muy grande, 12 × 12") << 2 << "12" << false << 24.0 << 20.0 << "";
        QTest::newRow("Muy grande, 20 × 20") << 2 << "20" << false << 16.5 << 20.0
                                             << "La cuadrícula de 20 × 20 no cabe en la hoja con "
                                                "letra muy grande: se imprime a 17 puntos.";
    }
    void eachLetterSizePrintsTheGridAndTheListAtLeastAtItsSizeWithinThePage() {
        QFETCH(int, item);
        QFETCH(QString, side);
        QFETCH(bool, easyReading);
        QFETCH(double, gridPoints);
        QFETCH(double, listPoints);
        QFETCH(QString, said);
        if (item > 0) chooseOption(window, window->mnuLetterSizes[static_cast<std::size_t>(item)]);
        if (easyReading) chooseOption(window, window->mnuEasyReading);
        const QStringList list{"PERRO",  "CABALLO", "TORTUGA", "PINGÜINO", "ÑANDÚ", "BALLENA",
                               "CONEJO", "PALOMA",  "DELFÍN",  "OVEJA",    "GATO",  "VACA"};
        buildAndFinish(list, side);
        const QStringList status = window->lblPuzzleWords->text().split(u'.');
        QCOMPARE(status.value(1).trimmed(), said.chopped(said.isEmpty() ? 0 : 1));
        saveWorksheet(path("letra.pdf"));
        const QString fonts = run(QStringLiteral("pdffonts"), {nextSavePath});
        QCOMPARE(fonts.contains(QRegularExpression(QStringLiteral("\\nAndika\\s.*\\syes\\s"))),
                 easyReading);
        const std::vector<PdfWord> words = pageWords(nextSavePath);
        const double perPoint = words.at(1).box.height() / 16;  // the title, "hoja"
        double smallestLetter = 1e9;
        double smallestWord = 1e9;
        for (const PdfWord& word : words) {
            QVERIFY2(words.front().box.contains(word.box), qPrintable(word.text));
            double& smallest = word.text.size() == 1 ? smallestLetter : smallestWord;
            if (word.text.size() == 1 || list.contains(word.text))
                smallest = std::min(smallest, word.box.height() / perPoint);
        }
        QVERIFY2(smallestLetter > gridPoints - 0.05, qPrintable(QString::number(smallestLetter)));
        QVERIFY2(smallestWord > listPoints - 0.05, qPrintable(QString::number(smallestWord)));
        if (!said.isEmpty()) QCOMPARE(qRound(smallestLetter), 17);
    }

    void printingOnAPdfPrinterGivesTheWorksheetPdfsPagesSizeAndText() {
        chooseOption(window, shapeItem(Shape::Heart));
        buildAndFinish({"perro", "gato", "luna", "sol", "mar", "tren", "casa"}, "12");
        saveWorksheet(path("hoja.pdf"));
        const QString printed = path("impresa.pdf");
        int previewPages = 0;
        QString title;
        QTimer driver;
        connect(&driver, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            driver.stop();
            title = dialog->windowTitle();
            auto* preview = dialog->findChild<QPrintPreviewWidget*>();
            previewPages = preview->pageCount();
            // What the print dialog does with a printer that prints to a file.
            dialog->printer()->setOutputFileName(printed);
            preview->print();
            dialog->accept();
        });
        driver.start(10);
        QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(title, QStringLiteral("Imprimir hoja de trabajo"));
        QCOMPARE(previewPages, 2);
        for (const QString& field : {QStringLiteral("Pages"), QStringLiteral("Page size")}) {
            QCOMPARE(pdfInfo(printed, field), pdfInfo(nextSavePath, field));
        }
        const QString text = run(QStringLiteral("pdftotext"), {printed, QStringLiteral("-")});
        QVERIFY(text.contains(QStringLiteral("Solución")));
        QCOMPARE(text, run(QStringLiteral("pdftotext"), {nextSavePath, QStringLiteral("-")}));
    }
};

QTEST_MAIN(OptionsTest)
#include "tst_options.moc"
