#include "app/program.h"
#include "document_fixture.h"

#include "window/common_dialog.h"

using namespace documents_test;
using kururie::MainControls;

namespace {

const QString kState = QStringLiteral("120,-30,15,1,3,0,1,255,65280,0,1,0,0,0");
const QString kExampleState = QStringLiteral("100,-40,25,0,1,1,0,255,16777215,1,0,0,1,5");

struct Scene {
    QString picture;
    QString otherPicture;
    QString settings;
};

// Two pictures, the first with its settings file beside it.
Scene prepareFiles(const QTemporaryDir& folder)
{
    Scene scene{folder.filePath(QStringLiteral("star.bmp")), folder.filePath(QStringLiteral("moon.bmp")),
                folder.filePath(QStringLiteral("star.txt"))};
    savedPicture(scene.picture, markedPicture({50, 50}, Qt::yellow));
    savedPicture(scene.otherPicture, markedPicture({50, 50}, Qt::cyan));
    writeFile(scene.settings, kExampleLine);
    return scene;
}

} // namespace

class DropsTest : public QObject {
    Q_OBJECT

private slots:
    void aPictureDroppedOnTheCanvasOpensTheFirstFile()
    {
        QTemporaryDir folder;
        const Scene scene = prepareFiles(folder);
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        setControlState(c, kState);

        QScopedPointer<QMimeData> data(fileList({scene.picture, scene.otherPicture, scene.settings}));
        QVERIFY(dragAndDrop(c.picDraw, data.get()));
        QCOMPARE(window.windowTitle(), QStringLiteral("くるりえ-- ") + scene.picture);
        QCOMPARE(c.picDraw->image().pixelColor(25, 25), QColor(Qt::yellow));
        QCOMPARE(c.picDrawBk->image(), c.picDraw->image());
        QVERIFY(!c.cmdBkColor->isEnabled());
        QCOMPARE(controlState(c), kExampleState);
        QVERIFY(!c.ShpOutCircle->isVisible() && !c.ShpInCircle->isVisible() && !c.imgPen->isVisible());
        QCOMPARE(c.CmdCirClear->text(), QStringLiteral("ﾍﾟﾝを表示"));
        // The drop is not a document opened through the dialog: the picture counts as changed, the
        // current name stays empty and Save stays off.
        QVERIFY(window.pictureChanged());
        QVERIFY(c.cdlFile->fileName().isEmpty());
        emit c.mnuFile->aboutToShow();
        QVERIFY(!c.mnuFileSave->isEnabled());
        seam.expect(ScriptedSeam::no());
        c.mnuFileNew->trigger();
        QCOMPARE(seam.shown().size(), std::size_t(1));
        QCOMPARE(seam.shown().front().text, QStringLiteral("編集を保存しますか?"));
    }

    void theCanvasTakesNothingButAPictureFile_data()
    {
        QTest::addColumn<QString>("kind");

        QTest::newRow("text") << "text";
        QTest::newRow("remote file") << "remote";
        QTest::newRow("settings file") << "settings";
        QTest::newRow("missing file") << "missing";
    }

    void theCanvasTakesNothingButAPictureFile()
    {
        QFETCH(QString, kind);
        QTemporaryDir folder;
        const Scene scene = prepareFiles(folder);
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        setControlState(c, kState);
        const QImage canvas = c.picDraw->image();

        QScopedPointer<QMimeData> data;
        if (kind == QLatin1String("text")) {
            data.reset(textOnly(scene.picture));
        } else if (kind == QLatin1String("remote")) {
            data.reset(new QMimeData);
            data->setUrls({QUrl(QStringLiteral("https://example.org/star.bmp")), QUrl::fromLocalFile(scene.picture)});
        } else {
            data.reset(fileList({kind == QLatin1String("settings") ? scene.settings : folder.filePath(QStringLiteral("gone.bmp"))}));
        }
        const bool offered = dragAndDrop(c.picDraw, data.get());
        QCOMPARE(offered, kind == QLatin1String("settings") || kind == QLatin1String("missing"));
        QCOMPARE(c.picDraw->image(), canvas);
        QCOMPARE(window.windowTitle(), QStringLiteral("くるりえ"));
        QVERIFY(!window.pictureChanged());
        QVERIFY(c.cmdBkColor->isEnabled());
        QCOMPARE(controlState(c), kState);
    }

