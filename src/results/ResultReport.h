#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace results {

// The grade line shown under a percentage. Prozent has no value when the result counts no
// words; a result of 0 words gets "-" instead of a grade, and a percentage outside 0 to 100,
// which only a damaged result file gives, gets no line text at all.
[[nodiscard]] QString Setze_Zensur(std::optional<double> Prozent, double Vokabeln);

// The entries of both lists of the results screen: on the left the user, language, lesson and
// the totals; on the right one block per run record, oldest first.
class ResultReport
{
public:
    static inline const QString SeparatorLine = QString(51, QLatin1Char('-'));

    // storedLines are the result file's lines as stored (scrambled): the totals line, then one
    // record per run. No lines means that no run has been completed yet.
    [[nodiscard]] static ResultReport build(const QString& user, const QString& language,
                                            const QString& lesson,
                                            const QList<QByteArray>& storedLines);

    [[nodiscard]] const QStringList& gesamt() const { return m_gesamt; }
    [[nodiscard]] const QStringList& einzel() const { return m_einzel; }

private:
    void Entschluessele_Ergebnis(const QByteArray& stored);
    void Trenne_Ergebnis();
    // The five entries of a result block for the values read last.
    [[nodiscard]] QStringList Zeige_Block() const;
    // The same for a run record; the runs of a lesson repeat a few counts many times.
    void Zeige_Einzel();

    QString Ergebnis;
    // A line without a separator leaves these as the line before set them.
    double Vokabeln = 0;
    double Richtig = 0;
    // Kept as a whole number in a double, so a damaged file with huge counts cannot overflow.
    double Falsch = 0;

    QStringList m_gesamt;
    QStringList m_einzel;
    QHash<std::pair<double, double>, QStringList> m_blocks;
};

} // namespace results
