#include "exercise/Drill.h"

#include "exercise/AnswerCheck.h"
#include "results/ResultFile.h"
#include "store/TextRules.h"

namespace exercise {

Drill::Drill(editor::LessonFile lesson)
    : m_lesson(std::move(lesson))
{
    const auto totals = results::ResultFile::readTotals(m_lesson.files().results());
    m_total.setCounts(totals.words, totals.right);
    m_current.setCounts(0, 0);
}

void Drill::start(Direction direction, Selection selection, std::function<double()> uniform)
{
    m_totalAtStart = m_total;
    m_run = std::make_unique<Run>(m_lesson.lines(), direction, selection,
                                  m_lesson.files().runCopy(), std::move(uniform));
}

bool Drill::next()
{
    return m_run && m_run->next();
}

QString Drill::answer(const QString& typed)
{
    if (!asking())
        return {};
    const QString expected = m_run->expected();
    const bool right = isRightAnswer(expected, typed);
    m_current.count(right);
    m_total.count(right);
    const QString shown = m_run->shown();
    m_run->markAnswer(right);
    if (right)
        return {};
    return QStringLiteral("Die richtige Lösung für  '") + shown + QStringLiteral("'  lautet:\n\n")
        + expected;
}

store::FileResult Drill::stopBroken()
{
    store::FileResult failure =
        m_lesson.aboutLesson(m_run->writeResult())
            .meaning(
                QStringLiteral("Die Übung wird abgebrochen; die Lektion bleibt, wie sie war."));
    m_total = m_totalAtStart;
    endRun();
    m_lesson.removeRunCopy();
    return failure;
}

QString Drill::endMessage() const
{
    if (m_current.words() == 0)
        return QStringLiteral("Es sind keine Vokabeln gemäß dieser Auswahl vorhanden !");
    return results::runSummary(m_current);
}

store::FileResult Drill::finish()
{
    if (!m_run || m_current.words() == 0) {
        endRun();
        return store::FileResult::success();
    }
    const QStringList marked = m_run->runCopy();
    const store::FileResult results =
        results::ResultFile::storeRun(m_lesson.files().results(), m_total, m_current)
            .about(store::resultsSubject(m_lesson.name()));
    endRun();
    if (!results)
        m_total = m_totalAtStart;
    const store::FileResult marks = m_lesson.takeRunLines(marked);
    return results ? marks : results;
}

void Drill::leave()
{
    m_run.reset();
    m_lesson.removeScratchFiles();
}

void Drill::endRun()
{
    m_run.reset();
    m_current.clearCounts();
}

} // namespace exercise
