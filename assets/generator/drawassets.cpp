// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// Draws every stored picture of the two windows, the hover bitmaps (twelve, and the same
// at twice the size) and the icons.
//
// Usage: drawassets <assets-dir>
// Writes <assets-dir>/images/*.png (compiled into the program), <assets-dir>/images/icons/
// (the program's icon at the sizes desktops ask for, and as SVG) and
// <assets-dir>/hover/*.bmp (shipped beside the executable). Every picture of the windows
// and every hover bitmap also comes at twice the size, "<name>@2x", for screens of a
// device pixel ratio above 1: the same drawing on an image whose device pixel ratio is 2,
// so the layout, fonts and colours are those of the 1x picture, in twice the pixels. The
// output depends only on this file, Qt's raster painter and the DejaVu fonts, so running
// it again on the same system gives the same bytes.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <QStringList>
#include <QSvgGenerator>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>

namespace
{

// One palette for both windows, so the buttons, strips and panes agree wherever they meet.
namespace colours
{
const QColor white(255, 255, 255);
const QColor black(0, 0, 0);
const QColor titleTop(247, 250, 255);
const QColor titleBottom(186, 206, 240);
const QColor rule(49, 106, 197);
const QColor frameGreyBlue(122, 141, 178);
const QColor paneSeparator(150, 160, 178);
const QColor paneShade(232, 236, 244);
// The side pane of the main window and every non-white area of the features window.
const QColor pane(213, 222, 242);
const QColor paneFrame(150, 167, 204);
const QColor noteFill(229, 236, 250);
const QColor faceTop(255, 255, 255);
const QColor faceBottom(187, 207, 240);
const QColor faceEdge(62, 82, 122);
const QColor hotTop(255, 252, 238);
const QColor hotBottom(255, 208, 128);
const QColor hotEdge(165, 96, 20);
const QColor hotInner(248, 179, 48);
const QColor banner(128, 128, 128);
const QColor bannerFrame(222, 222, 222);
const QColor printerOutline(44, 66, 110);
const QColor printerLid(248, 251, 255);
const QColor printerLidShade(212, 226, 246);
const QColor printerFront(171, 203, 242);
const QColor printerFrontShade(116, 160, 222);
const QColor printerBase(82, 118, 178);
const QColor printerSlot(40, 58, 96);
const QColor paper(255, 255, 255);
const QColor paperEdge(128, 146, 178);
const QColor paperText(150, 170, 204);
const QColor led(48, 196, 72);
} // namespace colours

// Sizes of the stored pictures, fixed by the window layouts.
constexpr QSize mainBackgroundSize(726, 358);
constexpr QSize headingSize(204, 16);
constexpr QSize leftLabelsSize(140, 268);
constexpr QSize rightLabelsSize(128, 256);
constexpr QSize bannerSize(346, 34);
constexpr QSize wideButtonSize(128, 26);
constexpr QSize closeButtonSize(126, 24);
constexpr QSize featuresBackgroundSize(738, 455);
constexpr QSize featuresHeadingSize(338, 25);
constexpr QSize featuresTitleSize(287, 33);

// Where the heading picture sits on the main window's title strip.
constexpr QPoint headingOrigin(8, 4);
// The label boxes show less than their pictures; text must stay inside what shows.
constexpr QSize leftLabelsVisible(140, 265);
constexpr QSize rightLabelsVisible(129, 241);
constexpr int featuresHeadingVisibleWidth = 273;

// The label pictures sit left of the lists; the text ends this far before a list.
constexpr int labelGap = 10;
constexpr int leftLabelsX = 5;
constexpr int rightLabelsX = 296;
constexpr int leftListsX = 152;
constexpr int rightListsX = 424;
constexpr int listRowPitch = 24;
constexpr int listHeight = 21;

constexpr int titleStripLastRow = 25;
constexpr int mainButtonsLeft = 594;
constexpr int featuresButtonsLeft = 600;

[[noreturn]] void fail(const QString& message)
{
    QTextStream(stderr) << "drawassets: " << message << '\n';
    std::exit(1);
}

QColor mix(const QColor& from, const QColor& to, double t)
{
    const auto channel = [t](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * t));
    };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

QColor withAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

