#include "results/ResultColumn.h"

#include "results/GradeScale.h"
#include "store/NumberText.h"

namespace results {

void ResultColumn::setCounts(qint64 words, qint64 right)
{
    m_words = words;
    m_right = right;
    if (m_words > 0)
        m_percent = static_cast<double>(m_right) / static_cast<double>(m_words) * 100;
}

void ResultColumn::count(bool right)
{
    setCounts(m_words + 1, m_right + (right ? 1 : 0));
}

void ResultColumn::clearCounts()
{
    m_words = 0;
    m_right = 0;
}

QString ResultColumn::wordsText() const
{
    return store::numberText(static_cast<double>(m_words));
}

QString ResultColumn::rightText() const
{
    return store::numberText(static_cast<double>(m_right));
}

QString ResultColumn::wrongText() const
{
    return store::numberText(static_cast<double>(wrong()));
}

QString ResultColumn::percentText() const
{
    return store::percentText(m_percent) + QStringLiteral(" %");
}

QString ResultColumn::gradeText() const
{
    if (m_words == 0)
        return QStringLiteral(" -");
    // Only a damaged result file gives a percentage outside every band; it shows no grade.
    const int grade = results::gradeFor(m_percent);
    return grade == 0 ? QString() : QString::number(grade);
}

QString runSummary(const ResultColumn& run)
{
    return QStringList{QStringLiteral("Die Übung ist beendet."),
                       QString(),
                       QStringLiteral("Folgendes Ergebnis wurde erzielt:"),
                       QString(),
                       QStringLiteral("Anzahl Vokabeln: ") + run.wordsText(),
                       QStringLiteral("davon richtig: ") + run.rightText(),
                       QStringLiteral("davon falsch: ") + run.wrongText(),
                       QString(),
                       QStringLiteral("Dieses entspricht einer Zensur von: ") + run.gradeText()}
        .join(QLatin1Char('\n'));
}

} // namespace results
