#pragma once

#include <QString>

#include <vector>

namespace kururie {

// The program's command line, kururie [OPTION...] [FILE], decided before Qt starts, so that the
// help, the version and a refusal need no display. Qt's own options (-platform, -style, …) with
// their values are kept for QApplication; anything else beginning with "-" is refused, as is a
// second file.
class CommandLine {
public:
    enum class Request { Start, Help, Version, Refusal };

    CommandLine(int argc, char* argv[]);

    Request request() const { return m_request; }
    // The picture to open once the window shows, as a full path; empty when none was given.
    const QString& file() const { return m_file; }
    // The help, the version or why the command line was refused, as the program prints it.
    const QString& message() const { return m_message; }

    // The program's name and Qt's own options, for QApplication, which keeps both for its life.
    int& qtArgc() { return m_qtArgc; }
    char** qtArgv() { return m_qtArgv.data(); }

    // Prints the help or the version on standard output, or the refusal on standard error, and
    // gives the exit status: 0, or 2 for a refusal.
    int answer() const;

private:
    void refuse(const QString& reason);
    void takeFile(const QString& argument);

    Request m_request = Request::Start;
    QString m_file;
    QString m_message;
    std::vector<char*> m_qtArgv;
    int m_qtArgc = 0;
};

} // namespace kururie