// Text is hinted, greyscale antialiased, unkerned and never substituted, so that the
// pictures come out the same on every run and mnemonic underlines land under their letter.
QFont uiFont(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(static_cast<QFont::StyleStrategy>(
        QFont::PreferAntialias | QFont::NoSubpixelAntialias | QFont::NoFontMerging));
    if (QFontInfo(font).family() != font.family())
        fail(QStringLiteral("the font \"DejaVu Sans\" is not installed"));
    return font;
}

// Width of a caption as drawn, without the '&' that marks its underlined letter.
int textWidth(const QFont& font, const QString& caption)
{
    QString plain = caption;
    plain.remove(QLatin1Char('&'));
    return QFontMetrics(font).horizontalAdvance(plain);
}

void requireFit(const QFont& font, const QString& caption, int room, const char* where)
{
    const int width = textWidth(font, caption);
    if (width > room)
        fail(QStringLiteral("\"%1\" is %2 px wide, %3 allows %4")
                 .arg(caption)
                 .arg(width)
                 .arg(QLatin1String(where))
                 .arg(room));
}

// A picture of the given size in window pixels, with 'scale' image pixels to each: all
// drawing on it is in window pixels.
QImage opaqueImage(const QSize& size, const QColor& fill, int scale)
{
    QImage image(size * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(fill);
    return image;
}

QImage transparentImage(const QSize& size, double scale = 1.0)
{
    QImage image((QSizeF(size) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    return image;
}

// The picture's rectangle in window pixels, which is what its painter works in.
QRect area(const QImage& image)
{
    return QRect(QPoint(0, 0), image.deviceIndependentSize().toSize());
}

// Colour of the main window's title strip on a given row; the heading picture repeats it.
QColor titleStripColour(int row)
{
    return mix(colours::titleTop, colours::titleBottom, row / double(titleStripLastRow));
}

// Paints title strip rows firstRow.. into the image from its top, for 'rows' rows.
void fillTitleStrip(QImage& image, int firstRow, int rows)
{
    QPainter painter(&image);
    for (int y = 0; y < rows; ++y)
        painter.fillRect(0, y, area(image).width(), 1, titleStripColour(firstRow + y));
}

// The desk printer of the icon and of the side-pane artwork, designed on a 64 x 64 grid:
// a sheet stands in the rear feed, a second one comes out of the front slot.
void drawDeskPrinter(QPainter& painter, const QRectF& target)
{
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / 64.0, target.height() / 64.0);
    painter.setRenderHint(QPainter::Antialiasing);
    const double line = 64.0 / target.width();
    const QPen outline(colours::printerOutline, line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

    const auto textLines = [&painter, line](double left, double right, double top, int count,
                                            double pitch) {
        painter.setPen(QPen(colours::paperText, 1.2 * line, Qt::SolidLine, Qt::FlatCap));
        for (int i = 0; i < count; ++i) {
            const double y = top + i * pitch;
            const double end = (i % 3 == 2) ? left + (right - left) * 0.6 : right;
            painter.drawLine(QPointF(left, y), QPointF(end, y));
        }
    };

    // Sheet in the rear feed, leaning back a little.
    QPolygonF rearSheet;
    rearSheet << QPointF(19, 2.5) << QPointF(45, 2.5) << QPointF(47, 24) << QPointF(17, 24);
    painter.setPen(QPen(colours::paperEdge, line));
    painter.setBrush(colours::paper);
    painter.drawPolygon(rearSheet);
    textLines(22.5, 41.5, 7.5, 5, 3.0);

    // Lid: the light top of the printer, seen from slightly above.
    QPainterPath lid;
    lid.moveTo(9, 21);
    lid.lineTo(55, 21);
    lid.quadTo(57.5, 21, 58.5, 23.5);
    lid.lineTo(61, 31);
    lid.lineTo(3, 31);
    lid.lineTo(5.5, 23.5);
    lid.quadTo(6.5, 21, 9, 21);
    lid.closeSubpath();
    QLinearGradient lidShade(0, 21, 0, 31);
    lidShade.setColorAt(0, colours::printerLid);
    lidShade.setColorAt(1, colours::printerLidShade);
    painter.setPen(outline);
    painter.setBrush(lidShade);
    painter.drawPath(lid);

    // Rear feed slot the standing sheet goes into.
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours::printerSlot);
    painter.drawRoundedRect(QRectF(15, 23, 34, 2.2), 1, 1);

    // Front of the body.
    QPainterPath front;
    front.moveTo(3, 31);
    front.lineTo(61, 31);
    front.lineTo(61, 51);
    front.quadTo(61, 54, 58, 54);
    front.lineTo(6, 54);
    front.quadTo(3, 54, 3, 51);
    front.closeSubpath();
    QLinearGradient frontShade(0, 31, 0, 54);
    frontShade.setColorAt(0, colours::printerFront);
    frontShade.setColorAt(1, colours::printerFrontShade);
    painter.setPen(outline);
    painter.setBrush(frontShade);
    painter.drawPath(front);

    // Highlight along the top edge of the front.
    painter.setPen(QPen(withAlpha(colours::white, 200), line));
    painter.drawLine(QPointF(4.5, 32.2), QPointF(59.5, 32.2));

    // Base on which the printer stands.
    painter.setPen(outline);
    painter.setBrush(colours::printerBase);
    painter.drawRoundedRect(QRectF(5, 53, 54, 4), 1.5, 1.5);

    // Output slot and the sheet coming out of it, widening towards the viewer.
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours::printerSlot);
    painter.drawRoundedRect(QRectF(13, 36, 38, 2.6), 1.2, 1.2);
    QPolygonF frontSheet;
    frontSheet << QPointF(17, 37.5) << QPointF(47, 37.5) << QPointF(50, 62) << QPointF(14, 62);
    painter.setPen(QPen(colours::paperEdge, line));
    painter.setBrush(colours::paper);
    painter.drawPolygon(frontSheet);
    textLines(19.5, 44.5, 44, 5, 3.3);

    // Power lamp and a key on the panel at the right.
    painter.setPen(QPen(colours::printerOutline, 0.8 * line));
    painter.setBrush(colours::led);
    painter.drawEllipse(QPointF(56, 40.5), 1.7, 1.7);
    painter.setBrush(colours::printerLid);
    painter.drawRoundedRect(QRectF(53.5, 45, 5, 3), 0.8, 0.8);
    painter.drawRoundedRect(QRectF(5.5, 45, 5, 3), 0.8, 0.8);

    painter.restore();
}

// Rounds the colours of a hard-edged picture until at most 255 remain beside transparency,
// and stores it with that palette, as a 256-colour icon would be.
QImage limitTo256Colours(const QImage& source)
{
    for (int step = 1; step <= 32; step *= 2) {
        QImage image = source.convertToFormat(QImage::Format_ARGB32);
        std::set<QRgb> used;
        const auto round = [step](int channel) {
            return std::min(255, (channel + step / 2) / step * step);
        };
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(row[x]) == 0)
                    continue;
                row[x] = qRgb(round(qRed(row[x])), round(qGreen(row[x])), round(qBlue(row[x])));
                used.insert(row[x]);
            }
        }
        if (used.size() <= 255) {
            QList<QRgb> table{0u};
            table.append(QList<QRgb>(used.begin(), used.end()));
            return image.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
        }
    }
    fail(QStringLiteral("the icon has too many colours"));
}

