#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

namespace app {

// The command line of the program: --help and --version answer on the terminal; --data-dir DIR
// names the directory of the data tree.
class CommandLine
{
public:
    explicit CommandLine(const QStringList& arguments);
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // --help or --version: the program prints text() and ends without a window.
    [[nodiscard]] bool answersOnTerminal() const;
    [[nodiscard]] QString text() const;
    // Why the command line cannot be followed, in German; empty when it can.
    [[nodiscard]] QString error() const { return m_error; }
    // The directory given with --data-dir; empty when none was given.
    [[nodiscard]] QString dataDir() const { return m_parser.value(m_dataDir); }

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    QCommandLineOption m_dataDir;
    QString m_error;
};

} // namespace app
