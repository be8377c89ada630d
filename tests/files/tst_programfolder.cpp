#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "ProgramFolder.h"
#include "Settings.h"

using namespace sopaly;

namespace {

bool writeAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// A machine with the program's folder as the package lays it out (marker
// included, unless asked not to), a home, an /etc/sopaly and the user's
// settings, all in one temporary folder.
struct Machine {
    QTemporaryDir root;
    QString program;
    QString home;
    QString etc;
    std::unique_ptr<Settings> settings;

    explicit Machine(bool installed = true) {
        program = root.filePath(QStringLiteral("usr/lib/sopaly"));
        home = root.filePath(QStringLiteral("home/ana"));
        etc = root.filePath(QStringLiteral("etc/sopaly"));
        QDir().mkpath(home);
        for (const QString& name : shippedProgramFiles()) {
            writeAll(QDir(program).filePath(name), "shipped " + name.toUtf8() + "\r\n");
            writeAll(QDir(etc).filePath(name), "etc " + name.toUtf8() + "\r\n");
        }
        if (installed) writeAll(QDir(program).filePath(kInstalledMarker), "deb\n");
        qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("home/ana/.config")).toUtf8());
        qputenv("XDG_CONFIG_DIRS", root.filePath(QStringLiteral("etc/xdg")).toUtf8());
        qputenv("SOPALY_ETC_DIR", etc.toUtf8());
        restart();
    }
    ~Machine() { qunsetenv("SOPALY_ETC_DIR"); }
    QString inHome(const QString& path) const { return QDir(home).filePath(path); }
    // A start of the program: its settings read afresh.
    void restart() { settings = std::make_unique<Settings>(); }
    ProgramFolderChoice start(const QString& documents) {
        restart();
        return chooseProgramFolder({program, inHome(documents), home}, *settings);
    }
};

}  // namespace

class ProgramFolderTest : public QObject {
    Q_OBJECT
  private slots:
    void aBuildTreeOrPortableCopyKeepsItsOwnFolder() {
        Machine machine(false);
        const ProgramFolderChoice choice = machine.start(QStringLiteral("Documentos"));
        QCOMPARE(choice.folder, machine.program);
        QVERIFY(choice.problems.isEmpty());
        QVERIFY(!QFileInfo::exists(machine.inHome(QStringLiteral("Documentos"))));
        QCOMPARE(choice.fileToRead(QStringLiteral("u.t")),
                 QDir(machine.program).filePath(QStringLiteral("u.t")));
    }

    // Root may write anywhere, an unpacked package may lie in a folder the
    // user owns: neither makes the installed program write beside itself.
    void anInstalledProgramUsesTheUsersFolderEvenWhereItCouldWriteAndCopiesNothingThere() {
        Machine machine;
        const QStringList shipped = filesIn(machine.program);
        const ProgramFolderChoice choice = machine.start(QStringLiteral("Documentos"));
        QCOMPARE(choice.folder, machine.inHome(QStringLiteral("Documentos/Sopaly")));
        QVERIFY2(choice.problems.isEmpty(), qPrintable(choice.problems.join(u'\n')));
        QVERIFY(QFileInfo(choice.folder).isDir());
        QCOMPARE(filesIn(choice.folder), QStringList());
        QCOMPARE(filesIn(machine.program), shipped);
        QCOMPARE(choice.fileToRead(QStringLiteral("bovedal.swf")),
                 QDir(machine.program).filePath(QStringLiteral("bovedal.swf")));
    }

    void theFolderChosenBeforeTheDesktopMadeDocumentosIsKeptAfterwards() {
        Machine machine;
        // No ~/.config/user-dirs.dirs yet: the documents folder is ~/Documents.
        const ProgramFolderChoice first = machine.start(QStringLiteral("Documents"));
        const QString documents = machine.inHome(QStringLiteral("Documents/Sopaly"));
        QCOMPARE(first.folder, documents);
        QVERIFY(writeAll(QDir(documents).filePath(QStringLiteral("u.t")), "http://a.example/\n"));
        // The desktop's first login makes ~/Documentos and names it.
        QVERIFY(QDir().mkpath(machine.inHome(QStringLiteral("Documentos"))));
        const ProgramFolderChoice later = machine.start(QStringLiteral("Documentos"));
        QCOMPARE(later.folder, documents);
        QVERIFY(later.problems.isEmpty());
        QVERIFY(!QFileInfo::exists(machine.inHome(QStringLiteral("Documentos/Sopaly"))));
    }

