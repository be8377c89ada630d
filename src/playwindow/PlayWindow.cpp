#include "PlayWindow.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "PlayGrid.h"
#include "PlayPuzzle.h"
#include "Worksheet.h"

namespace sopaly {

namespace {

PlayPuzzle fromSheet(const WorksheetPuzzle& sheet) {
    return playPuzzle(sheet.grid, sheet.pool, sheet.placements, sheet.words.placed, sheet.lowerCase,
                      sheet.hideList);
}

// A small square of the word's colour beside a found word in the list.
QIcon swatch(int word) {
    QPixmap square(16, 16);
    square.fill(wordColour(word));
    return QIcon(square);
}

}  // namespace

PlayWindow::PlayWindow(const WorksheetPuzzle& sheet, PlayGame::Clock clock, QWidget* parent)
    : QWidget(parent, Qt::Window), game_(fromSheet(sheet), std::move(clock)) {
    setObjectName(QStringLiteral("PlayWindow"));
    setWindowTitle(tr("Jugar - Sopaly!!!"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The easy-reading face of the worksheet, for the letters and the list
    // alike, when the teacher chose it and it is installed.
    if (sheet.easyReading) {
        QFont face = font();
        face.setFamily(worksheetFontFamily(true));
        setFont(face);
    }
    setupWidgets();
    setupShortcuts();
    clockTimer_.setInterval(200);
    connect(&clockTimer_, &QTimer::timeout, this, &PlayWindow::tick);
    clockTimer_.start();
    showState();
    resize(1100, 720);
    grid->setFocus();
}

void PlayWindow::setupWidgets() {
    grid = new PlayGrid(game_, this);
    grid->setObjectName(QStringLiteral("grid"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(grid, 3);
    layout->addWidget(sidePanel(), 1);
    connect(grid, &PlayGrid::selectionMade, this, &PlayWindow::selectionMade);
    connect(cmdHint, &QPushButton::clicked, this, &PlayWindow::hintClicked);
    connect(cmdGiveUp, &QPushButton::clicked, this, &PlayWindow::giveUpClicked);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
}

QWidget* PlayWindow::sidePanel() {
    auto* panel = new QWidget(this);
    // Large enough to read from the back of a classroom.
    QFont font = panel->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    panel->setFont(font);
    auto* column = new QVBoxLayout(panel);
    lblClock = new QLabel(panel);
    lblClock->setObjectName(QStringLiteral("lblClock"));
    QFont clockFont = font;
    clockFont.setPointSizeF(font.pointSizeF() * 1.6);
    clockFont.setBold(true);
    lblClock->setFont(clockFont);
    lblClock->setAccessibleDescription(tr("Tiempo"));
    lblCounter = new QLabel(panel);
    lblCounter->setObjectName(QStringLiteral("lblCounter"));
    column->addWidget(lblClock);
    column->addWidget(lblCounter);
    lstWords = new QListWidget(panel);
    lstWords->setObjectName(QStringLiteral("lstWords"));
    lstWords->setAccessibleName(tr("Palabras"));
    lblHiddenList = new QLabel(panel);
    lblHiddenList->setObjectName(QStringLiteral("lblHiddenList"));
    lblHiddenList->setWordWrap(true);
    column->addWidget(lstWords, 1);
    column->addWidget(lblHiddenList);
    lblMessage = new QLabel(panel);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setWordWrap(true);
    column->addWidget(lblMessage);
    if (game_.puzzle().hideList) column->addStretch(1);
    cmdHint = new QPushButton(tr("&Pista"), panel);
    cmdHint->setObjectName(QStringLiteral("cmdHint"));
    cmdGiveUp = new QPushButton(tr("&Rendirse"), panel);
    cmdGiveUp->setObjectName(QStringLiteral("cmdGiveUp"));
    cmdClose = new QPushButton(tr("&Cerrar"), panel);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton* button : {cmdHint, cmdGiveUp, cmdClose}) {
        button->setMinimumHeight(48);  // a finger's width on a board
        button->setAutoDefault(false);
        column->addWidget(button);
    }
    showWords();
    return panel;
}

void PlayWindow::setupShortcuts() {
    auto add = [this](const QKeySequence& keys, auto slot) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, slot);
    };
    add(QKeySequence(Qt::Key_F11), &PlayWindow::toggleFullScreen);
    add(QKeySequence::ZoomIn, [this] { grid->zoomIn(); });
    // Ctrl++ on a keyboard where + takes no Shift.
    add(QKeySequence(Qt::CTRL | Qt::Key_Plus), [this] { grid->zoomIn(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { grid->zoomIn(); });
    add(QKeySequence::ZoomOut, [this] { grid->zoomOut(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { grid->resetZoom(); });
}

void PlayWindow::showWords() {
    const bool hidden = game_.puzzle().hideList;
    lstWords->setVisible(!hidden);
    lblHiddenList->setVisible(hidden);
    lblHiddenList->setText(hidden ? game_.hiddenListText() : QString());
    if (hidden) return;
    lstWords->clear();
    for (int i = 0; i < game_.wordCount(); ++i) {
        auto* item = new QListWidgetItem(game_.puzzle().words.at(i), lstWords);
        if (!game_.isFound(i)) continue;
        QFont struck = item->font();
        struck.setStrikeOut(true);
        item->setFont(struck);
        item->setIcon(swatch(i));
        // Struck through and said so: not by colour alone.
        item->setData(Qt::AccessibleTextRole, tr("%1, encontrada").arg(item->text()));
    }
}

void PlayWindow::showState() {
    lblCounter->setText(game_.counterText());
    tick();
    if (game_.isWon()) lblMessage->setText(game_.endText());
    cmdHint->setEnabled(!game_.isOver());
    cmdGiveUp->setEnabled(!game_.isOver());
}

void PlayWindow::tick() {
    const QString time = PlayGame::timeText(game_.elapsedMs());
    if (lblClock->text() != time) lblClock->setText(time);
    if (game_.isOver()) clockTimer_.stop();
}

void PlayWindow::selectionMade(const PlayGame::Result& result) {
    if (!result.newlyFound) return;
    const int current = lstWords->currentRow();
    showWords();
    if (current >= 0) lstWords->setCurrentRow(current);
    grid->gameChanged();
    showState();
}

void PlayWindow::hintClicked() {
    std::optional<int> chosen;
    if (lstWords->isVisible() && lstWords->currentRow() >= 0) chosen = lstWords->currentRow();
    const std::optional<int> word = game_.hint(chosen);
    if (!word) return;
    grid->blinkHint(*word);
    const CellPos first = game_.puzzle().places.at(static_cast<std::size_t>(*word)).start;
    lblMessage->setText(
        tr("Pista: una palabra empieza en la fila %1, columna %2.").arg(first.row).arg(first.col));
}

void PlayWindow::giveUpClicked() {
    game_.giveUp();
    grid->gameChanged();
    lblMessage->clear();
    showState();
}

void PlayWindow::toggleFullScreen() {
    setWindowState(windowState() ^ Qt::WindowFullScreen);
}

}  // namespace sopaly
