// The banner picture viewer and the pointer over the banner.
#include <QMovie>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "BannerViewer.h"
#include "SensorCursor.h"

using sopaly::BannerViewer;

#include "TestFiles.h"

namespace {

const QString kStandby = QStringLiteral(SOPALY_ASSETS_DIR "/S.g");
const QString kMovie = QStringLiteral(SOPALY_ASSETS_DIR "/bovedal.swf");

int framesIn(const QString& path) {
    QMovie movie(path);
    return movie.frameCount();
}

// A GIF of `frames` frames, each one solid `colour`, 1/10 s apart. Qt writes
// no GIF, so the bytes are put together here: a two-colour table and, per
// frame, 3-bit LZW codes that start afresh every two pixels, so the code
// size never grows.
QByteArray solidGif(QColor colour, int frames, int width = 40, int height = 20) {
    QByteArray gif("GIF89a");
    const auto word = [&gif](int value) {
        gif.append(char(value & 0xff));
        gif.append(char(value >> 8));
    };
    word(width);
    word(height);
    gif.append(char(0xF0)).append(char(0)).append(char(0));
    gif.append(char(colour.red())).append(char(colour.green())).append(char(colour.blue()));
    gif.append(3, char(0));
    if (frames > 1) {
        gif.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    }
    for (int f = 0; f < frames; ++f) {
        gif.append("\x21\xF9\x04\x00", 4);
        word(10);
        gif.append(2, char(0));
        gif.append(char(0x2C));
        word(0);
        word(0);
        word(width);
        word(height);
        gif.append(char(0)).append(char(2));
        QByteArray codes;
        quint32 bits = 0;
        int used = 0;
        const auto put = [&](int code) {
            bits |= quint32(code) << used;
            used += 3;
            while (used >= 8) {
                codes.append(char(bits & 0xff));
                bits >>= 8;
                used -= 8;
            }
        };
        for (int pixel = 0; pixel < width * height; ++pixel) {
            if (pixel % 2 == 0) put(4);  // clear
            put(0);
        }
        put(5);  // end of information
        if (used > 0) codes.append(char(bits & 0xff));
        for (qsizetype at = 0; at < codes.size(); at += 255) {
            const QByteArray block = codes.mid(at, 255);
            gif.append(char(block.size())).append(block);
        }
        gif.append(char(0));
    }
    gif.append(char(0x3B));
    return gif;
}

// What the screen holds at the middle of the widget's window: the backing
// store as last painted, with no repaint forced.
QColor onScreenAtCentre(QWidget& widget) {
    const QPixmap shot = widget.screen()->grabWindow(widget.winId());
    return shot.toImage().pixelColor(shot.width() / 2, shot.height() / 2);
}

}  // namespace

class TestBannerViewer : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void aPictureIsRecognisedByItsContentWhateverItsName_data();
    void aPictureIsRecognisedByItsContentWhateverItsName();
    void aFileItCannotReadLeavesTheOldPicture_data();
    void aFileItCannotReadLeavesTheOldPicture();
    void theShownFileMayBeRewrittenWhileItIsShown();
    void thePointerIsAThirtyTwoPixelHandWithItsTipAsHotSpot();
    void theScreenShowsANewPictureWhetherStillOrAnimated_data();
    void theScreenShowsANewPictureWhetherStillOrAnimated();

  private:
    QTemporaryDir dir_;
};

void TestBannerViewer::initTestCase() {
    QVERIFY(dir_.isValid());
    QVERIFY(QFile::exists(kStandby));
    QVERIFY(framesIn(kStandby) > 1);
    QVERIFY(framesIn(kMovie) > 1);
}

void TestBannerViewer::aPictureIsRecognisedByItsContentWhateverItsName_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("name");
    QTest::newRow("standby as B.g") << kStandby << "B.g";
    QTest::newRow("standby without suffix") << kStandby << "banner";
    QTest::newRow("movie as .png") << kMovie << "wrong.png";
    QTest::newRow("movie as .swf") << kMovie << "bovedal.swf";
}

