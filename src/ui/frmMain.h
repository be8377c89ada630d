#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "BannerViewer.h"
#include "Form1.h"
#include "Puzzle.h"
#include "SafeWrite.h"
#include "Settings.h"
#include "StatusLine.h"

class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QRadioButton;
class QTextEdit;
class QTimer;
class QUrl;

namespace sopaly {

class Frame;
class SponsorBanner;
class LineShape;
class Program;
class WordList;

// The main window: the word list, the settings, the puzzle display and every
// button of the road of a puzzle. The controls are public members under their
// design names so that the handlers added by other subsystems, and the tests,
// reach them directly.
class frmMain : public QMainWindow {
    Q_OBJECT
  public:
    explicit frmMain(Program& program, QWidget* parent = nullptr);
    ~frmMain() override;

    Program& program() const { return program_; }

    // --- Controls, frame by frame -------------------------------------------
    Frame* fraInputWord = nullptr;
    QLineEdit* txtInputWord = nullptr;
    QListView* lstInputWord = nullptr;  // shows wordList(), single selection
    QPushButton* cmdRemove = nullptr;

    Frame* fraGrid = nullptr;
    QLineEdit* txtGridRows = nullptr;
    std::array<QLabel*, 2> lblLabel1{};  // "Filas", "Columnas"
    QLineEdit* txtGridCol = nullptr;

    Frame* fraWordCount = nullptr;
    QLineEdit* txtWordCount = nullptr;

    Frame* fraOfPuzzlesToCreate = nullptr;  // the batch panel
    QLineEdit* txtNumOfPuzzles = nullptr;
    QPushButton* cmdAuto = nullptr;
    QLabel* lblNumOfPuzzles = nullptr;
    LineShape* linRed = nullptr;
    LineShape* linGrn = nullptr;

    Frame* fraRawPuzzle = nullptr;
    QTextEdit* txtWord = nullptr;  // the puzzle display

    Frame* fraDifficulty = nullptr;
    QRadioButton* optHard = nullptr;
    QRadioButton* optEasy = nullptr;

    QPushButton* cmdStart = nullptr;
    QPushButton* cmdFinish = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdNew = nullptr;
    QPushButton* cmdExit = nullptr;

    QLabel* lbl = nullptr;           // the help text
    BannerViewer* Banner = nullptr;  // where the sponsor picture goes
    QLabel* sensor = nullptr;        // the click area over the banner
    QLabel* Click = nullptr;         // the sponsor line, below the design client area

    QTimer* T = nullptr;        // banner tick, 5000 ms, running from load
    QTimer* tmrAuto = nullptr;  // batch panel animation, 10 ms, off

    QMenu* mnuAbout = nullptr;
    QAction* about = nullptr;
    QAction* web = nullptr;

    QMenu* mnuFile = nullptr;  // "A&rchivo", before "&Acerca de..."
    QAction* mnuOpenList = nullptr;
    QAction* mnuSaveList = nullptr;
    QAction* mnuWorksheetPdf = nullptr;  // enabled with cmdExport
    QAction* mnuClassroomPdf = nullptr;
    QAction* mnuPrintWorksheet = nullptr;  // enabled with cmdExport

    // "&Opciones", between "A&rchivo" and "&Acerca de...": read at each
    // build, batch and classroom set, like the other settings.
    QMenu* mnuOptions = nullptr;
    QAction* mnuLowerCase = nullptr;  // a check
    QMenu* mnuShape = nullptr;
    std::array<QAction*, kShapes.size()> mnuShapes{};  // one checked, in kShapes' order
    QAction* mnuSecretMessage = nullptr;
    QAction* mnuHideList = nullptr;  // a check
    // At the foot of the window: which words the last build left out.
    // It also tells what the last list opened added, and which words a
    // puzzle file cannot hold as they enter.
    StatusLine* lblPuzzleWords = nullptr;

    // --- State ----------------------------------------------------------------
    sopaly::Puzzle Puzzle;
    // Where the last build put each word it placed.
    std::vector<Placement> Placements;
    // The settings the last build read.
    PuzzleSettings BuiltWith;
    // The batch panel's direction: false widens it, true narrows it.
    bool PanelClosing = false;
    // The secret message typed at "Mensaje &secreto...", for this run only.
    QString SecretMessageText;

    // How the window tells the user something; tests capture it instead of
    // answering a modal box.
    std::function<void(const QString&)> showMessage;
    // The name prompt of the print button; Cancel gives the empty text.
    std::function<QString()> askPuzzleName;

    // The file dialogs of the "A&rchivo" menu: the chosen path, or an empty
    // text when the user cancels.
    std::function<QString(const QString& caption, const QString& suggested)> chooseOpenFile;
    std::function<QString(const QString& caption, const QString& suggested)> chooseSaveFile;
    // The print button's prompt with the last name filled in; nothing on Cancel.
    std::function<std::optional<QString>(const QString& last)> askWorksheetName;
    // The secret message prompt with the current message filled in;
    // nothing on Cancel.
    std::function<std::optional<QString>(const QString& current)> askSecretMessage;
    // How many versions a classroom set has, `last` offered; nothing on Cancel.
    std::function<std::optional<int>(int last)> askVersionCount;

