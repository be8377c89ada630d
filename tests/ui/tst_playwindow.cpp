// "Jugar en &pantalla...": a finished puzzle solved in its own window with
// real mouse, touch and key events.
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "PlayGrid.h"
#include "PlayWindow.h"
#include "Shape.h"
#include "WindowTestTools.h"
#include "Worksheet.h"

using namespace sopaly;

namespace {

enum class Way { Drag, TwoClicks, Keys, Touch };

}  // namespace

Q_DECLARE_METATYPE(Way)

namespace {

// Whether the grid as painted shows `colour` along the edge of the outline
// of `line`: what a pupil sees, the letters aside.
bool outlined(PlayGrid* grid, const CellLine& line, QColor colour) {
    const QImage image = grid->grab().toImage();
    const double cell = grid->cellRect(line.start).width();
    const double ratio = image.width() / static_cast<double>(grid->width());
    const QPointF normal =
        QPointF(-line.dRow, line.dCol) / std::max(1.0, std::hypot(line.dRow, line.dCol));
    for (int i = 0; i < line.length; ++i) {
        const QPointF edge = grid->cellRect(line.at(i)).center() +
                             (line.length > 1 ? normal : QPointF(0, 1)) * cell * 0.39;
        for (int dy = -4; dy <= 4; ++dy) {
            for (int dx = -4; dx <= 4; ++dx) {
                const QColor seen = image.pixelColor(((edge + QPointF(dx, dy)) * ratio).toPoint());
                if (std::abs(seen.red() - colour.red()) < 24 &&
                    std::abs(seen.green() - colour.green()) < 24 &&
                    std::abs(seen.blue() - colour.blue()) < 24)
                    return true;
            }
        }
    }
    return false;
}

}  // namespace

class PlayWindowTest : public WindowTest {
    Q_OBJECT

    qint64 now = 0;
    const QStringList words{QStringLiteral("CAMPANA"), QStringLiteral("PERRO"),
                            QStringLiteral("GATO"), QStringLiteral("ÑANDÚ")};

    // Builds and finishes a puzzle with the main window's buttons and opens
    // it with Ctrl+J.
    PlayWindow* openGame() {
        for (const QString& word : words) {
            window->txtInputWord->setText(word);
            QTest::keyClick(window->txtInputWord, Qt::Key_Return);
        }
        window->txtGridRows->setText(QStringLiteral("12"));
        window->txtGridCol->setText(QStringLiteral("12"));
        QTest::mouseClick(window->cmdStart, Qt::LeftButton);
        QTest::mouseClick(window->cmdFinish, Qt::LeftButton);
        QTest::keyClick(window, Qt::Key_J, Qt::ControlModifier);
        auto* play = window->findChild<PlayWindow*>();
        if (play && !QTest::qWaitFor([play] { return QApplication::activeWindow() == play; }))
            return nullptr;
        return play;
    }

    void select(PlayWindow* play, Way way, CellPos from, CellPos to) {
        PlayGrid* grid = play->grid;
        const QPoint a = grid->cellCentre(from);
        const QPoint b = grid->cellCentre(to);
        switch (way) {
            case Way::Drag:
                QTest::mousePress(grid, Qt::LeftButton, {}, a);
                QTest::mouseMove(grid, (a + b) / 2);
                QTest::mouseMove(grid, b);
                QTest::mouseRelease(grid, Qt::LeftButton, {}, b);
                break;
            case Way::TwoClicks:
                QTest::mouseClick(grid, Qt::LeftButton, {}, a);
                QTest::mouseClick(grid, Qt::LeftButton, {}, b);
                break;
            case Way::Keys:
                walkTo(grid, from);
                QTest::keyClick(grid, Qt::Key_Space);
                walkTo(grid, to);
                QTest::keyClick(grid, Qt::Key_Return);
                break;
            case Way::Touch: {
                static QPointingDevice* finger = QTest::createTouchDevice();
                QTest::touchEvent(grid, finger).press(0, a);
                QTest::touchEvent(grid, finger).move(0, (a + b) / 2);
                QTest::touchEvent(grid, finger).move(0, b);
                QTest::touchEvent(grid, finger).release(0, b);
                break;
            }
        }
    }

    static void walkTo(PlayGrid* grid, CellPos cell) {
        QTest::keyClick(grid, Qt::Key_Home);
        while (grid->cursorCell().row < cell.row) QTest::keyClick(grid, Qt::Key_Down);
        while (grid->cursorCell().row > cell.row) QTest::keyClick(grid, Qt::Key_Up);
        while (grid->cursorCell().col < cell.col) QTest::keyClick(grid, Qt::Key_Right);
        while (grid->cursorCell().col > cell.col) QTest::keyClick(grid, Qt::Key_Left);
    }

    static const CellLine& place(PlayWindow* play, int word) {
        return play->game().puzzle().places.at(static_cast<std::size_t>(word));
    }

  private slots:
    void init() {
        QVERIFY(openWindow());
        now = 0;
        window->playClock = [this] { return now; };
    }
    void cleanup() { closeWindow(); }

