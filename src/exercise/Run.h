#pragma once

#include "lesson/WordPair.h"
#include "store/Outcome.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace exercise {

enum class Direction { ForeignToGerman, GermanToForeign };
// Every word of the lesson, only those last answered wrong (mark "f"), or those whose box makes
// them due today.
enum class Selection { AllWords, WrongOnly, Due };

// One exercise run over the lines of the working copy, first to last, each line at most once.
// Every line dealt with goes to the run copy exactly once, in order: asked lines with their new
// mark, passed-over lines unchanged. The run copy is written as the run goes, so a crash loses
// little; the lines are also kept here and become the new working copy when the run completes.
class Run
{
public:
    // Creates the run copy empty. uniform draws a number in [0, 1) to pick the meaning shown;
    // due tells, for Selection::Due, whether the pair of a foreign word is to be asked.
    Run(QStringList workingCopy, Direction direction, Selection selection, QString runCopyPath,
        std::function<double()> uniform, std::function<bool(const QString&)> due = {});

    // Moves on to the next word to ask. False when the end of the working copy is reached.
    [[nodiscard]] bool next();
    [[nodiscard]] bool atEnd() const { return m_atEnd; }

    // The word being asked: the shown side narrowed to one meaning, and the whole answer side.
    [[nodiscard]] QString shown() const { return m_shown; }
    [[nodiscard]] QString expected() const { return m_expected; }
    // The foreign word of the pair being asked, which names its box.
    [[nodiscard]] QString foreign() const { return m_foreign; }

    // Sets the mark of the asked line, "r" or "f", and passes the line on to the run copy.
    void markAnswer(bool right);

    // Every line dealt with so far.
    [[nodiscard]] const QStringList& runCopy() const { return m_out; }
    // The first failed write to the run copy; the run goes on in memory after it.
    [[nodiscard]] const store::Outcome& writeResult() const { return m_writeResult; }

private:
    [[nodiscard]] bool asks(const lesson::WordPair& pair) const;
    void passOn(const QStringList& lines);

    const QStringList m_lines;
    const Direction m_direction;
    const Selection m_selection;
    const QString m_runCopyPath;
    const std::function<double()> m_uniform;
    const std::function<bool(const QString&)> m_due;

    QStringList m_out;
    store::Outcome m_writeResult;
    qsizetype m_next = 0;
    qsizetype m_current = -1;
    bool m_atEnd = false;
    QString m_shown;
    QString m_expected;
    QString m_foreign;
};

} // namespace exercise
