#include "app/CommandLine.h"

#include <QCoreApplication>

namespace app {

CommandLine::CommandLine(const QStringList& arguments)
    : m_help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Zeigt diese Hilfe an."))
    , m_version({QStringLiteral("v"), QStringLiteral("version")},
                QStringLiteral("Zeigt die Version von Paukomat an."))
    , m_dataDir(QStringLiteral("data-dir"),
                QStringLiteral("Legt die Daten aller Benutzer in diesem Verzeichnis ab, etwa in "
                               "einem gemeinsamen Verzeichnis einer Klasse; es wird angelegt, "
                               "wenn es fehlt."),
                QStringLiteral("Verzeichnis"))
{
    m_parser.setApplicationDescription(QStringLiteral(
        "Paukomat V1.1 - Vokabeltrainer\n\n"
        "Die Daten liegen in dem mit --data-dir genannten Verzeichnis. Ohne diese Option liegen\n"
        "sie im Programmverzeichnis einer tragbaren Kopie, wenn Paukomat dort schreiben darf,\n"
        "sonst in $XDG_DATA_HOME/Paukomat (ohne XDG_DATA_HOME in ~/.local/share/Paukomat)."));
    // "-platform" and the other options Qt takes are whole words, never letters run together.
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOptions({m_help, m_version, m_dataDir});
    // Only a missing value of --data-dir fails the parse beside unknown options.
    const bool parsed = m_parser.parse(arguments);
    const QStringList unknown = m_parser.unknownOptionNames();
    if (!unknown.isEmpty())
        m_error = QStringLiteral("Unbekannte Option: %1").arg(unknown.join(QStringLiteral(", ")));
    else if (!parsed || (m_parser.isSet(m_dataDir) && dataDir().isEmpty()))
        m_error = QStringLiteral("Nach --data-dir fehlt das Verzeichnis.");
    else if (!m_parser.positionalArguments().isEmpty())
        m_error = QStringLiteral("Unerwartetes Argument: %1")
                      .arg(m_parser.positionalArguments().join(QLatin1Char(' ')));
    if (!m_error.isEmpty())
        m_error += QStringLiteral("\nAlle Optionen nennt \"paukomat --help\".");
}

bool CommandLine::answersOnTerminal() const
{
    return m_parser.isSet(m_help) || m_parser.isSet(m_version);
}

QString CommandLine::text() const
{
    if (m_parser.isSet(m_help))
        return m_parser.helpText();
    return QStringLiteral("Paukomat %1\n").arg(QCoreApplication::applicationVersion());
}

} // namespace app
