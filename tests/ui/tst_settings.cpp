// What the window keeps between runs, driven as the user drives it: keys in
// the fields, clicks on the difficulty, the "A&rchivo" menu's dialogs; a
// restart is a fresh program with a fresh window. Each case has a home and
// settings folders of its own.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <optional>

#include "Program.h"
#include "TestEnvironment.h"
#include "WindowTestTools.h"
#include "WordList.h"
#include "frmMain.h"

using namespace sopaly;

namespace {}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<Program> program;
    frmMain* window = nullptr;
    QStringList messages;
    QStringList suggested;  // where each file dialog opened
    QString nextPath;       // what the user picks in the next file dialog

    QString userFile() const {
        return qEnvironmentVariable("XDG_CONFIG_HOME") + "/sopaly/sopaly.conf";
    }
    QString systemFile() const {
        return qEnvironmentVariable("XDG_CONFIG_DIRS") + "/sopaly/sopaly.conf";
    }
    QString inHome(const QString& path) const { return QDir(home->path()).filePath(path); }

    void start() {
        program = std::make_unique<Program>();
        program->setProgramFolder(inHome(QStringLiteral("programa")));
        window = program->showMainWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        window->prompts.showMessage = [this](const QString& text) { messages << text; };
        const auto choose = [this](const QString&, const QString& folderOrFile) {
            suggested << folderOrFile;
            return nextPath;
        };
        window->prompts.chooseOpenFile = choose;
        window->prompts.chooseSaveFile = choose;
    }
    void restart() {
        program.reset();
        window = nullptr;
        start();
    }

    QLineEdit* field(const QString& name) const { return window->findChild<QLineEdit*>(name); }
    // A field's text, or which difficulty is on.
    QString shown(const QString& name) const {
        if (name == u"dificultad") return window->optEasy->isChecked() ? "Facil" : "Master";
        return field(name)->text();
    }

    void typeInto(const QString& name, const QString& text) {
        QLineEdit* box = field(name);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    void chooseFromFileMenu(QAction* item) {
        window->mnuFile->popup(window->mapToGlobal(QPoint(0, 0)));
        QTRY_VERIFY(window->mnuFile->isVisible());
        window->mnuFile->setActiveAction(item);
        QTest::keyClick(window->mnuFile, Qt::Key_Return);
        QTRY_VERIFY(!window->mnuFile->isVisible());
    }

  private slots:
    void init() {
        sopaly::test::freshSettings();
        home = std::make_unique<QTemporaryDir>();
        QVERIFY(home->isValid());
        qputenv("HOME", home->path().toUtf8());
        QVERIFY(QDir().mkpath(inHome(QStringLiteral("programa"))));
        messages.clear();
        suggested.clear();
        nextPath.clear();
    }
    void cleanup() {
        program.reset();
        window = nullptr;
        home.reset();
    }

    void aFirstStartShowsTheDesignValues() {
        start();
        QCOMPARE(shown("txtGridRows"), QStringLiteral("20"));
        QCOMPARE(shown("txtGridCol"), QStringLiteral("20"));
        QCOMPARE(shown("txtWordCount"), QStringLiteral("100"));
        QCOMPARE(shown("txtNumOfPuzzles"), QStringLiteral("1"));
        QCOMPARE(shown("dificultad"), QStringLiteral("Master"));
        QVERIFY(messages.isEmpty());
    }

    void whatTheUserTypesComesBackAfterARestart_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("afterRestart");
        QTest::newRow("rows") << "txtGridRows"
                              << "12"
                              << "12";
        QTest::newRow("columns") << "txtGridCol"
                                 << "7"
                                 << "7";
        QTest::newRow("word limit") << "txtWordCount"
                                    << "35"
                                    << "35";
        QTest::newRow("batch count") << "txtNumOfPuzzles"
                                     << "40"
                                     << "40";
        QTest::newRow("a size the grid cannot take is not kept") << "txtGridRows"
                                                                 << "25"
                                                                 << "20";
        QTest::newRow("nor a word limit that is no number") << "txtWordCount"
                                                            << "muchas"
                                                            << "100";
    }
    void whatTheUserTypesComesBackAfterARestart() {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, afterRestart);
        start();
        typeInto(name, typed);
        QCOMPARE(shown(name), typed);
        restart();
        QCOMPARE(shown(name), afterRestart);
        QVERIFY(messages.isEmpty());
    }

    void theDifficultyClickedComesBackAfterARestart() {
        start();
        QTest::mouseClick(window->optEasy, Qt::LeftButton);
        restart();
        QCOMPARE(shown("dificultad"), QStringLiteral("Facil"));
        QTest::mouseClick(window->optHard, Qt::LeftButton);
        restart();
        QCOMPARE(shown("dificultad"), QStringLiteral("Master"));
    }

    void theClassroomSetOffersTheLastNumberOfVersionsAfterARestart() {
        QList<int> offered;
        const auto askedFor = [this, &offered] {
            window->prompts.askVersionCount = [&offered](int last) {
                offered << last;
                return std::optional<int>(7);
            };
            // The name prompt is cancelled: nothing is written.
            window->prompts.askWorksheetName = [](const QString&) { return std::nullopt; };
            typeInto("txtInputWord", "luna");
            QTest::keyClick(field("txtInputWord"), Qt::Key_Return);
            chooseFromFileMenu(window->mnuClassroomPdf);
        };
        start();
        askedFor();
        restart();
        askedFor();
        QCOMPARE(offered, (QList<int>{30, 7}));
    }

    void aSystemFilePresetsANewUserAndAMalformedValueIsIgnored_data() {
        QTest::addColumn<QString>("file");  // "system" or "user"
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("rows preset") << "system" << QByteArray("filas=12") << "txtGridRows"
                                     << "12";
        QTest::newRow("word limit preset")
            << "system" << QByteArray("maximo_de_palabras=40") << "txtWordCount"
            << "40";
        QTest::newRow("easy preset") << "system" << QByteArray("dificultad=facil") << "dificultad"
                                     << "Facil";
        QTest::newRow("the user's own value wins")
            << "both" << QByteArray("columnas=9") << "txtGridCol"
            << "9";
        QTest::newRow("rows that are no number")
            << "user" << QByteArray("filas=doce") << "txtGridRows"
            << "20";
        QTest::newRow("rows beyond the grid") << "system" << QByteArray("filas=30") << "txtGridRows"
                                              << "20";
        QTest::newRow("a fraction of a word limit")
            << "user" << QByteArray("maximo_de_palabras=2.5") << "txtWordCount"
            << "100";
        QTest::newRow("a difficulty there is not")
            << "system" << QByteArray("dificultad=dificil") << "dificultad"
            << "Master";
    }
    void aSystemFilePresetsANewUserAndAMalformedValueIsIgnored() {
        QFETCH(QString, file);
        QFETCH(QByteArray, lines);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        if (file == u"both") {
            // The administrator presets 15 columns; this user chose 9.
            QVERIFY(writeBytes(systemFile(), "[rompecabezas]\ncolumnas=15\n"));
            QVERIFY(writeBytes(userFile(), "[rompecabezas]\n" + lines + "\n"));
        } else {
            QVERIFY(writeBytes(file == u"system" ? systemFile() : userFile(),
                               "[rompecabezas]\n" + lines + "\n"));
        }
        start();
        QCOMPARE(shown(name), expected);
        QVERIFY(messages.isEmpty());
    }

    void aSettingsFileThatIsNoRegularFileIsNotReadAndTheWindowOpens_data() {
        QTest::addColumn<QString>("fifo");  // "user" or "system"
        QTest::addColumn<QByteArray>("other");
        QTest::addColumn<QString>("rows");
        QTest::newRow("the user's a FIFO: the preset") << "user" << QByteArray("filas=12") << "12";
        QTest::newRow("the preset a FIFO: the user's") << "system" << QByteArray("filas=9") << "9";
        QTest::newRow("the user's of 2 MiB: the preset")
            << "huge" << QByteArray("filas=12") << "12";
    }
    void aSettingsFileThatIsNoRegularFileIsNotReadAndTheWindowOpens() {
        QFETCH(QString, fifo);
        QFETCH(QByteArray, other);
        QFETCH(QString, rows);
        std::optional<LateFifo> late;
        if (fifo == u"huge") {
            QVERIFY(writeBytes(userFile(), "[rompecabezas]\nfilas=7\n" + QByteArray(2 << 20, '#')));
        } else {
            QVERIFY(late.emplace(fifo == u"user" ? userFile() : systemFile()).made);
        }
        QVERIFY(
            writeBytes(fifo == u"system" ? userFile() : systemFile(), "[rompecabezas]\n" + other));
        QElapsedTimer opened;
        opened.start();
        start();
        QVERIFY2(opened.elapsed() < 1000, qPrintable(QString::number(opened.elapsed())));
        QCOMPARE(shown("txtGridRows"), rows);
    }

    void restablecerTakesBackTheUsersValuesSoThePresetsOrTheDesignShow_data() {
        QTest::addColumn<QByteArray>("presets");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QStringList>("after");  // rows, columns, limit, batch, difficulty
        QTest::addColumn<bool>("optionsKept");
        const QStringList typed{"12", "7", "35", "40", "Facil"};
        QTest::newRow("no presets: the design values")
            << QByteArray() << true << QStringList{"20", "20", "100", "1", "Master"} << false;
        QTest::newRow("the administrator's presets")
            << QByteArray("[rompecabezas]\nfilas=15\ndificultad=facil\n[opciones]\nforma=arbol\n")
            << true << QStringList{"15", "20", "100", "1", "Facil"} << true;
        QTest::newRow("declined: nothing changes") << QByteArray() << false << typed << true;
    }
    void restablecerTakesBackTheUsersValuesSoThePresetsOrTheDesignShow() {
        QFETCH(QByteArray, presets);
        QFETCH(bool, confirmed);
        QFETCH(QStringList, after);
        QFETCH(bool, optionsKept);
        if (!presets.isEmpty()) QVERIFY(writeBytes(systemFile(), presets));
        start();
        const QStringList fields{"txtGridRows", "txtGridCol", "txtWordCount", "txtNumOfPuzzles"};
        for (int i = 0; i < fields.size(); ++i)
            typeInto(fields[i], QStringList{"12", "7", "35", "40"}[i]);
        QTest::mouseClick(window->optEasy, Qt::LeftButton);
        QVERIFY(!program->settings().storeNumber(kClassroomVersionsSetting.key, 7));
        nextPath = inHome(QStringLiteral("listas/palabras.txt"));
        QVERIFY(writeBytes(nextPath, "sol\nmar\n"));
        chooseFromFileMenu(window->mnuOpenList);
        window->prompts.askSecretMessage = [](const QString&) { return std::optional<QString>("hola"); };
        int asked = 0;
        window->prompts.confirmReset = [&asked, confirmed] { return ++asked, confirmed; };
        // The tree, the hidden list, the message, then Restablecer.
        for (const QList<Qt::Key>& keys :
             QList<QList<Qt::Key>>{{Qt::Key_F, Qt::Key_B}, {Qt::Key_O}, {Qt::Key_S}, {Qt::Key_R}}) {
            QTest::keyClick(window, Qt::Key_O, Qt::AltModifier);
            QTRY_VERIFY(window->mnuOptions->isVisible());
            for (const Qt::Key key : keys) QTest::keyClick(QApplication::activePopupWidget(), key);
            QTRY_VERIFY(!window->mnuOptions->isVisible());
        }
        QCOMPARE(asked, 1);
        // What is no setting of the puzzle stays: the list, the message, the folders.
        QCOMPARE(window->wordList().count(), 2);
        QCOMPARE(window->settings().message, QStringLiteral("hola"));
        QCOMPARE(fileDialogFolder(program->settings(), FileDialog::OpenList), inHome("listas"));
        QCOMPARE(program->settings().number(kClassroomVersionsSetting).has_value(), !confirmed);
        for (int run = 0; run < 2; ++run) {  // now, and after a restart
            QStringList shownNow;
            for (const QString& name : fields + QStringList{"dificultad"}) shownNow << shown(name);
            QCOMPARE(shownNow, after);
            QCOMPARE(window->mnuShapes.back()->isChecked(), optionsKept);
            QCOMPARE(window->mnuHideList->isChecked(), !confirmed);
            restart();
        }
    }

    void aSettingsFileThatCannotBeWrittenIsToldOnce() {
        // A file where the settings folder should be: no one can write there,
        // root included.
        QVERIFY(writeBytes(qEnvironmentVariable("XDG_CONFIG_HOME") + "/sopaly", "no"));
        start();
        typeInto("txtGridRows", "12");
        typeInto("txtGridCol", "8");
        QTest::mouseClick(window->optEasy, Qt::LeftButton);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains(userFile()), qPrintable(messages.first()));
        // The window goes on with what the user typed.
        QCOMPARE(shown("txtGridRows"), QStringLiteral("12"));
    }

    void aFileDialogOpensWhereItWasLastUsedElseInDocumentsElseHome_data() {
        QTest::addColumn<bool>("documentsExists");
        QTest::addColumn<QString>("lastUsed");
        QTest::addColumn<QString>("opensIn");
        QTest::newRow("no documents folder: home") << false << QString() << "";
        QTest::newRow("the documents folder") << true << QString() << "Documentos";
        QTest::newRow("the folder last used, after a restart") << true << "listas/clase 3"
                                                               << "listas/clase 3";
    }
    void aFileDialogOpensWhereItWasLastUsedElseInDocumentsElseHome() {
        QFETCH(bool, documentsExists);
        QFETCH(QString, lastUsed);
        QFETCH(QString, opensIn);
        QVERIFY(writeBytes(qEnvironmentVariable("XDG_CONFIG_HOME") + "/user-dirs.dirs",
                           "XDG_DOCUMENTS_DIR=\"$HOME/Documentos\"\n"));
        if (documentsExists) QVERIFY(QDir().mkpath(inHome(QStringLiteral("Documentos"))));
        // Never where the program happened to be started.
        const QString started = QDir::currentPath();
        QVERIFY(QDir::setCurrent(inHome(QStringLiteral("programa"))));
        start();
        if (!lastUsed.isEmpty()) {
            nextPath = inHome(lastUsed + "/palabras.txt");
            QVERIFY(writeBytes(nextPath, "sol\nmar\n"));
            chooseFromFileMenu(window->mnuOpenList);
            QCOMPARE(window->wordList().count(), 2);
            restart();
        }
        nextPath.clear();
        suggested.clear();
        chooseFromFileMenu(window->mnuOpenList);
        QDir::setCurrent(started);
        QCOMPARE(suggested, QStringList{QDir::cleanPath(inHome(opensIn))});
    }
};

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
