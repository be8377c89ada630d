#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <memory>
#include <set>

#include "Directions.h"
#include "Program.h"
#include "TestEnvironment.h"
#include "TextFit.h"
#include "Toolkit.h"
#include "WordList.h"
#include "frmMain.h"

using namespace sopaly;

namespace {

// A clock that moves on at every reading, starting from `start`: the same
// start gives the same reseeds, hence the same puzzle.
Random::Clock steppingClock(std::uint64_t start) {
    return [now = start]() mutable { return now += 7919; };
}

// Types `text` key by key; QTest's own typing knows only ASCII keys.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClick(widget, static_cast<char>(ch.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
}

QStringList shownWords(const frmMain& window) {
    QStringList words;
    const QAbstractItemModel* model = window.lstInputWord->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        words << model->index(row, 0).data().toString();
    }
    return words;
}

// Every placement runs in an allowed direction over cells that spell its
// word, and every cell no placement covers is still empty.
void verifyPlacements(const frmMain& window, bool easy) {
    const Grid& grid = window.session().puzzle().WordGrid;
    std::set<std::pair<int, int>> covered;
    std::set<int> placedIndexes;
    for (const Placement& placement : window.session().placements()) {
        QVERIFY(placement.direction >= 1 && placement.direction <= (easy ? 4 : 8));
        QVERIFY(placedIndexes.insert(placement.poolIndex).second);
        const std::u32string word = window.session().puzzle().WordPool.at(placement.poolIndex).toStdU32String();
        const Step step = directionStep(placement.direction);
        for (int k = 0; k < static_cast<int>(word.size()); ++k) {
            const int row = placement.row + k * step.dRow;
            const int col = placement.col + k * step.dCol;
            QVERIFY(grid.isUsedCell(row, col));
            QCOMPARE(grid.at(row, col), word[static_cast<std::size_t>(k)]);
            covered.insert({row, col});
        }
    }
    for (int row = 1; row <= grid.rows(); ++row) {
        for (int col = 1; col <= grid.cols(); ++col) {
            if (!covered.contains({row, col})) QCOMPARE(grid.at(row, col), kEmptyCell);
        }
    }
}

// The cells of the display text, row by row, after checking its layout:
// every cell followed by a space, every row ended by "\r\n".
QList<QString> displayRows(const frmMain& window, int cols) {
    QList<QString> rows;
    const QString text = window.txtWordText();
    if (text.isEmpty()) return rows;
    if (!text.endsWith(QStringLiteral("\r\n"))) return {QStringLiteral("no line end")};
    const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
    for (const QString& line : lines) {
        if (line.size() != 2 * cols) return {QStringLiteral("bad row: ") + line};
        QString cells;
        for (int c = 0; c < cols; ++c) {
            if (line.at(2 * c + 1) != u' ') return {QStringLiteral("no space: ") + line};
            cells += line.at(2 * c);
        }
        rows << cells;
    }
    return rows;
}

