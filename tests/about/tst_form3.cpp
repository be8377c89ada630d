// The about window: where it sits, its movie, and the clicks that close it.
#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "Form3.h"

using namespace sopaly;

namespace {

const QString kMovie = QStringLiteral(SOPALY_ASSETS_DIR "/bovedal.swf");
// The standby banner loops for ever: a movie file that asks to be repeated.
const QString kLoopingMovie = QStringLiteral(SOPALY_ASSETS_DIR "/S.g");

QRect inTwips(const QRect& pixels) {
    return QRect(pixels.x() * 15, pixels.y() * 15, pixels.width() * 15, pixels.height() * 15);
}

}  // namespace

class TestForm3 : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void theWindowIsBorderlessBlackAndFixedInItsPlace();
    void theControlsSitAtTheirDesignPlaces_data();
    void theControlsSitAtTheirDesignPlaces();
    void eachContinuePlaceClosesTheWindowAndThenHandsOver_data();
    void eachContinuePlaceClosesTheWindowAndThenHandsOver();
    void clicksThatAreNotAContinueLeaveTheWindowOpen_data();
    void clicksThatAreNotAContinueLeaveTheWindowOpen();
    void theMovieStartsAtOncePlaysOnceAndStopsOnItsLastFrame_data();
    void theMovieStartsAtOncePlaysOnceAndStopsOnItsLastFrame();
    void theMovieIsScaledToFitWithItsProportionsKept_data();
    void theMovieIsScaledToFitWithItsProportionsKept();
    void aMovieFileThatCannotBePlayedLeavesThePlayerEmpty_data();
    void aMovieFileThatCannotBePlayedLeavesThePlayerEmpty();
    void showingTheWindowAgainDoesNotRestartTheMovie();

  private:
    void installMovie(const QString& source);
    Form3* open();
    QWidget* child(const char* name) const;

    std::unique_ptr<QTemporaryDir> dir_;
    QPointer<Form3> about_;
    int continued_ = 0;
    bool hiddenWhenContinued_ = false;
    bool movieStoppedWhenContinued_ = false;
};

void TestForm3::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    continued_ = 0;
    hiddenWhenContinued_ = false;
    movieStoppedWhenContinued_ = false;
}

void TestForm3::cleanup() {
    delete about_;
    dir_.reset();
}

void TestForm3::installMovie(const QString& source) {
    QVERIFY(QFile::copy(source, dir_->filePath(QStringLiteral("bovedal.swf"))));
}

