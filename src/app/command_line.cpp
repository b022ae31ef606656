#include "app/command_line.h"

#include "controls/program_name.h"

#include <QByteArrayList>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace kururie {

namespace {

// Qt's own options as QGuiApplication and QApplication take them, with one dash or two: those
// followed by a value, those that stand alone, and those that carry their value after "=".
const QByteArrayList kQtOptionsWithValue = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                            "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
                                            "display", "geometry", "style", "stylesheet"};
const QByteArrayList kQtFlags = {"reverse", "widgetcount"};
const QByteArrayList kQtOptionsWithEquals = {"style=", "stylesheet=", "qmljsdebugger="};

const QString kHelp = QStringLiteral(
    "使い方: kururie [オプション] [ファイル]\n"
    "円の中や外を円が転がって模様を描く、お絵かきの%1を起動します。\n"
    "ファイルを指定すると、その絵 (BMP、PNG、JPEG、GIF) をメニューの「開く」と同じように開きます。\n"
    "\n"
    "オプション:\n"
    "  -h, --help     この説明を表示して終了します。\n"
    "  -v, --version  バージョンを表示して終了します。\n"
    "  --             これより後は「-」で始まってもファイル名とみなします。\n"
    "\n"
    "Qt の標準オプション (-platform、-style、-qwindowgeometry など) も使えます。\n"
    "終了ステータスは、正常なら 0、コマンドラインの誤りなら 2 です。\n");

const QString kSeeHelp = QStringLiteral("「kururie --help」で使い方を表示します。\n");

QByteArray optionName(const QByteArray& argument)
{
    return argument.mid(argument.startsWith("--") ? 2 : 1);
}

bool carriesValue(const QByteArray& name)
{
    return std::any_of(kQtOptionsWithEquals.begin(), kQtOptionsWithEquals.end(),
                       [&name](const QByteArray& prefix) { return name.startsWith(prefix); });
}

} // namespace

CommandLine::CommandLine(int argc, char* argv[])
{
    if (argc > 0)
        m_qtArgv.push_back(argv[0]);
    bool optionsEnded = false;
    for (int i = 1; i < argc && m_request == Request::Start; ++i) {
        const QByteArray argument = argv[i];
        const QByteArray name = optionName(argument);
        if (optionsEnded || !argument.startsWith('-') || argument == "-") {
            takeFile(QFile::decodeName(argument));
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            m_request = Request::Help;
            m_message = kHelp.arg(kProgramName);
        } else if (argument == "--version" || argument == "-v") {
            m_request = Request::Version;
            m_message = kProgramName + QStringLiteral(" " KURURIE_VERSION "\n");
        } else if (kQtFlags.contains(name) || carriesValue(name)) {
            m_qtArgv.push_back(argv[i]);
        } else if (!kQtOptionsWithValue.contains(name)) {
            refuse(QStringLiteral("「%1」というオプションはありません。").arg(QString::fromLocal8Bit(argument)));
        } else if (i + 1 == argc) {
            refuse(QStringLiteral("オプション「%1」には値が要ります。").arg(QString::fromLocal8Bit(argument)));
        } else {
            m_qtArgv.push_back(argv[i]);
            m_qtArgv.push_back(argv[++i]);
        }
    }
    m_qtArgc = int(m_qtArgv.size());
    // As main() hands argv over: ended by a null pointer.
    m_qtArgv.push_back(nullptr);
}

int CommandLine::answer() const
{
    const bool refused = m_request == Request::Refusal;
    std::fputs(m_message.toUtf8().constData(), refused ? stderr : stdout);
    return refused ? 2 : 0;
}

void CommandLine::refuse(const QString& reason)
{
    m_request = Request::Refusal;
    m_message = QStringLiteral("kururie: ") + reason + '\n' + kSeeHelp;
}

void CommandLine::takeFile(const QString& argument)
{
    if (!m_file.isEmpty()) {
        refuse(QStringLiteral("開くファイルは一つだけ指定してください (二つ目は「%1」)。").arg(argument));
        return;
    }
    // The window's title names the document by its full path, whatever the folder it was started in.
    m_file = QFileInfo(argument).absoluteFilePath();
}

} // namespace kururie