// The program icon: hard-edged transparency and a palette, like a 256-colour icon.
QImage drawIcon()
{
    QImage image = transparentImage(QSize(64, 64));
    {
        QPainter painter(&image);
        drawDeskPrinter(painter, QRectF(0, 0, 64, 64));
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = row[x];
            row[x] = qAlpha(pixel) >= 128 ? (pixel | 0xff000000u) : 0u;
        }
    }
    return limitTo256Colours(image);
}

// The features window icon in the standard 16-colour palette, pixel by pixel: 16 x 16, and
// the same printer at 32 x 32 with the outlines still one pixel wide.
const std::array<const char*, 16> featuresIconPixels = {
    "................", //
    "....kkkkkkkk....", //
    "....kwwwwwwk....", //
    "....kwssswwk....", //
    "....kwwwwwwk....", //
    "..kkkkkkkkkkkk..", //
    ".kwwwwwwwwwwwwk.", //
    "kwwwwwwwwwwwwwsk", //
    "ksssllllllllssgk", //
    "kssskwwwwwwksegk", //
    "kssskwssswwkssgk", //
    "kgggkwwwwwwkgggk", //
    ".kkkkwssswwkkkk.", //
    "....kwwwwwwk....", //
    "....kkkkkkkk....", //
    "................", //
};

