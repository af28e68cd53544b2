#include "results/LessonResults.h"

#include "boxes/BoxFile.h"
#include "lesson/WordListPrint.h"
#include "results/ResultReport.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

namespace results {
namespace {

// Pairs per box, counted from the lesson file beside the result file ("EU4" beside "U4") and the
// boxes beside it; only read. A lesson that cannot be read counts no pairs.
QList<qsizetype> countBoxes(const QString& resultFile)
{
    const QString path = resultFile.section(u'/', 0, -2) + QLatin1Char('/');
    const QString name = resultFile.section(u'/', -1);
    if (!name.startsWith(QLatin1Char('E')))
        return {};
    const store::LessonFiles files(path, name.mid(1));
    QList<lesson::WordPair> pairs;
    if (!lesson::readStoredPairs(files.stored(), pairs))
        return {};
    const boxes::Boxes boxes = boxes::readBoxFile(files.boxes());
    QList<qsizetype> counts(boxes::LastBox, 0);
    bool any = false;
    for (const lesson::WordPair& pair : std::as_const(pairs)) {
        if (!pair.valid)
            continue;
        ++counts[boxes.boxOf(pair.foreign) - 1];
        any = true;
    }
    return any ? counts : QList<qsizetype>();
}

} // namespace

LessonResults LessonResults::load(const store::DataTree& tree)
{
    LessonResults results;
    const store::Result<handoff::ResultsRequest> request = handoff::readResultsRequest(
        tree,
        {QStringLiteral("Die Ergebnisse können nicht angezeigt werden: Die Datei \"%1\" "
                        "fehlt oder ist unvollständig.")
             .arg(handoff::ResultsRequestFile),
         store::ErrorTitle});
    if (!request.ok()) {
        results.m_outcome = request.outcome;
        return results;
    }
    const handoff::ResultsRequest& wanted = request.value;
    QList<QByteArray> stored;
    if (!store::TextFile::readRawLines(wanted.resultFile, stored)) {
        results.m_outcome = store::Outcome::refused(
            QStringLiteral("Die Ergebnisse der Lektion \"%1\" können nicht angezeigt werden: Die "
                           "Datei \"%2\" kann nicht gelesen werden.")
                .arg(wanted.lesson, wanted.resultFile.section(u'/', -1)),
            store::ErrorTitle);
        return results;
    }
    const ResultReport report =
        ResultReport::build(wanted.user, wanted.language, wanted.lesson, stored);
    results.m_totals = report.gesamt();
    results.m_runs = report.einzel();
    results.m_scores = readRunHistory(stored);
    results.m_boxCounts = countBoxes(wanted.resultFile);
    return results;
}

QString LessonResults::boxLine() const
{
    if (m_boxCounts.isEmpty())
        return {};
    QString line = QStringLiteral("Vokabeln je Kasten:");
    for (qsizetype i = 0; i < m_boxCounts.size(); ++i)
        line += QStringLiteral("  %1: %2").arg(i + 1).arg(m_boxCounts[i]);
    return line;
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
    if (!m_boxCounts.isEmpty())
        lines.append({boxLine(), PrintStyle::Totals});
    for (const QString& text : m_runs)
        lines.append({text, PrintStyle::Runs});
    return lines;
}

} // namespace results
