#pragma once

#include <QString>

// Every text that import and export show the user. fileName is a bare file name.
namespace exchange::message {

// Whole files that give no pairs.
[[nodiscard]] QString cannotRead(const QString& fileName);
[[nodiscard]] QString tooBig(const QString& fileName);
[[nodiscard]] QString empty(const QString& fileName);
[[nodiscard]] QString notText(const QString& fileName);
[[nodiscard]] QString noColumns(const QString& fileName);
[[nodiscard]] QString openQuote(const QString& fileName, int line);
[[nodiscard]] QString notKvtml(const QString& fileName);
[[nodiscard]] QString kvtmlVersion(const QString& fileName);
[[nodiscard]] QString xmlDamaged(const QString& fileName, qint64 line);
[[nodiscard]] QString xmlEntities(const QString& fileName);
[[nodiscard]] QString xmlDeclarations(const QString& fileName);
[[nodiscard]] QString kvtmlLanguages(const QString& fileName);
[[nodiscard]] QString noEntries(const QString& fileName);
[[nodiscard]] QString cancelled(const QString& fileName);
// Files beyond a limit of Exchange.h; line is where the reader met it.
[[nodiscard]] QString tooDeep(const QString& fileName);
[[nodiscard]] QString tooManyAttributes(const QString& fileName, qsizetype line);
[[nodiscard]] QString tooManyLanguages(const QString& fileName);
[[nodiscard]] QString tooManyLessons(const QString& fileName);
[[nodiscard]] QString tooManyColumns(const QString& fileName, int line);
[[nodiscard]] QString tooManyRows(const QString& fileName, bool entries);
[[nodiscard]] QString tooManyCells(const QString& fileName, bool entries);

// Reasons for a row left out; unstorable characters are told in the editor's own words.
[[nodiscard]] QString emptyForeign();
[[nodiscard]] QString emptyGerman();
// first: the row number of the first occurrence; entries: KVTML rows are entries, not lines.
[[nodiscard]] QString duplicateMerged(int first, bool entries);
[[nodiscard]] QString duplicateUnchanged(int first, bool entries);

// done: the pairs are stored, and the summary says so in the past tense.
[[nodiscard]] QString summary(qsizetype pairs, qsizetype merged, qsizetype leftOut, bool entries,
                              bool done);
// The last line of a list that shows only the first rows left out.
[[nodiscard]] QString moreLeftOut(qsizetype more, bool entries);

// The name of a new lesson when the file offers none that a lesson may carry.
[[nodiscard]] QString fallbackLessonName();
// Column names of delimited text, numbered from 1.
[[nodiscard]] QString column(int number);
// A KVTML language or lesson that has no name.
[[nodiscard]] QString language(int id);
[[nodiscard]] QString unnamedLesson(qsizetype number);

} // namespace exchange::message