const std::array<const char*, 32> featuresIcon2xPixels = {
    "................................", //
    "................................", //
    "........kkkkkkkkkkkkkkkk........", //
    "........kwwwwwwwwwwwwwwk........", //
    "........kwwwwwwwwwwwwwwk........", //
    "........kwwsssssssssswwk........", //
    "........kwwwwwwwwwwwwwwk........", //
    "........kwwssssssswwwwwk........", //
    "........kwwwwwwwwwwwwwwk........", //
    "........kwwwwwwwwwwwwwwk........", //
    "....kkkkkkkkkkkkkkkkkkkkkkkk....", //
    "...kwwwwwwwwwwwwwwwwwwwwwwwwk...", //
    "..kwwwwwwwwwwwwwwwwwwwwwwwwwwk..", //
    ".kwwwwwwwwwwwwwwwwwwwwwwwwwwwsk.", //
    "kwwwwwwwwwwwwwwwwwwwwwwwwwwwwssk", //
    "ksssssssssssssssssssssssssssgggk", //
    "ksssssssllllllllllllllllssssgggk", //
    "ksssssssllllllllllllllllssssgggk", //
    "ksssssssskwwwwwwwwwwwwksseesgggk", //
    "ksssssssskwwwwwwwwwwwwksseesgggk", //
    "ksssssssskwwsssssssswwksssssgggk", //
    "ksssssssskwwwwwwwwwwwwksssssgggk", //
    "kggggggggkwwwwwwwwwwwwkggggggggk", //
    "kggggggggkwwwwwwwwwwwwkggggggggk", //
    ".kkkkkkkkkwwwwwwwwwwwwkkkkkkkkk.", //
    ".........kwwsssssswwwwk.........", //
    ".........kwwwwwwwwwwwwk.........", //
    ".........kwwsssssssswwk.........", //
    ".........kwwwwwwwwwwwwk.........", //
    ".........kkkkkkkkkkkkkk.........", //
    "................................", //
    "................................", //
};

template <std::size_t rows> QImage pixelArt(const std::array<const char*, rows>& pixels)
{
    const auto colourOf = [](char code) -> QRgb {
        switch (code) {
        case 'k':
            return qRgb(0, 0, 0);
        case 'w':
            return qRgb(255, 255, 255);
        case 's':
            return qRgb(192, 192, 192);
        case 'g':
            return qRgb(128, 128, 128);
        case 'l':
            return qRgb(0, 0, 128);
        case 'e':
            return qRgb(0, 255, 0);
        default:
            return 0u;
        }
    };
    const int side = int(rows);
    QImage image(QSize(side, side), QImage::Format_ARGB32);
    for (int y = 0; y < side; ++y) {
        if (std::strlen(pixels[y]) != rows)
            fail(QStringLiteral("row %1 of a %2-pixel icon has another width").arg(y).arg(side));
        for (int x = 0; x < side; ++x)
            image.setPixel(x, y, colourOf(pixels[y][x]));
    }
    return image;
}

// Every button of both windows. A hot button has a warm face and an orange rim; its caption
// stays exactly where it is at rest.
QImage drawButton(const QSize& size, const QString& caption, bool hot, int scale)
{
    const QFont font = uiFont(11);
    requireFit(font, caption, size.width() - 12, "a button face");

    QImage image = opaqueImage(size, colours::pane, scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF outer = QRectF(area(image)).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient face(0, 1, 0, size.height() - 1);
    face.setColorAt(0, hot ? colours::hotTop : colours::faceTop);
    face.setColorAt(0.45, mix(hot ? colours::hotTop : colours::faceTop,
                              hot ? colours::hotBottom : colours::faceBottom, 0.35));
    face.setColorAt(1, hot ? colours::hotBottom : colours::faceBottom);
    painter.setPen(QPen(hot ? colours::hotEdge : colours::faceEdge, 1));
    painter.setBrush(face);
    painter.drawRoundedRect(outer, 3, 3);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(hot ? colours::hotInner : withAlpha(colours::white, 190), 1));
    painter.drawRoundedRect(outer.adjusted(1, 1, -1, -1), 2, 2);

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(font);
    painter.setPen(colours::black);
    painter.drawText(area(image), Qt::AlignCenter | Qt::TextShowMnemonic, caption);
    return image;
}