// Whether the screen shows some of the sponsor line's blue within the
// widget's place: what the window last painted, with no repaint forced.
bool onScreenInBlue(QWidget* widget) {
    QWidget* top = widget->window();
    const QImage shot = top->screen()->grabWindow(top->winId()).toImage();
    const QRect place =
        QRect(widget->mapTo(top, QPoint(0, 0)), widget->size()).intersected(shot.rect());
    for (int y = place.top(); y <= place.bottom(); ++y) {
        for (int x = place.left(); x <= place.right(); ++x) {
            const QColor pixel = shot.pixelColor(x, y);
            if (pixel.blue() > 200 && pixel.red() < 120 && pixel.green() < 120) return true;
        }
    }
    return false;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Program> program;
    frmMain* window = nullptr;
    QStringList messages;

    void open(std::uint64_t clockStart = 1) {
        program = std::make_unique<Program>(steppingClock(clockStart));
        window = program->showMainWindow();
        window->prompts.showMessage = [this](const QString& text) { messages << text; };
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    void commit(const QString& typed) {
        typeText(window->txtInputWord, typed);
        QTest::keyClick(window->txtInputWord, Qt::Key_Return);
    }

    void selectRow(int row) {
        const QModelIndex index = window->lstInputWord->model()->index(row, 0);
        QTest::mouseClick(window->lstInputWord->viewport(), Qt::LeftButton, {},
                          window->lstInputWord->visualRect(index).center());
    }

  private slots:
    void init() {
        // Each case starts from the design values, whatever an earlier one typed.
        sopaly::test::freshSettings();
        messages.clear();
        open();
    }
    void cleanup() {
        program.reset();
        window = nullptr;
    }

    void opensWithTheDesignValues() {
        for (QPushButton* off : {window->cmdStart, window->cmdFinish, window->cmdExport,
                                 window->cmdAuto, window->cmdRemove}) {
            QVERIFY2(!off->isEnabled(), qPrintable(off->objectName()));
        }
        QVERIFY(window->cmdNew->isEnabled());
        QVERIFY(window->cmdExit->isEnabled());
        QVERIFY(window->optHard->isChecked());
        QVERIFY(!window->optEasy->isChecked());
        QCOMPARE(window->txtGridRows->text(), QStringLiteral("20"));
        QCOMPARE(window->txtGridCol->text(), QStringLiteral("20"));
        QCOMPARE(window->txtWordCount->text(), QStringLiteral("100"));
        QCOMPARE(window->txtNumOfPuzzles->text(), QStringLiteral("1"));
        QVERIFY(shownWords(*window).isEmpty());
        QVERIFY(window->txtWordText().isEmpty());
        QCOMPARE(QApplication::focusWidget(), window->txtInputWord);
        QVERIFY(window->T->isActive());
        QCOMPARE(window->T->interval(), 5000);
        QVERIFY(!window->tmrAuto->isActive());
        QCOMPARE(window->tmrAuto->interval(), 10);
        QVERIFY(!window->batchPanel().PanelClosing);
        QCOMPARE(window->windowTitle(), QStringLiteral("Sopaly!!!"));
        QVERIFY(!window->windowIcon().pixmap(32, 32).isNull());
    }

    void theWindowGrowsWithItsControlsInPlaceAndThenShowsTheSponsorLine_data() {
        QTest::addColumn<bool>("maximise");
        QTest::newRow("made taller") << false;
        QTest::newRow("maximised") << true;
    }
    void theWindowGrowsWithItsControlsInPlaceAndThenShowsTheSponsorLine() {
        QFETCH(bool, maximise);
        QWidget* client = window->centralWidget();
        QCOMPARE(client->size(), QSize(682, 524));
        QVERIFY(window->height() > 524);  // the menu bar lies above the client area
        // The sponsor line starts below the client area, so it cannot show yet.
        QVERIFY(window->Click->geometry().top() >= client->height());
        QVERIFY(window->Click->visibleRegion().isEmpty());
        QVERIFY(!onScreenInBlue(window->Click));
        QHash<QWidget*, QRect> places;
        for (QWidget* control : client->findChildren<QWidget*>()) {
            places.insert(control, control->geometry());
        }

        if (maximise) {
            window->showMaximized();
            QTRY_VERIFY(window->isMaximized());
        } else {
            window->resize(window->width(), window->height() + 60);
        }
        QTRY_VERIFY(client->height() >= window->Click->geometry().bottom());
        for (auto place = places.cbegin(); place != places.cend(); ++place) {
            QCOMPARE(place.key()->geometry(), place.value());
        }
        QCOMPARE(window->Click->visibleRegion(), QRegion(window->Click->rect()));
        const QString clipped = clippedText(window->Click);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped));
        QTRY_VERIFY(onScreenInBlue(window->Click));
    }

    void theBatchPanelHidesItsStatusLineAndBarAtRest() {
        const QRect panel = window->fraOfPuzzlesToCreate->rect();
        for (QWidget* beyond : std::initializer_list<QWidget*>{window->lblNumOfPuzzles,
                                                               window->linRed, window->linGrn}) {
            QVERIFY2(!panel.intersects(beyond->geometry()), qPrintable(beyond->objectName()));
        }
        QVERIFY(panel.contains(window->cmdAuto->geometry()));
        QCOMPARE(window->linGrn->x1(), 2040);
        QCOMPARE(window->linRed->x2(), 6540);
    }

    void tabVisitsTheControlsInTheDesignOrder() {
        const QStringList expected{"txtInputWord", "lstInputWord",    "txtGridRows", "txtGridCol",
                                   "txtWordCount", "txtNumOfPuzzles", "optHard",     "optEasy",
                                   "cmdRemove",    "cmdStart",        "cmdFinish",   "cmdExport",
                                   "cmdNew",       "cmdExit",         "cmdAuto"};
        QStringList visited;
        QWidget* widget = window->txtInputWord;
        do {
            if ((widget->focusPolicy() & Qt::TabFocus) && window->isAncestorOf(widget)) {
                visited << widget->objectName();
            }
            widget = widget->nextInFocusChain();
        } while (widget != window->txtInputWord && visited.size() <= expected.size());
        QCOMPARE(visited, expected);
    }

    void theGridShowsInAFixedPitchFont() {
        const QFont font = window->txtWord->font();
        QCOMPARE(font.pointSizeF(), 8.25);
        const QFontMetrics metrics(font);
        QCOMPARE(metrics.horizontalAdvance(u'W'), metrics.horizontalAdvance(u'.'));
        QCOMPARE(metrics.horizontalAdvance(u'Ñ'), metrics.horizontalAdvance(u'i'));
    }

    void enterCommitsTheTrimmedWordInCapitals_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("entry");
        QTest::newRow("spaces around") << QStringLiteral("  casa  ") << QStringLiteral("CASA");
        QTest::newRow("inner space kept") << QStringLiteral("la casa") << QStringLiteral("LA CASA");
        QTest::newRow("ñ") << QStringLiteral("niño") << QStringLiteral("NIÑO");
        QTest::newRow("accents and digits") << QStringLiteral("árbol2") << QStringLiteral("ÁRBOL2");
    }
    void enterCommitsTheTrimmedWordInCapitals() {
        QFETCH(QString, typed);
        QFETCH(QString, entry);
        typeText(window->txtInputWord, typed);
        // Keys other than Enter reach the field unchanged.
        QCOMPARE(window->txtInputWord->text(), typed);
        QTest::keyClick(window->txtInputWord, Qt::Key_Return);
        QCOMPARE(shownWords(*window), QStringList{entry});
        QVERIFY(window->txtInputWord->text().isEmpty());
        QVERIFY(window->cmdStart->isEnabled());
        QVERIFY(window->cmdAuto->isEnabled());
        QVERIFY(!window->cmdFinish->isEnabled());
        QCOMPARE(QApplication::focusWidget(), window->txtInputWord);
    }

    void theKeypadEnterCommitsToo() {
        typeText(window->txtInputWord, QStringLiteral("mar"));
        QTest::keyClick(window->txtInputWord, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(shownWords(*window), QStringList{QStringLiteral("MAR")});
    }

    void aBlankEntryAddsNothingAndKeepsItsText() {
        commit(QStringLiteral("   "));
        QVERIFY(shownWords(*window).isEmpty());
        QCOMPARE(window->txtInputWord->text(), QStringLiteral("   "));
        QVERIFY(!window->cmdStart->isEnabled());
        QVERIFY(!window->cmdAuto->isEnabled());
    }

    void aPasteOfLinesCommitsEachLineAsEnterWould_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("left");  // in the field afterwards
        QTest::newRow("lines with a blank one")
            << QStringLiteral("sol\nmar\n\n  luna \r\n")
            << QStringList{QStringLiteral("LUNA"), QStringLiteral("MAR"), QStringLiteral("SOL")}
            << QString();
        QTest::newRow("a tab inside a line")
            << QStringLiteral("so\tl\r\u00e1rbol")
            << QStringList{QStringLiteral("\u00c1RBOL"), QStringLiteral("SOL")} << QString();
        QTest::newRow("one word") << QStringLiteral("playa") << QStringList{}
                                  << QStringLiteral("playa");
    }
    void aPasteOfLinesCommitsEachLineAsEnterWould() {
        QFETCH(QString, pasted);
        QFETCH(QStringList, listed);
        QFETCH(QString, left);
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyClick(window->txtInputWord, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(shownWords(*window), listed);
        QCOMPARE(window->txtInputWord->text(), left);
        QCOMPARE(window->cmdStart->isEnabled(), !listed.isEmpty());
        QCOMPARE(window->cmdAuto->isEnabled(), !listed.isEmpty());
        for (const QString& word : window->wordList().words()) {
            QVERIFY(std::none_of(word.begin(), word.end(),
                                 [](QChar c) { return c.category() == QChar::Other_Control; }));
        }
    }

    void theListKeepsSpanishAlphabeticalOrder_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("plain") << QStringList{"sol", "casa", "mar", "perro"}
                               << QStringList{"CASA", "MAR", "PERRO", "SOL"};
        QTest::newRow("ñ between n and o")
            << QStringList{"nota", "niño", "nido"} << QStringList{"NIDO", "NIÑO", "NOTA"};
        QTest::newRow("duplicates stay")
            << QStringList{"casa", "casa"} << QStringList{"CASA", "CASA"};
    }
    void theListKeepsSpanishAlphabeticalOrder() {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, shown);
        for (const QString& word : typed) commit(word);
        QCOMPARE(shownWords(*window), shown);
    }

    void selectingAWordEnablesRemoveAndDeselectingDisablesIt() {
        commit(QStringLiteral("casa"));
        commit(QStringLiteral("sol"));
        selectRow(1);
        QVERIFY(window->cmdRemove->isEnabled());
        window->lstInputWord->clearSelection();
        QVERIFY(!window->cmdRemove->isEnabled());
    }

    void removeTakesTheSelectedWordAndLeavesTheButtonsAlone() {
        for (const char* word : {"casa", "mar", "sol"}) commit(QString::fromLatin1(word));
        selectRow(1);
        QTest::mouseClick(window->cmdRemove, Qt::LeftButton);
        QCOMPARE(shownWords(*window), (QStringList{"CASA", "SOL"}));
        // Removing is no selection change of the user's: the button keeps its state.
        QVERIFY(window->cmdRemove->isEnabled());
        QTest::mouseClick(window->cmdRemove, Qt::LeftButton);  // nothing selected now
        QCOMPARE(shownWords(*window), (QStringList{"CASA", "SOL"}));
    }

    void removingTheLastWordLeavesStartEnabledAndStartThenDoesNothing() {
        commit(QStringLiteral("casa"));
        selectRow(0);
        window->cmdRemove_Click();
        QVERIFY(shownWords(*window).isEmpty());
        QVERIFY(window->cmdStart->isEnabled());
        QVERIFY(window->cmdAuto->isEnabled());
        QTest::mouseClick(window->cmdStart, Qt::LeftButton);
        QVERIFY(window->session().puzzle().WordGrid.isEmpty());
        QVERIFY(window->txtWordText().isEmpty());
        QVERIFY(!window->cmdFinish->isEnabled());
    }

    void clearEmptiesTheListFieldAndDisplayAndDisablesTheRoad_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("the button") << QString();
        QTest::newRow("upper case") << QStringLiteral("CLEAR");
        QTest::newRow("lower case") << QStringLiteral("clear");
    }
    void clearEmptiesTheListFieldAndDisplayAndDisablesTheRoad() {
        QFETCH(QString, mode);
        commit(QStringLiteral("casa"));
        commit(QStringLiteral("perro"));
        selectRow(0);
        window->txtWordCount->setText(QStringLiteral("37"));
        window->txtGridRows->setText(QStringLiteral("9"));
        window->optEasy->setChecked(true);
        window->cmdStart_Click();
        window->cmdFinish_Click();
        QVERIFY(window->cmdExport->isEnabled());
        window->txtInputWord->setText(QStringLiteral("a medias"));
        window->cmdRemove->setFocus();
        if (mode.isEmpty()) {
            QTest::mouseClick(window->cmdNew, Qt::LeftButton);
        } else {
            window->ListBoxControl(mode);
        }
        QVERIFY(shownWords(*window).isEmpty());
        QVERIFY(window->txtInputWord->text().isEmpty());
        QVERIFY(window->txtWordText().isEmpty());
        for (QPushButton* off :
             {window->cmdStart, window->cmdAuto, window->cmdFinish, window->cmdExport}) {
            QVERIFY2(!off->isEnabled(), qPrintable(off->objectName()));
        }
        QVERIFY(window->cmdRemove->isEnabled());
        QCOMPARE(QApplication::focusWidget(), window->txtInputWord);
        QCOMPARE(window->txtWordCount->text(), QStringLiteral("37"));
        QCOMPARE(window->txtGridRows->text(), QStringLiteral("9"));
        QVERIFY(window->optEasy->isChecked());
        QCOMPARE(window->session().puzzle().WordGrid.rows(), 9);  // the puzzle state is left for the next build
    }

    void anUnknownModeChangesNothing() {
        commit(QStringLiteral("casa"));
        selectRow(0);
        window->ListBoxControl(QStringLiteral("PURGE"));
        QCOMPARE(shownWords(*window), QStringList{QStringLiteral("CASA")});
        QVERIFY(window->session().puzzle().WordPool.isEmpty());
        window->ListBoxControl(QStringLiteral("sort"));
        QCOMPARE(window->session().puzzle().WordPool, (QStringList{QString(), "CASA", "CASA"}));
    }

    void startChecksTheGridSizeBeforeAnythingChanges_data() {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("cols");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QSize>("grid");  // rows x columns built when accepted
        const QString rowsMessage =
            QStringLiteral("El número de filas debe ser un número de 5 a 20.");
        const QString colsMessage =
            QStringLiteral("El número de columnas debe ser un número de 5 a 20.");
        QTest::newRow("rows 4") << "4"
                                << "20" << rowsMessage << QSize();
        QTest::newRow("rows 21") << "21"
                                 << "20" << rowsMessage << QSize();
        QTest::newRow("rows abc") << "abc"
                                  << "20" << rowsMessage << QSize();
        QTest::newRow("rows empty") << ""
                                    << "20" << rowsMessage << QSize();
        QTest::newRow("rows 4.5 rounds to 4") << "4.5"
                                              << "20" << rowsMessage << QSize();
        QTest::newRow("rows with letters after") << "12abc"
                                                 << "20" << rowsMessage << QSize();
        QTest::newRow("columns 3") << "10"
                                   << "3" << colsMessage << QSize();
        QTest::newRow("columns empty") << "10"
                                       << "" << colsMessage << QSize();
        QTest::newRow("both bad names the rows") << "0"
                                                 << "99" << rowsMessage << QSize();
        QTest::newRow("5 and 20") << "5"
                                  << "20" << QString() << QSize(5, 20);
        QTest::newRow("7.5 reads 8") << "7.5"
                                     << "6" << QString() << QSize(8, 6);
        QTest::newRow("blanks around, 20.5 reads 20") << " 12 "
                                                      << "20.5" << QString() << QSize(12, 20);
    }
    void startChecksTheGridSizeBeforeAnythingChanges() {
        QFETCH(QString, rows);
        QFETCH(QString, cols);
        QFETCH(QString, message);
        QFETCH(QSize, grid);
        commit(QStringLiteral("gato"));
        window->cmdStart_Click();
        window->cmdFinish_Click();
        const Grid before = window->session().puzzle().WordGrid;
        const QString shownBefore = window->txtWordText();
        window->txtGridRows->setText(rows);
        window->txtGridCol->setText(cols);
        QTest::mouseClick(window->cmdStart, Qt::LeftButton);
        if (message.isEmpty()) {
            QVERIFY(messages.isEmpty());
            QCOMPARE(window->session().puzzle().WordGrid.rows(), grid.width());
            QCOMPARE(window->session().puzzle().WordGrid.cols(), grid.height());
            QVERIFY(window->cmdFinish->isEnabled());
            QCOMPARE(displayRows(*window, grid.height()).size(), grid.width());
            verifyPlacements(*window, false);
        } else {
            QCOMPARE(messages, QStringList{message});
            QVERIFY(window->session().puzzle().WordGrid == before);
            QCOMPARE(window->txtWordText(), shownBefore);
            QVERIFY(!window->cmdFinish->isEnabled());
        }
    }

    void startPlacesWordsOnStraightLinesInTheAllowedDirections_data() {
        QTest::addColumn<std::uint64_t>("clock");
        QTest::addColumn<bool>("easy");
        for (std::uint64_t clock : {1ULL, 2ULL, 77ULL, 123456789ULL}) {
            QTest::addRow("master, clock %llu", static_cast<unsigned long long>(clock))
                << clock << false;
            QTest::addRow("easy, clock %llu", static_cast<unsigned long long>(clock))
                << clock << true;
        }
    }
    void startPlacesWordsOnStraightLinesInTheAllowedDirections() {
        QFETCH(std::uint64_t, clock);
        QFETCH(bool, easy);
        cleanup();
        open(clock);
        const QStringList words{"murciélago", "niño",  "sol",      "mar", "perro", "gato",
                                "casa",       "árbol", "pingüino", "luz", "agua",  "montaña"};
        for (const QString& word : words) commit(word);
        window->txtGridRows->setText(QStringLiteral("9"));
        window->txtGridCol->setText(QStringLiteral("12"));
        if (easy) QTest::mouseClick(window->optEasy, Qt::LeftButton);
        QCOMPARE(window->optEasy->isChecked(), easy);
        QTest::mouseClick(window->cmdStart, Qt::LeftButton);

        QCOMPARE(window->session().puzzle().WordGrid.rows(), 9);
        QCOMPARE(window->session().puzzle().WordGrid.cols(), 12);
        QCOMPARE(window->session().puzzle().WordPool.size(), words.size() + 2);
        for (qsizetype i = 2; i <= words.size(); ++i) {
            QVERIFY(wordLength(window->session().puzzle().WordPool.at(i - 1)) >=
                    wordLength(window->session().puzzle().WordPool.at(i)));
        }
        QVERIFY(!window->session().placements().empty());
        verifyPlacements(*window, easy);
        if (QTest::currentTestFailed()) return;
        // The display shows exactly the grid.
        const QList<QString> rows = displayRows(*window, 12);
        QCOMPARE(rows.size(), 9);
        for (int r = 1; r <= 9; ++r) {
            QCOMPARE(rows.at(r - 1).toStdU32String().size(), std::size_t{12});
            for (int c = 1; c <= 12; ++c) {
                QCOMPARE(rows.at(r - 1).toStdU32String()[c - 1], window->session().puzzle().WordGrid.at(r, c));
            }
        }
        QVERIFY(window->cmdFinish->isEnabled());
        QVERIFY(!window->cmdExport->isEnabled());
    }

    void theWordLimitCapsTheWordsTried_data() {
        QTest::addColumn<QString>("limit");
        QTest::addColumn<int>("tried");
        QTest::newRow("none") << QStringLiteral("0") << 0;
        QTest::newRow("not a number") << QStringLiteral("muchas") << 0;
        QTest::newRow("2.5 tries two") << QStringLiteral("2.5") << 2;
        QTest::newRow("more than the list") << QStringLiteral("100") << 4;
    }
    void theWordLimitCapsTheWordsTried() {
        QFETCH(QString, limit);
        QFETCH(int, tried);
        for (const char* word : {"oso", "sol", "mar", "pan"}) commit(QString::fromLatin1(word));
        window->txtWordCount->setText(limit);
        window->cmdStart_Click();
        // Short words in a 20 by 20 grid always find a place.
        QCOMPARE(static_cast<int>(window->session().placements().size()), tried);
        for (const Placement& placement : window->session().placements()) QVERIFY(placement.poolIndex <= tried);
        verifyPlacements(*window, false);
        QVERIFY(window->cmdFinish->isEnabled());
    }

    void theSameClockBuildsTheSamePuzzle() {
        auto build = [this](std::uint64_t clock) {
            cleanup();
            open(clock);
            for (const char* word : {"mariposa", "nube", "río", "sol"}) {
                commit(QString::fromUtf8(word));
            }
            window->cmdStart_Click();
            window->cmdFinish_Click();
            return window->txtWordText();
        };
        const QString first = build(42);
        QVERIFY(!first.isEmpty());
        QCOMPARE(build(42), first);
    }

    void finishFillsEveryEmptyCellAndKeepsTheSolution() {
        for (const char* word : {"sopa", "letras", "ñandú"}) commit(QString::fromUtf8(word));
        window->txtGridRows->setText(QStringLiteral("7.5"));  // 8 rows
        window->txtGridCol->setText(QStringLiteral("6"));
        window->cmdStart_Click();
        const Grid placed = window->session().puzzle().WordGrid;
        QTest::mouseClick(window->cmdFinish, Qt::LeftButton);

        QVERIFY(!window->cmdFinish->isEnabled());
        QVERIFY(window->cmdExport->isEnabled());
        const Grid& finished = window->session().puzzle().WordGrid;
        for (int r = 1; r <= 8; ++r) {
            for (int c = 1; c <= 6; ++c) {
                QVERIFY(finished.at(r, c) != kEmptyCell);
                QCOMPARE(window->session().puzzle().SolutionGrid.at(r, c), placed.at(r, c));
                if (placed.at(r, c) != kEmptyCell) QCOMPARE(finished.at(r, c), placed.at(r, c));
            }
        }
        const QList<QString> rows = displayRows(*window, 6);
        QCOMPARE(rows.size(), 8);
        for (const QString& row : rows) QVERIFY2(!row.contains(u'.'), qPrintable(row));

        // A new start makes the finishing step available again.
        QTest::mouseClick(window->cmdStart, Qt::LeftButton);
        QVERIFY(window->cmdFinish->isEnabled());
        QVERIFY(window->cmdExport->isEnabled());
        QVERIFY(window->txtWordText().contains(u'.'));
    }

    void theAccessKeysDriveTheRoadOfAPuzzle() {
        commit(QStringLiteral("tortuga"));
        commit(QStringLiteral("pez"));
        QTest::keyClick(window, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(window->optEasy->isChecked());
        QTest::keyClick(window, Qt::Key_I, Qt::AltModifier);
        QTRY_VERIFY(window->cmdFinish->isEnabled());
        verifyPlacements(*window, true);
        QTest::keyClick(window, Qt::Key_V, Qt::AltModifier);
        QTRY_VERIFY(window->cmdExport->isEnabled());
        QVERIFY(!window->txtWordText().contains(u'.'));
        selectRow(0);
        QTest::keyClick(window, Qt::Key_Q, Qt::AltModifier);
        QTRY_COMPARE(shownWords(*window), QStringList{QStringLiteral("TORTUGA")});
        QTest::keyClick(window, Qt::Key_L, Qt::AltModifier);
        QTRY_VERIFY(shownWords(*window).isEmpty());
        QTRY_VERIFY(!window->cmdExport->isEnabled());
    }

    void exitEndsTheProgramWithoutUnloading() {
        QSignalSpy unloading(window, &frmMain::unloading);
        QPointer<frmMain> alive(window);
        QTest::keyClick(window, Qt::Key_X, Qt::AltModifier);
        QTRY_VERIFY(program->exiting());
        QVERIFY(!window->isVisible());
        QVERIFY(!alive.isNull());
        QCOMPARE(unloading.count(), 0);
    }

    void exitLeavesTheEventLoopWithStatusZero() {
        QWidget other;
        other.show();
        QTimer::singleShot(0, window->cmdExit, &QPushButton::click);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!other.isVisible());
        QVERIFY(!window->isVisible());
    }

    void closingUnloadsTheWindowAndAFreshOneStartsFromTheDesignValues() {
        commit(QStringLiteral("casa"));
        window->txtGridRows->setText(QStringLiteral("8"));
        QSignalSpy unloading(window, &frmMain::unloading);
        QPointer<frmMain> closed(window);
        QVERIFY(window->close());
        QCOMPARE(unloading.count(), 1);
        QTRY_VERIFY(closed.isNull());
        QVERIFY(program->mainWindow() == nullptr);

        window = program->showMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QVERIFY(shownWords(*window).isEmpty());
        QCOMPARE(window->txtGridRows->text(), QStringLiteral("20"));
        QVERIFY(!window->cmdStart->isEnabled());
        QVERIFY(!program->exiting());
    }

    void showingTheLoadedWindowActivatesItInsteadOfLoadingAnother() {
        commit(QStringLiteral("casa"));
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(program->showMainWindow(), window);
        QTRY_COMPARE(QApplication::activeWindow(), window);
        QCOMPARE(shownWords(*window), QStringList{QStringLiteral("CASA")});
    }

    void loadingCentresTheWindowBeforeItIsShown() {
        const frmMain loaded(*program);
        QVERIFY(!loaded.isVisible());
        const QRect screen = loaded.screen()->geometry();
        const QRect outer = loaded.frameGeometry();
        // Already at its full size, menu bar included, when it is centred.
        QCOMPARE(outer.size(), window->geometry().size());
        QVERIFY(qAbs(outer.x() - (screen.width() - outer.width()) / 2.0) <= 0.5);
        QVERIFY(qAbs(outer.y() - (screen.height() - outer.height()) / 2.0) <= 0.5);
    }

    void centreFormCentresAnyWindowInItsNormalState() {
        QWidget other;
        other.resize(300, 201);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        other.move(0, 0);
        window->CenterForm(&other);
        const QRect screen = other.screen()->geometry();
        const QRect outer = other.frameGeometry();
        // The outer size counts the window's frame; an odd difference leaves
        // half a pixel, and either neighbour is right.
        QVERIFY(qAbs(outer.x() - (screen.width() - outer.width()) / 2.0) <= 0.5);
        QVERIFY(qAbs(outer.y() - (screen.height() - outer.height()) / 2.0) <= 0.5);
        QVERIFY(outer.topLeft() != QPoint(0, 0));
    }

    void centreFormLeavesAMaximisedWindowWhereItIs() {
        QWidget other;
        other.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QTRY_VERIFY(other.isMaximized());
        const QRect before = other.frameGeometry();
        window->CenterForm(&other);
        QCOMPARE(other.frameGeometry(), before);
    }

    void eachActivationCentresTheWindowAgainAfterItsBannerSteps() {
        const QRect screen = window->screen()->geometry();
        const QPoint centre((screen.width() - window->frameGeometry().width()) / 2,
                            (screen.height() - window->frameGeometry().height()) / 2);
        QCOMPARE(window->frameGeometry().topLeft(), centre);

        int activations = 0;
        connect(window, &frmMain::activated, this, [&] {
            ++activations;
            window->move(3, 4);  // undone only if the centring comes after
        });
        window->move(10, 10);
        QWidget other;  // as the about window would be
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(window->frameGeometry().topLeft(), QPoint(10, 10));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTRY_COMPARE(activations, 1);
        QCOMPARE(window->frameGeometry().topLeft(), centre);
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
