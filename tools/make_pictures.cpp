// Draws the program's pictures into a folder: splash.png and congratulations.png (the two
// banners, 340 x 130, 24 bits) and icon32.png / icon64.png (the program icon, a small cube);
// with --icons, the icon in every size a desktop's icon theme wants, and as SVG.
// The banners are drawn without antialiasing: their windows are shaped to every pixel that
// differs from the background, and blended edge pixels would show as a halo.

#include "app/PictureColours.h"
#include "app/Version.h"

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QString>

#include <array>
#include <cstdio>
#include <vector>

namespace {

using namespace PictureColours;

const QString FontFamily = QStringLiteral("DejaVu Sans");

// Face colours of the solved cube as the program starts with them.
const QColor CubeRed(176, 0, 0);
const QColor CubeOrange(255, 128, 0);
const QColor CubeYellow(234, 234, 0);
const QColor CubeGreen(52, 159, 0);
const QColor CubeWhite(209, 209, 209);
const QColor CubeBlue(15, 64, 128);

QFont BoldFont(int pixelSize, bool antialiased) {
    QFont font(FontFamily);
    font.setBold(true);
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(antialiased ? QFont::PreferAntialias : QFont::NoAntialias);
    return font;
}

QFont PlainFont(int pixelSize) {
    QFont font(FontFamily);
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

struct Polygon {
    QPolygonF corners;
    QColor colour;
};

// An isometric cube with three visible faces of `grid` x `grid` stickers, fitted into `box`:
// the black body first, then the stickers.
std::vector<Polygon> CubePolygons(const QRectF& box, int grid = 3) {
    const double r = box.height() / 2.0;
    const double w = r * 0.8660254037844386; // cos 30°
    const QPointF c = box.center();
    const QPointF top(c.x(), c.y() - r), bottom(c.x(), c.y() + r);
    const QPointF upperLeft(c.x() - w, c.y() - r / 2), upperRight(c.x() + w, c.y() - r / 2);
    const QPointF lowerLeft(c.x() - w, c.y() + r / 2), lowerRight(c.x() + w, c.y() + r / 2);

    std::vector<Polygon> polygons{
        {QPolygonF({top, upperRight, lowerRight, bottom, lowerLeft, upperLeft}), Qt::black}};
    struct Face {
        QPointF u, v;
        QColor colour;
    };
    const std::array<Face, 3> faces{{
        {upperLeft - c, upperRight - c, CubeYellow},
        {upperLeft - c, bottom - c, CubeRed.darker(110)},
        {upperRight - c, bottom - c, CubeGreen.darker(125)},
    }};
    const double gap = 0.09;
    for (const Face& f : faces) {
        for (int i = 0; i < grid; ++i) {
            for (int j = 0; j < grid; ++j) {
                const double a0 = (i + gap) / grid, a1 = (i + 1 - gap) / grid;
                const double b0 = (j + gap) / grid, b1 = (j + 1 - gap) / grid;
                polygons.push_back({QPolygonF({c + f.u * a0 + f.v * b0, c + f.u * a1 + f.v * b0,
                                               c + f.u * a1 + f.v * b1, c + f.u * a0 + f.v * b1}),
                                    f.colour});
            }
        }
    }
    return polygons;
}

void DrawCube(QPainter& p, const QRectF& box, int grid = 3) {
    p.setPen(Qt::NoPen);
    for (const Polygon& polygon : CubePolygons(box, grid)) {
        p.setBrush(polygon.colour);
        p.drawPolygon(polygon.corners);
    }
}

QImage BannerCanvas(QRgb background) {
    QImage image(BannerWidth, BannerHeight, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

// Gives every dark pixel outside `except` a one-pixel rim of SplashTextRim where it meets the
// background, which the window's shape cuts away: the desktop never borders dark text directly.
void RimDarkPixels(QImage& image, const QRect& except, QRgb background) {
    const QImage drawn = image.copy();
    for (int y = 1; y + 1 < image.height(); ++y) {
        for (int x = 1; x + 1 < image.width(); ++x) {
            if (qGray(drawn.pixel(x, y)) >= 64 || except.contains(x, y))
                continue;
            for (int n = 0; n < 9; ++n) {
                const QPoint at(x + n % 3 - 1, y + n / 3 - 1);
                if (drawn.pixel(at) == background)
                    image.setPixel(at, SplashTextRim);
            }
        }
    }
}

QImage DrawSplash() {
    QImage image = BannerCanvas(SplashBackground);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);

    const QRectF cubeBox(18, 10, 62, 64);
    DrawCube(p, cubeBox);

    // The name, one colour per letter, each with a dark outline.
    const QFont nameFont = BoldFont(62, false);
    const QFontMetrics metrics(nameFont);
    const QString name = QStringLiteral("Mozai");
    const std::array<QColor, 5> letterColours{CubeOrange, CubeYellow, CubeGreen, CubeWhite,
                                              CubeRed};
    double x = 98;
    const double baseline = 66;
    for (int i = 0; i < name.size(); ++i) {
        QPainterPath letter;
        letter.addText(x, baseline, nameFont, name.mid(i, 1));
        p.strokePath(letter, QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.fillPath(letter, letterColours[i]);
        x += metrics.horizontalAdvance(name.mid(i, 1));
    }

    const QRect strip(14, 80, BannerWidth - 28, 19);
    p.fillRect(strip, QColor(SplashStrip));
    p.setPen(QColor(CubeBlue));
    p.setFont(BoldFont(14, false));
    p.drawText(strip.adjusted(0, 0, -8, 0), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("ver ") + QLatin1String(ProductVersion));

    p.setPen(QColor(SplashSmallText));
    p.setFont(PlainFont(12));
    p.drawText(QRect(14, 104, BannerWidth - 28, 16), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("a twisty cube for your desktop  -  drag, spin, solve"));
    p.end();
    // The text, not the cube, stands against the desktop.
    RimDarkPixels(image, cubeBox.toAlignedRect(), SplashBackground);
    return image;
}

QImage DrawCongratulations() {
    QImage image = BannerCanvas(CongratulationsBackground);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);

    const QString text = QStringLiteral("Congratulations!");
    const int margin = 8, shadow = 3;
    int size = 60;
    while (size > 8 && QFontMetrics(BoldFont(size, false)).horizontalAdvance(text) >
                           BannerWidth - 2 * margin - shadow)
        --size;
    const QFont font = BoldFont(size, false);
    const QFontMetrics metrics(font);

    // Letters stretched to twice their height read as a banner.
    const double stretch = 2.0;
    const double left = (BannerWidth - shadow - metrics.horizontalAdvance(text)) / 2.0;
    const double capHeight = metrics.capHeight() * stretch;
    const double baseline = (BannerHeight - shadow + capHeight) / 2.0 / stretch;
    QPainterPath letters;
    letters.addText(left, baseline, font, text);

    p.scale(1.0, stretch);
    p.fillPath(letters.translated(shadow, shadow / stretch), QColor(CongratulationsShadow));
    p.fillPath(letters, QColor(CongratulationsLetters));
    p.end();
    return image;
}

QRectF IconBox(int size) {
    const double inset = size / 32.0;
    return QRectF(inset, inset, size - 2 * inset, size - 2 * inset);
}

// Below 32 pixels three stickers a side blur into one colour; two stay apart.
int IconGrid(int size) {
    return size < 32 ? 2 : 3;
}

QImage DrawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    DrawCube(p, IconBox(size), IconGrid(size));
    p.end();
    return image;
}

// The same cube as a scalable picture: one SVG polygon per painted polygon.
QByteArray IconSvg() {
    const int size = 256;
    QByteArray svg = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                       "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" "
                                       "height=\"256\" viewBox=\"0 0 256 256\">\n");
    for (const Polygon& polygon : CubePolygons(IconBox(size), IconGrid(size))) {
        svg += "  <polygon fill=\"" + polygon.colour.name().toLatin1() + "\" points=\"";
        for (const QPointF& corner : polygon.corners)
            svg += QByteArray::number(corner.x(), 'f', 2) + ',' +
                   QByteArray::number(corner.y(), 'f', 2) + ' ';
        svg.chop(1);
        svg += "\"/>\n";
    }
    return svg + "</svg>\n";
}

bool Saved(bool ok, const QString& path) {
    if (!ok) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("wrote %s\n", qPrintable(path));
    return true;
}

bool Save(const QImage& image, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    return Saved(folder.mkpath(QFileInfo(path).path()) && image.save(path, "PNG"), path);
}

// The program's icon in an icon theme's layout: <folder>/hicolor/<n>x<n>/apps/<name>.png for
// the sizes desktops ask for, and hicolor/scalable/apps/<name>.svg.
bool SaveIconTheme(const QDir& folder, const QString& name) {
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path = QStringLiteral("hicolor/%1x%1/apps/%2.png").arg(size).arg(name);
        if (!Save(DrawIcon(size), folder, path))
            return false;
    }
    const QString svgPath =
        folder.filePath(QStringLiteral("hicolor/scalable/apps/%1.svg").arg(name));
    QFile svg(svgPath);
    return Saved(folder.mkpath(QFileInfo(svgPath).path()) && svg.open(QIODevice::WriteOnly) &&
                     svg.write(IconSvg()) > 0 && svg.flush(),
                 svgPath);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--icons")
        return SaveIconTheme(QDir(QString::fromLocal8Bit(argv[2])), QString::fromLocal8Bit(argv[3]))
                   ? 0
                   : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures <folder>\n"
                             "       make_pictures --icons <folder> <icon name>\n");
        return 2;
    }
    const QFontInfo info(BoldFont(12, false));
    if (info.family() != FontFamily)
        std::fprintf(stderr, "warning: %s not found, drawing with %s\n", qPrintable(FontFamily),
                     qPrintable(info.family()));

    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const bool ok = Save(DrawSplash(), folder, "splash.png") &&
                    Save(DrawCongratulations(), folder, "congratulations.png") &&
                    Save(DrawIcon(32), folder, "icon32.png") &&
                    Save(DrawIcon(64), folder, "icon64.png");
    return ok ? 0 : 1;
}
