// The command line as a script meets it: the real program, started with no
// display named, its exit codes, its words on standard error, and the files
// it leaves, read back as a reader of them would (pdftotext).
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include "CommandLine.h"

using namespace sopaly;

namespace {

struct Ran {
    int code = -1;
    QString out;
    QString err;
};

// A puzzle file is Windows-1252: its ASCII reads the same in Latin-1.
QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

QString pdfText(const QString& pdf) {
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    return text.waitForFinished(60000) ? QString::fromUtf8(text.readAllStandardOutput())
                                       : QString();
}

}  // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

    QTemporaryDir work;
    QString config;

    // The program in `folder` with no display and no platform named, and
    // settings of its own that it must neither read nor change.
    Ran sopaly(const QStringList& arguments, const QByteArray& input = {}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            env.remove(QString::fromLatin1(name));
        }
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(work.path());
        process.start(QStringLiteral(SOPALY_PROGRAM), arguments);
        process.write(input);
        process.closeWriteChannel();
        if (!process.waitForFinished(60000)) return {};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    Ran sopaly(const char* arguments) { return sopaly(QString::fromUtf8(arguments).split(u' ')); }

    QString path(const QString& name) const { return work.filePath(name); }

    void writeList(const QString& name, const QByteArray& bytes) {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // What the run made: every file of the folder but the lists.
    QStringList made() const {
        QStringList names =
            QDir(work.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        for (const char* list : {"animales.txt", "binario.txt", "vacia.txt", "sopaly"}) {
            names.removeAll(QString::fromLatin1(list));
        }
        return names;
    }

    void clearMade() {
        for (const QString& name : made()) QVERIFY(QFile::remove(path(name)));
    }

  private slots:
    void initTestCase() {
        QVERIFY(work.isValid());
        writeList(QStringLiteral("animales.txt"),
                  "gato\nperro\nratón\nñandú\nelefante\njirafa\ncaballo\n"
                  "tortuga\nconejo\nleón\nballena\ncocodrilo\n");
        writeList(QStringLiteral("binario.txt"), QByteArray("\x7f"
                                                            "ELF\0\0\0\x01\x02",
                                                            9));
        writeList(QStringLiteral("vacia.txt"), "\n \n");
        // A teacher's remembered grid of 6 × 6, which a command never reads.
        config = path(QStringLiteral("sopaly"));
        QVERIFY(QDir().mkpath(config + QStringLiteral("/sopaly")));
        QFile kept(config + QStringLiteral("/sopaly/sopaly.conf"));
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.write("[rompecabezas]\nfilas=6\ncolumnas=6\n");
    }

    void cleanup() { clearMade(); }

    // One row: the arguments and the files made, each split at spaces.
    static void row(const char* name, const char* arguments, int code, const char* said,
                    const char* files = "", const QByteArray& input = {}) {
        QTest::newRow(name) << QString::fromUtf8(arguments).split(u' ') << input << code
                            << QString::fromUtf8(said)
                            << QString::fromUtf8(files).split(u' ', Qt::SkipEmptyParts);
    }

    void exitCodesAndTheirWords_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("said");  // on standard error; on output for 0 with no file
        QTest::addColumn<QStringList>("files");
        row("help", "--help", 0, "  3  no se pudo escribir un archivo");
        row("version", "-v", 0, "sopaly 1.");
        row("unknown option", "--lista animales.txt --hoja h.pdf --tamano 9", 1, "«sopaly --help»");
        row("missing value", "--hoja h.pdf --lista", 1, "«sopaly --help»");
        row("no list", "--hoja h.pdf", 1, "Falta la lista de palabras");
        row("no output", "--lista animales.txt", 1, "No se pidió ningún archivo");
        row("unknown shape", "--lista animales.txt --hoja h.pdf --forma cubo", 1, "«cubo»");
        row("unknown letter size", "--lista animales.txt --hoja h.pdf --letra enorme", 1,
            "«enorme» (normal, grande, muy-grande)");
        row("list not text", "--lista binario.txt --hoja h.pdf", 2,
            "No se pudo abrir la lista de palabras binario.txt: no es un archivo de texto.");
        row("list with no word", "--lista vacia.txt --hoja h.pdf", 2,
            "La lista de palabras vacia.txt no tiene ninguna palabra");
        row("missing list among good ones",
            "--lista animales.txt --lista no.txt --hoja h.pdf --texto .", 2,
            "no.txt: el archivo no existe.");
        row("rows out of range", "--lista animales.txt --hoja h.pdf --filas=21", 2,
            "El número de filas debe ser un número de 5 a 20.");
        row("versions out of range", "--lista animales.txt --juego j.pdf --versiones 201", 2,
            "El número de versiones debe ser un número entero de 1 a 200.");
        row("no count", "--lista animales.txt --texto . --numero 0", 2,
            "El número de rompecabezas debe ser un número entero");
        row("folder missing", "--lista animales.txt --hoja falta/h.pdf", 3,
            "No se pudo guardar el archivo falta/h.pdf: la carpeta no existe.");
        row("worksheet", "--lista animales.txt --hoja h.pdf", 0, "Semilla: ", "h.pdf");
        row("words past the limit", "--lista animales.txt --hoja h.pdf --maximo 10", 0,
            "10 de 12 palabras en la cuadrícula. Fuera del máximo: ", "h.pdf");
        row("list on standard input", "--lista - --hoja h.pdf", 0, "Semilla: ", "h.pdf",
            "sol\nluna\n");
        row("puzzle files", "--lista animales.txt --texto . --numero 3 --semilla 1", 0, "",
            "Tabloza1.txt Tabloza2.txt Tabloza3.txt");
        row("web page and its package", "--lista animales.txt --html p.html --scorm p.zip", 0,
            "Semilla: ", "p.html p.zip");
        row("grid too large for its letters",
            "--lista animales.txt --hoja h.pdf --letra muy-grande --lectura-facil", 0,
            "La cuadrícula de 20 × 20 no cabe en la hoja con letra muy grande: se imprime a 17",
            "h.pdf");
        row("message without letters", "--lista animales.txt --hoja h.pdf --mensaje ¡! --semilla 1",
            0, "no tiene ninguna letra ni cifra", "h.pdf");
    }

    void exitCodesAndTheirWords() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, code);
        QFETCH(QString, said);
        QFETCH(QStringList, files);
        const Ran ran = sopaly(arguments, input);
        QCOMPARE(ran.code, code);
        const QString where = code == 0 && files.isEmpty() ? ran.out : ran.err;
        QVERIFY2(where.contains(said), qPrintable(ran.err + ran.out));
        QCOMPARE(made(), files);
        // No progress line where standard error is no terminal.
        QVERIFY(!ran.err.contains(u'\r'));
    }

    // Each option as the worksheet or the puzzle file shows it; the
    // remembered 6 × 6 grid is never read.
    void optionsReachThePuzzle_data() {
        QTest::addColumn<QStringList>("arguments");  // --hoja h.pdf, or --texto . for Tabloza1.txt
        QTest::addColumn<QString>("holds");          // a pattern of the file's text
        QTest::addColumn<QString>("lacks");
        const auto option = [](const char* name, const char* arguments, const char* holds,
                               const char* lacks) {
            QTest::newRow(name) << QString::fromUtf8(arguments).split(u' ')
                                << QString::fromUtf8(holds) << QString::fromUtf8(lacks);
        };
        option("design size", "--texto .", "(?m)^(\\S ){20}\\r$", "(?m)^(\\S ){21}");
        option("rows and columns", "--texto . --filas 6 --columnas 7", "(?m)^(\\S ){7}\\r$",
               "(?m)^(\\S ){8}|((\\S ){7}\\r\\n){7}");
        option("shape with accent", "--texto . --forma Corazón", "(?m)^  ",
               "((\\S ){20}\\r\\n){20}");
        option("title", "--hoja h.pdf --titulo Granja", "Granja", "animales");
        option("title of the list", "--hoja h.pdf", "animales", "Sopa de letras");
        option("lower case", "--hoja h.pdf --minusculas", "cocodrilo", "COCODRILO");
        option("list hidden", "--hoja h.pdf --ocultar-lista", "12", "TORTUGA[^\\f]*\\f[^\\f]*\\f");
        option("secret message", "--hoja h.pdf --mensaje=hola", "HOLA", "^$");
    }

    void optionsReachThePuzzle() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, holds);
        QFETCH(QString, lacks);
        const Ran ran =
            sopaly(QStringList{"--lista", "animales.txt", "--semilla", "5"} + arguments);
        QCOMPARE(ran.code, 0);
        const QString file =
            arguments.at(1) == QLatin1String(".") ? "Tabloza1.txt" : arguments.at(1);
        const QString text =
            file.endsWith(QLatin1String(".pdf")) ? pdfText(path(file)) : readText(path(file));
        QVERIFY2(text.contains(QRegularExpression(holds)), qPrintable(text));
        QVERIFY2(!text.contains(QRegularExpression(lacks)), qPrintable(text));
        QVERIFY2(readText(config + QStringLiteral("/sopaly/sopaly.conf")) ==
                     QLatin1String("[rompecabezas]\nfilas=6\ncolumnas=6\n"),
                 "the command changed the settings");
    }

    // Easy puzzles hide every word along a row or a column of the key.
    void easyPuzzlesHaveNoDiagonal() {
        QCOMPARE(
            sopaly("--lista animales.txt --texto . --numero 10 --dificultad facil --filas 12").code,
            0);
        for (int n = 1; n <= 10; ++n) {
            const QStringList lines = readText(path(QStringLiteral("Tabloza%1.txt").arg(n)))
                                          .split(QStringLiteral("\r\n"));
            // The puzzle's 12 rows, then the key's.
            const QStringList rows =
                lines.filter(QRegularExpression(QStringLiteral("^(\\S ){20}$"))).mid(12);
            QCOMPARE(rows.size(), 12);
            QStringList lines8 = rows;
            for (int col = 0; col < 20; ++col) {
                QString column;
                for (const QString& row : rows) column += row.mid(col * 2, 1);
                lines8 << column;
            }
            const QString along = lines8.join(u'|').remove(u' ');
            for (const QString& word : QStringList{"ELEFANTE", "COCODRILO", "TORTUGA"}) {
                QString backwards(word);
                std::reverse(backwards.begin(), backwards.end());
                QVERIFY2(along.contains(word) || along.contains(backwards), qPrintable(word));
            }
        }
    }

    // The same seed makes the same files, a printed seed makes them again.
    void seedMakesTheSamePuzzles() {
        const QStringList outputs = QStringLiteral(
                                        "--lista animales.txt --texto . --numero 2 --hoja h.pdf "
                                        "--juego j.pdf --versiones 3")
                                        .split(u' ');
        const auto texts = [&] {
            return QStringList{readText(path("Tabloza1.txt")), readText(path("Tabloza2.txt")),
                               pdfText(path("h.pdf")), pdfText(path("j.pdf"))};
        };
        const Ran first = sopaly(outputs);
        const QRegularExpressionMatch seed =
            QRegularExpression(QStringLiteral("Semilla: (\\d+)\\n")).match(first.err);
        QVERIFY2(seed.hasMatch(), qPrintable(first.err));
        const QStringList made = texts();
        QCOMPARE(sopaly(outputs + QStringList{"--semilla", seed.captured(1)}).code, 0);
        QCOMPARE(texts(), made);
        QVERIFY(!texts().contains(QString()));
        const QString next = QString::number(seed.captured(1).toULongLong() + 1);
        QCOMPARE(sopaly(outputs + QStringList{"--semilla=" + next}).code, 0);
        QVERIFY(texts().at(0) != made.at(0));
    }

    void classroomSetOf200DistinctVersions() {
        QCOMPARE(sopaly("--lista animales.txt --juego j.pdf --versiones 200 --semilla 9").code, 0);
        QStringList pages = pdfText(path("j.pdf")).split(u'\f', Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 400);
        QSet<QString> grids;
        for (int k = 0; k < 200; ++k) {
            grids.insert(
                QString(pages.at(k)).remove(QRegularExpression(QStringLiteral("versión \\d+"))));
        }
        QCOMPARE(grids.size(), 200);
    }

    // On a terminal, the set tells its progress on one line, written over.
    void progressOnATerminal() {
        QString said;
        cli::Console console{[](const QString&) {}, [&said](const QString& text) { said += text; },
                             [](qint64) { return QByteArray("sol\nluna\n"); }, true};
        QCOMPARE(
            cli::commandLineMain(
                {"sopaly", "--lista", "-", "--juego", path("j.pdf"), "--versiones", "4"}, console),
            0);
        QVERIFY2(said.contains(QStringLiteral("\rVersión 4 de 4\x1b[K")), qPrintable(said));
        QVERIFY(said.contains(QStringLiteral("\rPágina 8 de 8\x1b[K")));
    }
};

QTEST_MAIN(CommandLineTest)
#include "tst_commandline.moc"