// Setting names, one per list row, right-aligned towards the lists.
QImage drawLabels(const QSize& size, const QSize& visible, const QStringList& captions,
                  int textRight, int scale)
{
    const QFont font = uiFont(11);
    QImage image = opaqueImage(size, colours::white, scale);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(colours::black);
    for (int k = 0; k < captions.size(); ++k) {
        const QRect row(0, k * listRowPitch, textRight, listHeight);
        if (row.bottom() >= visible.height())
            fail(QStringLiteral("label row %1 falls below its box").arg(k + 1));
        requireFit(font, captions[k], textRight, "a label");
        painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter | Qt::TextShowMnemonic,
                         captions[k]);
    }
    return image;
}

QImage drawHeading(int scale)
{
    const QFont font = uiFont(12, true);
    const QString caption = QStringLiteral("Printer Permanent Settings");
    requireFit(font, caption, 201 - 4, "the heading box");
    QImage image = opaqueImage(headingSize, colours::white, scale);
    fillTitleStrip(image, headingOrigin.y(), headingSize.height());
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(colours::black);
    painter.drawText(area(image).adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, caption);
    return image;
}

QImage drawBanner(int scale)
{
    const QFont font = uiFont(11, true);
    const QString caption = QStringLiteral("Please wait, while printer settings being applied.");
    requireFit(font, caption, bannerSize.width() - 12, "the banner");
    QImage image = opaqueImage(bannerSize, colours::banner, scale);
    QPainter painter(&image);
    painter.setPen(colours::bannerFrame);
    painter.drawRect(QRect(QPoint(2, 2), bannerSize - QSize(5, 5)));
    painter.setFont(font);
    painter.setPen(colours::white);
    painter.drawText(area(image), Qt::AlignCenter, caption);
    return image;
}

// Soft glow and shadow under the desk printer, then the printer itself.
void drawPaneArtwork(QPainter& painter, const QPointF& centre, double printerSize)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    QRadialGradient glow(centre, printerSize * 0.62);
    glow.setColorAt(0, withAlpha(colours::white, 235));
    glow.setColorAt(0.6, withAlpha(colours::white, 120));
    glow.setColorAt(1, withAlpha(colours::white, 0));
    painter.setBrush(glow);
    painter.drawEllipse(centre, printerSize * 0.62, printerSize * 0.62);

    const QRectF printer(centre.x() - printerSize / 2, centre.y() - printerSize / 2, printerSize,
                         printerSize);
    const QPointF shadowCentre(centre.x(), printer.top() + printerSize * 57.5 / 64);
    QRadialGradient shadow(shadowCentre, printerSize * 0.5);
    shadow.setColorAt(0, withAlpha(colours::printerOutline, 90));
    shadow.setColorAt(1, withAlpha(colours::printerOutline, 0));
    painter.setBrush(shadow);
    painter.save();
    painter.translate(shadowCentre);
    painter.scale(1.0, 0.16);
    painter.translate(-shadowCentre);
    painter.drawEllipse(shadowCentre, printerSize * 0.5, printerSize * 0.5);
    painter.restore();

    drawDeskPrinter(painter, printer);
    painter.restore();
}

