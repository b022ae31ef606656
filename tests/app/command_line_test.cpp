// The command line as the program reads it before Qt starts: what it asks for, the file to open
// (relative to the folder the program starts in) and what Qt gets.

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
    // What each command line asks for, the file to open and what Qt gets; what is printed, the
    // command_line_answers test reads from the program itself.
    void readsWhatItIsAskedFor_data()
    {
        QTest::addColumn<Arguments>("arguments");
        QTest::addColumn<Request>("request");
        QTest::addColumn<QString>("file");
        QTest::addColumn<Arguments>("qt");
        const auto row = [](const char* name, const Arguments& arguments, Request request, const QString& file,
                            const Arguments& qt) { QTest::newRow(name) << arguments << request << file << qt; };
        const Arguments qtOptions = {"-platform", "offscreen", "--style", "Fusion", "-style=Fusion", "-reverse",
                                     "-qwindowgeometry", "640x480", "--qmljsdebugger=port:1234"};
        const Arguments titled = {"-qwindowtitle", "star.bmp"};
        row("nothing", {}, Request::Start, "", {});
        row("a relative path", {"pictures/../star.bmp"}, Request::Start, "star.bmp", {});
        row("a Japanese name", {"/tmp/星.bmp"}, Request::Start, "/tmp/星.bmp", {});
        row("Qt's options", qtOptions + Arguments{"star.bmp"}, Request::Start, "star.bmp", qtOptions);
        row("a Qt option's value", titled, Request::Start, "", titled);
        row("a file after --", {"--", "-reverse"}, Request::Start, "-reverse", {});
        row("--help after a file", {"star.bmp", "--help"}, Request::Help, "star.bmp", {});
        row("-v", {"-v"}, Request::Version, "", {});
        row("an unknown option before --help", {"--colour", "--help"}, Request::Refusal, "", {});
        row("a Qt option without its value", {"-style"}, Request::Refusal, "", {});
        row("two files", {"/tmp/a.bmp", "b.bmp"}, Request::Refusal, "/tmp/a.bmp", {});
    }

    void readsWhatItIsAskedFor()
    {
        QFETCH(Arguments, arguments);
        QFETCH(QString, file);
        QFETCH(Arguments, qt);
        std::vector<char*> argv{const_cast<char*>("kururie")};
        for (QByteArray& argument : arguments)
            argv.push_back(argument.data());
        CommandLine line(int(argv.size()), argv.data());
        QTEST(line.request(), "request");
        QCOMPARE(line.file(), file.isEmpty() ? file : QDir::current().absoluteFilePath(file));
        QCOMPARE(Arguments(line.qtArgv(), line.qtArgv() + line.qtArgc()), Arguments{"kururie"} + qt);
        QCOMPARE(line.qtArgv()[line.qtArgc()], nullptr);
    }
};

QTEST_APPLESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
