#include "exercise/Drill.h"

#include "exercise/AnswerCheck.h"
#include "results/ResultFile.h"
#include "store/TextRules.h"

#include <QLocale>

namespace exercise {

Drill::Drill(lesson::LessonFile lesson, std::function<QDate()> today)
    : m_lesson(std::move(lesson))
    , m_today(std::move(today))
{
    const auto totals = results::ResultFile::readTotals(m_lesson.files().results());
    m_total.setCounts(totals.words, totals.right);
    m_current.setCounts(0, 0);
}

void Drill::start(Direction direction, Selection selection, std::function<double()> uniform)
{
    m_totalAtStart = m_total;
    m_selection = selection;
    m_answers.clear();
    const boxes::Boxes* boxes = &m_lesson.boxes();
    const QDate today = m_today();
    m_run = std::make_unique<Run>(
        m_lesson.lines(), direction, selection, m_lesson.files().runCopy(), std::move(uniform),
        [boxes, today](const QString& foreign) { return boxes->isDue(foreign, today); });
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
    m_answers.append({m_run->foreign(), right});
    m_run->markAnswer(right);
    if (right)
        return {};
    return QStringLiteral("Die richtige Lösung für  '") + shown + QStringLiteral("'  lautet:\n\n")
        + expected;
}

store::Outcome Drill::stopBroken()
{
    store::Outcome failure =
        m_lesson.aboutLesson(m_run->writeResult())
            .meaning(
                QStringLiteral("Die Übung wird abgebrochen; die Lektion bleibt, wie sie war."));
    m_total = m_totalAtStart;
    endRun();
    m_lesson.removeRunCopy();
    return failure;
}

QString Drill::dueSummary() const
{
    const QDate today = m_today();
    qsizetype pairs = 0;
    qsizetype due = 0;
    for (qsizetype i = 0; i < m_lesson.size(); ++i) {
        if (!m_lesson.isPair(i))
            continue;
        ++pairs;
        due += m_lesson.boxes().isDue(m_lesson.foreignWord(i), today) ? 1 : 0;
    }
    return QStringLiteral("%1 von %2 Vokabeln fällig").arg(due).arg(pairs);
}

QString Drill::endMessage() const
{
    if (m_current.words() > 0)
        return results::runSummary(m_current);
    QDate next;
    if (m_selection == Selection::Due) {
        const QDate today = m_today();
        for (qsizetype i = 0; i < m_lesson.size(); ++i) {
            if (!m_lesson.isPair(i))
                continue;
            const QDate due = m_lesson.boxes().dueDay(m_lesson.foreignWord(i), today);
            if (!next.isValid() || due < next)
                next = due;
        }
    }
    // An empty lesson has no next pair; the usual message says that nothing is there.
    if (!next.isValid())
        return QStringLiteral("Es sind keine Vokabeln gemäß dieser Auswahl vorhanden !");
    return QStringLiteral("Heute ist keine Vokabel dieser Lektion fällig.\n\nDie nächste Vokabel "
                          "ist am %1 fällig.")
        .arg(QLocale(QLocale::German, QLocale::Germany)
                 .toString(next, QStringLiteral("dddd, 'den' d. MMMM yyyy")));
}

store::Outcome Drill::finish()
{
    if (!m_run || m_current.words() == 0) {
        endRun();
        return store::Outcome::done();
    }
    const QStringList marked = m_run->runCopy();
    const QDate today = m_today();
    for (const auto& [foreign, right] : std::as_const(m_answers))
        m_lesson.answered(foreign, right, today);
    const store::Outcome results =
        results::ResultFile::storeRun(m_lesson.files().results(), m_total, m_current)
            .about(store::resultsSubject(m_lesson.name()));
    endRun();
    if (!results)
        m_total = m_totalAtStart;
    const store::Outcome marks = m_lesson.takeRunLines(marked);
    return results ? marks : results;
}

void Drill::leave()
{
    m_run.reset();
    m_answers.clear();
    m_lesson.removeScratchFiles();
}

void Drill::endRun()
{
    m_run.reset();
    m_answers.clear();
    m_current.clearCounts();
}

} // namespace exercise