    void aWordIsFoundEachWayAndOnlyOnce_data() {
        QTest::addColumn<Way>("way");
        QTest::addColumn<bool>("reversed");
        QTest::newRow("drag") << Way::Drag << false;
        QTest::newRow("drag from the last letter") << Way::Drag << true;
        QTest::newRow("two clicks") << Way::TwoClicks << false;
        QTest::newRow("keys") << Way::Keys << true;
        QTest::newRow("touch") << Way::Touch << false;
    }
    void aWordIsFoundEachWayAndOnlyOnce() {
        QFETCH(Way, way);
        QFETCH(bool, reversed);
        PlayWindow* play = openGame();
        QVERIFY(play);
        QCOMPARE(play->windowTitle(), QStringLiteral("Jugar - Sopaly!!!"));
        QCOMPARE(play->lstWords->count(), 4);
        const CellLine word = place(play, 1);
        // A selection one letter short finds nothing and costs nothing.
        select(play, way, word.start, word.at(word.length - 2));
        QCOMPARE(play->lblCounter->text(), QStringLiteral("Encontradas: 0 de 4"));
        for (int time = 0; time < 2; ++time) {
            select(play, way, reversed ? word.end() : word.start,
                   reversed ? word.start : word.end());
            QCOMPARE(play->lblCounter->text(), QStringLiteral("Encontradas: 1 de 4"));
        }
        QVERIFY(play->lstWords->item(1)->font().strikeOut());
        QVERIFY(!play->lstWords->item(0)->font().strikeOut());
        QVERIFY(outlined(play->grid, word, wordColour(1)));
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(play->grid);
        QCOMPARE(table->role(), QAccessible::Table);
        const QString name = table->tableInterface()
                                 ->cellAt(word.start.row - 1, word.start.col - 1)
                                 ->text(QAccessible::Name);
        QCOMPARE(name, play->game().puzzle().letter(word.start) +
                           QStringLiteral(", fila %1, columna %2, encontrada")
                               .arg(word.start.row)
                               .arg(word.start.col));
    }

    void theEndSaysTheTimeOfTheInjectedClockAndTheHints() {
        PlayWindow* play = openGame();
        QVERIFY(play);
        play->lstWords->setCurrentRow(2);
        QTest::keyClick(play, Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(play->game().hintsUsed(), 1);
        // The hint shows the chosen word's first letter.
        const CellLine third = place(play, 2);
        QTRY_VERIFY(outlined(play->grid, {third.start, 0, 0, 1}, QColor(0xF0, 0xE4, 0x42)));
        for (int word = 0; word < 4; ++word) {
            now += 68000;
            select(play, Way::Drag, place(play, word).start, place(play, word).end());
        }
        now += 5000;
        QCOMPARE(play->lblMessage->text(),
                 QStringLiteral("¡Muy bien! Encontraste las 4 palabras en 4:32 y usaste 1 pista."));
        QTRY_COMPARE(play->lblClock->text(), QStringLiteral("4:32"));
        QVERIFY(!play->cmdHint->isEnabled());
    }

    void givingUpOutlinesTheRestInGreyAndStopsTheClock() {
        PlayWindow* play = openGame();
        QVERIFY(play);
        select(play, Way::Drag, place(play, 0).start, place(play, 0).end());
        now = 65000;
        QTRY_COMPARE(play->lblClock->text(), QStringLiteral("1:05"));
        QTest::keyClick(play, Qt::Key_R, Qt::AltModifier);
        QTRY_VERIFY(play->game().gaveUp());
        now = 99000;
        QTest::qWait(300);
        QCOMPARE(play->lblClock->text(), QStringLiteral("1:05"));
        QVERIFY(outlined(play->grid, place(play, 0), wordColour(0)));
        for (int word = 1; word < 4; ++word)
            QVERIFY(outlined(play->grid, place(play, word), QColor(0x80, 0x80, 0x80)));
        QVERIFY(!play->cmdGiveUp->isEnabled());
    }

    void aShapedLowerCasePuzzleWithItsListHidden() {
        window->mnuLowerCase->trigger();
        window->mnuHideList->trigger();
        window->mnuShapes[static_cast<std::size_t>(Shape::Heart)]->trigger();
        window->mnuEasyReading->trigger();
        PlayWindow* play = openGame();
        QVERIFY(play);
        QVERIFY(!play->lstWords->isVisible());
        // The worksheet's easy-reading face, Andika where it is installed.
        QCOMPARE(play->grid->font().family(), worksheetFontFamily(true));
        QCOMPARE(play->lblHiddenList->text(),
                 QStringLiteral("Encuentra las 4 palabras escondidas."));
        const PlayPuzzle& puzzle = play->game().puzzle();
        QCOMPARE(puzzle.letter({1, 1}), QString());  // a heart's corner
        const CellLine word = place(play, 2);
        QCOMPARE(puzzle.words.at(2), QStringLiteral("ñandú"));
        QCOMPARE(puzzle.letter(word.start), QStringLiteral("ñ"));
        select(play, Way::Touch, word.end(), word.start);
        QCOMPARE(play->lblCounter->text(), QStringLiteral("Encontradas: 1 de 4"));
    }

    void aNewStartLeavesAnOpenGameAlone() {
        PlayWindow* play = openGame();
        QVERIFY(play);
        const Grid before = play->game().puzzle().grid;
        window->activateWindow();
        QTest::mouseClick(window->cmdStart, Qt::LeftButton);
        QTest::mouseClick(window->cmdFinish, Qt::LeftButton);
        QVERIFY(window->session().puzzle().WordGrid != before);
        QCOMPARE(play->game().puzzle().grid, before);
        select(play, Way::Drag, place(play, 0).start, place(play, 0).end());
        QCOMPARE(play->lblCounter->text(), QStringLiteral("Encontradas: 1 de 4"));
    }
};

QTEST_MAIN(PlayWindowTest)
#include "tst_playwindow.moc"
