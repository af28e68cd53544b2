#include "results/ResultReport.h"

#include "results/GradeScale.h"
#include "results/ResultLine.h"
#include "store/NumberText.h"
#include "store/Scrambler.h"

#include <cmath>

namespace results {

QString Setze_Zensur(std::optional<double> Prozent, double Vokabeln)
{
    if (Vokabeln == 0)
        return QStringLiteral("entspricht der Zensur : -");
    const int grade = gradeFor(Prozent.value_or(0));
    if (grade == 0)
        return {};
    return QStringLiteral("entspricht der Zensur : ") + QString::number(grade);
}

ResultReport ResultReport::build(const QString& user, const QString& language,
                                 const QString& lesson, const QList<QByteArray>& storedLines)
{
    ResultReport report;
    const qsizetype runs = storedLines.isEmpty() ? 0 : storedLines.size() - 1;
    report.m_gesamt.reserve(11);
    report.m_einzel.reserve(1 + runs * 7);

    report.m_gesamt << QStringLiteral("Name: ") + user << QStringLiteral("Sprache: ") + language
                    << QStringLiteral("Lektion: ") + lesson << SeparatorLine;
    report.m_einzel << SeparatorLine;
    report.m_gesamt << QStringLiteral("Gesamtergebnis:");

    // The totals come from the first line as stored, never from the sum of the records.
    if (!storedLines.isEmpty()) {
        report.Entschluessele_Ergebnis(storedLines.first());
        report.Trenne_Ergebnis();
    }
    report.m_gesamt << report.Zeige_Block();
    report.m_gesamt << SeparatorLine;

    for (qsizetype k = 1; k <= runs; ++k) {
        report.m_einzel << QStringLiteral("Einzelergebnis Nr. ")
                + store::numberText(static_cast<double>(k));
        report.Entschluessele_Ergebnis(storedLines.at(k));
        report.Trenne_Ergebnis();
        report.Zeige_Einzel();
        report.m_einzel << SeparatorLine;
    }
    return report;
}

void ResultReport::Entschluessele_Ergebnis(const QByteArray& stored)
{
    Ergebnis = store::Scrambler::unscrambleText(stored);
}

void ResultReport::Trenne_Ergebnis()
{
    const results::ResultLine line = results::ResultLine::parse(Ergebnis);
    if (!line.hasSeparator)
        return;
    Vokabeln = line.words;
    Richtig = line.right;
    // A count of wrong answers is a whole number; a damaged file may hold fractions.
    Falsch = std::nearbyint(Vokabeln - Richtig);
}

void ResultReport::Zeige_Einzel()
{
    const std::pair key(Vokabeln, Richtig);
    auto block = m_blocks.constFind(key);
    if (block == m_blocks.constEnd())
        block = m_blocks.insert(key, Zeige_Block());
    m_einzel << *block;
}

QStringList ResultReport::Zeige_Block() const
{
    std::optional<double> Prozent;
    if (Vokabeln > 0)
        Prozent = Richtig * 100 / Vokabeln;
    const QString prozentText = store::percentText(Prozent.value_or(0));
    return {QStringLiteral("Vokabeln: ") + store::numberText(Vokabeln),
            QStringLiteral("davon richtig: ") + store::numberText(Richtig),
            QStringLiteral("davon falsch: ") + store::numberText(Falsch),
            QStringLiteral("in Prozent: ") + prozentText, Setze_Zensur(Prozent, Vokabeln)};
}

} // namespace results
