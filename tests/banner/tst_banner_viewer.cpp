// The banner picture viewer and the pointer over the banner.
#include <QMovie>
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

QTEST_MAIN(TestBannerViewer)
#include "tst_banner_viewer.moc"
