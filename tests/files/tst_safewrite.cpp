#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "FullFolder.h"
#include "SafeWrite.h"

using namespace sopaly;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray();
    return file.readAll();
}

}  // namespace

class SafeWriteTest : public QObject {
    Q_OBJECT
  private slots:
    void aSmallWriteToADeviceWithNoRoomIsReported() {
        // /dev/full refuses every write; a few hundred bytes are what a
        // buffered writer would have kept to itself until its last flush.
        const int fd = ::open("/dev/full", O_WRONLY);
        if (fd < 0) QSKIP("no /dev/full here");
        const QByteArray bytes(400, 'x');
        const int error = writeAll(fd, bytes.constData(), bytes.size());
        ::close(fd);
        QCOMPARE(error, ENOSPC);
        QCOMPARE(writeFailureReason(error), QStringLiteral("disco lleno"));
    }

    void aFullDiskKeepsTheEarlierFileAndLeavesNothingBehind() {
        FullFolder folder;
        if (!folder.reasonUnavailable().isEmpty()) QSKIP(qPrintable(folder.reasonUnavailable()));
        const QString path = folder.filePath(QStringLiteral("Tabloza1.txt"));
        const QByteArray good = "bueno\r\n";
        QVERIFY(writeFileAtomically(path, good));
        folder.fill();

        QString reason;
        QVERIFY(!writeFileAtomically(path, QByteArray(400, 'n'), &reason));
        QCOMPARE(reason, QStringLiteral("disco lleno"));
        QCOMPARE(readAll(path), good);
        QVERIFY(
            !writeFileAtomically(folder.filePath(QStringLiteral("Tabloza2.txt")), "x", &reason));
        QCOMPARE(folder.entries(), QStringList{QStringLiteral("Tabloza1.txt")});

        folder.makeRoom();
        QVERIFY2(writeFileAtomically(path, QByteArray(400, 'n'), &reason), qPrintable(reason));
        QCOMPARE(readAll(path), QByteArray(400, 'n'));
    }

