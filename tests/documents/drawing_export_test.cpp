// The drawing exported from its strokes, as SVG (rendered by rsvg-convert, as viewers render it)
// and as PNG, against the picture the canvas drew, on its background and any picture under it.

#include "controls/colour_swatch.h"
#include "controls/option_group.h"
#include "controls/packed_colour.h"
#include "controls/state_check_box.h"
#include "documents/document_commands.h"
#include "documents/drawing_export.h"
#include "documents/export_command.h"
#include "support/program_fixture.h"

#include <QtGui>
#include <QtWidgets>

using namespace kururie;

namespace {

// How near a rendering must come to the canvas's picture. The canvas fills, without antialiasing,
// the pixels whose centres its pen covers; drawn again smoothly, a segment also tints the pixels
// its edges cross. So every pixel a stroke changed in either lies within one canvas pixel of one
// it changed in the other. The pixel nearest a line of one unit is about half covered or more,
// so somewhere near, the pen's colour is laid over what lies under it (background, picture, or a
// stroke it crosses) over at least half the pixel; a tenth of a channel's range allows for the
// line passing a little off a pixel's centre.
constexpr float kLeastCover = 0.5f;
constexpr int kColourTolerance = 26;

QImage fromPng(const QByteArray& png)
{
    return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
}

QImage renderedSvg(const QByteArray& svg)
{
    QProcess rsvg;
    rsvg.start(QStringLiteral("rsvg-convert"), {"--width", "400", "--height", "400", "--format", "png"});
    rsvg.write(svg);
    rsvg.closeWriteChannel();
    return rsvg.waitForFinished(60000) && rsvg.exitCode() == 0 ? fromPng(rsvg.readAllStandardOutput()) : QImage();
}

QVector3D rgb(QRgb colour)
{
    return QVector3D(qRed(colour), qGreen(colour), qBlue(colour));
}

// Whether `seen` is `colour` laid over `under`, covering at least kLeastCover of the pixel.
bool laidOver(QRgb seen, QRgb under, QRgb colour)
{
    const QVector3D s = rgb(seen), b = rgb(under), c = rgb(colour);
    const float along = QVector3D::dotProduct(s - b, c - b) / std::max((c - b).lengthSquared(), 1.0f);
    const float cover = std::clamp(along, kLeastCover, 1.0f);
    const QVector3D off = s - (b + cover * (c - b));
    return std::max({std::abs(off.x()), std::abs(off.y()), std::abs(off.z())}) <= kColourTolerance;
}

// An image and what it shows before any stroke.
struct Layered {
    QImage image;
    QImage base;
    bool drawn(QPoint at) const { return image.pixel(at) != base.pixel(at); }
};

// Calls visit for the pixels of `image` within a canvas unit of the unit `unit`, at `scale` pixels a
// unit; true when that reach goes past the image's edge.
bool forEachNear(const QImage& image, QPoint unit, int scale, const std::function<void(QPoint)>& visit)
{
    const QRect reach((unit - QPoint(1, 1)) * scale, QSize(3, 3) * scale);
    const QRect near = reach.intersected(image.rect());
    for (int y = near.top(); y <= near.bottom(); ++y)
        for (int x = near.left(); x <= near.right(); ++x)
            visit({x, y});
    return near != reach;
}

// Where a rendering of the drawing departs from the canvas's picture: how many of the canvas's stroke
// pixels are missing from it, how many in other colours, how many of its own stroke pixels are not
// on the canvas, and how many of its background or picture pixels changed.
const QList<int> kNone{0, 0, 0, 0};

QList<int> departures(const Layered& canvas, const Layered& rendered)
{
    const int scale = rendered.image.width() / canvas.image.width();
    int missing = 0, recoloured = 0, strayed = 0, changed = 0;
    for (int y = 0; y < canvas.image.height(); ++y)
        for (int x = 0; x < canvas.image.width(); ++x) {
            if (!canvas.drawn({x, y}))
                continue;
            // Under the stroke: the background or picture, or where strokes cross, the one it crosses.
            QList<QRgb> under;
            forEachNear(canvas.image, {x, y}, 1, [&](QPoint at) {
                under << canvas.base.pixel(at) << canvas.image.pixel(at);
            });
            bool found = false, coloured = false;
            forEachNear(rendered.image, {x, y}, scale, [&](QPoint at) {
                if (!rendered.drawn(at))
                    return;
                found = true;
                for (QRgb below : under)
                    coloured = coloured || laidOver(rendered.image.pixel(at), below, canvas.image.pixel(x, y));
            });
            missing += !found;
            recoloured += found && !coloured;
        }
    for (int v = 0; v < rendered.image.height(); ++v)
        for (int u = 0; u < rendered.image.width(); ++u) {
            // Scaled smoothly, the background and picture lie between the canvas's pixels around.
            QVector3D low(255, 255, 255), high(0, 0, 0);
            bool found = false;
            const bool pastEdge = forEachNear(canvas.image, {u / scale, v / scale}, 1, [&](QPoint at) {
                found = found || canvas.drawn(at);
                const QVector3D base = rgb(canvas.base.pixel(at));
                for (int i = 0; i < 3; ++i)
                    low[i] = std::min(low[i], base[i]), high[i] = std::max(high[i], base[i]);
            });
            // Past the edge, a stroke may pass just outside, where the canvas shows nothing of it.
            strayed += rendered.drawn({u, v}) && !found && !pastEdge;
            const QVector3D base = rgb(rendered.base.pixel(u, v)), below = low - base, above = base - high;
            changed += std::max({below.x(), below.y(), below.z(), above.x(), above.y(), above.z()}) > 1;
        }
    return {missing, recoloured, strayed, changed};
}

// The first point of the SVG's paths that is not, in drawing order, a point of the strokes to the
// nearest hundredth of a unit (a twentieth of a pixel at 4000 pixels a side); none when all are.
// Each path begins with "m" and an absolute point; every other pair is relative to the one before.
QString pointAstray(const QByteArray& svg, const StrokeRecord& strokes)
{
    QList<QPointF> kept;
    strokes.forEachPoint([&kept](const StrokePoint& point) { kept << QPointF(point.x, point.y); });
    auto next = kept.cbegin();
    static const QRegularExpression path(QStringLiteral(" d=\"([^\"]*)\""));
    static const QRegularExpression number(QStringLiteral("-?[0-9]*\\.?[0-9]+"));
    for (auto paths = path.globalMatch(QString::fromUtf8(svg)); paths.hasNext();) {
        QList<double> values;
        for (auto numbers = number.globalMatch(paths.next().captured(1)); numbers.hasNext();)
            values << numbers.next().captured().toDouble();
        QPointF at;
        for (int i = 0; i + 1 < values.size(); i += 2) {
            at = (i == 0 ? QPointF() : at) + QPointF(values[i], values[i + 1]);
            next = std::find_if(next, kept.cend(), [&at](const QPointF& point) {
                return std::abs(point.x() - at.x()) <= 0.00501 && std::abs(point.y() - at.y()) <= 0.00501;
            });
            if (next == kept.cend())
                return QString("(%1, %2)").arg(at.x()).arg(at.y());
        }
    }
    return QString();
}

// The program drawing a curve as a script says: name=value a setting made before the run,
// name@pass=value one made in that event pass of it.
struct Drawing : ProgramUnderTest {
    QTemporaryDir folder;
    QImage before; // the backing canvas's image as the run starts

