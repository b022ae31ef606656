// The settings file, the File and Edit menus, their file dialog and file drops, as a user meets them
// in the window.

#include "app/japanese_application.h"
#include "documents/settings_io.h"
#include "documents/document_commands.h"
#include "documents/drawing_export.h"
#include "support/program_fixture.h"
#include "support/disk_limits.h"
#include "controls/common_dialog.h"
#include "controls/preview_element.h"

#include <QtWidgets>

#include <optional>

#include <sys/stat.h>

using namespace kururie;

namespace {

const QByteArray kLine = "100,-40,25,0,1,#TRUE#,#FALSE#,255,16777215,#TRUE#,#FALSE#,#FALSE#,1,5\r\n";

// The controls' fourteen values, as Save would write them.
QByteArray settingsLine(const MainControls& c) { return QByteArray::fromStdString(formatSettingsLine(settingsFromControls(c))); }

// One colour all over, in few bytes: a bitmap of the canvas's size that the canvas did not write.
QImage yellow(QSize size)
{
    QImage picture(size, QImage::Format_Indexed8);
    picture.setColorTable({qRgb(255, 255, 0)});
    picture.fill(0);
    return picture;
}

struct Documents : ProgramUnderTest {
    QTemporaryDir folder;

    QString path(const QString& name) const { return folder.filePath(name); }
    // A message box answered as a user does, or a file dialog answered with a name in the folder.
    static ScriptedSeam::Answer answering(const QString& a, const QTemporaryDir& folder)
    {
        if (a == "yes")
            return ScriptedSeam::yes();
        if (a == "no")
            return ScriptedSeam::no();
        if (a == "ok")
            return ScriptedSeam::ok();
        if (a == "cancel")
            return ScriptedSeam::cancel();
        if (a == "esc")
            return ScriptedSeam::pressing(Qt::Key_Escape);
        if (a == "enter")
            return ScriptedSeam::pressing(Qt::Key_Return);
        return ScriptedSeam::file(folder.filePath(a));
    }
    // Chooses a menu command or clicks a button whose file dialog is answered with the file.
    void choose(QObject* command, const QString& file)
    {
        seam.expect(ScriptedSeam::file(file));
        QMetaObject::invokeMethod(command, qobject_cast<QAction*>(command) ? "trigger" : "click");
    }
};

} // namespace