    // Hands a web address to the system's browser; tests watch it instead.
    std::function<void(const QUrl&)> openAddress;

    // The sponsor banner behind Banner, sensor, Click and the timer T.
    SponsorBanner& sponsorBanner() const { return *banner_; }

    // The open print preview, if any.
    Form1* preview() const;
    // True from the start of a batch run to its end.
    bool batchRunning() const { return batchRunning_; }
    // Writes the finished puzzle, its words and its solution to sFilePath.
    // On failure tells the user which file and why, and returns false.
    bool AutoExportPuzzle(const QString& sFilePath);

    WordList& wordList() const { return *words_; }
    // The settings controls as they read now.
    PuzzleSettings settings() const;
    // The display's whole text, rows ended by "\r\n" as they were rendered.
    QString txtWordText() const;

    // Centres any window on its screen, unless it is minimised or maximised.
    void CenterForm(QWidget* anyForm);
    // "SORT", "DELETE" or "CLEAR", in any case; any other mode does nothing.
    void ListBoxControl(const QString& sMode);
    void ShowWordOnWordText();

    // --- Event handlers --------------------------------------------------------
    void txtInputWord_KeyPress(int KeyAscii);
    void txtInputWord_Change();
    void lstInputWord_Click();
    void cmdRemove_Click();
    void cmdNew_Click();
    void txtWordCount_Change();
    void cmdStart_Click();
    void cmdFinish_Click();
    void cmdExport_Click();
    void cmdAuto_Click();
    void tmrAuto_Timer();
    void cmdExit_Click();
    void about_Click();
    void mnuAbout_Click();
    void web_Click();
    void Click_Click();
    void sensor_Click();
    void T_Timer();
    void mnuOpenList_Click();
    void mnuSaveList_Click();
    void mnuWorksheetPdf_Click();
    void mnuClassroomPdf_Click();
    void mnuPrintWorksheet_Click();
    void mnuLowerCase_Click();
    void mnuShape_Click();
    void mnuSecretMessage_Click();
    void mnuHideList_Click();

  signals:
    // Each time the window becomes active, before it is centred again.
    void activated();
    // The window is being closed by the user; it is destroyed right after.
    void unloading();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // The activation steps: activated(), then the centring.
    virtual void Form_Activate();

  private:
    void setupWidgets();
    void setupMenus();
    void setupTimers();
    void setupTabOrder();
    void setupFileMenu();
    void updateFileMenu();
    void setupOptionsMenu();
    // Keeps the menu's checks in the settings.
    void rememberOptionsMenu();
    // Fills the settings controls from what the user (or an administrator)
    // kept, and keeps what the user changes in them.
    void setupSettings();
    // Tells the user, once, that the settings could not be kept.
    void settingsStored(const std::optional<QString>& failure);
    // A file dialog in its remembered folder; the folder of the file chosen
    // is remembered for next time.
    QString chooseFile(bool save, FileDialog dialog, const QString& caption,
                       const QString& fileName = QString());
    // Writes a file the user chose; on failure tells which and why, once.
    bool writeChosenFile(const QString& path, const QByteArray& bytes);
    // The name and then the PDF file for the worksheet features; nothing
    // when the user cancels either.
    std::optional<std::pair<QString, QString>> askNameAndPdfPath(FileDialog dialog,
                                                                 const QString& caption);
    void Form_Load();
    void Form_Unload();
    void centreOnActivation();
    // Puts words into the list as Enter does; the caller has made sure
    // that the list holds them all.
    void commitWords(const QStringList& words);
    // Names in the status line the words a puzzle file cannot hold.
    void tellUnencodable(const QStringList& words);
    // Shows a message, or during a batch run keeps the run's first one
    // for its end.
    void tell(const QString& text);
    // Handles the events that have come in. Waiting blocks until one does,
    // so the panel loops sleep between timer ticks instead of spinning.
    void yieldToEvents(bool wait);
    // The row and column texts, checked as the start button checks them;
    // false after telling the user which field is wrong.
    bool gridSizeIsUsable(const PuzzleSettings& current);
    // How the puzzles of a batch run ended.
    enum class BatchEnd { Completed, ListEmptied, Failed, Stopped };
    // The batch run's own loop, from the widened panel to the last file.
    BatchEnd makeBatchPuzzles(int count, int step);
    // Moves the batch panel with tmrAuto until `goOn` says it is far enough.
    void animatePanel(bool (*goOn)(int width));
    // Whether a batch run has to stop at its next chance.
    bool batchMustStop() const;

    Program& program_;
    WordList* words_ = nullptr;
    // Set while the list itself changes, so that only a change the user
    // makes to the selection switches cmdRemove.
    bool listChanging_ = false;
    SponsorBanner* banner_ = nullptr;
    bool batchRunning_ = false;
    // The user closed the window during a batch run: it closes once the
    // file being written is complete.
    bool closeAfterBatch_ = false;
    // The batch run's puzzles that hold no secret message though one was asked for.
    int batchWithoutMessage_ = 0;
    // What stopped the batch run, told when it has wound down.
    QString batchFailure_;
    // Puzzle files go through it: made again at will, they are not synced.
    FileWriter fileWriter_;
};

}  // namespace sopaly
