#include "exercise/Run.h"

#include "exercise/AnswerCheck.h"
#include "lesson/WordPair.h"
#include "store/TextFile.h"

namespace exercise {

Run::Run(QStringList workingCopy, Direction direction, Selection selection, QString runCopyPath,
         std::function<double()> uniform, std::function<bool(const QString&)> due)
    : m_lines(std::move(workingCopy))
    , m_direction(direction)
    , m_selection(selection)
    , m_runCopyPath(std::move(runCopyPath))
    , m_uniform(std::move(uniform))
    , m_due(std::move(due))
{
    m_out.reserve(m_lines.size());
    m_writeResult = store::TextFile::writeLines(m_runCopyPath, {});
}

bool Run::next()
{
    m_current = -1;
    m_shown.clear();
    m_expected.clear();
    m_foreign.clear();
    const qsizetype size = m_lines.size();
    qsizetype i = m_next;
    lesson::WordPair pair;
    for (; i < size; ++i) {
        pair = lesson::WordPair::parse(m_lines[i]);
        // A damaged line (no separator, no room for the mark) is never asked, only kept.
        if (pair.valid && asks(pair))
            break;
    }
    passOn(m_lines.mid(m_next, i - m_next));
    m_next = i;
    if (i == size) {
        m_atEnd = true;
        return false;
    }
    m_current = i;
    m_foreign = pair.foreign;
    const bool foreignShown = m_direction == Direction::ForeignToGerman;
    const QString& shownSide = foreignShown ? pair.foreign : pair.german;
    m_expected = foreignShown ? pair.german : pair.foreign;
    // Only a side with several meanings needs a draw.
    m_shown = shownSide.contains(QLatin1Char(';')) ? meaningFor(shownSide, m_uniform()) : shownSide;
    return true;
}

bool Run::asks(const lesson::WordPair& pair) const
{
    switch (m_selection) {
    case Selection::AllWords:
        return true;
    case Selection::WrongOnly:
        return pair.mark == QLatin1Char('f');
    case Selection::Due:
        return !m_due || m_due(pair.foreign);
    }
    return true;
}

void Run::markAnswer(bool right)
{
    if (m_current < 0)
        return;
    QString line = m_lines[m_current];
    line[line.size() - 1] = right ? QLatin1Char('r') : QLatin1Char('f');
    passOn({line});
    m_next = m_current + 1;
    m_current = -1;
}

void Run::passOn(const QStringList& lines)
{
    if (lines.isEmpty())
        return;
    m_out += lines;
    if (m_writeResult.ok())
        m_writeResult = store::TextFile::appendLines(m_runCopyPath, lines);
}

} // namespace exercise
