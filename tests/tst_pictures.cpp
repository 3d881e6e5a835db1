// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// The stored pictures as the windows show them. CTest runs this at device
// pixel ratio 1 and 2 (QT_SCALE_FACTOR): at 1 each region of a window is its
// 1x picture, at 2 it is the picture drawn at twice the size, pixel for
// pixel, and not the 1x one scaled up. The pictures are compared with the
// files in the source tree that the generator wrote.
#include "frmfeatures.h"
#include "windowfixture.h"

#include <QIcon>

namespace
{
const QString imagesFolder = QStringLiteral(PCU_IMAGES_DIR);

// The ratio this run is for; the windows must be on such a screen.
int runRatio()
{
    return qEnvironmentVariableIntValue("QT_SCALE_FACTOR") == 2 ? 2 : 1;
}

QImage picture(const QString& name, int ratio)
{
    const QString suffix = ratio == 1 ? QString() : QStringLiteral("@%1x").arg(ratio);
    QImage image(imagesFolder + '/' + name + suffix + ".png");
    return image.convertToFormat(QImage::Format_RGB32);
}

int differingPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    return count;
}

QRect scaled(const QRect& rect, int ratio)
{
    return QRect(rect.topLeft() * ratio, rect.size() * ratio);
}

// The bounding box, in window pixels, of the black text of a picture
// drawn at the given ratio, within a band of rows.
QRect textBox(const QImage& image, int ratio, int top, int height)
{
    QRect box;
    for (int y = top * ratio; y < qMin(image.height(), (top + height) * ratio); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 50)
                box |= QRect(x / ratio, y / ratio, 1, 1);
    return box;
}
} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;

    // Compares a region of the window, in window pixels, with the same
    // region of a picture; 'at' is where the region lies in the picture.
    void compareRegion(QWidget* window, const QRect& region, const QString& name, const QPoint& at)
    {
        const int ratio = runRatio();
        const QImage shown = window->grab()
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32)
                                 .copy(scaled(region, ratio));
        const QRect inPicture(at, region.size());
        const QImage expected = picture(name, ratio).copy(scaled(inPicture, ratio));
        QCOMPARE(shown.size(), region.size() * ratio);
        QCOMPARE(differingPixels(shown, expected), 0);
        if (ratio == 1)
            return;
        // The 2x picture is a drawing of its own: the 1x one scaled up,
        // smoothly or not, would differ in many pixels.
        const QImage once = picture(name, 1).copy(inPicture);
        for (const Qt::TransformationMode mode :
             {Qt::FastTransformation, Qt::SmoothTransformation}) {
            const QImage stretched = once.scaled(shown.size(), Qt::IgnoreAspectRatio, mode);
            QVERIFY2(differingPixels(shown, stretched) > shown.width() * shown.height() / 20,
                     "the region shows the 1x picture stretched");
        }
    }

    void regionsTable()
    {
        QTest::addColumn<QRect>("region"); // in the window, in window pixels
        QTest::addColumn<QString>("name"); // the picture, without its suffix
        QTest::addColumn<QPoint>("at");    // where the region lies in the picture
    }

  private slots:
    void initTestCase()
    {
        WindowFixture probe;
        QCOMPARE(probe.window.devicePixelRatio(), qreal(runRatio()));
    }

    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    void mainWindowRegions_data()
    {
        regionsTable();
        QTest::newRow("heading") << QRect(8, 4, 201, 16) << "Picture1" << QPoint(0, 0);
        QTest::newRow("left labels") << QRect(5, 40, 140, 265) << "Attribute1" << QPoint(0, 0);
        QTest::newRow("right labels") << QRect(296, 40, 128, 241) << "Attribute2" << QPoint(0, 0);
        QTest::newRow("Apply Settings face")
            << QRect(594, 164, 128, 26) << "button_apply" << QPoint(0, 0);
        QTest::newRow("Exit face") << QRect(594, 284, 128, 26) << "button_exit" << QPoint(0, 0);
        QTest::newRow("printer artwork")
            << QRect(582, 28, 144, 130) << "background" << QPoint(582, 28);
        QTest::newRow("note") << QRect(4, 320, 722, 36) << "background" << QPoint(4, 320);
    }

    void mainWindowRegions()
    {
        QFETCH(QRect, region);
        QFETCH(QString, name);
        QFETCH(QPoint, at);
        compareRegion(&f->window, region, name, at);
    }

    // The banner, shown only while settings are sent, sits inside its
    // 2-pixel sunken frame.
    void banner()
    {
        auto* banner = f->child("imgWarning");
        banner->show();
        compareRegion(&f->window, QRect(186, 146, 346, 34), "imgWarning", QPoint(0, 0));
    }

    void featuresWindowRegions_data()
    {
        regionsTable();
        QTest::newRow("heading") << QRect(8, 0, 273, 25) << "features_heading" << QPoint(0, 0);
        QTest::newRow("title") << QRect(144, 32, 287, 33) << "features_title" << QPoint(0, 0);
        QTest::newRow("Print Features face")
            << QRect(600, 360, 128, 26) << "button_printfeatures" << QPoint(0, 0);
        QTest::newRow("Close face") << QRect(600, 392, 126, 24) << "button_close" << QPoint(0, 0);
        QTest::newRow("printer artwork")
            << QRect(592, 27, 146, 300) << "features_background" << QPoint(592, 27);
    }

    void featuresWindowRegions()
    {
        QFETCH(QRect, region);
        QFETCH(QString, name);
        QFETCH(QPoint, at);
        QTest::mouseClick(f->child("imgSFeatures"), Qt::LeftButton);
        compareRegion(f->window.featuresWindow(), region, name, at);
    }

    // Once the window is up, a desktop asking for any of these sizes gets
    // the picture drawn for it.
    void programIcon_data()
    {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<QString>("name");
        for (const int pixels : {16, 24, 32, 48, 128, 256})
            QTest::addRow("%d", pixels) << pixels << QString("icons/tr7400config-%1").arg(pixels);
        QTest::newRow("64, the stored icon") << 64 << "icon";
    }

    void programIcon()
    {
        QFETCH(int, pixels);
        QFETCH(QString, name);
        QTRY_VERIFY(f->window.windowIcon().availableSizes().contains(QSize(pixels, pixels)));
        const QIcon icon = f->window.windowIcon();
        const QImage shown = icon.pixmap(QSize(pixels, pixels), 1.0).toImage();
        const QImage drawn(imagesFolder + '/' + name + ".png");
        QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32),
                 drawn.convertToFormat(QImage::Format_ARGB32));
    }

    // The features window's title-bar icon is 16 x 16 window pixels, in
    // the screen's pixels.
    void featuresIcon()
    {
        QTest::mouseClick(f->child("imgSFeatures"), Qt::LeftButton);
        const int ratio = runRatio();
        const QIcon icon = f->window.featuresWindow()->windowIcon();
        const QImage shown = icon.pixmap(QSize(16, 16), ratio).toImage();
        QCOMPARE(shown.size(), QSize(16, 16) * ratio);
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), picture("features_icon", ratio));
    }

    // Twice the size, same layout: the text of every 2x picture covers the
    // same window pixels as at 1x, give or take one, so the labels still
    // stand level with their lists.
    void textStaysInPlace_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("rowPitch"); // one text line per so many rows; 0: one band
        QTest::newRow("left labels") << "Attribute1" << 24;
        QTest::newRow("right labels") << "Attribute2" << 24;
        QTest::newRow("heading") << "Picture1" << 0;
        QTest::newRow("features heading") << "features_heading" << 0;
        QTest::newRow("features title") << "features_title" << 0;
        QTest::newRow("button face") << "button_default" << 0;
        QTest::newRow("note") << "background" << 0;
    }

    void textStaysInPlace()
    {
        QFETCH(QString, name);
        QFETCH(int, rowPitch);
        const QImage once = picture(name, 1);
        const QImage twice = picture(name, 2);
        QCOMPARE(twice.size(), once.size() * 2);
        const int pitch = rowPitch ? rowPitch : once.height();
        int lines = 0;
        for (int top = 0; top < once.height(); top += pitch) {
            const QRect at1x = textBox(once, 1, top, pitch);
            const QRect at2x = textBox(twice, 2, top, pitch);
            QCOMPARE(at2x.isNull(), at1x.isNull());
            if (at1x.isNull())
                continue;
            ++lines;
            const QString where = QString("text at row %1: %2 at 1x, %3 at 2x")
                                      .arg(top)
                                      .arg(QDebug::toString(at1x), QDebug::toString(at2x));
            QVERIFY2(qAbs(at1x.left() - at2x.left()) <= 1, qPrintable(where));
            QVERIFY2(qAbs(at1x.right() - at2x.right()) <= 1, qPrintable(where));
            QVERIFY2(qAbs(at1x.top() - at2x.top()) <= 1, qPrintable(where));
            QVERIFY2(qAbs(at1x.bottom() - at2x.bottom()) <= 1, qPrintable(where));
        }
        QVERIFY(lines > 0);
    }
};

PCU_GUI_TEST_MAIN(TestPictures)
#include "tst_pictures.moc"
