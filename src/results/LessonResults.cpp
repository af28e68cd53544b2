#include "results/LessonResults.h"

#include "results/ResultReport.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

namespace results {
namespace {

QString requestProblem(const handoff::Read<handoff::ResultsRequest>& request)
{
    if (request.problem == handoff::Problem::Missing)
        return QStringLiteral("Die Ergebnisse können nicht angezeigt werden: Die Datei \"%1\" "
                              "fehlt oder ist unvollständig.")
            .arg(handoff::ResultsRequestFile);
    return store::unsafeNameMessage(request.unsafeName);
}

} // namespace

LessonResults LessonResults::load(const store::DataTree& tree)
{
    LessonResults results;
    const handoff::Read<handoff::ResultsRequest> request = handoff::readResultsRequest(tree);
    if (!request.ok()) {
        results.m_problem = requestProblem(request);
        return results;
    }
    const handoff::ResultsRequest& wanted = request.value;
    QList<QByteArray> stored;
    if (!store::TextFile::readRawLines(wanted.resultFile, stored)) {
        results.m_problem = QStringLiteral("Die Ergebnisse der Lektion \"%1\" können nicht "
                                           "angezeigt werden: Die Datei \"%2\" kann nicht "
                                           "gelesen werden.")
                                .arg(wanted.lesson, wanted.resultFile.section(u'/', -1));
        return results;
    }
    const ResultReport report =
        ResultReport::build(wanted.user, wanted.language, wanted.lesson, stored);
    results.m_totals = report.gesamt();
    results.m_runs = report.einzel();
    results.m_scores = readRunHistory(stored);
    return results;
}

QList<PrintedLine> LessonResults::printLines() const
{
    QList<PrintedLine> lines;
    lines.reserve(4 + m_totals.size() + m_runs.size());
    lines.append({QStringLiteral("Paukomat V1.1"), PrintStyle::Title});
    for (int i = 0; i < 3; ++i)
        lines.append({QStringLiteral(" "), PrintStyle::Title});
    for (const QString& text : m_totals)
        lines.append({text, PrintStyle::Totals});
    for (const QString& text : m_runs)
        lines.append({text, PrintStyle::Runs});
    return lines;
}

} // namespace results