    void draw(const QString& script)
    {
        QObject during;
        const QMap<QString, std::function<void(const QString&)>> set{
            {"curve", [this](const QString& v) {
                 const QStringList positions = v.split('/');
                 setCurve(positions[0].toInt(), positions[1].toInt(), positions[2].toInt());
             }},
            {"width", [this](const QString& v) { c.penWidthOptions->setValue(v.toInt(), true); }},
            {"gradation", [this](const QString& v) { c.ckPenColor->setValue(1), c.sldPenColor->setValue(v.toInt()); }},
            {"pen", [this](const QString& v) { seam.expect(ScriptedSeam::colour('#' + v)), c.cmdPenColor->click(); }},
            {"back", [this](const QString& v) { seam.expect(ScriptedSeam::colour('#' + v)), c.cmdBkColor->click(); }},
            {"clear", [this](const QString&) { c.cmdClear->click(); }},
            {"picture", [this](const QString&) {
                 // Two colours, smaller than the canvas, so that its edges show where it ends.
                 QImage picture(300, 200, QImage::Format_RGB32);
                 picture.fill(QColor(40, 160, 90));
                 QPainter(&picture).fillRect(100, 50, 150, 100, QColor(230, 120, 20));
                 const QString path = folder.filePath(QStringLiteral("picture.png"));
                 if (picture.save(path))
                     dropFiles(c.canvas, {path});
             }}};
        for (const QString& word : script.split(' ')) {
            const QString name = word.section('=', 0, 0), value = word.section('=', 1);
            const auto act = [&set, name, value] { set[name.section('@', 0, 0)](value); };
            name.contains('@') ? afterEventPasses(&during, name.section('@', 1).toInt(), act) : act();
        }
        before = c.backingCanvas->image();
        c.cmdStart->click();
    }
};

} // namespace

