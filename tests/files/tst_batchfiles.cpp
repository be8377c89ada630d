#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "Program.h"
#include "frmMain.h"

using namespace sopaly;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct stat statOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) info = {};
    return info;
}

}  // namespace

// What a batch does to the files it replaces and to their other names: a
// batch owns only the files it writes.
class BatchFilesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<Program> program;
    frmMain* window = nullptr;
    QStringList messages;

    QString path(int n) const { return folder->filePath(QStringLiteral("Tabloza%1.txt").arg(n)); }

    // Three puzzles of the same four words, as the user makes them.
    void runBatchOfThree() {
        for (const char* word : {"sol", "mar", "casa", "niño"}) {
            window->txtInputWord->setText(QString::fromUtf8(word));
            window->txtInputWord_KeyPress(13);
        }
        window->txtNumOfPuzzles->setText(QStringLiteral("3"));
        window->cmdAuto_Click();
        QVERIFY(QTest::qWaitFor([this] { return !window->batchRunning(); }, 60000));
    }

  private slots:
    void init() {
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(folder->isValid());
        program =
            std::make_unique<Program>([now = std::uint64_t{1}]() mutable { return now += 104729; });
        program->setProgramFolder(folder->path());
        window = program->showMainWindow();
        messages.clear();
        window->prompts.showMessage = [this](const QString& text) { messages << text; };
        runBatchOfThree();
        QVERIFY(messages.isEmpty());
    }
    void cleanup() {
        program.reset();
        window = nullptr;
        folder.reset();
    }

    void aBatchLeavesAHardLinkedSnapshotOfItsFilesUnchanged() {
        // The way rsnapshot and `cp -al` keep a backup: other names of the
        // same files, in a folder beside.
        QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("snapshot")));
        QList<QByteArray> kept;
        for (int n = 1; n <= 3; ++n) {
            const QString link = folder->filePath(QStringLiteral("snapshot/Tabloza%1.txt").arg(n));
            QCOMPARE(
                ::link(QFile::encodeName(path(n)).constData(), QFile::encodeName(link).constData()),
                0);
            kept << fileBytes(link);
        }
        runBatchOfThree();
        QVERIFY(messages.isEmpty());
        for (int n = 1; n <= 3; ++n) {
            const QString link = folder->filePath(QStringLiteral("snapshot/Tabloza%1.txt").arg(n));
            QCOMPARE(fileBytes(link), kept[n - 1]);
            QVERIFY(fileBytes(path(n)) != kept[n - 1]);
            QCOMPARE(statOf(link).st_nlink, nlink_t{1});
        }
    }

    void aBatchKeepsTheOwnerGroupAndModeOfEachFileItReplaces() {
        if (geteuid() != 0) QSKIP("giving files to other users needs root");
        const mode_t modes[] = {0640, 0604, 0660};
        for (int n = 1; n <= 3; ++n) {
            const QByteArray name = QFile::encodeName(path(n));
            // Ids of no one in particular: the file system keeps them all the same.
            QCOMPARE(::chown(name.constData(), 4000 + n, 5000 + n), 0);
            QCOMPARE(::chmod(name.constData(), modes[n - 1]), 0);
        }
        runBatchOfThree();
        QVERIFY(messages.isEmpty());
        for (int n = 1; n <= 3; ++n) {
            const struct stat info = statOf(path(n));
            QCOMPARE(info.st_uid, uid_t(4000 + n));
            QCOMPARE(info.st_gid, gid_t(5000 + n));
            QCOMPARE(info.st_mode & 07777, modes[n - 1]);
            QVERIFY(fileBytes(path(n)).endsWith("*********************************\r\n"));
        }
    }
};

QTEST_MAIN(BatchFilesTest)
#include "tst_batchfiles.moc"