    void theUsersFolderIsChosenAndRemembered_data() {
        QTest::addColumn<QStringList>("existing");  // files or folders (ending in /)
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<QString>("documents");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("told");  // paths the one message names

        QTest::newRow("a first start makes one in the documents folder")
            << QStringList() << QString() << "Documentos"
            << "Documentos/Sopaly" << QStringList();
        QTest::newRow("one already in ~/Documents is used rather than a new one")
            << QStringList{"Documents/Sopaly/"} << QString() << "Documentos"
            << "Documents/Sopaly" << QStringList();
        QTest::newRow("of two, the one holding puzzles; the other is told")
            << QStringList{"Documentos/Sopaly/", "Documents/Sopaly/Tabloza1.txt"} << QString()
            << "Documentos"
            << "Documents/Sopaly" << QStringList{"Documents/Sopaly", "Documentos/Sopaly"};
        QTest::newRow("the remembered one wins over one in the documents folder")
            << QStringList{"Documentos/Sopaly/Tabloza1.txt", "Escuela/Sopaly/"} << "Escuela/Sopaly"
            << "Documentos"
            << "Escuela/Sopaly" << QStringList();
        QTest::newRow("a remembered one that is gone is told, with the new one")
            << QStringList() << "Escuela/Sopaly"
            << "Documentos"
            << "Documentos/Sopaly" << QStringList{"Escuela/Sopaly", "Documentos/Sopaly"};
        QTest::newRow("a remembered one that is now a file is told as no folder")
            << QStringList{"Escuela/Sopaly"} << "Escuela/Sopaly"
            << "Documentos"
            << "Documentos/Sopaly" << QStringList{"Escuela/Sopaly", "Documentos/Sopaly"};
    }
    void theUsersFolderIsChosenAndRemembered() {
        QFETCH(QStringList, existing);
        QFETCH(QString, remembered);
        QFETCH(QString, documents);
        QFETCH(QString, expected);
        QFETCH(QStringList, told);
        Machine machine;
        for (const QString& path : existing) {
            QVERIFY(path.endsWith(u'/') ? QDir().mkpath(machine.inHome(path))
                                        : writeAll(machine.inHome(path), "puzzle\r\n"));
        }
        if (!remembered.isEmpty()) {
            QVERIFY(
                !machine.settings->store(settingKey::kProgramFolder, machine.inHome(remembered)));
        }

        const ProgramFolderChoice choice = machine.start(documents);
        QCOMPARE(choice.folder, machine.inHome(expected));
        QVERIFY(QFileInfo(choice.folder).isDir());
        if (told.isEmpty()) {
            QVERIFY2(choice.problems.isEmpty(), qPrintable(choice.problems.join(u'\n')));
        } else {
            QCOMPARE(choice.problems.size(), 1);
            for (const QString& path : told) {
                QVERIFY2(choice.problems.first().contains(machine.inHome(path)),
                         qPrintable(choice.problems.first()));
            }
            const bool aFile = QFileInfo(machine.inHome(remembered)).isFile();
            QCOMPARE(choice.problems.first().contains(" no es una carpeta."), aFile);
        }
        // Told once: the next start finds the choice remembered.
        const ProgramFolderChoice next = machine.start(documents);
        QCOMPARE(next.folder, choice.folder);
        QVERIFY(next.problems.isEmpty());
    }

    void aListIsReadFromTheUsersOwnCopyOnlyWhenTheUserPutOneThere_data() {
        QTest::addColumn<bool>("hasCopy");
        QTest::addColumn<QByteArray>("copy");
        QTest::addColumn<QString>("readFrom");
        QTest::newRow("no copy: the administrator's") << false << QByteArray() << "etc";
        QTest::newRow("the user's own list") << true << QByteArray("http://b.example/\n") << "user";
        // Earlier versions put an empty copy of the shipped list there.
        QTest::newRow("an empty copy an earlier version made counts as none")
            << true << QByteArray() << "etc";
    }
    void aListIsReadFromTheUsersOwnCopyOnlyWhenTheUserPutOneThere() {
        QFETCH(bool, hasCopy);
        QFETCH(QByteArray, copy);
        QFETCH(QString, readFrom);
        Machine machine;
        const ProgramFolderChoice choice = machine.start(QStringLiteral("Documentos"));
        const QString own = QDir(choice.folder).filePath(QStringLiteral("u.t"));
        if (hasCopy) QVERIFY(writeAll(own, copy));
        QCOMPARE(choice.fileToRead(QStringLiteral("u.t")),
                 readFrom == u"user" ? own : QDir(machine.etc).filePath(QStringLiteral("u.t")));
    }

    void theRudeWordsOfTheUserAddToTheAdministrators_data() {
        QTest::addColumn<bool>("hasCopy");
        QTest::addColumn<QStringList>("readFrom");
        QTest::newRow("no copy: the administrator's alone") << false << QStringList{"etc"};
        QTest::newRow("the user's own list after it") << true << QStringList{"etc", "user"};
    }
    void theRudeWordsOfTheUserAddToTheAdministrators() {
        QFETCH(bool, hasCopy);
        QFETCH(QStringList, readFrom);
        Machine machine;
        const QString name = QStringLiteral("palabrotas.txt");
        QVERIFY(writeAll(QDir(machine.etc).filePath(name), "PUTA\n"));
        const ProgramFolderChoice choice = machine.start(QStringLiteral("Documentos"));
        const QString own = QDir(choice.folder).filePath(name);
        if (hasCopy) QVERIFY(writeAll(own, "MOCO\n"));
        QStringList expected;
        for (const QString& where : readFrom) {
            expected << (where == u"user" ? own : QDir(machine.etc).filePath(name));
        }
        QCOMPARE(choice.filesToRead(name), expected);
    }

    void aUserFolderThatCannotBeMadeIsToldNamingIt() {
        Machine machine;
        // A file where the documents folder should be: no one can make a
        // folder inside it, root included.
        QVERIFY(writeAll(machine.inHome(QStringLiteral("Documentos")), "no soy una carpeta"));
        const ProgramFolderChoice choice = machine.start(QStringLiteral("Documentos"));
        const QString folder = machine.inHome(QStringLiteral("Documentos/Sopaly"));
        QCOMPARE(choice.folder, folder);
        QCOMPARE(choice.problems, QStringList{QStringLiteral("No se pudo crear la carpeta %1.")
                                                  .arg(QDir::toNativeSeparators(folder))});
    }
};

QTEST_GUILESS_MAIN(ProgramFolderTest)
#include "tst_programfolder.moc"