class DrawingExportTest : public QObject {
    Q_OBJECT

private slots:
    void exportsDrawTheCanvasAgain_data()
    {
        QTest::addColumn<QString>("script");
        QTest::newRow("black, one unit wide") << "curve=100/-40/10";
        QTest::newRow("gradation, three wide") << "curve=100/-40/25 width=3 gradation=5";
        QTest::newRow("colour and width changed in the run")
            << "curve=100/-40/10 pen=ff0000 pen@1500=0000ff width@1500=2 width@3000=3";
        QTest::newRow("on a background colour") << "back=1e3c5a pen=ffff00 width=2 curve=100/40/20";
        QTest::newRow("on a dropped picture") << "picture curve=100/-40/10 gradation=3 width=2";
        QTest::newRow("beyond the canvas") << "curve=200/60/10 width=3";
        QTest::newRow("cleared in the run") << "curve=100/-40/10 width=2 clear@600";
    }

    void exportsDrawTheCanvasAgain()
    {
        QFETCH(QString, script);
        Drawing d;
        d.draw(script);
        QVERIFY(d.seam.allAnswered());
        const Canvas& canvas = *d.c.backingCanvas;
        const CanvasContents drawn = canvas.contents();
        QVERIFY(drawn.strokes.segmentCount() > 0);
        QCOMPARE(drawn.picture.isNull(), !script.contains("picture"));
        const StrokeRecord none;
        const DrawingLayers layers = drawingOf(canvas),
            bare{canvas.interiorSize(), drawn.backColor, drawn.picture, none};
        const Layered onCanvas{drawn.image, d.before};

        const std::optional<QByteArray> svg = drawingSvg(layers);
        QVERIFY(svg);
        QCOMPARE(pointAstray(*svg, drawn.strokes), QString());
        QCOMPARE(departures(onCanvas, {renderedSvg(*svg), renderedSvg(drawingSvg(bare).value())}), kNone);
        const QImage at400 = fromPng(drawingPng(layers, drawn.image, 400));
        const QImage at800 = fromPng(drawingPng(layers, drawn.image, 800));
        QCOMPARE(departures(onCanvas, {at400, fromPng(drawingPng(bare, drawn.image, 400))}), kNone);
        QCOMPARE(departures(onCanvas, {at800, fromPng(drawingPng(bare, drawn.image, 800))}), kNone);
        // Drawn again at its size, not the smaller one scaled up pixel for pixel.
        QVERIFY(at800 != at400.scaled(800, 800));
    }

