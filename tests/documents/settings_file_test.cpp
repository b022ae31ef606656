#include "app/program.h"
#include "document_fixture.h"

#include "window/common_dialog.h"

#include <QFileDialog>

using namespace documents_test;
using kururie::MainControls;

namespace {

const QString kExampleState = QStringLiteral("100,-40,25,0,1,1,0,255,16777215,1,0,0,1,5");
const QString kOtherState = QStringLiteral("37,12,-9,1,4,0,1,65280,8421504,0,1,0,0,0");

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT

private slots:
    void savesAndRestoresEveryControlState_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QByteArray>("line");

        QTest::newRow("example") << kExampleState << kExampleLine;
        QTest::newRow("lowest positions, grey swing, slow")
            << "0,-200,-100,2,15,0,1,0,0,0,0,1,0,0"
            << QByteArray("0,-200,-100,2,15,#FALSE#,#TRUE#,0,0,#FALSE#,#FALSE#,#TRUE#,0,0\r\n");
        QTest::newRow("highest positions, white pen, gradation")
            << "200,200,100,1,7,1,0,16777215,16777215,0,1,0,1,20"
            << QByteArray("200,200,100,1,7,#TRUE#,#FALSE#,16777215,16777215,#FALSE#,#TRUE#,#FALSE#,1,20\r\n");
        QTest::newRow("no option selected, odd colours")
            << "1,-1,-1,0,0,0,0,1,16777214,0,0,0,0,0"
            << QByteArray("1,-1,-1,0,0,#FALSE#,#FALSE#,1,16777214,#FALSE#,#FALSE#,#FALSE#,0,0\r\n");
    }

    void savesAndRestoresEveryControlState()
    {
        QFETCH(QString, state);
        QFETCH(QByteArray, line);
        QTemporaryDir folder;
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        setControlState(c, state);

        const QString picture = folder.filePath(QStringLiteral("star.bmp"));
        seam.expect(ScriptedSeam::file(picture));
        c.mnuFileSaveAs->trigger();
        QCOMPARE(fileBytes(folder.filePath(QStringLiteral("star.txt"))), line);
        QCOMPARE(entriesOf(folder.path()), (QStringList{QStringLiteral("star.bmp"), QStringLiteral("star.txt")}));

        setControlState(c, kOtherState);
        openThroughMenu(window, seam, picture);
        QCOMPARE(controlState(c), state);
        QVERIFY(seam.allAnswered());
        QCOMPARE(seam.unexpectedCount(), 0);
    }

    void readsOtherLayoutsOfTheSameFields_data()
    {
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("LF line end") << QByteArray(kExampleLine).replace("\r\n", "\n");
        QTest::newRow("fields over several lines")
            << QByteArray("100,-40,25\r\n0,1,#TRUE#,#FALSE#\n255,16777215,#TRUE#,#FALSE#,#FALSE#\r\n1,5\r\n");
        QTest::newRow("followed by further text") << kExampleLine + "drawn on a rainy day\r\n";
    }

    void readsOtherLayoutsOfTheSameFields()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir folder;
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        const QString settings = folder.filePath(QStringLiteral("hand made.txt"));
        writeFile(settings, bytes);

        QScopedPointer<QMimeData> data(fileList({settings}));
        QVERIFY(dragAndDrop(c.framCircle, data.get()));
        QCOMPARE(controlState(c), kExampleState);
    }

    void changesNoControlForAMalformedFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");

        const QByteArray bare = kExampleLine.chopped(2);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("thirteen fields") << bare.left(bare.lastIndexOf(',')) + "\r\n";
        QTest::newRow("text in a number") << QByteArray(kExampleLine).replace("-40", "-4O");
        QTest::newRow("fixed circle out of range") << "201" + kExampleLine.mid(3);
        QTest::newRow("check state 3") << QByteArray(kExampleLine).replace(",0,1,#TRUE#", ",3,1,#TRUE#");
        QTest::newRow("colour above white") << QByteArray(kExampleLine).replace("16777215", "16777216");
        QTest::newRow("binary garbage") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QTest::newRow("a bitmap picture") << QByteArray("BM") + QByteArray(60, '\0');
    }

    void changesNoControlForAMalformedFile()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir folder;
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        setControlState(c, kOtherState);
        c.CmdCirClear->click();
        const QString panel = panelState(c);
        const QString picture = savedPicture(folder.filePath(QStringLiteral("star.bmp")), markedPicture({50, 50}, Qt::yellow));
        writeFile(folder.filePath(QStringLiteral("star.txt")), bytes);

        QScopedPointer<QMimeData> data(fileList({folder.filePath(QStringLiteral("star.txt"))}));
        dragAndDrop(c.framColor, data.get());
        QCOMPARE(controlState(c), kOtherState);
        QCOMPARE(panelState(c), panel);

        // Open still shows the picture, and leaves the settings, preview and caption as they were.
        openThroughMenu(window, seam, picture);
        QCOMPARE(window.windowTitle(), QStringLiteral("くるりえ-- ") + picture);
        QCOMPARE(c.picDraw->image().pixelColor(0, 0), QColor(Qt::red));
        QCOMPARE(controlState(c), kOtherState);
        QCOMPARE(panelState(c), panel);
        QCOMPARE(seam.unexpectedCount(), 0);
    }

    void appliesThroughTheControlsInFieldOrder()
    {
        QTemporaryDir folder;
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        setControlState(c, QStringLiteral("50,20,10,1,3,1,0,0,16777215,1,0,0,0,0"));
        c.picDraw->setBackColor(0x00FF00);
        const QImage canvas = c.picDraw->image();
        const QString settings = folder.filePath(QStringLiteral("s.txt"));

        // The swing box's click clears the slider before field 5 sets it; both speeds true leave the
        // second selected; the pen-width click sets the canvases' pen; the gradation click hides the swatch.
        writeFile(settings, "50,20,10,0,7,#TRUE#,#TRUE#,255,16711680,#FALSE#,#FALSE#,#TRUE#,1,9\r\n");
        QScopedPointer<QMimeData> data(fileList({settings}));
        dragAndDrop(c.framSpeed, data.get());
        QCOMPARE(controlState(c), QStringLiteral("50,20,10,0,7,0,1,255,16711680,0,0,1,1,9"));
        QVERIFY(!c.sldPenMove->isEnabled());
        QCOMPARE(c.picDraw->penWidth(), 3);
        QCOMPARE(c.picDrawBk->penWidth(), 3);
        QVERIFY(c.txtPenColor->isHidden());
        QVERIFY(c.sldPenColor->isEnabled());
        // Only the stored background changes; the canvas keeps its colour and picture.
        QCOMPARE(c.picDraw->backColor(), 0x00FF00u);
        QCOMPARE(c.picDraw->image(), canvas);

        writeFile(settings, "50,20,10,0,7,#FALSE#,#FALSE#,255,16711680,#FALSE#,#FALSE#,#TRUE#,1,9\r\n");
        dragAndDrop(c.framSpeed, data.get());
        QVERIFY(!c.opSpeed->value(1) && !c.opSpeed->value(2));
    }

    void hiddenButtonsSaveAndLoadSettingsOnly()
    {
        QTemporaryDir folder;
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        setControlState(c, kExampleState);
        const QString settings = folder.filePath(QStringLiteral("only.txt"));
        writeFile(settings, "old");

        QStringList filters;
        QFileDialog::FileMode mode = QFileDialog::AnyFile;
        seam.expect([&](QDialog& dialog) {
            auto& files = static_cast<QFileDialog&>(dialog);
            filters = files.nameFilters();
            mode = files.fileMode();
            return ScriptedSeam::file(settings)(dialog);
        });
        c.Command1->click();
        QCOMPARE(mode, QFileDialog::ExistingFile);
        QCOMPARE(filters, (QStringList{QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt)"), QStringLiteral("すべてのﾌｧｲﾙ(*.*)")}));
        QCOMPARE(fileBytes(settings), kExampleLine);
        QCOMPARE(entriesOf(folder.path()), QStringList{QStringLiteral("only.txt")});
        QCOMPARE(c.cdlFile->fileName(), settings);
        QCOMPARE(window.windowTitle(), QStringLiteral("くるりえ"));
        emit c.mnuFile->aboutToShow();
        QVERIFY(!c.mnuFileSave->isEnabled());

        setControlState(c, kOtherState);
        seam.expect([&](QDialog& dialog) {
            filters = static_cast<QFileDialog&>(dialog).nameFilters();
            return ScriptedSeam::file(settings)(dialog);
        });
        c.Command2->click();
        QCOMPARE(filters.first(), QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt)"));
        QCOMPARE(controlState(c), kExampleState);
        QVERIFY(c.ShpOutCircle->isVisible() && c.ShpInCircle->isVisible() && c.imgPen->isVisible());
        QCOMPARE(c.lblFixCircle->text(), QStringLiteral("固定円の大きさ   10"));
        QCOMPARE(c.CmdCirClear->text(), QStringLiteral("ﾍﾟﾝを消す"));
        QCOMPARE(seam.unexpectedCount(), 0);
    }
};

QTEST_MAIN(SettingsFileTest)
#include "settings_file_test.moc"
