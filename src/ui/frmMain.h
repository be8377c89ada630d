#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "BannerViewer.h"
#include "BatchPanel.h"
#include "BatchRun.h"
#include "FileRoad.h"
#include "Form1.h"
#include "Prompts.h"
#include "Puzzle.h"
#include "PuzzleSession.h"
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
    // The title of the main window and of its messages.
    static QString windowCaption();

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
    QAction* mnuOpenPuzzle = nullptr;
    QAction* mnuWorksheetPdf = nullptr;  // enabled with cmdExport
    QAction* mnuClassroomPdf = nullptr;
    QAction* mnuPrintWorksheet = nullptr;  // enabled with cmdExport
    QAction* mnuPlay = nullptr;            // enabled with cmdExport
    // The clock of the play windows it opens; the machine's when empty.
    std::function<qint64()> playClock;
    QAction* mnuWebPage = nullptr;         // enabled with mnuWorksheetPdf
    QAction* mnuScorm = nullptr;           // enabled with mnuWorksheetPdf

    // "&Opciones", between "A&rchivo" and "&Acerca de...": read at each
    // build, batch and classroom set, like the other settings.
    QMenu* mnuOptions = nullptr;
    QAction* mnuLowerCase = nullptr;  // a check
    QMenu* mnuShape = nullptr;
    std::array<QAction*, kShapes.size()> mnuShapes{};  // one checked, in kShapes' order
    QAction* mnuSecretMessage = nullptr;
    QAction* mnuHideList = nullptr;  // a check
    QMenu* mnuLetterSize = nullptr;
    std::array<QAction*, kLetterSizes.size()> mnuLetterSizes{};  // one checked
    QAction* mnuEasyReading = nullptr;                           // a check
    // The numbers, the difficulty and the options back to the defaults.
    QAction* mnuResetSettings = nullptr;
    // At the foot of the window: which words the last build left out.
    // It also tells what the last list opened added, and which words a
    // puzzle file cannot hold as they enter.
    StatusLine* lblPuzzleWords = nullptr;

    // --- State ----------------------------------------------------------------
    // The puzzle on show, and the secret message for this run.
    PuzzleSession& session() { return session_; }
    const PuzzleSession& session() const { return session_; }
    BatchPanel& batchPanel() const { return *batchPanel_; }

    // How the window asks and tells the user; tests answer in its place.
    Prompts prompts;

    // Hands a web address to the system's browser; tests watch it instead.
    std::function<void(const QUrl&)> openAddress;

    // The sponsor banner behind Banner, sensor, Click and the timer T.
    SponsorBanner& sponsorBanner() const { return *banner_; }

    // The open print preview, if any.
    Form1* preview() const;
    // True from the start of a batch run to its end.
    bool batchRunning() const { return batchPanel_->isBusy(); }

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
    void mnuOpenPuzzle_Click();
    void mnuWorksheetPdf_Click();
    void mnuClassroomPdf_Click();
    void mnuPrintWorksheet_Click();
    void mnuPlay_Click();
    void mnuWebPage_Click();
    void mnuScorm_Click();
    void mnuLowerCase_Click();
    void mnuShape_Click();
    void mnuSecretMessage_Click();
    void mnuHideList_Click();
    void mnuLetterSize_Click();
    void mnuEasyReading_Click();
    void mnuResetSettings_Click();

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
    void setupWindow();
    void setupWidgets();
    // The controls of setupWidgets, frame by frame, on the client area.
    void setupWordFrame(QWidget* client);
    void setupSettingsFrames(QWidget* client);
    void setupPuzzleFrames(QWidget* client);
    void setupButtons(QWidget* client);
    void setupBanner(QWidget* client);
    void setupMenus();
    void setupTimers();
    void setupTabOrder();
    void setupAccessibleNames();
    void setupFileMenu();
    void updateFileMenu();
    void setupOptionsMenu();
    void setupReadingMenus();
    // Keeps the menu's checks in the settings.
    void rememberOptionsMenu();
    // Fills the settings controls from what the user (or an administrator)
    // kept, and keeps what the user changes in them.
    void setupSettings();
    // The settings fields with what each keeps.
    using SettingFields = std::array<std::pair<QLineEdit*, const NumberSetting*>, 4>;
    SettingFields settingFields() const;
    // The fields, the difficulty and the options as kept, else as designed.
    void showKeptSettings();
    void showKeptOptions();
    // Tells the user, once, that the settings could not be kept.
    void settingsStored(const std::optional<QString>& failure);
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
    // The row and column texts, checked as the start button checks them;
    // false after telling the user which field is wrong.
    bool gridSizeIsUsable(const PuzzleSettings& current);
    // The batch run is over and its panel back: its message, and the list
    // emptied after a complete run.
    void batchEnded(BatchRun::End end, int written, int withoutMessage);

    Program& program_;
    PuzzleSession session_;
    FileRoad files_;
    WordList* words_ = nullptr;
    // Set while the list itself changes, so that only a change the user
    // makes to the selection switches cmdRemove.
    bool listChanging_ = false;
    SponsorBanner* banner_ = nullptr;
    // The batch panel and its run, from the press of its button until the
    // panel is back.
    BatchPanel* batchPanel_ = nullptr;
    // What stopped the batch run, told when it has wound down.
    QString batchFailure_;
};

}  // namespace sopaly
