#include <QImage>
#include <QLabel>
#include <QTest>

#include "Toolkit.h"

using namespace sopaly;

namespace {

// How many pixels of `image` within `area` are close to `colour`.
int pixelsNear(const QImage& image, QRect area, QColor colour, int tolerance = 60) {
    int count = 0;
    const QRect bounded = area.intersected(image.rect());
    for (int y = bounded.top(); y <= bounded.bottom(); ++y) {
        for (int x = bounded.left(); x <= bounded.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (qAbs(pixel.red() - colour.red()) + qAbs(pixel.green() - colour.green()) +
                    qAbs(pixel.blue() - colour.blue()) <=
                tolerance) {
                ++count;
            }
        }
    }
    return count;
}

QImage rendered(QWidget& widget) {
    return widget.grab().toImage();
}

const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 192, 0);

}  // namespace

class ToolkitTest : public QObject {
    Q_OBJECT
  private slots:
    void twipsBecomeTheNearestPixel_data() {
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("one pixel") << 15.0 << 1;
        QTest::newRow("just under half a pixel") << 7.0 << 0;
        QTest::newRow("just over half a pixel") << 8.0 << 1;
        QTest::newRow("the batch panel at rest") << 1815.0 << 121;
        QTest::newRow("one widening step on") << 2015.0 << 134;
        QTest::newRow("a half twip") << 22.5 << 2;
    }
    void twipsBecomeTheNearestPixel() {
        QFETCH(double, twips);
        QFETCH(int, pixels);
        QCOMPARE(twips::toPixels(twips), pixels);
    }

    void centringAtLoadHalvesExactly_data() {
        QTest::addColumn<QSizeF>("screen");
        QTest::addColumn<QSizeF>("outer");
        QTest::addColumn<QPointF>("place");
        QTest::newRow("even differences")
            << QSizeF(15360, 11520) << QSizeF(10230, 8130) << QPointF(2565, 1695);
        QTest::newRow("odd differences keep the half")
            << QSizeF(1001, 11) << QSizeF(0, 0) << QPointF(500.5, 5.5);
        QTest::newRow("a window larger than the screen")
            << QSizeF(100, 100) << QSizeF(301, 100) << QPointF(-100.5, 0);
    }
    void centringAtLoadHalvesExactly() {
        QFETCH(QSizeF, screen);
        QFETCH(QSizeF, outer);
        QFETCH(QPointF, place);
        QCOMPARE(twips::centredAtLoad(screen, outer), place);
    }

    void centringAtActivationRoundsThenDropsTheFraction_data() {
        QTest::addColumn<double>("difference");
        QTest::addColumn<int>("half");
        QTest::newRow("even") << 1000.0 << 500;
        QTest::newRow("odd drops the half") << 1001.0 << 500;
        QTest::newRow("a half rounds down to even first") << 1000.5 << 500;
        QTest::newRow("a half rounds up to even first") << 1001.5 << 501;
        QTest::newRow("negative odd goes towards zero") << -3.0 << -1;
        QTest::newRow("negative half rounds to even, then halves") << -2.5 << -1;
    }
    void centringAtActivationRoundsThenDropsTheFraction() {
        QFETCH(double, difference);
        QFETCH(int, half);
        const QPoint place = twips::centredAtActivation(QSizeF(difference + 700, difference + 300),
                                                        QSizeF(700, 300));
        QCOMPARE(place, QPoint(half, half));
    }

    void aFrameDrawsItsCaptionInItsColourAndItsChildrenKeepTheirs() {
        Frame frame(QStringLiteral("Cuadricula"), kBlue);
        frame.setGeometryTwips(0, 0, 3000, 1500);
        QLabel child(QStringLiteral("Filas Columnas"), &frame);
        twips::place(&child, 300, 600, 2400, 450);
        const QImage image = rendered(frame);
        const QRect captionBand(0, 0, frame.width(), child.y());
        QVERIFY(pixelsNear(image, captionBand, kBlue) > 5);
        QCOMPARE(pixelsNear(image, child.geometry(), kBlue), 0);
        QVERIFY(pixelsNear(image, child.geometry(), Qt::black, 200) > 5);
    }

    void aFrameHidesTheChildrenBeyondItsWidthUntilItIsWidened() {
        Frame frame(QStringLiteral("# de Rompecabezas"), kBlue);
        frame.setGeometryTwips(0, 0, 1815, 1155);
        LineShape bar(2040, 3240, 900, kGreen, 3, &frame);
        QCOMPARE(pixelsNear(rendered(frame), frame.rect(), kGreen, 20), 0);
        frame.setWidthTwips(7015);
        const QImage wide = rendered(frame);
        // The whole bar shows, 3 pixels thick along its 80 pixels.
        QVERIFY(pixelsNear(wide, frame.rect(), kGreen, 20) >= 3 * 78);
        QVERIFY(pixelsNear(wide, QRect(136, 59, 80, 3), kGreen, 20) >= 3 * 78);
    }

    void aFrameGrownInSmallStepsAddsUpInTwips() {
        Frame frame(QStringLiteral("# de Rompecabezas"), kBlue);
        frame.setGeometryTwips(3300, 5280, 1815, 1155);
        for (int tick = 0; tick < 26; ++tick) frame.setWidthTwips(frame.widthTwips() + 200);
        QCOMPARE(frame.widthTwips(), 7015);
        QCOMPARE(frame.width(), 468);
        for (int tick = 0; tick < 26; ++tick) frame.setWidthTwips(frame.widthTwips() - 200);
        QCOMPARE(frame.widthTwips(), 1815);
        QCOMPARE(frame.geometry(), QRect(220, 352, 121, 77));
    }

    void aLineFollowsItsEndsAndVanishesWhenTheyMeet() {
        QWidget parent;
        parent.resize(500, 100);
        LineShape line(2040, 3240, 900, kGreen, 3, &parent);
        QCOMPARE(line.geometry(), QRect(136, 59, 80, 3));
        line.setX2(6540);
        QCOMPARE(line.geometry(), QRect(136, 59, 300, 3));
        // Ends may pass each other; the line still lies between them.
        line.setX1(6840);
        QCOMPARE(line.geometry(), QRect(436, 59, 20, 3));
        line.setX1(line.x2());
        QCOMPARE(line.x1(), 6540);
        QCOMPARE(pixelsNear(rendered(parent), parent.rect(), kGreen, 20), 0);
    }

    void aLineLetsClicksThroughToWhatLiesUnderIt() {
        QWidget parent;
        parent.resize(500, 100);
        QLabel under(&parent);
        under.setGeometry(100, 40, 300, 40);
        LineShape line(2040, 3240, 900, kGreen, 3, &parent);
        QCOMPARE(parent.childAt(150, 60), &under);
    }
};

QTEST_MAIN(ToolkitTest)
#include "tst_toolkit.moc"