class DocumentsTest : public QObject {
    Q_OBJECT

private slots:
    void settingsFiles_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("line"); // what Save then writes; empty when the file is refused
        auto roundTrip = [](const char* row, const char* target, QByteArray line) {
            QTest::newRow(row) << QString(target) << line << line;
        };
        roundTrip("example, dropped on the window", "frmMain", kLine);
        roundTrip("lowest, grey swing, slow", "framCircle", "0,-200,-100,2,15,#FALSE#,#TRUE#,0,0,#FALSE#,#FALSE#,#TRUE#,0,0\r\n");
        roundTrip("highest, no speed", "framSpeed", "200,200,100,1,7,#FALSE#,#FALSE#,16777215,16777215,#FALSE#,#TRUE#,#FALSE#,1,20\r\n");
        // Edited by hand: over several lines, with blanks and a note after. The swing box's click
        // clears its slider before field 5 sets it; of two speeds the second stays; colours are
        // singles, rounded half to even; a grey gradation box unchecks itself.
        QTest::newRow("hand-edited, by the hidden button")
            << "Command2" << QByteArray(" 50, 20 ,10\n0,7,#TRUE#,#TRUE#\r\n254.5,1.5,#FALSE#,#FALSE#,#TRUE#,2,9\r\nnote\r\n")
            << QByteArray("50,20,10,0,7,#FALSE#,#TRUE#,254,2,#FALSE#,#FALSE#,#TRUE#,0,9\r\n");
        // Fields 1 to 3 differ from the start-up values, so that a file applied in part shows.
        const QByteArray bad = "37,12,-9,0,1,#TRUE#,#FALSE#,255,16777215,#TRUE#,#FALSE#,#FALSE#,1,5\r\n";
        auto with = [&bad](const char* from, const char* to) { return QByteArray(bad).replace(from, to); };
        // Dropped on the canvas: a file that is no picture, beside a good settings file of its name.
        QTest::newRow("not a picture, on the canvas") << "picDraw" << bad << QByteArray();
        QTest::newRow("thirteen fields") << "framColor" << with(",1,5\r\n", ",1\r\n") << QByteArray();
        QTest::newRow("check state 3") << "framColor" << with(",0,1,#TRUE#", ",3,1,#TRUE#") << QByteArray();
        QTest::newRow("text in a number") << "framColor" << with("-9", "-9x") << QByteArray();
        QTest::newRow("colour above white") << "framColor" << with("16777215", "16777216") << QByteArray();
        QTest::newRow("a bitmap header first") << "framColor" << QByteArray("BM6\0\0\0\0\0\0\0", 10) + bad << QByteArray();
        QTest::newRow("a good line in a megabyte") << "framColor" << bad + QByteArray((1 << 20) - bad.size(), ' ') << bad;
        QTest::newRow("a good line in two megabytes") << "framColor" << bad + QByteArray(2 << 20, ' ') << QByteArray();
    }

    void settingsFiles()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, line);
        Documents d;
        QWidget* widget = target == QLatin1String("frmMain") ? &d.window : d.window.findChild<QWidget*>(target);
        const QString settings = d.path(QStringLiteral("hand made.txt"));
        const QString dropped = target == QLatin1String("picDraw") ? d.path(QStringLiteral("hand made.bmp")) : settings;
        QVERIFY(writeFile(settings, file) && writeFile(dropped, file));
        const QByteArray before = settingsLine(d.c);
        // Only a list of local files is taken, and of it only the first.
        QMimeData text, remote;
        text.setText(settings);
        remote.setUrls({QUrl::fromLocalFile(settings), QUrl(QStringLiteral("https://example.org/a.txt"))});
        QVERIFY(!dragAndDrop(widget, text) && !dragAndDrop(widget, remote) && settingsLine(d.c) == before);
        if (target == QLatin1String("Command2"))
            d.choose(d.c.loadSettingsButton, settings);
        else
            QVERIFY(dropFiles(widget, {dropped, d.path(QStringLiteral("missing.txt"))}));
        QCOMPARE(settingsLine(d.c), line.isEmpty() ? before : line);
        // Applied settings show the preview; the title, the picture and its colour stay.
        QCOMPARE(d.c.penMarker->isVisible() && d.c.previewButton->text() == QStringLiteral("ﾍﾟﾝを消す"), !line.isEmpty());
        QVERIFY(d.window.windowTitle() == "くるりえ" && !d.window.pictureChanged());
        QCOMPARE(d.c.canvas->image().pixelColor(0, 0), QColor(Qt::white));
        if (line.isEmpty())
            return;
        d.choose(d.c.mnuFileSaveAs, d.path(QStringLiteral("star.bmp")));
        QCOMPARE(fileBytes(d.path(QStringLiteral("star.txt"))), line);
        // The hidden settings-only save writes the line under the chosen name itself.
        d.choose(d.c.saveSettingsButton, settings);
        QCOMPARE(fileBytes(settings), line);
    }

    void picturesAreSavedAndOpenedWithTheirSettings_data()
    {
        QTest::addColumn<QString>("typed"); // in Save As's name box
        QTest::addColumn<int>("entry"); // Save As's file type: 1 the bitmaps, 2 PNG, 3 all files
        QTest::addColumn<QString>("name"); // of the picture saved
        QTest::addColumn<bool>("dropped");
        QTest::addColumn<bool>("withSettings");
        QTest::addColumn<QStringList>("files"); // in the folder afterwards
        const QStringList star{"my.pics", "star.bmp", "star.txt"};
        QTest::newRow("bitmap, opened") << "star.bmp" << 1 << "star.bmp" << false << true << star;
        QTest::newRow("bitmap, dropped") << "star.bmp" << 1 << "star.bmp" << true << true << star;
        QTest::newRow("no extension: a bitmap's") << "star" << 1 << "star.bmp" << true << true << star;
        const QStringList png{"my.pics", "star.png", "star.txt"};
        QTest::newRow("PNG") << "star.png" << 1 << "star.png" << false << true << png;
        QTest::newRow("PNG in capitals") << "STAR.PNG" << 3 << "STAR.PNG" << true << true
                                         << QStringList{"my.pics", "STAR.PNG", "STAR.txt"};
        QTest::newRow("no extension: a PNG's") << "star" << 2 << "star.png" << true << true << png;
        QTest::newRow("only the last dot counts") << "s.v2.jpeg" << 1 << "s.v2.jpeg" << false << true
                                                  << QStringList{"my.pics", "s.v2.jpeg", "s.v2.txt"};
        QTest::newRow("in a dotted folder") << "my.pics/star.bmp" << 1 << "my.pics/star.bmp" << true << true
                                            << QStringList{"my.pics"};
        QTest::newRow("no extension, in a dotted folder") << "my.pics/star" << 3 << "my.pics/star" << false << false
                                                          << QStringList{"my.pics"};
        QTest::newRow("no extension, all files") << "star" << 3 << "star" << true << false << QStringList{"my.pics", "star"};
        // A picture named like its settings file would be overwritten by them.
        QTest::newRow("named .txt") << "star.txt" << 3 << "star.txt" << false << false << QStringList{"my.pics", "star.txt"};
        QTest::newRow("named .TXT") << "star.TXT" << 1 << "star.TXT" << true << false << QStringList{"my.pics", "star.TXT"};
    }

    void picturesAreSavedAndOpenedWithTheirSettings()
    {
        QFETCH(QString, typed);
        QFETCH(int, entry);
        QFETCH(QString, name);
        QFETCH(bool, dropped);
        QFETCH(bool, withSettings);
        QFETCH(QStringList, files);
        Documents d;
        const QString picture = d.path(name);
        QVERIFY(QDir(d.folder.path()).mkdir(QStringLiteral("my.pics")));
        const QByteArray saved = settingsLine(d.c);
        d.c.canvas->drawSegment({0, 10, 300, 10}, 255);
        const QImage canvas = d.c.canvas->image();
        d.seam.expect(ScriptedSeam::fileUnder(entry, d.path(typed)));
        d.c.mnuFileSaveAs->trigger();
        // Nothing else is written, not even a temporary file.
        QCOMPARE(QDir(d.folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), files);
        QCOMPARE(d.program.documents().documentName(), picture);
        // PNG data under a name that says so, BMP under any other.
        QCOMPARE(fileBytes(picture).left(2), name.endsWith(".png", Qt::CaseInsensitive) ? "\x89P" : "BM");
        // "すべてのﾌｧｲﾙ(*.*)", chosen as a user does, lists every file, names without an extension too.
        QStringList patterns;
        d.seam.expect([&patterns](QDialog& dialog) {
            ScriptedSeam::pickEntry(dialog, dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->count() - 1);
            patterns = dialog.findChild<QFileSystemModel*>()->nameFilters();
            return int(QDialog::Rejected);
        });
        d.c.mnuFileOpen->trigger();
        QVERIFY(QFileInfo(picture).dir().entryList(patterns, QDir::Files | QDir::Hidden).contains(QFileInfo(picture).fileName()));
        // The cancelled Open kept the document; Save is offered at once for a name that does not end
        // in "txt", compared case-sensitively.
        QCOMPARE(d.c.mnuFileSave->isEnabled(), !name.endsWith(QLatin1String("txt")));

        d.c.cmdClear->click();
        d.setCurve(50, 20, 10);
        if (dropped)
            QVERIFY(dropFiles(d.c.canvas, {picture, d.path(QStringLiteral("missing.bmp"))}));
        else
            d.choose(d.c.mnuFileOpen, picture);
        // Opened or dropped, the picture is the document: the title names the file Save writes to.
        QCOMPARE(d.program.documents().documentName(), picture);
        QCOMPARE(d.window.windowTitle(), QStringLiteral("くるりえ-- ") + picture);
        QCOMPARE(d.c.canvas->image(), canvas);
        QCOMPARE(d.c.backingCanvas->image(), canvas);
        QVERIFY(!d.c.cmdBkColor->isEnabled());
        // Only a picture with its settings file beside it brings them, and then hides the preview.
        QCOMPARE(settingsLine(d.c) == saved, withSettings);
        QCOMPARE(d.c.penMarker->isVisible(), !withSettings);
        QCOMPARE(d.c.previewButton->text() == QStringLiteral("ﾍﾟﾝを表示"), withSettings);
        // A dropped picture is a change to save.
        QCOMPARE(d.window.pictureChanged(), dropped);
    }

    void theSaveQuestion_data()
    {
        QTest::addColumn<bool>("exit");
        QTest::addColumn<QString>("opened"); // the document before the command
        QTest::addColumn<QString>("folder"); // what its folder allows
        QTest::addColumn<QStringList>("answers"); // to the question and the dialogs after it, in order
        QTest::addColumn<QString>("document"); // the document name afterwards
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("unsaved"); // the file a failure message names
        const QString bmp = "current.bmp", photo = "photo.jpg", readOnly = "read-only", full = "read-only, full";
        QTest::newRow("New, unchanged: nothing asked") << false << bmp << "" << QStringList() << "" << "" << "";
        QTest::newRow("New, いいえ") << false << bmp << "" << QStringList{"no"} << "" << "" << "";
        QTest::newRow("New, Esc: nothing changes") << false << bmp << "" << QStringList{"esc"} << bmp << "" << "";
        QTest::newRow("New, はい: Save As despite the document") << false << bmp << "" << QStringList{"yes", "new.bmp"}
                                                                 << "" << "new.bmp" << "";
        QTest::newRow("New, Enter: はい") << false << bmp << "" << QStringList{"enter", "new.bmp"} << "" << "new.bmp" << "";
        QTest::newRow("New, はい, cancelled: the picture is kept") << false << bmp << "" << QStringList{"yes", "cancel"}
                                                                  << bmp << "" << "";
        QTest::newRow("New, はい, into a missing folder")
            << false << bmp << "" << QStringList{"yes", "gone/star.bmp", "ok"} << bmp << "" << "gone/star.bmp";
        QTest::newRow("New, はい, settings unwritable")
            << false << bmp << "" << QStringList{"yes", "star.bmp", "ok"} << "star.bmp" << "star.bmp" << "star.txt";
        QTest::newRow("Exit, Esc: the window stays") << true << bmp << "" << QStringList{"esc"} << bmp << "" << "";
        QTest::newRow("Exit, はい: saved to the document") << true << bmp << "" << QStringList{"yes"} << bmp << bmp << "";
        QTest::newRow("Exit, はい: saved to a PNG document") << true << "current.png" << "" << QStringList{"yes"}
                                                            << "current.png" << "current.png" << "";
        // A photo is never written over with a crop of it: Save asks for a name.
        QTest::newRow("Exit, はい, a photo: Save As") << true << photo << "" << QStringList{"yes", "cancel"} << photo << "" << "";
        // Written in place, since no temporary file can be made beside it; its settings file cannot.
        QTest::newRow("Exit, はい, read-only folder") << true << bmp << readOnly << QStringList{"yes", "ok"} << bmp << bmp
                                                     << "current.txt";
        QTest::newRow("Exit, はい, read-only folder, disk full") << true << bmp << full << QStringList{"yes", "ok"} << bmp
                                                                << "" << bmp;
    }

    void theSaveQuestion()
    {
        QFETCH(bool, exit);
        QFETCH(QString, opened);
        QFETCH(QString, folder);
        QFETCH(QStringList, answers);
        QFETCH(QString, document);
        QFETCH(QString, saved);
        QFETCH(QString, unsaved);
        Documents d;
        // A bitmap of the canvas's size in fewer bytes than the canvas writes, or a small photo.
        const QString current = d.path(opened);
        QVERIFY(yellow(opened.endsWith(".jpg") ? QSize(60, 40) : QSize(400, 400)).save(current));
        QVERIFY(QDir(d.folder.path()).mkdir(QStringLiteral("star.txt")));
        const QByteArray original = fileBytes(current);
        d.choose(d.c.mnuFileOpen, current);
        // A failed Open keeps the open document's name; a dropped picture is a change to save.
        d.choose(d.c.mnuFileOpen, d.path(QStringLiteral("gone.bmp")));
        if (!answers.isEmpty())
            QVERIFY(dropFiles(d.c.canvas, {current}));
        const QImage canvas = d.c.canvas->image();
        d.window.show();
        d.seam.clear();
        for (const QString& a : answers)
            d.seam.expect(Documents::answering(a, d.folder));
        std::optional<ReadOnlyFolder> readOnly;
        std::optional<FileSizeLimit> fullDisk;
        if (!folder.isEmpty())
            readOnly.emplace(d.folder.path());
        if (folder.endsWith("full"))
            fullDisk.emplace(original.size() + 4096);
        (exit ? d.c.mnuFileExit : d.c.mnuFileNew)->trigger();
        fullDisk.reset();
        QVERIFY(d.seam.allAnswered());
        QCOMPARE(d.seam.shown().size(), std::size_t(answers.size()));
        if (!answers.isEmpty())
            QCOMPARE(d.seam.shown().front().text, QStringLiteral("編集を保存しますか?"));
        if (!unsaved.isEmpty())
            QCOMPARE(d.seam.shown().back().text, "ファイル「" + d.path(unsaved) + "」を保存できませんでした。");
        // Title and document name name the same file, the one a later Save writes to.
        QCOMPARE(d.program.documents().documentName(), document.isEmpty() ? QString() : d.path(document));
        QCOMPARE(d.window.windowTitle(), "くるりえ" + (document.isEmpty() ? QString() : "-- " + d.path(document)));
        // No picture is lost: New keeps it, and Exit the window, unless it was saved or let go.
        const bool kept = answers.contains("ok") || answers.contains("cancel") || answers.contains("esc");
        QCOMPARE(d.window.isVisible(), !exit || kept);
        QCOMPARE(d.c.canvas->image() == canvas, exit || kept);
        // A picture saved is no longer a change, even when its settings file could not be written.
        QCOMPARE(d.window.pictureChanged(), (exit || kept) && saved.isEmpty());
        // What is saved is the canvas as shown; the file opened is untouched unless saved to.
        if (!saved.isEmpty())
            QCOMPARE(QImage(d.path(saved)).convertToFormat(QImage::Format_RGB32), canvas);
        QCOMPARE(fileBytes(current) == original, saved != opened);
    }

    void openingOverAChangedPicture_data()
    {
        QTest::addColumn<bool>("dropped");
        QTest::addColumn<QString>("answer");
        for (const bool dropped : {false, true}) {
            for (const char* answer : {"esc", "no", "yes"})
                QTest::addRow("%s, %s", dropped ? "dropped" : "Open", answer) << dropped << QString(answer);
        }
    }

    // Another picture opened or dropped over a changed one asks first, as New does.
    void openingOverAChangedPicture()
    {
        QFETCH(bool, dropped);
        QFETCH(QString, answer);
        Documents d;
        const QString current = d.path("current.bmp"), other = d.path("other.bmp");
        QVERIFY(yellow(QSize(400, 400)).save(current));
        QVERIFY(yellow(QSize(20, 20)).save(other));
        d.choose(d.c.mnuFileOpen, current);
        d.setCurve(100, -40, 10);
        d.c.cmdStart->click();
        const QImage drawn = d.c.canvas->image();
        d.seam.clear();
        d.seam.expect(Documents::answering(answer, d.folder));
        if (dropped) {
            QVERIFY(dropFiles(d.c.canvas, {other}));
        } else {
            d.seam.expect(ScriptedSeam::file(other));
            d.c.mnuFileOpen->trigger();
        }
        QCOMPARE(d.seam.shown().front().text, QStringLiteral("編集を保存しますか?"));
        // Esc abandons the command before its dialog: the drawing and its document stay.
        const bool opened = answer != "esc";
        QCOMPARE(d.seam.shown().size(), std::size_t(opened && !dropped ? 2 : 1));
        QCOMPARE(d.program.documents().documentName(), opened ? other : current);
        QCOMPARE(d.c.canvas->image() == drawn, !opened);
        QCOMPARE(QImage(current).convertToFormat(QImage::Format_RGB32) == drawn, answer == "yes");
    }

    // A file that cannot be opened asks nothing: nothing would be replaced.
    void aPictureThatCannotBeOpenedAsksNothing()
    {
        Documents d;
        d.setCurve(100, -40, 10);
        d.c.cmdStart->click();
        const QString notAPicture = d.path("notes.bmp");
        QVERIFY(writeFile(notAPicture, kLine));
        QVERIFY(dropFiles(d.c.canvas, {notAPicture}));
        QCOMPARE(dialogs(d.seam), QStringList("[くるりえ] ファイル「" + notAPicture + "」を開けませんでした。"));
        QVERIFY(d.window.pictureChanged());
    }

    void theSettingsFileReplacesNoOtherFile_data()
    {
        QTest::addColumn<QByteArray>("before"); // star.txt before the save; empty when there is none
        QTest::addColumn<QString>("answer"); // to the question, when there is one
        QTest::addColumn<bool>("replaced");
        const QByteArray note = "買い物: 牛乳, パン\n";
        QTest::newRow("none") << QByteArray() << "" << true;
        QTest::newRow("an older settings file") << kLine << "" << true;
        QTest::newRow("a note, はい") << note << "yes" << true;
        QTest::newRow("a note, いいえ") << note << "no" << false;
        QTest::newRow("a note, Esc") << note << "esc" << false;
        QTest::newRow("a note, Enter") << note << "enter" << false;
        QTest::newRow("an empty file, いいえ") << QByteArray("", 0) << "no" << false;
    }

    // The settings file beside a picture replaces a file of its name only when that is a settings
    // file too, or when the user says so; either way the picture is saved.
    void theSettingsFileReplacesNoOtherFile()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, answer);
        QFETCH(bool, replaced);
        Documents d;
        const QString settings = d.path("star.txt");
        if (!before.isNull())
            QVERIFY(writeFile(settings, before));
        d.seam.expect(ScriptedSeam::file(d.path("star.bmp")));
        if (!answer.isEmpty())
            d.seam.expect(Documents::answering(answer, d.folder));
        QVERIFY(d.program.documents().saveAs());
        QVERIFY(d.seam.allAnswered());
        if (!answer.isEmpty())
            QCOMPARE(d.seam.shown().back().text,
                     "「" + settings + "」は設定ファイルではありません。\n設定で置き換えますか?");
        QCOMPARE(fileBytes(settings), replaced ? settingsLine(d.c) : before);
        QCOMPARE(QImage(d.path("star.bmp")).convertToFormat(QImage::Format_RGB32), d.c.canvas->image());
    }

    void unreadableFilesAreRefusedAtOnce_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("what");
        for (const QString how : {"Open", "picDraw", "framCircle"}) {
            for (const QString what : {"pipe", "folder", "device"})
                QTest::newRow(qPrintable(how + ", " + what)) << how << what;
        }
    }

    // A name typed or dropped by mistake must not leave the program waiting for a writer or reading
    // a device without end; nothing changes, and the user is told.
    void unreadableFilesAreRefusedAtOnce()
    {
        QFETCH(QString, how);
        QFETCH(QString, what);
        Documents d;
        QString path = what == "device" ? QStringLiteral("/dev/zero") : d.path(what + ".bmp");
        QVERIFY(what == "device" || (what == "pipe" ? mkfifo(QFile::encodeName(path), 0600) == 0 : QDir().mkdir(path)));
        if (what == "pipe")
            QVERIFY(writeFile(d.path("pipe.txt"), kLine));
        const QByteArray settings = settingsLine(d.c);
        if (how == "Open")
            d.choose(d.c.mnuFileOpen, path);
        else
            QVERIFY(dropFiles(d.window.findChild<QWidget*>(how), {path}));
        QCOMPARE(d.seam.shown().back().text, "ファイル「" + path + "」を開けませんでした。");
        QVERIFY(settingsLine(d.c) == settings && d.c.canvas->picture().isNull() && d.window.windowTitle() == "くるりえ"
                && d.program.documents().documentName().isEmpty() && d.c.cmdBkColor->isEnabled());
    }

    // A saved picture is no change to save, but the background colour erases it all the same: it asks.
    void theBackgroundColourAsksBeforeErasingASavedPicture()
    {
        Documents d;
        d.setCurve(100, -40, 10);
        d.c.cmdStart->click();
        d.choose(d.c.mnuFileSaveAs, d.path("star.bmp"));
        QVERIFY(!d.window.pictureChanged());
        const QImage drawn = d.c.canvas->image();
        d.seam.clear();
        d.seam.expect(ScriptedSeam::no());
        d.c.cmdBkColor->click();
        QCOMPARE(dialogs(d.seam), QStringList("[確認] 絵が消えますが、よいですか?"));
        QCOMPARE(d.c.canvas->image(), drawn);
    }

    void saveAsProposesABitmap_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("proposed");
        QTest::addRow("none") << "" << "";
        QTest::addRow("a bitmap of the canvas's size") << "star.bmp" << "star.bmp";
        QTest::addRow("a photo") << "photo.jpg" << "photo.bmp";
        QTest::addRow("a photo with dots") << "s.v2.jpeg" << "s.v2.bmp";
        QTest::addRow("a small bitmap") << "small.bmp" << "small.bmp";
    }

    // Save As proposes the document itself only when Save could write over it; a photo gets a
    // bitmap's name beside it, so that Enter never writes a bitmap into a JPEG.
    void saveAsProposesABitmap()
    {
        QFETCH(QString, document);
        QFETCH(QString, proposed);
        Documents d;
        if (!document.isEmpty()) {
            QVERIFY(yellow(document.startsWith("star") ? QSize(400, 400) : QSize(30, 20)).save(d.path(document)));
            d.choose(d.c.mnuFileOpen, d.path(document));
        }
        QString shown;
        d.seam.expect([&shown](QDialog& dialog) {
            shown = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            return int(QDialog::Rejected);
        });
        QVERIFY(!d.program.documents().saveAs());
        QCOMPARE(shown, proposed);
    }

    void theNameBoxKeepsTheNameTyped_data()
    {
        QTest::addColumn<bool>("saving");
        QTest::newRow("Save As") << true;
        QTest::newRow("Open") << false;
    }

    // Picking a file type, even the one already picked, never changes or empties the name typed.
    void theNameBoxKeepsTheNameTyped()
    {
        QFETCH(bool, saving);
        Documents d;
        QStringList names;
        d.seam.expect([&](QDialog& dialog) {
            auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            const int allFiles = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->count() - 1;
            name->setText("first.bmp");
            ScriptedSeam::pickEntry(dialog, allFiles);
            names << name->text();
            name->setText("second.bmp");
            ScriptedSeam::pickEntry(dialog, allFiles);
            names << name->text();
            ScriptedSeam::pickEntry(dialog, 0);
            names << name->text();
            static_cast<QFileDialog&>(dialog).setDirectory(d.folder.path());
            return int(QDialog::Accepted);
        });
        if (saving)
            QVERIFY(d.program.documents().saveAs());
        else
            d.c.mnuFileOpen->trigger();
        QCOMPARE(names, QStringList({"first.bmp", "second.bmp", "second.bmp"}));
        if (saving)
            QCOMPARE(QDir(d.folder.path()).entryList(QDir::Files), QStringList({"second.bmp", "second.txt"}));
    }

    // Clear forgets the document, and Save is off at once: Ctrl+S asks nothing and writes nothing.
    void clearForgetsTheDocument()
    {
        Documents d;
        d.choose(d.c.mnuFileSaveAs, d.path("star.bmp"));
        QVERIFY(d.c.mnuFileSave->isEnabled());
        d.c.cmdClear->click();
        const std::size_t shown = d.seam.shown().size();
        QVERIFY(d.showActive());
        QTest::keyClick(&d.window, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(d.program.documents().documentName().isEmpty());
        QCOMPARE(d.window.windowTitle(), QStringLiteral("くるりえ"));
        QVERIFY(!d.c.mnuFileSave->isEnabled());
        QCOMPARE(d.seam.shown().size(), shown);
    }

    // Copy offers its picture as PNG file data, so that every desktop also takes the SVG beside it.
    static QImage copiedPng()
    {
        return QImage::fromData(QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/png")), "PNG");
    }

    void theClipboard()
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("text only"));
        Documents d;
        // A click on a blank canvas leaves the clipboard alone. Paste is offered at start-up; without a
        // picture on the clipboard it changes nothing, and says so.
        QTest::mouseClick(d.c.canvas, Qt::LeftButton, {}, QPoint(5, 5));
        d.c.mnuPaste->trigger();
        QCOMPARE(dialogs(d.seam), QStringList("[くるりえ] クリップボードの絵を貼り付けられませんでした。"));
        emit d.c.mnuEdit->aboutToShow();
        QVERIFY(!d.window.pictureChanged() && !d.c.mnuPaste->isEnabled() && clipboard->text() == "text only");
        // Ctrl+V keeps the state of the menu's last opening. A wider picture is clipped, a lower one
        // shows the background below it.
        clipboard->setImage(QImage(1, 1, QImage::Format_RGB32));
        emit d.c.mnuEdit->aboutToShow();
        QImage picture(900, 30, QImage::Format_RGB32);
        picture.fill(Qt::green);
        clipboard->setImage(picture);
        QVERIFY(d.showActive());
        QTest::keyClick(&d.window, Qt::Key_V, Qt::ControlModifier);
        for (const QImage& image : {d.c.canvas->image(), d.c.backingCanvas->image()})
            QVERIFY(image.pixelColor(399, 29) == QColor(Qt::green) && image.pixelColor(0, 30) == QColor(Qt::white));
        QVERIFY(d.c.canvas->picture().size() == QSize(400, 30) && d.window.pictureChanged() && !d.c.cmdBkColor->isEnabled());
        QCOMPARE(d.window.windowTitle(), QStringLiteral("くるりえ"));
        // Copy takes the canvas as drawn, replacing all else.
        d.c.canvas->drawSegment({0, 5, 300, 5}, 255);
        d.c.mnuCopy->trigger();
        QCOMPARE(copiedPng().convertToFormat(QImage::Format_RGB32), d.c.canvas->image());
        QVERIFY(!clipboard->mimeData()->hasText());
        // A click on it adds only its picture, in place of the one there, and keeps the text copied elsewhere.
        auto* copiedElsewhere = new QMimeData;
        copiedElsewhere->setText(QStringLiteral("kept"));
        copiedElsewhere->setImageData(QImage(2, 2, QImage::Format_RGB32));
        clipboard->setMimeData(copiedElsewhere);
        QTest::mouseClick(d.c.canvas, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(copiedPng().convertToFormat(QImage::Format_RGB32), d.c.canvas->picture());
        QCOMPARE(clipboard->text(), QStringLiteral("kept"));
    }

    // Copy and a click on the canvas offer the drawing as SVG too, drawn from its strokes, but not
    // while a run draws more strokes than the picture copied holds; a copy pastes back as it was.
    void theClipboardOffersTheDrawingAsSvg()
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        Documents d;
        d.setCurve(100, -40, 10);
        d.c.cmdStart->click();
        const QImage drawn = d.c.canvas->image();
        const QByteArray svg = drawingSvg(drawingOf(*d.c.backingCanvas)).value();
        d.c.mnuCopy->trigger();
        QCOMPARE(clipboard->mimeData()->data(QStringLiteral("image/svg+xml")), svg);
        clipboard->clear();
        QTest::mouseClick(d.c.canvas, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(clipboard->mimeData()->data(QStringLiteral("image/svg+xml")), svg);
        d.c.cmdClear->click();
        d.c.mnuPaste->trigger();
        QCOMPARE(d.c.canvas->image(), drawn);
        QStringList offeredInTheRun;
        afterEventPasses(&d.window, 30, [&] {
            d.c.mnuCopy->trigger();
            offeredInTheRun = clipboard->mimeData()->formats();
        });
        d.c.cmdStart->click();
        QVERIFY(offeredInTheRun.contains(QStringLiteral("image/png")));
        QVERIFY(!offeredInTheRun.contains(QStringLiteral("image/svg+xml")));
    }

    // Last, since it makes the program's Qt speak Japanese: the file dialog and its listing do so
    // whatever the user's locale (the tests run in C).
    void theFileDialogSpeaksJapanese()
    {
        setUpJapaneseApplication(*QCoreApplication::instance());
        Documents d;
        QVERIFY(QDir(d.folder.path()).mkdir("pics") && writeFile(d.path("star.bmp"), QByteArray(2048, 'x')));
        QStringList texts, rows;
        d.seam.expect([&](QDialog& shown) {
            auto* view = shown.findChild<QTreeView*>("treeView");
            // The file model reads the folder in a thread of its own.
            if (QTest::qWaitFor([view] { return view->model()->rowCount(view->rootIndex()) == 2; }))
                for (int row = 0; row < 2; ++row)
                    for (int column = 0; column < 4; ++column)
                        rows << view->model()->index(row, column, view->rootIndex()).data().toString();
            texts << shown.windowTitle();
            for (const QWidget* w : shown.findChildren<QWidget*>())
                texts << w->property("text").toString();
            return int(QDialog::Rejected);
        });
        d.c.commonDialog->showOpen(d.path("star.bmp"));
        for (const char* text : {"開く", "ファイル名(&N):", "ファイルの種類:", "開く(&O)", "キャンセル"})
            QVERIFY2(texts.contains(text), text);
        if (rows.value(0) != "pics") // in the folder's own order
            std::rotate(rows.begin(), rows.begin() + 4, rows.end());
        rows.removeAt(6); // the file's type, as the desktop's MIME database names it
        const auto modified = [&d](const char* name) {
            return QLocale(QLocale::Japanese).toString(QFileInfo(d.path(name)).lastModified(), QLocale::ShortFormat);
        };
        QCOMPARE(rows, QStringList({"pics", "", "フォルダー", modified("pics"), "star.bmp", "2.00 KiB", modified("star.bmp")}));
    }
};

QTEST_MAIN(DocumentsTest)
#include "documents_test.moc"