// Opens the window the way the main window's menu does: one window at most,
// brought to the front when it is already open.
Form3* TestForm3::open() {
    if (!about_) {
        about_ = new Form3(dir_->path(), [this] {
            ++continued_;
            hiddenWhenContinued_ = about_ && !about_->isVisible();
            movieStoppedWhenContinued_ =
                about_ && (!about_->movie() || about_->movie()->state() == QMovie::NotRunning);
        });
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
    return about_;
}

QWidget* TestForm3::child(const char* name) const {
    return about_ ? about_->findChild<QWidget*>(QString::fromLatin1(name)) : nullptr;
}

void TestForm3::theWindowIsBorderlessBlackAndFixedInItsPlace() {
    installMovie(kMovie);
    Form3* about = open();
    QVERIFY(about->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(about->isWindow());
    QCOMPARE(about->windowTitle(), QStringLiteral("ddddddd"));
    QCOMPARE(inTwips(about->geometry()), QRect(3330, 2040, 6150, 5040));
    QCOMPARE(about->minimumSize(), about->maximumSize());
    QCOMPARE(about->palette().color(QPalette::Window), QColor(Qt::black));
    QVERIFY(about->autoFillBackground());
    // The background really is drawn black.
    const QImage shot = about->grab().toImage();
    QCOMPARE(shot.pixelColor(3, 3), QColor(Qt::black));
}

void TestForm3::theControlsSitAtTheirDesignPlaces_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Label1") << QByteArray("Label1") << QRect(720, 240, 4935, 855)
                            << QStringLiteral("Gracias por elegir Sopaly!!!");
    QTest::newRow("flash") << QByteArray("flash") << QRect(240, 840, 5655, 3855) << QString();
    QTest::newRow("Label2") << QByteArray("Label2") << QRect(4440, 4800, 1695, 255)
                            << QStringLiteral("Click para continuar...");
}

void TestForm3::theControlsSitAtTheirDesignPlaces() {
    QFETCH(QByteArray, name);
    QFETCH(QRect, twips);
    QFETCH(QString, caption);
    installMovie(kMovie);
    open();
    auto* label = qobject_cast<QLabel*>(child(name.constData()));
    QVERIFY(label);
    QCOMPARE(inTwips(label->geometry()), twips);
    QCOMPARE(label->text(), caption);
    if (!caption.isEmpty()) {
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
    }
    if (name == "Label1") {
        QCOMPARE(label->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(label->font().pointSize(), 18);
    }
}

void TestForm3::eachContinuePlaceClosesTheWindowAndThenHandsOver_data() {
    QTest::addColumn<QByteArray>("place");
    QTest::newRow("the background") << QByteArray();
    QTest::newRow("Label1") << QByteArray("Label1");
    QTest::newRow("Label2") << QByteArray("Label2");
}

void TestForm3::eachContinuePlaceClosesTheWindowAndThenHandsOver() {
    QFETCH(QByteArray, place);
    installMovie(kMovie);
    Form3* about = open();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QWidget* target = place.isEmpty() ? about : child(place.constData());
    QVERIFY(target);
    // A point of the background that no control covers.
    const QPoint point = place.isEmpty() ? QPoint(5, about->height() - 5) : target->rect().center();
    QCOMPARE(about->childAt(target->mapTo(about, point)) == nullptr, place.isEmpty());

    QTest::mouseClick(target, Qt::LeftButton, {}, point);
    QCOMPARE(continued_, 1);
    QVERIFY(hiddenWhenContinued_);
    QVERIFY(movieStoppedWhenContinued_);
    QTRY_VERIFY(about_.isNull());
    QCOMPARE(continued_, 1);
}

void TestForm3::clicksThatAreNotAContinueLeaveTheWindowOpen_data() {
    QTest::addColumn<QByteArray>("pressOn");
    QTest::addColumn<QByteArray>("releaseOn");
    QTest::addColumn<int>("button");
    QTest::newRow("a click on the movie")
        << QByteArray("flash") << QByteArray("flash") << int(Qt::LeftButton);
    QTest::newRow("pressed on Label1, released on the background")
        << QByteArray("Label1") << QByteArray() << int(Qt::LeftButton);
    QTest::newRow("pressed on the background, released on Label2")
        << QByteArray() << QByteArray("Label2") << int(Qt::LeftButton);
    QTest::newRow("a right click on Label2")
        << QByteArray("Label2") << QByteArray("Label2") << int(Qt::RightButton);
}

void TestForm3::clicksThatAreNotAContinueLeaveTheWindowOpen() {
    QFETCH(QByteArray, pressOn);
    QFETCH(QByteArray, releaseOn);
    QFETCH(int, button);
    installMovie(kMovie);
    Form3* about = open();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    auto placeOf = [&](const QByteArray& name) -> std::pair<QWidget*, QPoint> {
        if (name.isEmpty()) {
            return {about, QPoint(5, about->height() - 5)};
        }
        QWidget* widget = child(name.constData());
        return {widget, widget ? widget->rect().center() : QPoint()};
    };
    const auto [pressWidget, pressPoint] = placeOf(pressOn);
    const auto [releaseWidget, releasePoint] = placeOf(releaseOn);
    QVERIFY(pressWidget && releaseWidget);

    const auto mouseButton = static_cast<Qt::MouseButton>(button);
    QTest::mousePress(pressWidget, mouseButton, {}, pressPoint);
    QTest::mouseRelease(releaseWidget, mouseButton, {}, releasePoint);
    QTest::qWait(20);
    QCOMPARE(continued_, 0);
    QVERIFY(!about_.isNull());
    QVERIFY(about->isVisible());
    // The window still answers a real click afterwards.
    QTest::mouseClick(child("Label2"), Qt::LeftButton);
    QCOMPARE(continued_, 1);
}

void TestForm3::theMovieStartsAtOncePlaysOnceAndStopsOnItsLastFrame_data() {
    QTest::addColumn<QString>("source");
    QTest::newRow("the shipped movie") << kMovie;
    QTest::newRow("a movie that asks to loop") << kLoopingMovie;
}

void TestForm3::theMovieStartsAtOncePlaysOnceAndStopsOnItsLastFrame() {
    QFETCH(QString, source);
    installMovie(source);
    Form3* about = open();
    QMovie* movie = about->movie();
    QVERIFY(movie);
    QCOMPARE(movie->state(), QMovie::Running);
    QCOMPARE(about->movieStarts(), 1);
    QSignalSpy frames(movie, &QMovie::frameChanged);
    movie->setSpeed(400);
    const int last = movie->frameCount() - 1;
    QVERIFY(last > 0);

    QTRY_COMPARE_WITH_TIMEOUT(movie->state(), QMovie::NotRunning, 15000);
    QCOMPARE(movie->currentFrameNumber(), last);
    // Long enough for the movie to begin again if it were going to.
    QTest::qWait(400);
    QCOMPARE(movie->state(), QMovie::NotRunning);
    QCOMPARE(movie->currentFrameNumber(), last);
    QCOMPARE(frames.last().at(0).toInt(), last);
    int firstFrames = 0;
    for (const QList<QVariant>& frame : frames) {
        firstFrames += frame.at(0).toInt() == 0 ? 1 : 0;
    }
    QVERIFY(firstFrames <= 1);
    QCOMPARE(about->movieStarts(), 1);
    // The player still shows that last frame.
    auto* flash = qobject_cast<QLabel*>(child("flash"));
    QVERIFY(flash && flash->movie() == movie);
    QVERIFY(!movie->currentPixmap().isNull());
}

void TestForm3::theMovieIsScaledToFitWithItsProportionsKept_data() {
    QTest::addColumn<QString>("source");
    QTest::newRow("the shipped movie") << kMovie;
    QTest::newRow("a wide picture") << kLoopingMovie;
}

void TestForm3::theMovieIsScaledToFitWithItsProportionsKept() {
    QFETCH(QString, source);
    installMovie(source);
    Form3* about = open();
    QVERIFY(about->movie());
    const QSize natural = QImageReader(source).size();
    const QSize area = child("flash")->size();
    const QSize shown = about->movie()->currentImage().size();
    QVERIFY(!natural.isEmpty());
    QVERIFY2(shown.width() <= area.width() && shown.height() <= area.height(),
             qPrintable(QStringLiteral("%1x%2").arg(shown.width()).arg(shown.height())));
    // It fills the area in one direction...
    QVERIFY(shown.width() == area.width() || shown.height() == area.height());
    // ...and keeps the shape of the movie to within a pixel of rounding.
    const double expectedHeight = double(shown.width()) * natural.height() / natural.width();
    QVERIFY2(std::abs(shown.height() - expectedHeight) <= 1.0,
             qPrintable(QString::number(expectedHeight)));
}

void TestForm3::aMovieFileThatCannotBePlayedLeavesThePlayerEmpty_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("present");
    QTest::newRow("no movie file") << QByteArray() << false;
    QTest::newRow("an empty file") << QByteArray() << true;
    QTest::newRow("a real flash movie header") << QByteArray("FWS\x06\x10\x00\x00\x00", 8) << true;
}

void TestForm3::aMovieFileThatCannotBePlayedLeavesThePlayerEmpty() {
    QFETCH(QByteArray, content);
    QFETCH(bool, present);
    if (present) {
        QFile file(dir_->filePath(QStringLiteral("bovedal.swf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    Form3* about = open();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QVERIFY(!about->movie());
    QCOMPARE(about->movieStarts(), 0);
    auto* flash = qobject_cast<QLabel*>(child("flash"));
    QVERIFY(flash);
    QVERIFY(!flash->movie());
    QVERIFY(flash->pixmap().isNull());
    // The rest of the window works as ever.
    QCOMPARE(qobject_cast<QLabel*>(child("Label1"))->text(),
             QStringLiteral("Gracias por elegir Sopaly!!!"));
    QTest::mouseClick(child("Label2"), Qt::LeftButton);
    QCOMPARE(continued_, 1);
    QTRY_VERIFY(about_.isNull());
}

void TestForm3::showingTheWindowAgainDoesNotRestartTheMovie() {
    installMovie(kMovie);
    Form3* first = open();
    QMovie* movie = first->movie();
    QVERIFY(movie);
    QTRY_VERIFY(movie->currentFrameNumber() >= 2);
    const int reached = movie->currentFrameNumber();

    Form3* second = open();
    QCOMPARE(second, first);
    QCOMPARE(second->movie(), movie);
    QCOMPARE(first->movieStarts(), 1);
    QVERIFY(movie->currentFrameNumber() >= reached);
    int windows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        windows += qobject_cast<Form3*>(widget) ? 1 : 0;
    }
    QCOMPARE(windows, 1);

    // Once it has stopped on its last frame, a new showing leaves it there.
    movie->setSpeed(400);
    QTRY_COMPARE_WITH_TIMEOUT(movie->state(), QMovie::NotRunning, 15000);
    open();
    QTest::qWait(100);
    QCOMPARE(movie->state(), QMovie::NotRunning);
    QCOMPARE(movie->currentFrameNumber(), movie->frameCount() - 1);
    QCOMPARE(first->movieStarts(), 1);
}

QTEST_MAIN(TestForm3)
#include "tst_form3.moc"
