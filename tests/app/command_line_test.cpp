// The command line as the program reads it before Qt starts: what it asks for, the file to open
// (relative to the folder the program starts in), what Qt gets, and the start of what is printed.

#include "app/command_line.h"

#include <QDir>
#include <QtTest>

using kururie::CommandLine;
using Request = CommandLine::Request;
using Arguments = QByteArrayList;

Q_DECLARE_METATYPE(Request)

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void readsWhatItIsAskedFor_data()
    {
        QTest::addColumn<Arguments>("arguments");
        QTest::addColumn<Request>("request");
        QTest::addColumn<QString>("file");
        QTest::addColumn<Arguments>("qt");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const Arguments& arguments, Request request, const QString& file,
                            const Arguments& qt, const QString& message) {
            QTest::newRow(name) << arguments << request << file << qt << message;
        };
        const QString help = "使い方: kururie [オプション] [ファイル]\n", version = "くるりえ 1.";
        const QString seeHelp = "\n「kururie --help」で使い方を表示します。\n";
        const Arguments qtOptions = {"-platform", "offscreen", "--style", "Fusion", "-style=Fusion", "-reverse",
                                     "-qwindowgeometry", "640x480", "--qmljsdebugger=port:1234"};
        row("nothing", {}, Request::Start, "", {}, "");
        row("a relative path", {"pictures/../star.bmp"}, Request::Start, "star.bmp", {}, "");
        row("a Japanese name", {"/tmp/星.bmp"}, Request::Start, "/tmp/星.bmp", {}, "");
        row("Qt's options", qtOptions + Arguments{"star.bmp"}, Request::Start, "star.bmp", qtOptions, "");
        const Arguments titled = {"-qwindowtitle", "star.bmp"};
        row("a Qt option's value", titled, Request::Start, "", titled, "");
        row("a file after --", {"--", "-reverse"}, Request::Start, "-reverse", {}, "");
        row("--help", {"--help"}, Request::Help, "", {}, help);
        row("--version", {"--version"}, Request::Version, "", {}, version);
        row("an unknown option", {"--colour", "--help"}, Request::Refusal, "", {},
            "kururie: 「--colour」というオプションはありません。" + seeHelp);
        row("a Qt option without its value", {"-style"}, Request::Refusal, "", {},
            "kururie: オプション「-style」には値が要ります。" + seeHelp);
        row("two files", {"/tmp/a.bmp", "b.bmp"}, Request::Refusal, "/tmp/a.bmp", {},
            "kururie: 開くファイルは一つだけ指定してください (二つ目は「b.bmp」)。" + seeHelp);
    }

    void readsWhatItIsAskedFor()
    {
        QFETCH(Arguments, arguments);
        QFETCH(QString, file);
        QFETCH(Arguments, qt);
        QFETCH(QString, message);
        std::vector<char*> argv{const_cast<char*>("kururie")};
        for (QByteArray& argument : arguments)
            argv.push_back(argument.data());
        CommandLine line(int(argv.size()), argv.data());
        QTEST(line.request(), "request");
        QCOMPARE(line.file(), file.isEmpty() ? file : QDir::current().absoluteFilePath(file));
        QCOMPARE(Arguments(line.qtArgv(), line.qtArgv() + line.qtArgc()), Arguments{"kururie"} + qt);
        QCOMPARE(line.qtArgv()[line.qtArgc()], nullptr);
        QCOMPARE(line.message().left(message.size()), message);
    }
};

QTEST_APPLESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