    // Past its cap the record no longer holds the drawing: no SVG, and the canvas's pixels scaled.
    void overflowedStrokesGiveThePixels()
    {
        static const QImage traced = tracedPicture();
        StrokeRecord overflowed(1), none;
        overflowed.append({0, 0, 400, 400}, 0, 1);
        overflowed.append({400, 400, 0, 0}, 0, 1);
        const DrawingLayers layers{QSize(400, 400), kWhite, QImage(), overflowed},
            bare{QSize(400, 400), kWhite, QImage(), none};
        QVERIFY(!drawingSvg(layers));
        QImage blank(400, 400, QImage::Format_RGB32);
        blank.fill(Qt::white);
        const Layered scaled{fromPng(drawingPng(layers, traced, 800)), fromPng(drawingPng(bare, traced, 800))};
        QCOMPARE(scaled.image.size(), QSize(800, 800));
        QCOMPARE(departures({traced, blank}, scaled), kNone);
    }

    void theExportCommand_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("side"); // of the PNG written; 0 for the SVG
        QTest::newRow("SVG") << 1 << 0;
        QTest::newRow("PNG of 400") << 2 << 400;
        QTest::newRow("PNG of 800") << 3 << 800;
        QTest::newRow("PNG of 1600") << 4 << 1600;
        QTest::newRow("PNG of 4000") << 5 << 4000;
    }

    // File > 書き出し writes what the file type picked says, from the strokes, and leaves the
    // document, its title and its changed mark as they were.
    void theExportCommand()
    {
        QFETCH(int, entry);
        QFETCH(int, side);
        Drawing d;
        d.draw("curve=100/-40/10");
        d.seam.expect(ScriptedSeam::file(d.folder.filePath("star.bmp")));
        d.c.mnuFileSaveAs->trigger();
        d.c.cmdStart->click();
        const QString title = d.window.windowTitle();
        const QString path = d.folder.filePath("exported");
        d.seam.expect(ScriptedSeam::fileUnder(entry, path));
        d.c.mnuFileExport->trigger();
        const DrawingLayers layers = drawingOf(*d.c.backingCanvas);
        const QByteArray written = fileBytes(path + (side ? ".png" : ".svg"));
        if (side)
            QCOMPARE(written, drawingPng(layers, d.c.backingCanvas->image(), side));
        else
            QCOMPARE(written, drawingSvg(layers).value());
        QCOMPARE(d.program.documents().documentName(), d.folder.filePath("star.bmp"));
        QCOMPARE(d.window.windowTitle(), title);
        QVERIFY(d.window.pictureChanged());
    }

    // Past the record's cap the drawing can no longer be a vector: the export says so plainly,
    // and PNG is still written, from the pixels.
    void theExportCommandPastTheCap()
    {
        ProgramUnderTest p;
        QTemporaryDir folder;
        for (std::size_t i = 0; i <= StrokeRecord::kMaxSegments; ++i)
            p.c.backingCanvas->drawSegment({0, float(i % 400), 1, float(i % 400)}, 0);
        QVERIFY(p.c.backingCanvas->strokes().overflowed());
        p.seam.expect(ScriptedSeam::file(folder.filePath("too many.svg")));
        p.seam.expect(ScriptedSeam::ok());
        p.seam.expect(ScriptedSeam::fileUnder(2, folder.filePath("too many.png")));
        p.c.mnuFileExport->trigger();
        p.c.mnuFileExport->trigger();
        QCOMPARE(dialogs(p.seam).at(0), QStringLiteral("[書き出し]"));
        QCOMPARE(dialogs(p.seam).at(1),
                 "[くるりえ] この絵は線が多すぎるため、SVG形式では書き出せません。\nPNG形式なら書き出せます。");
        QVERIFY(!QFileInfo::exists(folder.filePath("too many.svg")));
        QCOMPARE(fromPng(fileBytes(folder.filePath("too many.png"))), p.c.backingCanvas->image());
    }
};

QTEST_MAIN(DrawingExportTest)
#include "drawing_export_test.moc"