QImage drawMainBackground(int scale)
{
    const int width = mainBackgroundSize.width();
    const int height = mainBackgroundSize.height();
    const int last = width - 1;
    QImage image = opaqueImage(mainBackgroundSize, colours::white, scale);
    fillTitleStrip(image, 0, titleStripLastRow + 1);

    QPainter painter(&image);
    painter.fillRect(QRect(0, 26, width, 1), colours::white);
    painter.fillRect(QRect(0, 27, width, 1), colours::rule);

    // Left frame: blue, white, grey-blue from the rule down.
    painter.fillRect(QRect(0, 28, 1, height - 28), colours::rule);
    painter.fillRect(QRect(1, 28, 1, height - 28), colours::white);
    painter.fillRect(QRect(2, 28, 1, height - 28), colours::frameGreyBlue);

    // White settings panel, closed to the right by a soft shade and the grey line.
    painter.fillRect(QRect(3, 28, 577, 291), colours::white);
    painter.fillRect(QRect(580, 28, 1, 291), colours::paneShade);
    painter.fillRect(QRect(581, 28, 1, 291), colours::paneSeparator);

    // Side pane with the artwork above the buttons.
    painter.fillRect(QRect(582, 28, last - 582 + 1, 291), colours::pane);
    const double centreX = mainButtonsLeft + wideButtonSize.width() / 2.0;
    drawPaneArtwork(painter, QPointF(centreX, 94), 110);
    painter.setPen(colours::paneFrame);
    painter.drawLine(mainButtonsLeft + 8, 154, mainButtonsLeft + wideButtonSize.width() - 9, 154);
    painter.setPen(colours::white);
    painter.drawLine(mainButtonsLeft + 8, 155, mainButtonsLeft + wideButtonSize.width() - 9, 155);

    // Note box under both.
    painter.fillRect(QRect(3, 319, width - 3, 1), colours::rule);
    painter.fillRect(QRect(3, 320, 1, 37), colours::rule);
    painter.fillRect(QRect(4, 320, width - 4, 36), colours::noteFill);
    painter.fillRect(QRect(3, 356, width - 3, 1), colours::rule);
    painter.fillRect(QRect(3, 357, width - 3, 1), colours::noteFill);

    const QFont bold = uiFont(11, true);
    const QFont regular = uiFont(11);
    const QString note = QStringLiteral("Note:");
    const int noteX = 12;
    const int textX = noteX + QFontMetrics(bold).horizontalAdvance(note) + 8;
    const int firstBaseline = 334;
    const int secondBaseline = 349;
    const QStringList lines = {
        QStringLiteral("Use CTRL+Underlined letter to select command buttons."),
        QStringLiteral("Use ALT+Underlined letter to select printer permanent settings."),
    };
    for (const QString& text : lines)
        requireFit(regular, text, width - textX - 4, "the note box");
    painter.setPen(colours::black);
    painter.setFont(bold);
    painter.drawText(noteX, firstBaseline, note);
    painter.setFont(regular);
    painter.drawText(textX, firstBaseline, lines[0]);
    painter.drawText(textX, secondBaseline, lines[1]);
    return image;
}

QImage drawFeaturesBackground(int scale)
{
    const int width = featuresBackgroundSize.width();
    QImage image = opaqueImage(featuresBackgroundSize, colours::pane, scale);
    QPainter painter(&image);

    // Caption strip closed by a white line over a darker one.
    painter.fillRect(QRect(0, 25, width, 1), colours::white);
    painter.fillRect(QRect(0, 26, width, 1), colours::paneFrame);

    // White text panel with a thin frame.
    painter.setPen(colours::paneFrame);
    painter.drawRect(QRect(3, 27, 588, 402));
    painter.fillRect(QRect(4, 28, 587, 401), colours::white);

    // Side panel: the same desk printer as the main window, above the buttons.
    const double centreX = featuresButtonsLeft + wideButtonSize.width() / 2.0;
    drawPaneArtwork(painter, QPointF(centreX, 112), 110);
    painter.setPen(colours::paneFrame);
    painter.drawLine(featuresButtonsLeft + 8, 340, featuresButtonsLeft + 119, 340);
    painter.setPen(colours::white);
    painter.drawLine(featuresButtonsLeft + 8, 341, featuresButtonsLeft + 119, 341);
    return image;
}

QImage drawFeaturesHeading(int scale)
{
    const QFont font = uiFont(13, true);
    const QString caption = QStringLiteral("Altrune TR 7400 Features");
    requireFit(font, caption, featuresHeadingVisibleWidth - 6, "the visible heading");
    QImage image = opaqueImage(featuresHeadingSize, colours::pane, scale);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(colours::black);
    painter.drawText(area(image).adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, caption);
    return image;
}

QImage drawFeaturesTitle(int scale)
{
    const QFont font = uiFont(17, true);
    const QString caption = QStringLiteral("Altrune TR 7400 FEATURES");
    requireFit(font, caption, featuresTitleSize.width() - 4, "the title picture");
    QImage image = opaqueImage(featuresTitleSize, colours::white, scale);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(colours::black);
    painter.drawText(area(image), Qt::AlignCenter, caption);
    return image;
}

