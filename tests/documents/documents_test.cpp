// The settings file, the File and Edit menus, their file dialog and file drops, as a user meets them in the window.

#include "app/japanese_application.h"
#include "controls/common_dialog.h"
#include "controls/preview_element.h"
#include "documents/document_commands.h"
#include "documents/drawing_export.h"
#include "documents/settings_io.h"
#include "support/disk_limits.h"
#include "support/program_fixture.h"

#include <QtWidgets>

#include <optional>

#include <sys/stat.h>

using namespace kururie;
using Answer = ScriptedSeam::Answer;

namespace {

const QByteArray kLine = "100,-40,25,0,1,#TRUE#,#FALSE#,255,16777215,#TRUE#,#FALSE#,#FALSE#,1,5\r\n";
const QByteArray kNote = "買い物: 牛乳, パン\n";
const Answer yes = ScriptedSeam::yes(), no = ScriptedSeam::no(), ok = ScriptedSeam::ok();
const Answer cancel = ScriptedSeam::cancel(), esc = ScriptedSeam::pressing(Qt::Key_Escape);
const Answer enter = ScriptedSeam::pressing(Qt::Key_Return);

// Every test's files, in a folder emptied before each.
const QTemporaryDir folder;
QString in(const QString& name) { return folder.filePath(name); }
// The file dialog answered with a name in the folder.
Answer named(const QString& name) { return ScriptedSeam::file(in(name)); }

// The controls' fourteen values, as Save would write them.
QByteArray settingsLine(const MainControls& c) { return formatSettingsLine(settingsFromControls(c)).c_str(); }

// One grey all over, in fewer bytes than the canvas writes: a picture the canvas did not write.
bool saveGrey(QSize size, const QString& path)
{
    QImage picture(size, QImage::Format_Grayscale8);
    picture.fill(Qt::gray);
    return picture.save(path);
}

// Open's dialog answered with the file; it takes only a file that exists.
void open(ProgramUnderTest& p, const QString& path)
{
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    p.seam.expect([&mode, path](QDialog& dialog) {
        mode = static_cast<QFileDialog&>(dialog).fileMode();
        return ScriptedSeam::file(path)(dialog);
    });
    p.c.mnuFileOpen->trigger();
    QCOMPARE(mode, QFileDialog::ExistingFile);
}

// Every file under the folder, hidden ones too, by its path there.
QStringList files()
{
    QStringList found;
    for (QDirIterator it(folder.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
        found << QDir(folder.path()).relativeFilePath(it.next());
    found.sort();
    return found;
}

// A file that the program refuses, given to Open or dropped on a target by its objectName.
enum Kind { Contents, Pipe, Folder, Device, Missing };
struct Refused {
    QString target;
    Kind kind;
    QByteArray contents = {};
};

// A picture saved through Save As, where a file may have its settings file's name, and opened again.
struct Saving {
    QString typed; // in Save As's name box
    int entry; // Save As's file type picked after the name was typed: 1 the bitmaps, 2 PNG, 3 all files; 0 none
    QString name; // of the picture saved
    bool dropped; // opened again by a drop, not by Open
    QStringList files; // in the folder afterwards
    bool settings = true; // written beside the picture, and brought back with it
    QByteArray before = {}; // star.txt before the save; null for none
    Answer answer = {}; // to the question whether to replace it; none when it is not asked
};

// What the clipboard held as the Edit menu last opened before Ctrl+V; over a picture, it had opened over text before.
enum Menu { Unopened, OverText, OverAPicture };
// Ctrl+V over the clipboard's data, and the Edit menu opened afterwards.
struct Pasting {
    QString format; // of a picture of 900 × 30 on the clipboard, as file data; none when empty
    bool image; // the picture there as an image too, as Qt decodes another program's data
    Menu menu;
    bool pasted;
    bool offered; // by the Edit menu opened afterwards
};

enum Command { New, Exit, Open, Drop };
enum Room { Writable, ReadOnly, ReadOnlyFull };

// A command given over the picture, the answers to what it asks, and what it leaves.
struct Asking {
    Command command;
    QString opened; // the document before: a bitmap of the canvas's size, or a small photo
    QList<Answer> answers; // to the save question and the dialogs after it; none when nothing changed
    QString document; // afterwards; empty for none
    QString saved; // the file the picture was saved to
    QString unsaved; // the file a failure message names
    bool kept; // the command was abandoned: the picture and the window stay
    bool changed; // the picture's changed mark afterwards
    Room folder = Writable;
};

} // namespace

Q_DECLARE_METATYPE(Refused)
Q_DECLARE_METATYPE(Saving)
Q_DECLARE_METATYPE(Asking)
Q_DECLARE_METATYPE(Pasting)

class DocumentsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QDir(folder.path()).removeRecursively();
        QDir().mkpath(folder.path());
    }