void TestBannerViewer::aPictureIsRecognisedByItsContentWhateverItsName() {
    QFETCH(QString, source);
    QFETCH(QString, name);
    const QString path = dir_.filePath(name);
    QFile::remove(path);
    QVERIFY(QFile::copy(source, path));

    BannerViewer viewer;
    QVERIFY(viewer.shownFile().isEmpty());
    QVERIFY(viewer.showFile(path));
    QCOMPARE(viewer.shownFile(), path);
    QVERIFY(viewer.movie());
    QCOMPARE(viewer.movie()->frameCount(), framesIn(source));
    QVERIFY(!viewer.movie()->currentImage().isNull());
}

void TestBannerViewer::aFileItCannotReadLeavesTheOldPicture_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("create");
    QTest::newRow("missing") << "gone.g" << QByteArray() << false;
    QTest::newRow("empty") << "empty.g" << QByteArray() << true;
    QTest::newRow("text") << "text.g" << QByteArray("<html>not found</html>") << true;
    QTest::newRow("only a GIF header") << "cut.g" << readAll(kStandby).left(13) << true;
}

void TestBannerViewer::aFileItCannotReadLeavesTheOldPicture() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, create);
    const QString path = dir_.filePath(name);
    if (create) {
        writeFile(path, bytes);
    }
    BannerViewer viewer;
    QVERIFY(viewer.showFile(kStandby));
    QMovie* before = viewer.movie();
    const QImage picture = before->currentImage();

    QVERIFY(!viewer.showFile(path));
    QCOMPARE(viewer.shownFile(), kStandby);
    QCOMPARE(viewer.movie(), before);
    QCOMPARE(viewer.movie()->currentImage(), picture);
    // A folder is not a picture either.
    QVERIFY(!viewer.showFile(dir_.path()));
    QCOMPARE(viewer.movie(), before);
}

void TestBannerViewer::theShownFileMayBeRewrittenWhileItIsShown() {
    const QString path = dir_.filePath(QStringLiteral("B.g"));
    QFile::remove(path);
    QVERIFY(QFile::copy(kStandby, path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    BannerViewer viewer;
    viewer.show();
    QVERIFY(viewer.showFile(path));
    QSignalSpy frames(viewer.movie(), &QMovie::frameChanged);

    writeFile(path, QByteArray(5000, 'x'));
    const int total = viewer.movie()->frameCount();
    // The old picture plays on, through a whole round and beyond: the viewer
    // animates, and from its own copy of the bytes.
    QTRY_VERIFY_WITH_TIMEOUT(frames.size() >= total + 2, 10000);
    QVERIFY(!viewer.movie()->currentImage().isNull());
    // And a picture written in its place afterwards is shown when asked for.
    writeFile(path, readAll(kMovie));
    QVERIFY(viewer.showFile(path));
    QCOMPARE(viewer.movie()->frameCount(), framesIn(kMovie));
}

void TestBannerViewer::thePointerIsAThirtyTwoPixelHandWithItsTipAsHotSpot() {
    const QCursor cursor = sopaly::sensorCursor();
    QCOMPARE(cursor.shape(), Qt::BitmapCursor);
    const QPixmap picture = cursor.pixmap();
    QCOMPARE(picture.size(), QSize(32, 32));
    QCOMPARE(cursor.hotSpot(), QPoint(12, 1));
    // The hot spot lies on the drawn fingertip, and the corners are clear.
    const QImage image = picture.toImage();
    QVERIFY(qAlpha(image.pixel(12, 1)) > 0);
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(31, 0)), 0);
}

void TestBannerViewer::theScreenShowsANewPictureWhetherStillOrAnimated_data() {
    QTest::addColumn<int>("frames");
    QTest::newRow("still") << 1;
    QTest::newRow("animated") << 3;
}

void TestBannerViewer::theScreenShowsANewPictureWhetherStillOrAnimated() {
    QFETCH(int, frames);
    const QColor before(200, 30, 40);
    const QColor after(20, 60, 210);
    const QString first = dir_.filePath(QStringLiteral("first.g"));
    const QString next = dir_.filePath(QStringLiteral("B.g"));
    writeFile(first, solidGif(before, frames));
    writeFile(next, solidGif(after, frames));
    QCOMPARE(framesIn(next), frames);

    BannerViewer viewer;
    viewer.resize(40, 20);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QVERIFY(viewer.showFile(first));
    QTRY_COMPARE(onScreenAtCentre(viewer), before);
    QVERIFY(viewer.showFile(next));
    QTRY_COMPARE(onScreenAtCentre(viewer), after);
}

QTEST_MAIN(TestBannerViewer)
#include "tst_banner_viewer.moc"
