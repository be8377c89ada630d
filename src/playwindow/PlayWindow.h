#pragma once

#include <QTimer>
#include <QWidget>

#include "PlayGame.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace sopaly {

class PlayGrid;
struct WorksheetPuzzle;

// "Jugar - Sopaly!!!": a finished puzzle solved on screen. It keeps its own
// copy of the puzzle, so a new build in the main window leaves it alone,
// and it needs no right click, double click, hover or keyboard to finish.
class PlayWindow : public QWidget {
    Q_OBJECT
  public:
    // `clock` is the game's; the machine's steady clock when none is given.
    explicit PlayWindow(const WorksheetPuzzle& sheet, PlayGame::Clock clock = {},
                        QWidget* parent = nullptr);

    const PlayGame& game() const { return game_; }

    PlayGrid* grid = nullptr;
    QListWidget* lstWords = nullptr;  // the words, unless the list is hidden
    QLabel* lblHiddenList = nullptr;  // what stands for a hidden list
    QLabel* lblCounter = nullptr;
    QLabel* lblClock = nullptr;
    QLabel* lblMessage = nullptr;  // a hint's place, the end of the game
    QPushButton* cmdHint = nullptr;
    QPushButton* cmdGiveUp = nullptr;
    QPushButton* cmdClose = nullptr;

  private:
    void setupWidgets();
    void setupShortcuts();
    QWidget* sidePanel();
    void selectionMade(const PlayGame::Result& result);
    void hintClicked();
    void giveUpClicked();
    void showWords();
    void showState();
    void tick();
    void toggleFullScreen();

    PlayGame game_;
    QTimer clockTimer_;
};

}  // namespace sopaly
