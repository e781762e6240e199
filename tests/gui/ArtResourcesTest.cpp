#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

#include <array>

// The drawings compiled into the program: every toolbar icon in its three states, the editing
// cursor, the logo and the mode descriptions.
class ArtResourcesTest : public QObject {
    Q_OBJECT
private slots:
    void everyIconDrawsInEveryStateAndSize();
    void disabledIconsAreGreyAndHotOnesDiffer();
    void cursorTipIsItsHotSpot();
    void picturesHaveTheirSizes();
};

namespace {

const std::array<const char*, 14> IconNames = {
    "open", "mode-fixed", "mode-moving", "mode-preview", "save", "first", "back",
    "play", "stop", "next", "last", "track", "deinterlace", "quorvel"};

QImage Render(const QString& path, QSize size) {
    QSvgRenderer renderer(path);
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (!renderer.isValid())
        return image;
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

int OpaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 128;
    return count;
}

} // namespace

void ArtResourcesTest::everyIconDrawsInEveryStateAndSize() {
    for (const char* name : IconNames) {
        for (const char* state : {"", "-hot", "-disabled"}) {
            const QString path = QString(":/icons/%1%2.svg").arg(name, state);
            QVERIFY2(QSvgRenderer(path).isValid(), qPrintable(path));
            QCOMPARE(QSvgRenderer(path).defaultSize(), QSize(32, 32));
            for (int size : {16, 32}) {
                // Something fills a fair part of the square, and it leaves a margin of air.
                const QImage image = Render(path, QSize(size, size));
                QVERIFY2(OpaquePixels(image) > size * size / 5, qPrintable(path));
                QVERIFY2(OpaquePixels(image) < size * size, qPrintable(path));
            }
        }
    }
}

void ArtResourcesTest::disabledIconsAreGreyAndHotOnesDiffer() {
    for (const char* name : IconNames) {
        const QImage normal = Render(QString(":/icons/%1.svg").arg(name), QSize(32, 32));
        const QImage hot = Render(QString(":/icons/%1-hot.svg").arg(name), QSize(32, 32));
        const QImage disabled = Render(QString(":/icons/%1-disabled.svg").arg(name), QSize(32, 32));
        QVERIFY2(normal != hot, name);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QRgb pixel = disabled.pixel(x, y);
                // Antialiased edges mix greys only, so the channels stay within rounding.
                QVERIFY2(qAbs(qRed(pixel) - qGreen(pixel)) <= 1 && qAbs(qGreen(pixel) - qBlue(pixel)) <= 1,
                         name);
                // The three states share one outline, so no button jumps when its state changes.
                QCOMPARE(qAlpha(pixel) > 0, qAlpha(normal.pixel(x, y)) > 0);
            }
        }
    }
}

void ArtResourcesTest::cursorTipIsItsHotSpot() {
    QCOMPARE(QSvgRenderer(QString(":/cursors/edit.svg")).defaultSize(), QSize(32, 32));
    const QImage cursor = Render(":/cursors/edit.svg", QSize(32, 32));
    // The tip sits on (3, 1): the pixel is dark and nothing lies above or left of it.
    QVERIFY(qAlpha(cursor.pixel(3, 1)) > 200 && qGray(cursor.pixel(3, 1)) < 80);
    for (int x = 0; x < 32; ++x)
        QCOMPARE(qAlpha(cursor.pixel(x, 0)), 0);
    for (int y = 0; y < 32; ++y)
        QVERIFY(qAlpha(cursor.pixel(2, y)) < 40);
    // The red frame of the chequered square at the lower right.
    const QRgb frame = cursor.pixel(29, 24);
    QVERIFY(qRed(frame) > 180 && qGreen(frame) < 80 && qBlue(frame) < 80);
}

void ArtResourcesTest::picturesHaveTheirSizes() {
    for (const char* mode : {"fixed", "moving"}) {
        for (const char* language : {"en", "jp"}) {
            const QString path = QString(":/pictures/%1-%2.svg").arg(mode, language);
            QSvgRenderer renderer(path);
            QVERIFY2(renderer.isValid(), qPrintable(path));
            QCOMPARE(renderer.defaultSize(), QSize(250, 205));
        }
    }
    QSvgRenderer logo(QString(":/pictures/logo.svg"));
    QVERIFY(logo.isValid());
    QCOMPARE(logo.defaultSize(), QSize(200, 50));
    // Its background is the colour the About box leaves transparent.
    const QImage image = Render(":/pictures/logo.svg", QSize(200, 50));
    QCOMPARE(image.pixel(199, 0), qRgb(230, 230, 230));
    QCOMPARE(image.pixel(0, 49), qRgb(230, 230, 230));
}

QTEST_MAIN(ArtResourcesTest)
#include "ArtResourcesTest.moc"