    void settingsFiles_data()
    {
        QTest::addColumn<QString>("target"); // the objectName a drop lands on, or the hidden load button's
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("line"); // what Save then writes
        QTest::newRow("example, on the window") << "frmMain" << kLine << kLine;
        const QByteArray lowest = "0,-200,-100,2,15,#FALSE#,#TRUE#,0,0,#FALSE#,#FALSE#,#TRUE#,0,0\r\n";
        QTest::newRow("lowest") << "framCircle" << lowest << lowest;
        const QByteArray highest = "200,200,100,1,7,#FALSE#,#FALSE#,16777215,16777215,#FALSE#,#TRUE#,#FALSE#,1,20\r\n";
        QTest::newRow("highest") << "framSpeed" << highest << highest;
        QTest::newRow("in a megabyte") << "framColor" << kLine + QByteArray((1 << 20) - kLine.size(), ' ') << kLine;
        // Edited by hand: over several lines, with blanks and a note after. The swing box's click clears its slider
        // before field 5 sets it; of two speeds the second stays; colours are singles, rounded half to even; a grey
        // gradation box unchecks itself.
        QTest::newRow("hand-edited, by the hidden button") << "Command2"
            << QByteArray(" 50, 20 ,10\n0,7,#TRUE#,#TRUE#\r\n254.5,1.5,#FALSE#,#FALSE#,#TRUE#,2,9\r\nnote\r\n")
            << QByteArray("50,20,10,0,7,#FALSE#,#TRUE#,254,2,#FALSE#,#FALSE#,#TRUE#,0,9\r\n");
    }