// The program icon at the sizes desktops ask for, in full colour with soft edges.
constexpr std::array<int, 7> desktopIconSizes = {16, 24, 32, 48, 64, 128, 256};

// Up to 64 pixels the printer's outline is one pixel wide; above, the icon is the 64-pixel
// design drawn larger, so that the outline keeps its weight.
QImage drawDesktopIcon(int pixels)
{
    const double scale = std::max(1.0, pixels / 64.0);
    const int side = int(std::lround(pixels / scale));
    QImage image = transparentImage(QSize(side, side), scale);
    {
        QPainter painter(&image);
        drawDeskPrinter(painter, QRectF(0, 0, side, side));
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    image.setDevicePixelRatio(1.0);
    return image;
}

// The icon as a drawing that desktops scale to any size: the desk printer's shapes written
// by Qt's SVG paint device.
void saveScalableIcon(const QString& path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(64, 64));
    svg.setResolution(96); // 64 pixels on a 96 dpi screen
    svg.setViewBox(QRect(0, 0, 64, 64));
    svg.setTitle(QStringLiteral("Altrune TR 7400 Printer Configuration Utility"));
    svg.setDescription(QStringLiteral("A desk printer"));
    {
        QPainter painter(&svg);
        drawDeskPrinter(painter, QRectF(0, 0, 64, 64));
    }
    if (!QFileInfo(path).isFile())
        fail(QStringLiteral("cannot write %1").arg(path));
    QTextStream(stdout) << path << '\n';
}

struct Button {
    const char* storedName; // picture compiled into the program
    const char* hoverName;  // stem of the bitmaps beside the executable
    QSize size;
    const char* caption;
};

const std::array<Button, 6> buttons = {{
    {"button_apply", "Apply_Settings", wideButtonSize, "&Apply Settings"},
    {"button_default", "Restore_Default", wideButtonSize, "Restore &Default"},
    {"button_showfeatures", "Show_Features", wideButtonSize, "&Show Features"},
    {"button_printfeatures", "Print_Features", wideButtonSize, "&Print Features"},
    {"button_exit", "Exit_Button", wideButtonSize, "E&xit"},
    {"button_close", "Close_Button", closeButtonSize, "&Close"},
}};