    void aWriterReplacingARunOfFilesLeavesEachWholeAndNothingElseBehind() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QStringList names{"Tabloza1.txt", "Tabloza2.txt", "Tabloza3.txt"};
        for (const QString& name : names) {
            QVERIFY(writeFileAtomically(dir.filePath(name), QByteArray(3000, 'v')));
        }
        QVERIFY(QFile::setPermissions(dir.filePath("Tabloza2.txt"),
                                      QFile::ReadOwner | QFile::WriteOwner));
        FileWriter writer;
        // Shorter, longer and new.
        const QList<QByteArray> contents{"corto", QByteArray(5000, 'l'), "nuevo"};
        QStringList written = names;
        written << "Tabloza4.txt";
        for (int i = 0; i < written.size(); ++i) {
            QString reason;
            QVERIFY2(writer.write(dir.filePath(written[i]), contents.value(i % 3), &reason),
                     qPrintable(reason));
        }
        for (int i = 0; i < written.size(); ++i) {
            QCOMPARE(readAll(dir.filePath(written[i])), contents.value(i % 3));
        }
        QCOMPARE(QFile::permissions(dir.filePath("Tabloza2.txt")) &
                     (QFile::ReadGroup | QFile::ReadOther),
                 QFile::Permissions());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), written);
    }

    void aReplacedFileKeepsItsPermissions() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("lista.txt");
        QVERIFY(writeFileAtomically(path, "uno\r\n"));
        const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(path, mode));
        QVERIFY(writeFileAtomically(path, "dos\r\n"));
        QCOMPARE(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser), mode);
    }

    void aFailureMessageNamesTheFileOnce() {
        const QString message =
            writeFailureMessage(QStringLiteral("/tmp/Tabloza3.txt"), QStringLiteral("disco lleno"));
        QCOMPARE(message.count(QStringLiteral("Tabloza3.txt")), 1);
        QCOMPARE(message.count(QStringLiteral("No se pudo")), 1);
        QVERIFY(message.contains(QStringLiteral("disco lleno")));
    }

    void replacingAFileLeavesExactlyTheNewBytes() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("Tabloza2.txt");
        QString reason;
        QVERIFY(writeFileAtomically(path, QByteArray(500, 'x'), &reason));
        QVERIFY2(writeFileAtomically(path, "corto\r\n", &reason), qPrintable(reason));
        QCOMPARE(readAll(path), QByteArray("corto\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Tabloza2.txt"});
    }

    void writingWhereNoFolderCanHoldTheFileFailsWithAReason_data() {
        QTest::addColumn<QString>("folder");  // relative to a fresh temporary folder
        QTest::newRow("folder missing") << "no/such/folder";
        QTest::newRow("folder is a file") << "plain.txt";
    }
    void writingWhereNoFolderCanHoldTheFileFailsWithAReason() {
        QFETCH(QString, folder);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile plain(dir.filePath("plain.txt"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QString path = dir.filePath(folder + "/Tabloza1.txt");
        QString reason;
        QVERIFY(!writeFileAtomically(path, "abc", &reason));
        QVERIFY(!reason.isEmpty());
        QVERIFY(!QFile::exists(path));
    }

    void aReadOnlyFolderKeepsItsEarlierFile() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("Tabloza1.txt");
        QString reason;
        QVERIFY(writeFileAtomically(path, "bueno\r\n", &reason));
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        const bool stillWritable = QFile(dir.filePath("probe")).open(QIODevice::WriteOnly);
        if (stillWritable) {
            QFile::remove(dir.filePath("probe"));
            QFile::setPermissions(dir.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("this user writes into read-only folders (root)");
        }
        const bool written = writeFileAtomically(path, "nuevo y más largo\r\n", &reason);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!written);
        QVERIFY(!reason.isEmpty());
        QCOMPARE(readAll(path), QByteArray("bueno\r\n"));
    }

    void aWriteThatFailsPartWayKeepsTheEarlierFileWhole() {
        // A file size limit makes the write fail after it began, whoever runs
        // the test.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("Tabloza1.txt");
        QString reason;
        QVERIFY(writeFileAtomically(path, "bueno\r\n", &reason));

        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tight = saved;
        tight.rlim_cur = 1024;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
        const bool written = writeFileAtomically(path, QByteArray(256 * 1024, 'y'), &reason);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!written);
        QVERIFY(!reason.isEmpty());
        QCOMPARE(readAll(path), QByteArray("bueno\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Tabloza1.txt"});
    }

    void aSymbolicLinkStaysALinkAndTheFileItNamesIsReplaced_data() {
        QTest::addColumn<bool>("absolute");
        QTest::addColumn<bool>("existing");
        QTest::newRow("relative, to a file in another folder") << false << true;
        QTest::newRow("absolute, to a file not written yet") << true << false;
    }
    void aSymbolicLinkStaysALinkAndTheFileItNamesIsReplaced() {
        QFETCH(bool, absolute);
        QFETCH(bool, existing);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkpath("docs") && QDir(dir.path()).mkpath("real"));
        const QString real = dir.filePath("real/lista.txt");
        if (existing) {
            QVERIFY(writeFileAtomically(real, "viejo\r\n"));
            QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner |
                                                    QFile::ReadUser | QFile::WriteUser |
                                                    QFile::ReadGroup));
        }
        const QByteArray target =
            absolute ? QFile::encodeName(real) : QByteArray("../real/lista.txt");
        const QString link = dir.filePath("docs/lista.txt");
        QCOMPARE(::symlink(target.constData(), QFile::encodeName(link).constData()), 0);

        QString reason;
        QVERIFY2(writeFileAtomically(link, "nuevo\r\n", &reason), qPrintable(reason));
        QByteArray named(256, '\0');
        named.truncate(::readlink(QFile::encodeName(link).constData(), named.data(), 256));
        QCOMPARE(named, target);
        QCOMPARE(readAll(real), QByteArray("nuevo\r\n"));
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(real).constData(), &info), 0);
        if (existing) QCOMPARE(info.st_mode & 0777, mode_t{0640});
        const auto everything = QDir::Files | QDir::Hidden | QDir::System;
        QCOMPARE(QDir(dir.filePath("docs")).entryList(everything), QStringList{"lista.txt"});
        QCOMPARE(QDir(dir.filePath("real")).entryList(everything), QStringList{"lista.txt"});
    }

    void aFileSystemThatRefusesModesStillSavesTheFile_data() {
        QTest::addColumn<int>("error");
        QTest::newRow("FUSE FAT driver: ENOSYS") << ENOSYS;
        QTest::newRow("kernel vfat mount: EPERM") << EPERM;
    }
    void aFileSystemThatRefusesModesStillSavesTheFile() {
        QFETCH(int, error);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("palabras.txt");
        QFile probe(dir.filePath("probe"));
        QVERIFY(probe.open(QIODevice::WriteOnly));

        qputenv("SOPALY_FCHMOD_FAILS", QByteArray::number(error));
        const bool refused = ::fchmod(probe.handle(), 0600) != 0 && errno == error;
        QString reason;
        bool saved = writeFileAtomically(path, "sol\r\n", &reason);
        if (saved) saved = writeFileAtomically(path, "sol\r\nmar\r\n", &reason);
        qunsetenv("SOPALY_FCHMOD_FAILS");

        probe.remove();
        QVERIFY2(refused, "fchmod worked: the test runs without the shim that ctest preloads");
        QVERIFY2(saved, qPrintable(reason));
        QCOMPARE(readAll(path), QByteArray("sol\r\nmar\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"palabras.txt"});
    }

    void noReasonIsTheSystemsOwnText() {
        // The system's sentences are English for most users; a number the
        // program has no sentence for is still named, in Spanish.
        for (int error = 1; error < 134; ++error) {
            const QString reason = writeFailureReason(error);
            QVERIFY(!reason.isEmpty());
            QVERIFY2(reason != QString::fromLocal8Bit(std::strerror(error)), qPrintable(reason));
        }
        QCOMPARE(writeFailureReason(ENOSYS), QStringLiteral("error del sistema %1").arg(ENOSYS));
    }
};

QTEST_GUILESS_MAIN(SafeWriteTest)
#include "tst_safewrite.moc"