    // Read on the window, on one of its frames or by the hidden load button, settings show the preview; Save writes
    // them back beside a picture, and the hidden save button alone.
    void settingsFiles()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, line);
        ProgramUnderTest p;
        QVERIFY(writeFile(in("hand made.txt"), file));
        QWidget* on = target == "frmMain" ? &p.window : p.window.findChild<QWidget*>(target);
        // Text, or a list naming a remote file, is refused: only a list of local files is taken, and of it only the
        // first.
        const QByteArray startUp = settingsLine(p.c);
        QMimeData text, remote;
        text.setText(in("hand made.txt"));
        remote.setUrls({QUrl::fromLocalFile(in("hand made.txt")), QUrl("https://example.org/a.txt")});
        QCOMPARE(dragAndDrop(on, text), false);
        QCOMPARE(dragAndDrop(on, remote), false);
        QCOMPARE(settingsLine(p.c), startUp);
        if (target == "Command2") {
            p.seam.expect(named("hand made.txt"));
            p.c.loadSettingsButton->click();
        } else {
            QVERIFY(dropFiles(on, {in("hand made.txt"), in("missing.txt")}));
        }
        QCOMPARE(settingsLine(p.c), line);
        QCOMPARE(p.c.penMarker->isVisible(), true);
        QCOMPARE(p.c.previewButton->text(), "ﾍﾟﾝを消す");
        // The title, the picture and its colour stay.
        QCOMPARE(p.window.windowTitle(), "くるりえ");
        QCOMPARE(p.window.pictureChanged(), false);
        QCOMPARE(p.c.canvas->image().pixelColor(0, 0), QColor(Qt::white));
        p.seam.expect({named("star.bmp"), named("alone.txt")});
        p.c.mnuFileSaveAs->trigger();
        p.c.saveSettingsButton->click();
        QCOMPARE(fileBytes(in("star.txt")), line);
        QCOMPARE(fileBytes(in("alone.txt")), line);
    }

    // A settings text ends where its view ends, whatever follows it in memory.
    void settingsEndWithTheirText()
    {
        const std::string text = "100,-40,25,0,1,#TRUE#,#FALSE#,255,16777215,#TRUE#,#FALSE#,#FALSE#,1" "95\r\n";
        QCOMPARE(parseSettings(std::string_view(text).substr(0, text.size() - 4)).has_value(), false);
    }

    void filesRefused_data()
    {
        QTest::addColumn<Refused>("r");
        // Fields 1 to 3 differ from the start-up values, so that settings applied in part show.
        const auto settings = [](const char* row, const char* from, const QByteArray& to) {
            const QByteArray line = "37,12,-9,0,1,#TRUE#,#FALSE#,255,16777215,#TRUE#,#FALSE#,#FALSE#,1,5\r\n";
            QTest::newRow(row) << Refused{"framColor", Contents, QByteArray(line).replace(from, to)};
        };
        settings("thirteen fields", ",1,5\r\n", ",1\r\n");
        settings("check state 3", ",0,1,#TRUE#", ",3,1,#TRUE#");
        settings("text in a number", "-9", "-9x");
        settings("colour above white", "16777215", "16777216");
        settings("a bitmap header first", "37", QByteArray("BM6\0\0\0\0\0\0\0" "37", 12));
        settings("settings in two megabytes", "\r\n", "\r\n" + QByteArray(2 << 20, ' '));
        // A name typed or dropped by mistake must not leave the program waiting for a writer or reading a device
        // without end. Each is named .bmp, beside a good settings file of its name.
        for (const char* target : {"Open", "picDraw", "framCircle"}) {
            QTest::addRow("%s, a note", target) << Refused{target, Contents, kNote};
            QTest::addRow("%s, a pipe", target) << Refused{target, Pipe};
            QTest::addRow("%s, a folder", target) << Refused{target, Folder};
            QTest::addRow("%s, a device", target) << Refused{target, Device};
        }
        QTest::newRow("Open, a file gone") << Refused{"Open", Missing};
    }

    // Over a changed picture, the user is told, and nothing more is asked or changed.
    void filesRefused()
    {
        QFETCH(Refused, r);
        ProgramUnderTest p;
        const QString current = in("current.bmp"), path = r.kind == Device ? "/dev/zero" : in("file.bmp");
        QVERIFY(saveGrey(QSize(400, 400), current));
        QVERIFY(writeFile(in("file.txt"), kLine));
        QVERIFY(r.kind != Contents || writeFile(path, r.contents));
        QVERIFY(r.kind != Pipe || mkfifo(QFile::encodeName(path), 0600) == 0);
        QVERIFY(r.kind != Folder || QDir().mkdir(path));
        open(p, current);
        p.window.setPictureChanged(true);
        const QImage shown = p.c.canvas->image();
        const QByteArray settings = settingsLine(p.c);
        p.seam.clear();
        p.seam.expect({no, ScriptedSeam::file(path)});
        if (r.target == "Open")
            p.c.mnuFileOpen->trigger();
        else
            QVERIFY(dropFiles(p.window.findChild<QWidget*>(r.target), {path}));
        QCOMPARE(p.seam.shown().size(), std::size_t(r.target == "Open" ? 3 : 1));
        QCOMPARE(p.seam.shown().back().title, "くるりえ");
        QCOMPARE(p.seam.shown().back().text, "ファイル「" + path + "」を開けませんでした。");
        QCOMPARE(settingsLine(p.c), settings);
        QCOMPARE(p.c.penMarker->isVisible(), false);
        QCOMPARE(p.c.canvas->image(), shown);
        QCOMPARE(p.program.documents().documentName(), current);
        QCOMPARE(p.window.windowTitle(), "くるりえ-- " + current);
        QCOMPARE(p.window.pictureChanged(), true);
    }

    void picturesAreSavedWithTheirSettings_data()
    {
        QTest::addColumn<Saving>("s");
        const QStringList bmp{"star.bmp", "star.txt"}, png{"star.png", "star.txt"};
        QTest::newRow("bitmap") << Saving{"star.bmp", 1, "star.bmp", false, bmp};
        QTest::newRow("no extension: a bitmap's, as offered") << Saving{"star", 0, "star.bmp", true, bmp};
        QTest::newRow("PNG") << Saving{"star.png", 1, "star.png", false, png};
        QTest::newRow("PNG in capitals") << Saving{"STAR.PNG", 3, "STAR.PNG", true, {"STAR.PNG", "STAR.txt"}};
        QTest::newRow("no extension: a PNG's") << Saving{"star", 2, "star.png", true, png};
        QTest::newRow("only the last dot counts") << Saving{"s.v2.jpg", 1, "s.v2.jpg", false, {"s.v2.jpg", "s.v2.txt"}};
        QTest::newRow("in a dotted folder") << Saving{"a.b/s.bmp", 1, "a.b/s.bmp", true, {"a.b/s.bmp", "a.b/s.txt"}};
        // No settings file beside a picture without an extension, or one named like its settings file.
        QTest::newRow("no extension, in a dotted folder") << Saving{"a.b/s", 3, "a.b/s", false, {"a.b/s"}, false};
        QTest::newRow("no extension, all files") << Saving{"star", 3, "star", true, {"star"}, false};
        QTest::newRow("named .txt") << Saving{"star.txt", 3, "star.txt", false, {"star.txt"}, false};
        QTest::newRow("named .TXT") << Saving{"star.TXT", 1, "star.TXT", true, {"star.TXT"}, false};
        // The settings replace a file of their name only when it holds settings too, or when the user says so.
        const auto over = [&bmp](const char* row, const QByteArray& before, const Answer& answer, bool replaced) {
            QTest::newRow(row) << Saving{"star.bmp", 1, "star.bmp", false, bmp, replaced, before, answer};
        };
        over("over older settings", kLine, {}, true);
        over("over a note, はい", kNote, yes, true);
        over("over a note, いいえ", kNote, no, false);
        over("over a note, Esc", kNote, esc, false);
        over("over a note, Enter", kNote, enter, false);
        over("over an empty file, いいえ", "", no, false);
    }

    // Opened or dropped again, the picture brings its settings.
    void picturesAreSavedWithTheirSettings()
    {
        QFETCH(Saving, s);
        ProgramUnderTest p;
        const QString picture = in(s.name);
        QVERIFY(QDir(folder.path()).mkdir("a.b"));
        QVERIFY(s.before.isNull() || writeFile(in("star.txt"), s.before));
        const QByteArray settings = settingsLine(p.c);
        p.c.canvas->drawSegment({0, 10, 300, 10}, 255);
        const QImage canvas = p.c.canvas->image();
        p.seam.expect(ScriptedSeam::fileUnder(s.entry, in(s.typed)));
        if (s.answer)
            p.seam.expect(s.answer);
        p.c.mnuFileSaveAs->trigger();
        const QString question = "「" + in("star.txt") + "」は設定ファイルではありません。\n"
                                 "設定で置き換えますか?";
        QCOMPARE(p.seam.shown().back().text, s.answer ? question : "");
        // Nothing else is written, not even a temporary file; PNG data under a name that says so, BMP under any other.
        QCOMPARE(files(), s.files);
        QCOMPARE(fileBytes(picture).left(2), s.name.endsWith(".png", Qt::CaseInsensitive) ? "\x89P" : "BM");
        if (!s.before.isNull())
            QCOMPARE(fileBytes(in("star.txt")) == s.before, !s.settings);
        // すべてのﾌｧｲﾙ(*.*), picked in Open's dialog, lists every file, names without an extension
        // too; cancelled, Open keeps the document saved.
        QStringList patterns;
        p.seam.expect([&patterns](QDialog& dialog) {
            ScriptedSeam::pickEntry(dialog, dialog.findChild<QComboBox*>("fileTypeCombo")->count() - 1);
            return patterns = dialog.findChild<QFileSystemModel*>()->nameFilters(), int(QDialog::Rejected);
        });
        p.c.mnuFileOpen->trigger();
        const QFileInfo saved(picture);
        QCOMPARE(saved.dir().entryList(patterns, QDir::Files).contains(saved.fileName()), true);
        QCOMPARE(p.program.documents().documentName(), picture);
        // Save is offered at once, but not for a name that ends in "txt", compared case-sensitively.
        QCOMPARE(p.c.mnuFileSave->isEnabled(), !s.name.endsWith("txt"));
        p.c.cmdClear->click();
        p.setCurve(50, 20, 10);
        if (s.dropped)
            QVERIFY(dropFiles(p.c.canvas, {picture, in("missing.bmp")}));
        else
            open(p, picture);
        // The picture is the document, which the title names; a dropped one is a change to save.
        QCOMPARE(p.window.windowTitle(), "くるりえ-- " + picture);
        QCOMPARE(p.c.canvas->accessibleDescription(), "開いた絵「" + QFileInfo(picture).fileName() + "」");
        QCOMPARE(p.c.canvas->image(), canvas);
        QCOMPARE(p.c.backingCanvas->image(), canvas);
        QCOMPARE(p.c.cmdBkColor->isEnabled(), false);
        QCOMPARE(p.window.pictureChanged(), s.dropped);
        // Settings brought hide the preview.
        QCOMPARE(settingsLine(p.c) == settings, s.settings);
        QCOMPARE(p.c.penMarker->isVisible(), !s.settings);
        QCOMPARE(p.c.previewButton->text() == "ﾍﾟﾝを表示", s.settings);
    }

    void theSaveQuestion_data()
    {
        QTest::addColumn<Asking>("a");
        const QString bmp = "current.bmp", png = "current.png", photo = "photo.jpg", other = "other.bmp";
        QTest::newRow("New, unchanged: nothing asked") << Asking{New, bmp, {}, "", "", "", false, false};
        QTest::newRow("New, いいえ") << Asking{New, bmp, {no}, "", "", "", false, false};
        QTest::newRow("New, Esc") << Asking{New, bmp, {esc}, bmp, "", "", true, true};
        QTest::newRow("New, はい: Save As") << Asking{New, bmp, {yes, named("a.bmp")}, "", "a.bmp", "", false, false};
        QTest::newRow("New, Enter: はい") << Asking{New, bmp, {enter, named("a.bmp")}, "", "a.bmp", "", false, false};
        QTest::newRow("New, はい, cancelled") << Asking{New, bmp, {yes, cancel}, bmp, "", "", true, true};
        QTest::newRow("New, はい, into a missing folder")
            << Asking{New, bmp, {yes, named("gone/a.bmp"), ok}, bmp, "", "gone/a.bmp", true, true};
        QTest::newRow("New, はい, settings unwritable")
            << Asking{New, bmp, {yes, named("star.bmp"), ok}, "star.bmp", "star.bmp", "star.txt", true, false};
        QTest::newRow("Exit, いいえ") << Asking{Exit, bmp, {no}, bmp, "", "", false, true};
        QTest::newRow("Exit, Esc") << Asking{Exit, bmp, {esc}, bmp, "", "", true, true};
        QTest::newRow("Exit, はい: saved to the document") << Asking{Exit, bmp, {yes}, bmp, bmp, "", false, false};
        QTest::newRow("Exit, はい: saved to a PNG") << Asking{Exit, png, {yes}, png, png, "", false, false};
        // A photo is never written over with a crop of it: Save asks for a name.
        QTest::newRow("Exit, はい, a photo: Save As")
            << Asking{Exit, photo, {yes, cancel}, photo, "", "", true, true};
        // Written in place, since no temporary file can be made beside it; its settings file cannot be.
        QTest::newRow("Exit, はい, read-only folder")
            << Asking{Exit, bmp, {yes, ok}, bmp, bmp, "current.txt", true, false, ReadOnly};
        QTest::newRow("Exit, はい, read-only folder, disk full")
            << Asking{Exit, bmp, {yes, ok}, bmp, "", bmp, true, true, ReadOnlyFull};
        QTest::newRow("Open, Esc") << Asking{Open, bmp, {esc}, bmp, "", "", true, true};
        QTest::newRow("Open, いいえ") << Asking{Open, bmp, {no, named(other)}, other, "", "", false, false};
        QTest::newRow("Open, はい") << Asking{Open, bmp, {yes, named(other)}, other, bmp, "", false, false};
        QTest::newRow("drop, Esc") << Asking{Drop, bmp, {esc}, bmp, "", "", true, true};
        QTest::newRow("drop, いいえ") << Asking{Drop, bmp, {no}, other, "", "", false, true};
        QTest::newRow("drop, はい") << Asking{Drop, bmp, {yes}, other, bmp, "", false, true};
    }

    // New, Exit, Open and a drop over a changed picture ask first; no picture is lost.
    void theSaveQuestion()
    {
        QFETCH(Asking, a);
        ProgramUnderTest p;
        const QString current = in(a.opened);
        QVERIFY(saveGrey(a.opened.endsWith(".jpg") ? QSize(60, 40) : QSize(400, 400), current));
        QVERIFY(saveGrey(QSize(20, 20), in("other.bmp")));
        QVERIFY(QDir(folder.path()).mkdir("star.txt"));
        const QByteArray original = fileBytes(current);
        open(p, current);
        p.setCurve(100, -40, 10);
        if (!a.answers.isEmpty())
            p.c.cmdStart->click();
        const QImage drawn = p.c.canvas->image();
        p.window.show();
        p.seam.clear();
        p.seam.expect(a.answers);
        {
            std::optional<ReadOnlyFolder> readOnly;
            std::optional<FileSizeLimit> fullDisk;
            if (a.folder != Writable)
                readOnly.emplace(folder.path());
            if (a.folder == ReadOnlyFull)
                fullDisk.emplace(original.size() + 4096);
            if (a.command == Drop)
                QVERIFY(dropFiles(p.c.canvas, {in("other.bmp")}));
            else
                (a.command == New ? p.c.mnuFileNew : a.command == Exit ? p.c.mnuFileExit : p.c.mnuFileOpen)->trigger();
        }
        QCOMPARE(p.seam.shown().size(), std::size_t(a.answers.size()));
        const QString asked = p.seam.shown().empty() ? "" : p.seam.shown().front().text;
        QCOMPARE(asked, a.answers.isEmpty() ? "" : "編集を保存しますか?");
        if (!a.unsaved.isEmpty())
            QCOMPARE(p.seam.shown().back().text,
                     "ファイル「" + in(a.unsaved) + "」を保存できませんでした。");
        // The title names the document, the file a later Save writes to.
        QCOMPARE(p.program.documents().documentName(), a.document.isEmpty() ? "" : in(a.document));
        QCOMPARE(p.window.windowTitle(), a.document.isEmpty() ? "くるりえ" : "くるりえ-- " + in(a.document));
        QCOMPARE(p.window.isVisible(), a.kept || a.command != Exit);
        QCOMPARE(p.c.canvas->image() == drawn, a.kept || a.command == Exit);
        QCOMPARE(p.window.pictureChanged(), a.changed);
        // What is saved is the canvas as shown; the file opened is untouched unless saved to.
        QCOMPARE(QImage(in(a.saved)).convertToFormat(QImage::Format_RGB32), a.saved.isEmpty() ? QImage() : drawn);
        QCOMPARE(fileBytes(current) == original, a.saved != a.opened);
    }

    void saveWritesOverOnlyABitmapOfTheCanvas_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("proposed"); // by Save As; empty when Save writes over the document unasked
        QTest::newRow("none") << "" << QSize() << "";
        QTest::newRow("a bitmap of the canvas's size") << "star.bmp" << QSize(400, 400) << "";
        QTest::newRow("a PNG of the canvas's size") << "star.png" << QSize(400, 400) << "";
        QTest::newRow("a JPEG of the canvas's size") << "star.jpg" << QSize(400, 400) << "star.bmp";
        QTest::newRow("a photo with dots") << "s.v2.jpeg" << QSize(30, 20) << "s.v2.bmp";
        QTest::newRow("a small bitmap") << "small.bmp" << QSize(30, 20) << "small.bmp";
        QTest::newRow("a bitmap a row taller") << "tall.bmp" << QSize(400, 401) << "tall.bmp";
    }

    // A photo, or a bitmap or PNG of another size, would lose what the canvas does not show, and its format: Save asks
    // for a name, and Save As proposes a bitmap beside it, so that Enter never writes a bitmap into a JPEG; it proposes
    // the document itself when Save would write over it.
    void saveWritesOverOnlyABitmapOfTheCanvas()
    {
        QFETCH(QString, document);
        QFETCH(QSize, size);
        QFETCH(QString, proposed);
        ProgramUnderTest p;
        if (!document.isEmpty() && saveGrey(size, in(document)))
            open(p, in(document));
        const QByteArray before = fileBytes(in(document));
        QStringList proposals;
        const Answer propose = [&proposals](QDialog& dialog) {
            return proposals << dialog.findChild<QLineEdit*>("fileNameEdit")->text(), int(QDialog::Rejected);
        };
        p.seam.expect({propose, propose});
        const bool inPlace = !document.isEmpty() && proposed.isEmpty();
        QCOMPARE(p.program.documents().save(), inPlace);
        QCOMPARE(fileBytes(in(document)) == before, !inPlace);
        QCOMPARE(p.program.documents().saveAs(), false);
        QCOMPARE(proposals, QStringList(inPlace ? 1 : 2, inPlace ? document : proposed));
    }

    void theNameBoxKeepsTheNameTyped_data()
    {
        QTest::addColumn<bool>("saving"); // by Save As, or opening
        QTest::newRow("Save As") << true;
        QTest::newRow("Open") << false;
    }

    // Picking a file type, even the one already picked, never changes or empties the name typed.
    void theNameBoxKeepsTheNameTyped()
    {
        QFETCH(bool, saving);
        ProgramUnderTest p;
        QStringList names;
        QFileDialog::FileMode mode = QFileDialog::Directory;
        p.seam.expect([&names, &mode](QDialog& dialog) {
            mode = static_cast<QFileDialog&>(dialog).fileMode();
            auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
            const int allFiles = dialog.findChild<QComboBox*>("fileTypeCombo")->count() - 1;
            name->setText("first.bmp");
            ScriptedSeam::pickEntry(dialog, allFiles);
            names << name->text();
            name->setText("second.bmp");
            ScriptedSeam::pickEntry(dialog, allFiles);
            names << name->text();
            ScriptedSeam::pickEntry(dialog, 0);
            names << name->text();
            static_cast<QFileDialog&>(dialog).setDirectory(folder.path());
            return int(QDialog::Accepted);
        });
        (saving ? p.c.mnuFileSaveAs : p.c.mnuFileOpen)->trigger();
        QCOMPARE(names, QStringList({"first.bmp", "second.bmp", "second.bmp"}));
        QCOMPARE(mode, saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        QCOMPARE(files(), saving ? QStringList({"second.bmp", "second.txt"}) : QStringList());
    }

    // Clear forgets the document, and Save is off at once: Ctrl+S asks nothing and writes nothing.
    void clearForgetsTheDocument()
    {
        ProgramUnderTest p;
        p.seam.expect(named("star.bmp"));
        p.c.mnuFileSaveAs->trigger();
        QVERIFY(QFile::remove(in("star.bmp")));
        p.c.cmdClear->click();
        QCOMPARE(p.c.mnuFileSave->isEnabled(), false);
        QVERIFY(p.showActive());
        QTest::keyClick(&p.window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(p.seam.shown().size(), std::size_t(1)); // Save As's
        QCOMPARE(files(), QStringList("star.txt"));
        QCOMPARE(p.program.documents().documentName(), "");
        QCOMPARE(p.window.windowTitle(), "くるりえ");
    }

    void paste_data()
    {
        QTest::addColumn<Pasting>("pasting");
        QTest::newRow("text") << Pasting{"text/plain", false, Unopened, false, false};
        QTest::newRow("SVG") << Pasting{"image/svg+xml", false, Unopened, false, false};
        QTest::newRow("SVG, and Qt's image of it") << Pasting{"image/svg+xml", true, Unopened, false, false};
        QTest::newRow("PNG") << Pasting{"image/png", false, Unopened, true, true};
        QTest::newRow("an image alone") << Pasting{"", true, Unopened, true, true};
        QTest::newRow("PNG, the menu last opened over text") << Pasting{"image/png", false, OverText, false, true};
        QTest::newRow("text, the menu last opened over a picture")
            << Pasting{"text/plain", false, OverAPicture, false, false};
    }

    // Ctrl+V pastes a picture's top-left, and the background shows below a lower one; without a picture on the
    // clipboard it changes nothing, and says so. Paste is offered as the Edit menu opens only for a picture, and Ctrl+V
    // keeps what the menu last offered.
    void paste()
    {
        QFETCH(Pasting, pasting);
        ProgramUnderTest p;
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText("text only");
        if (pasting.menu != Unopened)
            emit p.c.mnuEdit->aboutToShow();
        clipboard->setImage(QImage(1, 1, QImage::Format_RGB32));
        if (pasting.menu == OverAPicture)
            emit p.c.mnuEdit->aboutToShow();
        QImage picture(900, 30, QImage::Format_RGB32);
        picture.fill(Qt::green);
        QBuffer png;
        QVERIFY(png.open(QIODevice::WriteOnly));
        QVERIFY(picture.save(&png, "PNG"));
        auto* data = new QMimeData;
        if (!pasting.format.isEmpty())
            data->setData(pasting.format, png.data());
        if (pasting.image)
            data->setImageData(picture);
        clipboard->setMimeData(data);
        QVERIFY(p.showActive());
        QTest::keyClick(&p.window, Qt::Key_V, Qt::ControlModifier);
        const QStringList told("[くるりえ] クリップボードの絵を貼り付けられませんでした。");
        QCOMPARE(dialogs(p.seam), pasting.menu != OverText && !pasting.pasted ? told : QStringList());
        // The data stays on the clipboard.
        const QMimeData* left = clipboard->mimeData();
        QCOMPARE(left && left->data(pasting.format) == png.data(), !pasting.format.isEmpty());
        QCOMPARE(p.c.canvas->picture().size(), pasting.pasted ? QSize(400, 30) : QSize(0, 0));
        for (const Canvas* canvas : {p.c.canvas, p.c.backingCanvas}) {
            QCOMPARE(canvas->image().pixelColor(399, 29), pasting.pasted ? QColor(Qt::green) : QColor(Qt::white));
            QCOMPARE(canvas->image().pixelColor(0, 30), QColor(Qt::white));
        }
        QCOMPARE(p.c.cmdBkColor->isEnabled(), !pasting.pasted);
        QCOMPARE(p.window.pictureChanged(), pasting.pasted);
        QCOMPARE(p.c.canvas->accessibleDescription(), pasting.pasted ? "貼り付けた絵" : "何も描かれていません");
        QCOMPARE(p.window.windowTitle(), "くるりえ");
        emit p.c.mnuEdit->aboutToShow();
        QCOMPARE(p.c.mnuPaste->isEnabled(), pasting.offered);
    }

    void copy_data()
    {
        QTest::addColumn<bool>("click"); // on the canvas, or Copy
        QTest::addColumn<bool>("blank");
        QTest::newRow("Copy: the canvas as drawn, in place of all else") << false << false;
        QTest::newRow("a click: the picture, beside the text copied elsewhere") << true << false;
        QTest::newRow("a click on a blank canvas: the clipboard left alone") << true << true;
    }

    // Copy and a click on the canvas offer the drawing as SVG too, drawn from its strokes; what they copy pastes back
    // as it was.
    void copy()
    {
        QFETCH(bool, click);
        QFETCH(bool, blank);
        QClipboard* clipboard = QGuiApplication::clipboard();
        QImage elsewhere(2, 2, QImage::Format_RGB32);
        elsewhere.fill(Qt::red);
        auto* data = new QMimeData;
        data->setText("kept");
        data->setImageData(elsewhere);
        clipboard->setMimeData(data);
        ProgramUnderTest p;
        p.setCurve(100, -40, 10);
        if (!blank)
            p.c.cmdStart->click();
        // Drawn since the run ended: on the canvas's image, not its picture.
        p.c.canvas->drawSegment({0, 5, 300, 5}, 255);
        const QImage copied = blank ? elsewhere : click ? p.c.canvas->picture() : p.c.canvas->image();
        click ? QTest::mouseClick(p.c.canvas, Qt::LeftButton, {}, QPoint(5, 5)) : p.c.mnuCopy->trigger();
        // Copied as PNG file data, not as an image; what was there before is Qt's image.
        const QByteArray png = clipboard->mimeData()->data("image/png");
        const QImage onClipboard = blank ? clipboard->image() : QImage::fromData(png);
        QCOMPARE(onClipboard.convertToFormat(QImage::Format_RGB32), copied);
        QCOMPARE(clipboard->text(), click ? "kept" : "");
        const QByteArray svg = blank ? QByteArray() : drawingSvg(drawingOf(*p.c.backingCanvas)).value();
        QCOMPARE(clipboard->mimeData()->data("image/svg+xml"), svg);
        p.c.cmdClear->click();
        p.c.mnuPaste->trigger();
        QCOMPARE(p.c.canvas->image().copy(copied.rect()), copied);
    }

    // Not while a run draws more strokes than the picture copied holds.
    void noSvgIsOfferedDuringARun()
    {
        ProgramUnderTest p;
        p.setCurve(100, -40, 10);
        QStringList offered;
        afterEventPasses(&p.window, 30, [&] {
            p.c.mnuCopy->trigger();
            offered = QGuiApplication::clipboard()->mimeData()->formats();
        });
        p.c.cmdStart->click();
        QCOMPARE(offered.contains("image/png"), true);
        QCOMPARE(offered.contains("image/svg+xml"), false);
    }

    // Last, since it makes the program's Qt speak Japanese: the file dialog and its listing do so whatever the user's
    // locale (the tests run in C).
    void theFileDialogSpeaksJapanese()
    {
        setUpJapaneseApplication(*QCoreApplication::instance());
        ProgramUnderTest p;
        QVERIFY(QDir(folder.path()).mkdir("pics"));
        QVERIFY(writeFile(in("star.bmp"), QByteArray(2048, 'x')));
        QString title;
        QStringList texts, rows;
        p.seam.expect([&](QDialog& shown) {
            auto* view = shown.findChild<QTreeView*>("treeView");
            // The file model reads the folder in a thread of its own.
            if (QTest::qWaitFor([view] { return view->model()->rowCount(view->rootIndex()) == 2; }))
                for (int row = 0; row < 2; ++row)
                    for (int column = 0; column < 4; ++column)
                        rows << view->model()->index(row, column, view->rootIndex()).data().toString();
            title = shown.windowTitle();
            for (const QWidget* w : shown.findChildren<QWidget*>())
                texts << w->property("text").toString();
            return int(QDialog::Rejected);
        });
        p.c.commonDialog->showOpen(in("star.bmp"));
        QCOMPARE(title, "開く");
        for (const char* text : {"ファイル名(&N):", "ファイルの種類:", "開く(&O)", "キャンセル"})
            QVERIFY2(texts.contains(text), text);
        if (rows.value(0) != "pics") // in the folder's own order
            std::rotate(rows.begin(), rows.begin() + 4, rows.end());
        const auto modified = [](const char* name) {
            return QLocale(QLocale::Japanese).toString(QFileInfo(in(name)).lastModified(), QLocale::ShortFormat);
        };
        QCOMPARE(rows.mid(0, 4), QStringList({"pics", "", "フォルダー", modified("pics")}));
        // The file's type is left out, as the desktop's MIME database names it.
        QCOMPARE(rows.mid(4, 2) << rows.value(7), QStringList({"star.bmp", "2.00 KiB", modified("star.bmp")}));
        QCOMPARE_NE(rows.value(6), modified("star.bmp"));
    }
};

QTEST_MAIN(DocumentsTest)
#include "documents_test.moc"
