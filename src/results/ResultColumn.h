#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace results {

// One column of the exercise's results: words answered and right answers, with the texts the
// screen shows for them. The percentage is only worked out while words were answered; when the
// count goes back to 0 it keeps its last value.
class ResultColumn
{
public:
    void setCounts(qint64 words, qint64 right);
    // One more judged answer.
    void count(bool right);
    // Counts back to 0; the percentage stays as it was.
    void clearCounts();

    [[nodiscard]] qint64 words() const { return m_words; }
    [[nodiscard]] qint64 right() const { return m_right; }
    [[nodiscard]] qint64 wrong() const { return m_words - m_right; }
    [[nodiscard]] double percent() const { return m_percent; }

    // Number texts with the sign place (" 10"), the percentage cut after two decimals and
    // followed by " %", the grade "1" to "6" or " -" while no word was answered.
    [[nodiscard]] QString wordsText() const;
    [[nodiscard]] QString rightText() const;
    [[nodiscard]] QString wrongText() const;
    [[nodiscard]] QString percentText() const;
    [[nodiscard]] QString gradeText() const;

private:
    qint64 m_words = 0;
    qint64 m_right = 0;
    double m_percent = 0;
};

// The message that closes a run, built from the texts of the run's column.
[[nodiscard]] QString runSummary(const ResultColumn& run);

} // namespace results