quint32 crc32(const QByteArray& bytes)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> entries{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    quint32 c = 0xFFFFFFFFu;
    for (const char byte : bytes)
        c = table[(c ^ quint8(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void appendBigEndian(QByteArray& bytes, quint32 value)
{
    for (const int shift : {24, 16, 8, 0})
        bytes.append(char((value >> shift) & 0xFF));
}

void appendChunk(QByteArray& png, const char* type, const QByteArray& data)
{
    appendBigEndian(png, quint32(data.size()));
    const QByteArray typed = QByteArray(type) + data;
    png += typed;
    appendBigEndian(png, crc32(typed));
}

// An opaque picture as PNG with every row unfiltered: the program decodes its
// pictures at start-up, and an unfiltered row costs a copy where the filters
// Qt's writer picks cost arithmetic on every byte, for files no larger. Grey
// pictures are written grey, as Qt's writer does.
QByteArray unfilteredPng(const QImage& image)
{
    const bool grey = image.allGray();
    const QImage pixels =
        image.convertToFormat(grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    const qsizetype rowBytes = qsizetype(pixels.width()) * (grey ? 1 : 3);
    QByteArray rows;
    rows.reserve((rowBytes + 1) * pixels.height());
    for (int y = 0; y < pixels.height(); ++y) {
        rows.append('\0'); // filter type None
        rows.append(reinterpret_cast<const char*>(pixels.constScanLine(y)), rowBytes);
    }
    QByteArray header;
    appendBigEndian(header, quint32(pixels.width()));
    appendBigEndian(header, quint32(pixels.height()));
    header.append(char(8));            // bits per sample
    header.append(char(grey ? 0 : 2)); // grey, or RGB
    header.append(3, '\0');            // deflate, adaptive filtering, no interlace
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    // qCompress puts the length in four bytes before the zlib stream.
    appendChunk(png, "IDAT", qCompress(rows, 9).mid(4));
    appendChunk(png, "IEND", {});
    return png;
}

void save(const QImage& image, const QString& path, const char* format)
{
    bool written = false;
    if (qstrcmp(format, "PNG") == 0 && !image.hasAlphaChannel() &&
        image.format() != QImage::Format_Indexed8) {
        QFile file(path);
        const QByteArray png = unfilteredPng(image);
        written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                  file.write(png) == png.size() && file.flush();
    } else {
        written = image.save(path, format);
    }
    if (!written)
        fail(QStringLiteral("cannot write %1").arg(path));
    QTextStream(stdout) << path << '\n';
}

} // namespace

int main(int argc, char* argv[])
{
    // Pictures are drawn off screen; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: drawassets <assets-dir>\n";
        return 2;
    }
    const QDir root(args[1]);
    if (!root.mkpath(QStringLiteral("images/icons")) || !root.mkpath(QStringLiteral("hover")))
        fail(QStringLiteral("cannot create the output folders under %1").arg(args[1]));
    const QDir images(root.filePath(QStringLiteral("images")));
    const QDir hover(root.filePath(QStringLiteral("hover")));

    const QImage icon = drawIcon();
    save(icon, images.filePath(QStringLiteral("icon.png")), "PNG");
    // The 64-pixel size is the stored icon itself, so every place that shows the icon at
    // that size shows the same picture.
    for (const int pixels : desktopIconSizes)
        save(pixels == 64 ? icon : drawDesktopIcon(pixels),
             images.filePath(QStringLiteral("icons/tr7400config-%1.png").arg(pixels)), "PNG");
    saveScalableIcon(images.filePath(QStringLiteral("icons/tr7400config.svg")));

    for (const int scale : {1, 2}) {
        const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
        const auto png = [&images, &suffix](const QImage& image, const char* name) {
            save(image, images.filePath(QLatin1String(name) + suffix + QStringLiteral(".png")),
                 "PNG");
        };

        png(drawMainBackground(scale), "background");
        png(drawHeading(scale), "Picture1");
        png(drawLabels(leftLabelsSize, leftLabelsVisible,
                       {
                           QStringLiteral("&High Speed Graphics"),
                           QStringLiteral("High Speed Dra&ft"),
                           QStringLiteral("L&Q Font Type"),
                           QStringLiteral("&Tear Off"),
                           QStringLiteral("Page &Length"),
                           QStringLiteral("&Interface"),
                           QStringLiteral("Strobe &Edge"),
                           QStringLiteral("&Character Table"),
                           QStringLiteral("Lang&uage"),
                           QStringLiteral("Language Stan&dard"),
                           QStringLiteral("Space C&ompensation"),
                       },
                       leftListsX - labelGap - leftLabelsX, scale),
            "Attribute1");
        png(drawLabels(rightLabelsSize, rightLabelsVisible,
                       {
                           QStringLiteral("I&nput Buffer Size"),
                           QStringLiteral("S&kipOverPerf"),
                           QStringLiteral("&Print Direction"),
                           QStringLiteral("Slashed &Zero"),
                           QStringLiteral("Line Spacin&g"),
                           QStringLiteral("&Auto LineFeed"),
                           QStringLiteral("Da&rk Mode"),
                           QStringLiteral("Print I&mpact"),
                           QStringLiteral("&Sleep Mode"),
                       },
                       rightListsX - labelGap - rightLabelsX, scale),
            "Attribute2");
        png(drawBanner(scale), "imgWarning");
        png(scale == 1 ? pixelArt(featuresIconPixels) : pixelArt(featuresIcon2xPixels),
            "features_icon");
        png(drawFeaturesBackground(scale), "features_background");
        png(drawFeaturesHeading(scale), "features_heading");
        png(drawFeaturesTitle(scale), "features_title");

        for (const Button& button : buttons) {
            const QString caption = QString::fromLatin1(button.caption);
            const QImage rest = drawButton(button.size, caption, false, scale);
            png(rest, button.storedName);
            const QString stem = hover.filePath(QString::fromLatin1(button.hoverName));
            save(rest, stem + QStringLiteral("1") + suffix + QStringLiteral(".bmp"), "BMP");
            save(drawButton(button.size, caption, true, scale),
                 stem + QStringLiteral("2") + suffix + QStringLiteral(".bmp"), "BMP");
        }
    }
    return 0;
}