    void aPictureWithoutSettingsLeavesTheControls_data()
    {
        QTest::addColumn<QString>("name");

        QTest::newRow("no settings file") << "moon.bmp";
        QTest::newRow("bare name in a dotted folder") << "my.pics/star";
    }

    void aPictureWithoutSettingsLeavesTheControls()
    {
        QFETCH(QString, name);
        QTemporaryDir folder;
        QDir(folder.path()).mkdir(QStringLiteral("my.pics"));
        writeFile(folder.filePath(QStringLiteral("my.txt")), kExampleLine);
        const QString picture = savedPicture(folder.filePath(name), markedPicture({50, 50}, Qt::yellow));
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        setControlState(c, kState);
        const QString panel = panelState(c);

        QScopedPointer<QMimeData> data(fileList({picture}));
        QVERIFY(dragAndDrop(c.picDraw, data.get()));
        QCOMPARE(window.windowTitle(), QStringLiteral("くるりえ-- ") + picture);
        QCOMPARE(c.picDraw->image().pixelColor(25, 25), QColor(Qt::yellow));
        QCOMPARE(controlState(c), kState);
        QCOMPARE(panelState(c), panel);
    }

    void aSettingsFileDroppedOnThePanelIsApplied_data()
    {
        QTest::addColumn<QString>("target");

        QTest::newRow("window") << "frmMain";
        QTest::newRow("circle frame") << "framCircle";
        QTest::newRow("colour frame") << "framColor";
        QTest::newRow("speed frame") << "framSpeed";
    }

    void aSettingsFileDroppedOnThePanelIsApplied()
    {
        QFETCH(QString, target);
        QTemporaryDir folder;
        const Scene scene = prepareFiles(folder);
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        QWidget* widget = target == window.objectName() ? &window : window.findChild<QWidget*>(target);
        QVERIFY(widget);
        setControlState(c, kState);
        c.CmdCirClear->click();
        QVERIFY(!c.imgPen->isVisible());
        const QImage canvas = c.picDraw->image();

        // Anything but a file list is refused, as are all files of a list with a remote one.
        QScopedPointer<QMimeData> text(textOnly(scene.settings));
        QVERIFY(!dragAndDrop(widget, text.get()));
        QScopedPointer<QMimeData> mixed(new QMimeData);
        mixed->setUrls({QUrl::fromLocalFile(scene.settings), QUrl(QStringLiteral("https://example.org/s.txt"))});
        QVERIFY(!dragAndDrop(widget, mixed.get()));
        // A picture is no settings file.
        QScopedPointer<QMimeData> picture(fileList({scene.picture}));
        QVERIFY(dragAndDrop(widget, picture.get()));
        QCOMPARE(controlState(c), kState);
        QVERIFY(!c.imgPen->isVisible());

        QScopedPointer<QMimeData> files(fileList({scene.settings, scene.picture}));
        QVERIFY(dragAndDrop(widget, files.get()));
        QCOMPARE(controlState(c), kExampleState);
        QCOMPARE(c.lblFixCircle->text(), QStringLiteral("固定円の大きさ   10"));
        QCOMPARE(c.lblMoveCircle->text(), QStringLiteral("回転円の大きさ　内側  4"));
        QCOMPARE(c.lblPenPosition->text(), QStringLiteral("ペンの位置        2.5"));
        QVERIFY(c.ShpOutCircle->isVisible() && c.ShpInCircle->isVisible() && c.imgPen->isVisible());
        QCOMPARE(c.CmdCirClear->text(), QStringLiteral("ﾍﾟﾝを消す"));
        QCOMPARE(c.picDraw->image(), canvas);
        QCOMPARE(window.windowTitle(), QStringLiteral("くるりえ"));
        QVERIFY(!window.pictureChanged());
        QVERIFY(c.cdlFile->fileName().isEmpty());
        QCOMPARE(seam.shown().size(), std::size_t(0));
    }
};

QTEST_MAIN(DropsTest)
#include "drops_test.moc"
