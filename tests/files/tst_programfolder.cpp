#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "ProgramFolder.h"

using namespace sopaly;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray();
    return file.readAll();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Root may write into any folder, so an installed program's folder is told
// apart from the others by name here; the package test runs the installed
// program as an ordinary user against the real permissions.
auto writableExcept(const QString& unwritable) {
    return [unwritable](const QString& folder) {
        return folder != unwritable && folderIsWritable(folder);
    };
}

// A program folder as the package lays it out, each shipped file with
// content of its own.
struct InstalledProgram {
    QTemporaryDir root;
    QString folder;
    QString documents;

    InstalledProgram() {
        folder = root.filePath(QStringLiteral("usr/lib/sopaly"));
        // The documents folder need not exist yet: the program makes it.
        documents = root.filePath(QStringLiteral("home/ana/Documentos"));
        QDir().mkpath(folder);
        for (const QString& name : shippedProgramFiles()) {
            writeAll(QDir(folder).filePath(name), "shipped " + name.toUtf8() + "\r\n");
        }
    }
    QString userFolder() const { return QDir(documents).filePath(QStringLiteral("Sopaly")); }
    ProgramFolderChoice choose() const {
        return chooseProgramFolder(folder, documents, writableExcept(folder));
    }
};

}  // namespace

class ProgramFolderTest : public QObject {
    Q_OBJECT
  private slots:
    void aWritableExecutableFolderIsUsedAsItIs() {
        InstalledProgram program;
        const ProgramFolderChoice choice =
            chooseProgramFolder(program.folder, program.documents, folderIsWritable);
        QCOMPARE(choice.folder, program.folder);
        QVERIFY(choice.problems.isEmpty());
        QVERIFY(!QFileInfo::exists(program.documents));
    }

    void anUnwritableExecutableFolderGivesTheUsersSopalyFolderWithTheShippedFiles() {
        InstalledProgram program;
        const ProgramFolderChoice choice = program.choose();
        QCOMPARE(choice.folder, program.userFolder());
        QVERIFY2(choice.problems.isEmpty(), qPrintable(choice.problems.join(u'\n')));
        QStringList expected = shippedProgramFiles();
        expected.sort();
        QCOMPARE(QDir(choice.folder).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
        for (const QString& name : shippedProgramFiles()) {
            QCOMPARE(readAll(QDir(choice.folder).filePath(name)),
                     readAll(QDir(program.folder).filePath(name)));
        }
    }

    void aUsersEditedFilesAreNeverOverwritten() {
        InstalledProgram program;
        QVERIFY(program.choose().problems.isEmpty());
        const QString list = QDir(program.userFolder()).filePath(QStringLiteral("u.t"));
        const QByteArray edited = "http://patrocinador.example/anuncio.gif\r\n";
        QVERIFY(writeAll(list, edited));
        // The user also emptied the standby picture; a later start keeps both.
        const QString standby = QDir(program.userFolder()).filePath(QStringLiteral("S.g"));
        QVERIFY(writeAll(standby, QByteArray()));

        const ProgramFolderChoice again = program.choose();
        QCOMPARE(again.folder, program.userFolder());
        QVERIFY(again.problems.isEmpty());
        QCOMPARE(readAll(list), edited);
        QCOMPARE(QFileInfo(standby).size(), 0);
    }

    void aRemovedShippedFileComesBackAtTheNextStart() {
        InstalledProgram program;
        QVERIFY(program.choose().problems.isEmpty());
        const QString movie = QDir(program.userFolder()).filePath(QStringLiteral("bovedal.swf"));
        QVERIFY(QFile::remove(movie));
        QVERIFY(program.choose().problems.isEmpty());
        QCOMPARE(readAll(movie), QByteArray("shipped bovedal.swf\r\n"));
    }

    void aUserFolderThatCannotBeMadeIsToldNamingIt() {
        InstalledProgram program;
        // A file where the documents folder should be: no one can make a
        // folder inside it, root included.
        QVERIFY(QDir().mkpath(QFileInfo(program.documents).path()));
        QVERIFY(writeAll(program.documents, "no soy una carpeta"));
        const ProgramFolderChoice choice = program.choose();
        QCOMPARE(choice.folder, program.userFolder());
        QCOMPARE(choice.problems,
                 QStringList{QStringLiteral("No se pudo crear la carpeta %1.")
                                 .arg(QDir::toNativeSeparators(program.userFolder()))});
    }
};

QTEST_GUILESS_MAIN(ProgramFolderTest)
#include "tst_programfolder.moc"
