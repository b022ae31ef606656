#include "app/program.h"
#include "document_fixture.h"

#include "support/event_passes.h"
#include "support/read_only_folder.h"
#include "window/common_dialog.h"
#include "window/run_control.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>

#include <optional>

using namespace documents_test;
using kururie::MainControls;

namespace {

const QString kTitle = QStringLiteral("くるりえ");
const QString kState = QStringLiteral("120,-30,15,1,3,0,1,255,65280,0,1,0,0,0");

QString titleFor(const QString& path)
{
    return QStringLiteral("くるりえ-- ") + path;
}

// A drawn picture: what a finished run or a paste leaves on the canvas.
void drawSomething(kururie::MainWindow& window)
{
    window.controls().picDraw->setPicture(markedPicture({30, 30}, Qt::green));
    QVERIFY(window.pictureChanged());
}

QString saveFailure(const QString& path)
{
    return QStringLiteral("ファイル「%1」を保存できませんでした。").arg(path);
}

struct DialogSeen {
    QStringList descriptions;
    QString selected;
    QStringList patterns;
    QStringList patternsAfterChoosing;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    bool asksBeforeOverwriting = false;
};

// Records what a file dialog offers, then chooses the given entry with the signals a user's choice
// in the file-type box raises, in their order, and cancels.
ScriptedSeam::Answer inspect(DialogSeen& seen, int entryToChoose)
{
    return [&seen, entryToChoose](QDialog& dialog) {
        auto& files = static_cast<QFileDialog&>(dialog);
        auto* model = files.findChild<QFileSystemModel*>();
        seen.descriptions = files.nameFilters();
        seen.selected = files.selectedNameFilter();
        seen.patterns = model->nameFilters();
        seen.mode = files.fileMode();
        seen.asksBeforeOverwriting = !files.testOption(QFileDialog::DontConfirmOverwrite);
        auto* fileTypes = files.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        fileTypes->setCurrentIndex(entryToChoose);
        emit fileTypes->activated(entryToChoose);
        emit fileTypes->textActivated(fileTypes->itemText(entryToChoose));
        seen.patternsAfterChoosing = model->nameFilters();
        return int(QDialog::Rejected);
    };
}

} // namespace

class DocumentCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void fileDialogsOfferTheirFiltersAsWritten()
    {
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();

        DialogSeen open;
        seam.expect(inspect(open, 1));
        c.mnuFileOpen->trigger();
        QCOMPARE(open.descriptions,
                 (QStringList{QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)"), QStringLiteral("JPEG形式(*.jpg,*jpeg)"),
                              QStringLiteral("GIF形式(*.gif)"), QStringLiteral("すべてのﾌｧｲﾙ(*.*)")}));
        QCOMPARE(open.selected, open.descriptions.first());
        QCOMPARE(open.patterns, QStringList{QStringLiteral("*.bmp")});
        // The JPEG entry lists *.jpg only, although its description names more.
        QCOMPARE(open.patternsAfterChoosing, QStringList{QStringLiteral("*.jpg")});
        QCOMPARE(open.mode, QFileDialog::ExistingFile);

        DialogSeen saveAs;
        seam.expect(inspect(saveAs, 1));
        c.mnuFileSaveAs->trigger();
        QCOMPARE(saveAs.descriptions,
                 (QStringList{QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)"), QStringLiteral("すべてのﾌｧｲﾙ(*.*)")}));
        QCOMPARE(saveAs.selected, saveAs.descriptions.first());
        QCOMPARE(saveAs.patterns, QStringList{QStringLiteral("*.bmp")});
        // "*.*" lists every file, a name without an extension too.
        QTemporaryDir folder;
        const QStringList files{"notes.txt", "star", "star.bmp"};
        for (const QString& file : files)
            writeFile(folder.filePath(file), "");
        QCOMPARE(QDir(folder.path()).entryList(saveAs.patternsAfterChoosing, QDir::Files, QDir::Name), files);
        QVERIFY(saveAs.asksBeforeOverwriting);

        // Both cancelled: nothing changed.
        QCOMPARE(window.windowTitle(), kTitle);
        QVERIFY(c.cdlFile->fileName().isEmpty());
        QVERIFY(seam.allAnswered());
    }

    void openShowsThePictureAndRestoresItsSettings_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<bool>("withSettings");

        QTest::newRow("bitmap with settings") << "star.bmp" << QByteArray("bmp") << true;
        QTest::newRow("JPEG with settings") << "star.jpg" << QByteArray("jpg") << true;
        QTest::newRow("bitmap without settings") << "star.bmp" << QByteArray("bmp") << false;
        QTest::newRow("bare name beside a settings file") << "star" << QByteArray("bmp") << false;
    }

    void openShowsThePictureAndRestoresItsSettings()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QFETCH(bool, withSettings);
        QTemporaryDir folder;
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        const QString picture = savedPicture(folder.filePath(name), markedPicture({60, 40}, Qt::yellow), format);
        if (withSettings || !name.contains(QLatin1Char('.')))
            writeFile(folder.filePath(QStringLiteral("star.txt")), kExampleLine);
        setControlState(c, kState);
        c.hsbFixCircle->setValue(121); // shows the preview
        const QString before = controlState(c);

        openThroughMenu(window, seam, picture);
        QCOMPARE(window.windowTitle(), titleFor(picture));
        QCOMPARE(c.cdlFile->fileName(), picture);
        QVERIFY(!window.pictureChanged());
        QVERIFY(!c.cmdBkColor->isEnabled());
        const QColor yellow = c.picDraw->image().pixelColor(30, 20);
        QVERIFY(qAbs(yellow.red() - 255) < 8 && qAbs(yellow.green() - 255) < 8 && yellow.blue() < 8);
        QCOMPARE(c.picDraw->image().pixelColor(100, 100), QColor(Qt::white));
        QCOMPARE(c.picDrawBk->image(), c.picDraw->image());
        QCOMPARE(controlState(c), withSettings ? QStringLiteral("100,-40,25,0,1,1,0,255,16777215,1,0,0,1,5") : before);
        QCOMPARE(c.imgPen->isVisible(), !withSettings);
        QCOMPARE(c.CmdCirClear->text(), withSettings ? QStringLiteral("ﾍﾟﾝを表示") : QStringLiteral("ﾍﾟﾝを消す"));
    }

    void picturesShowFromTheTopLeftOverTheBackground()
    {
        QTemporaryDir folder;
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        c.picDraw->setBackColor(0xFF0000); // blue
        const QString large = savedPicture(folder.filePath(QStringLiteral("large.bmp")), markedPicture({600, 500}, Qt::white));
        // A one-pixel GIF, red, as an older paint program writes it; Qt has no GIF writer.
        const QString gif = folder.filePath(QStringLiteral("dot.gif"));
        writeFile(gif, QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00"
                                  ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;", 35));

        openThroughMenu(window, seam, large);
        QCOMPARE(c.picDraw->image().size(), QSize(400, 400));
        QCOMPARE(c.picDraw->image().pixelColor(0, 0), QColor(Qt::red));
        QCOMPARE(c.picDraw->image().pixelColor(399, 399), QColor(Qt::white));

        openThroughMenu(window, seam, gif);
        QCOMPARE(window.windowTitle(), titleFor(gif));
        QCOMPARE(c.picDraw->image().pixelColor(0, 0), QColor(Qt::red));
        QCOMPARE(c.picDraw->image().pixelColor(1, 1), QColor(Qt::blue));
    }

    void aFailedOpenChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("not a picture") << kExampleLine;
        QTest::newRow("cut-off bitmap") << QByteArray("BM\x36\x10\x0e\x00\x00\x00", 8);
        // A header claiming 60000 × 60000 pixels at 24 bits: far beyond any sensible allocation.
        QByteArray giant("BM\0\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x60\xea\0\0\x60\xea\0\0\x01\0\x18\0", 30);
        QTest::newRow("giant header") << giant + QByteArray(24, '\0') + QByteArray(64, '\x7f');
    }

    void aFailedOpenChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir folder;
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        const QString good = savedPicture(folder.filePath(QStringLiteral("good.bmp")), markedPicture({20, 20}, Qt::white));
        openThroughMenu(window, seam, good);
        drawSomething(window);
        const QImage canvas = c.picDraw->image();
        const QString broken = folder.filePath(QStringLiteral("broken.bmp"));
        writeFile(broken, bytes);
        writeFile(folder.filePath(QStringLiteral("broken.txt")), kExampleLine);
        const QString state = controlState(c);

        seam.expect(ScriptedSeam::cancel());
        c.mnuFileOpen->trigger();
        QCOMPARE(c.cdlFile->fileName(), good);
        openThroughMenu(window, seam, broken);
        QCOMPARE(c.picDraw->image(), canvas);
        QCOMPARE(window.windowTitle(), titleFor(good));
        QVERIFY(window.pictureChanged());
        QCOMPARE(controlState(c), state);
        // Save goes back to the document that is open, never over the file that failed.
        QCOMPARE(c.cdlFile->fileName(), good);
        c.mnuFileSave->trigger();
        QCOMPARE(fileBytes(broken), bytes);
        QCOMPARE(QImage(good).pixelColor(25, 25), QColor(Qt::green));
        QCOMPARE(seam.unexpectedCount(), 0);
    }

    void saveWritesBitmapDataAndItsSettings()
    {
        QTemporaryDir folder;
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        const QString photo = savedPicture(folder.filePath(QStringLiteral("photo.jpg")), markedPicture({40, 40}, Qt::white), "jpg");
        openThroughMenu(window, seam, photo);
        drawSomething(window);
        setControlState(c, kState);

        c.mnuFileSave->trigger();
        QVERIFY(fileBytes(photo).startsWith("BM"));
        QCOMPARE(QImage(photo).convertToFormat(QImage::Format_RGB32), c.picDraw->image());
        QCOMPARE(fileBytes(folder.filePath(QStringLiteral("photo.txt"))),
                 QByteArray("120,-30,15,1,3,#FALSE#,#TRUE#,255,65280,#FALSE#,#TRUE#,#FALSE#,0,0\r\n"));
        QCOMPARE(window.windowTitle(), titleFor(photo));
        QVERIFY(window.pictureChanged());
        // Opening the saved file again reads the bitmap data under its JPEG name.
        c.hsbFixCircle->setValue(3);
        openThroughMenu(window, seam, photo);
        QCOMPARE(controlState(c), kState);
        QCOMPARE(c.picDraw->image().pixelColor(0, 0), QColor(Qt::red));
        QCOMPARE(seam.shown().size(), std::size_t(2));
    }

    void saveAsWritesSettingsOnlyBesideANamedPicture_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("files");

        QTest::newRow("bitmap") << "star.bmp" << QStringList{"star.bmp", "star.txt"};
        QTest::newRow("bare name") << "star" << QStringList{"star"};
        QTest::newRow("named like its settings") << "star.txt" << QStringList{"star.txt"};
        QTest::newRow("named like its settings, upper case") << "star.TXT" << QStringList{"star.TXT"};
        QTest::newRow("bare name in a dotted folder") << "my.pics/star" << QStringList{"my.pics"};
    }

    void saveAsWritesSettingsOnlyBesideANamedPicture()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, files);
        QTemporaryDir folder;
        QDir(folder.path()).mkdir(QStringLiteral("my.pics"));
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        drawSomething(window);
        const QString picture = folder.filePath(name);

        seam.expect(ScriptedSeam::file(picture));
        c.mnuFileSaveAs->trigger();
        files << QStringLiteral("my.pics");
        files.sort();
        files.removeDuplicates();
        QCOMPARE(entriesOf(folder.path()), files);
        QCOMPARE(QImage(picture).convertToFormat(QImage::Format_RGB32), c.picDraw->image());
        QCOMPARE(window.windowTitle(), titleFor(picture));
        QCOMPARE(c.cdlFile->fileName(), picture);
        QVERIFY(window.pictureChanged());
        // Save stays off for names ending in "txt", compared case-sensitively.
        emit c.mnuFile->aboutToShow();
        QCOMPARE(c.mnuFileSave->isEnabled(), !picture.endsWith(QLatin1String("txt")));
        QCOMPARE(seam.unexpectedCount(), 0);
    }

    void anUnwritableSaveIsReportedAndKeepsTheDocument_data()
    {
        QTest::addColumn<QString>("name");

        QTest::newRow("folder is a file") << "plain/star.bmp";
        QTest::newRow("missing folder") << "missing/star.bmp";
    }

    void anUnwritableSaveIsReportedAndKeepsTheDocument()
    {
        QFETCH(QString, name);
        QTemporaryDir folder;
        writeFile(folder.filePath(QStringLiteral("plain")), "a file, not a folder");
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        const QString good = savedPicture(folder.filePath(QStringLiteral("good.bmp")), markedPicture({20, 20}, Qt::white));
        openThroughMenu(window, seam, good);
        drawSomething(window);
        const QString target = folder.filePath(name);

        seam.expect(ScriptedSeam::file(target));
        seam.expect(ScriptedSeam::ok());
        c.mnuFileSaveAs->trigger();
        QVERIFY(seam.allAnswered());
        QCOMPARE(seam.shown().back().text, saveFailure(target));
        QCOMPARE(seam.shown().back().className, QStringLiteral("QMessageBox"));
        QCOMPARE(window.windowTitle(), titleFor(good));
        QCOMPARE(c.cdlFile->fileName(), good);
        QCOMPARE(entriesOf(folder.path()), (QStringList{"good.bmp", "plain"}));
    }

    void anUnwritableSettingsFileKeepsThePicture_data()
    {
        QTest::addColumn<bool>("fromNew");
        QTest::newRow("save as") << false;
        QTest::newRow("new, yes, save as") << true;
    }

    void anUnwritableSettingsFileKeepsThePicture()
    {
        QFETCH(bool, fromNew);
        QTemporaryDir folder;
        QDir(folder.path()).mkdir(QStringLiteral("star.txt"));
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        const QString current = savedPicture(folder.filePath(QStringLiteral("current.bmp")), markedPicture({20, 20}, Qt::white));
        openThroughMenu(window, seam, current);
        drawSomething(window);
        const QString picture = folder.filePath(QStringLiteral("star.bmp"));

        if (fromNew)
            seam.expect(ScriptedSeam::yes());
        seam.expect(ScriptedSeam::file(picture));
        seam.expect(ScriptedSeam::ok());
        (fromNew ? c.mnuFileNew : c.mnuFileSaveAs)->trigger();
        QVERIFY(seam.allAnswered());
        QCOMPARE(seam.shown().back().text, saveFailure(folder.filePath(QStringLiteral("star.txt"))));
        QCOMPARE(QImage(picture).pixelColor(0, 0), QColor(Qt::red));
        // The title and the name a later Save writes to both name the picture just written.
        QCOMPARE(window.windowTitle(), titleFor(picture));
        QCOMPARE(c.cdlFile->fileName(), picture);
        QVERIFY(window.pictureChanged());
        // No temporary file is left behind.
        QCOMPARE(entriesOf(folder.path()), (QStringList{"current.bmp", "star.bmp", "star.txt"}));
        QVERIFY(QFileInfo(folder.filePath(QStringLiteral("star.txt"))).isDir());
    }

    void aSaveIsWrittenWhereverTheFileCanBe_data()
    {
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::newRow("writable folder: the file is replaced whole") << false;
        QTest::newRow("read-only folder: the file is written in place") << true;
    }

    void aSaveIsWrittenWhereverTheFileCanBe()
    {
        QFETCH(bool, readOnlyFolder);
        QTemporaryDir folder;
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        const QString picture = savedPicture(folder.filePath(QStringLiteral("star.bmp")), markedPicture({20, 20}, Qt::white));
        writeFile(folder.filePath(QStringLiteral("star.txt")), kExampleLine);
        // A second name for the same file sees a write in place, but keeps the old file when a
        // new one replaces it.
        const QString link = folder.filePath(QStringLiteral("link.bmp"));
        QCOMPARE(::link(qPrintable(picture), qPrintable(link)), 0);
        openThroughMenu(window, seam, picture);
        drawSomething(window);
        setControlState(c, kState);

        {
            std::optional<ReadOnlyFolder> readOnly;
            if (readOnlyFolder)
                readOnly.emplace(folder.path());
            c.mnuFileSave->trigger();
        }
        QCOMPARE(seam.unexpectedCount(), 0);
        QCOMPARE(QImage(picture).convertToFormat(QImage::Format_RGB32), c.picDraw->image());
        QCOMPARE(fileBytes(folder.filePath(QStringLiteral("star.txt"))),
                 QByteArray("120,-30,15,1,3,#FALSE#,#TRUE#,255,65280,#FALSE#,#TRUE#,#FALSE#,0,0\r\n"));
        QCOMPARE(fileBytes(link) == fileBytes(picture), readOnlyFolder);
        QCOMPARE(entriesOf(folder.path()), (QStringList{"link.bmp", "star.bmp", "star.txt"}));
    }

    void saveIsOfferedForPictureDocumentsOnly()
    {
        QTemporaryDir folder;
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        // Enabled until the menu first opens; with no name, Save asks for one.
        QVERIFY(c.mnuFileSave->isEnabled());
        seam.expect(ScriptedSeam::cancel());
        c.mnuFileSave->trigger();
        QCOMPARE(seam.shown().size(), std::size_t(1));
        QCOMPARE(seam.shown().back().className, QStringLiteral("QFileDialog"));
        emit c.mnuFile->aboutToShow();
        QVERIFY(!c.mnuFileSave->isEnabled());

        const QString picture = savedPicture(folder.filePath(QStringLiteral("a.bmp")), markedPicture({5, 5}, Qt::white));
        openThroughMenu(window, seam, picture);
        emit c.mnuFile->aboutToShow();
        QVERIFY(c.mnuFileSave->isEnabled());

        c.mnuFileNew->trigger();
        emit c.mnuFile->aboutToShow();
        QVERIFY(!c.mnuFileSave->isEnabled());
    }

    void newOffersToSaveAChangedPicture_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<bool>("cleared");

        QTest::newRow("unchanged: no question") << false << "" << true;
        QTest::newRow("changed, no") << true << "no" << true;
        QTest::newRow("changed, yes, saved") << true << "yes,file" << true;
        QTest::newRow("changed, yes, cancelled") << true << "yes,cancel" << false;
        QTest::newRow("changed, yes, save fails") << true << "yes,unwritable,ok" << false;
    }

    void newOffersToSaveAChangedPicture()
    {
        QFETCH(bool, changed);
        QFETCH(QString, answers);
        QFETCH(bool, cleared);
        QTemporaryDir folder;
        writeFile(folder.filePath(QStringLiteral("plain")), "");
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        const QString current = savedPicture(folder.filePath(QStringLiteral("current.bmp")), markedPicture({20, 20}, Qt::white));
        openThroughMenu(window, seam, current);
        if (changed)
            drawSomething(window);
        setControlState(c, kState);
        const QImage canvas = c.picDraw->image();
        const QString saved = folder.filePath(QStringLiteral("saved.bmp"));
        seam.clear();
        for (const QString& answer : answers.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            if (answer == QLatin1String("yes"))
                seam.expect(ScriptedSeam::yes());
            else if (answer == QLatin1String("no"))
                seam.expect(ScriptedSeam::no());
            else if (answer == QLatin1String("cancel"))
                seam.expect(ScriptedSeam::cancel());
            else if (answer == QLatin1String("ok"))
                seam.expect(ScriptedSeam::ok());
            else if (answer == QLatin1String("file"))
                seam.expect(ScriptedSeam::file(saved));
            else
                seam.expect(ScriptedSeam::file(folder.filePath(QStringLiteral("plain/saved.bmp"))));
        }

        c.mnuFileNew->trigger();
        QVERIFY(seam.allAnswered());
        QCOMPARE(seam.unexpectedCount(), 0);
        if (changed) {
            QCOMPARE(seam.shown().front().text, QStringLiteral("編集を保存しますか?"));
            QCOMPARE(seam.shown().front().title, QStringLiteral("確認"));
        }
        // Saving from New always asks for a name, even with a document open.
        if (answers.startsWith(QLatin1String("yes")))
            QCOMPARE(seam.shown()[1].className, QStringLiteral("QFileDialog"));
        QCOMPARE(QFileInfo::exists(saved), answers == QLatin1String("yes,file"));
        // New keeps every setting but the background, which becomes white when the picture is cleared.
        QCOMPARE(controlState(c), cleared ? QString(kState).replace(QLatin1String("65280"), QLatin1String("16777215")) : kState);
        if (cleared) {
            QVERIFY(c.cdlFile->fileName().isEmpty());
            QCOMPARE(window.windowTitle(), kTitle);
            QVERIFY(!window.pictureChanged());
            QVERIFY(c.cmdBkColor->isEnabled());
            QCOMPARE(c.txtBkColor->backColor(), 16777215u);
            QCOMPARE(c.picDraw->image().pixelColor(0, 0), QColor(Qt::white));
            QCOMPARE(c.picDrawBk->image(), c.picDraw->image());
        } else {
            QCOMPARE(c.cdlFile->fileName(), current);
            QCOMPARE(window.windowTitle(), titleFor(current));
            QVERIFY(window.pictureChanged());
            QVERIFY(!c.cmdBkColor->isEnabled());
            QCOMPARE(c.picDraw->image(), canvas);
        }
    }

    void exitAndTheCloseBoxOfferToSaveOnce_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("closed");

        for (bool closeBox : {false, true}) {
            const char* how = closeBox ? "close box" : "Exit";
            QTest::addRow("%s, unchanged", how) << closeBox << false << "" << true;
            QTest::addRow("%s, no", how) << closeBox << true << "no" << true;
            QTest::addRow("%s, yes saves to the open document", how) << closeBox << true << "yes" << true;
            QTest::addRow("%s, yes, save fails", how) << closeBox << true << "yes,fail" << false;
        }
    }

    void exitAndTheCloseBoxOfferToSaveOnce()
    {
        QFETCH(bool, closeBox);
        QFETCH(bool, changed);
        QFETCH(QString, answer);
        QFETCH(bool, closed);
        QTemporaryDir folder;
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        const QString current = savedPicture(folder.filePath(QStringLiteral("current.bmp")), markedPicture({20, 20}, Qt::white));
        openThroughMenu(window, seam, current);
        if (changed)
            drawSomething(window);
        if (answer.endsWith(QLatin1String("fail")))
            QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("current.txt")));
        window.show();
        seam.clear();
        if (answer.startsWith(QLatin1String("yes")))
            seam.expect(ScriptedSeam::yes());
        if (answer == QLatin1String("no"))
            seam.expect(ScriptedSeam::no());
        if (answer.endsWith(QLatin1String("fail")))
            seam.expect(ScriptedSeam::ok());

        if (closeBox)
            window.close();
        else
            c.mnuFileExit->trigger();
        QCOMPARE(window.isVisible(), !closed);
        QVERIFY(seam.allAnswered());
        QCOMPARE(seam.unexpectedCount(), 0);
        QCOMPARE(seam.shown().size(), std::size_t(answer.count(QLatin1Char(',')) + (changed ? 1 : 0)));
        // Saved silently to the open document's name (only its settings file failing), or left as opened.
        QCOMPARE(QImage(current).size(), answer.startsWith(QLatin1String("yes")) ? QSize(400, 400) : QSize(20, 20));
    }

    void aCancelledSaveKeepsTheWindowOpen()
    {
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        drawSomething(window);
        window.show();
        seam.expect(ScriptedSeam::yes());
        seam.expect(ScriptedSeam::cancel());
        window.controls().mnuFileExit->trigger();
        QVERIFY(window.isVisible());
        QCOMPARE(seam.shown().size(), std::size_t(2));

        seam.expect(ScriptedSeam::no());
        window.controls().mnuFileExit->trigger();
        QVERIFY(!window.isVisible());
        QCOMPARE(seam.shown().size(), std::size_t(3));
        QCOMPARE(seam.unexpectedCount(), 0);
    }

    void exitDuringATraceStopsItBeforeAsking()
    {
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        MainControls& c = window.controls();
        c.hsbFixCircle->setValue(200);
        c.hsbMoveCircle->setValue(103);
        c.hsbPenPosition->setValue(10);
        window.show();
        bool tracingWhenAsked = true;
        seam.expect([&](QDialog&) {
            tracingWhenAsked = window.runControl().isTracing();
            return int(QMessageBox::No);
        });
        AfterEventPasses exit(40, [&c] { c.mnuFileExit->trigger(); });
        c.cmdStart->click();
        QVERIFY(!tracingWhenAsked);
        QVERIFY(!window.isVisible());
        QCOMPARE(seam.shown().size(), std::size_t(1));
    }
};

QTEST_MAIN(DocumentCommandsTest)
#include "document_commands_test.moc"
