#pragma once

#include "exercise/Run.h"
#include "lesson/LessonFile.h"
#include "results/ResultColumn.h"
#include "store/Outcome.h"

#include <QDate>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace exercise {

// The drill of one open lesson: runs over its lines, the counts of the running run and of every
// run so far, and what a run leaves in the lesson and its result file.
class Drill
{
public:
    // Reads the totals of the runs so far; a missing result file is created empty. today gives
    // the day that decides which pairs are due and that an answer is dated.
    explicit Drill(
        lesson::LessonFile lesson,
        std::function<QDate()> today = [] { return QDate::currentDate(); });

    [[nodiscard]] const lesson::LessonFile& lesson() const { return m_lesson; }
    [[nodiscard]] const results::ResultColumn& current() const { return m_current; }
    [[nodiscard]] const results::ResultColumn& total() const { return m_total; }
    [[nodiscard]] bool running() const { return m_run != nullptr; }
    // A word is shown and waits for its answer.
    [[nodiscard]] bool asking() const { return m_run && !m_run->atEnd(); }

    // Starts a run over the lesson's lines as they are now. uniform draws in [0, 1).
    void start(Direction direction, Selection selection, std::function<double()> uniform);
    // Moves on to the next word; false when the run has reached the end of the lesson.
    [[nodiscard]] bool next();
    [[nodiscard]] QString shown() const { return m_run ? m_run->shown() : QString(); }
    // Judges and counts the answer to the word shown. Empty when right, otherwise the message
    // that gives the solution.
    [[nodiscard]] QString answer(const QString& typed);

    // The run copy could not be written: without it a crash would lose the run unnoticed.
    [[nodiscard]] bool broken() const { return m_run && !m_run->writeResult().ok(); }
    // Ends a broken run as "Übung beenden" would: the lesson keeps its marks, the totals go back
    // to what they were. Gives the failure to tell.
    [[nodiscard]] store::Outcome stopBroken();

    // How many of the lesson's pairs are due today, e.g. "12 von 40 Vokabeln fällig".
    [[nodiscard]] QString dueSummary() const;

    // What the user is told when the run has reached the end of the lesson; when nothing was
    // due, the day the next pair is.
    [[nodiscard]] QString endMessage() const;
    // Ends that run. A run that asked words is stored: its record in the result file and its
    // marks and boxes in the lesson at once, so that every way out keeps them. The failure to tell, the
    // result file's first (a full disk is told once); when the result file keeps its old
    // totals, so does the total column.
    [[nodiscard]] store::Outcome finish();

    // "Zurück": the lesson gets the lines held here, which the working copy mirrors; so a
    // working copy removed behind the program's back cannot empty the lesson.
    [[nodiscard]] store::Outcome storeBack() { return m_lesson.storeBack(); }
    // Leaving the drill drops a running run and every scratch file of the language directory.
    void leave();

private:
    void endRun();

    lesson::LessonFile m_lesson;
    std::function<QDate()> m_today;
    Selection m_selection = Selection::AllWords;
    // The answers of the running run, which move their pairs through the boxes once it completes.
    QList<std::pair<QString, bool>> m_answers;
    std::unique_ptr<Run> m_run;
    results::ResultColumn m_current;
    results::ResultColumn m_total;
    results::ResultColumn m_totalAtStart;
};

} // namespace exercise
