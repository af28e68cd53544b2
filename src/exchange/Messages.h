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
// A KVTML file whose bytes do not fit the encoding it declares (UTF-8 when it declares none).
[[nodiscard]] QString wrongEncoding(const QString& fileName, const QString& encoding);
[[nodiscard]] QString unknownEncoding(const QString& fileName, const QString& encoding);
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

// Reasons for a row left out; characters outside Windows-1252 and backslashes are told in the
// editor's own words.
[[nodiscard]] QString emptyForeign();
[[nodiscard]] QString emptyGerman();
[[nodiscard]] QString lineBreak();
[[nodiscard]] QString controlCharacter();
// first: the row number of the first occurrence; entries: KVTML rows are entries, not lines.
[[nodiscard]] QString duplicateMerged(int first, bool entries);
[[nodiscard]] QString duplicateUnchanged(int first, bool entries);

// leftOut counts every row left out, the merged duplicates among them. done: the pairs are
// stored, and the summary says so in the past tense.
[[nodiscard]] QString summary(qsizetype pairs, qsizetype merged, qsizetype leftOut, bool entries,
                              bool done);
// The heading of the list of rows left out, one line of it, and its last line when it shows only
// the first rows.
[[nodiscard]] QString leftOutHeading(bool entries);
[[nodiscard]] QString leftOutLine(int row, const QString& text, const QString& reason,
                                  bool entries);
[[nodiscard]] QString moreLeftOut(qsizetype more, bool entries);

// Above the preview: shown of total rows, of the file, of the KVTML lesson chosen or below the
// header row.
enum class PreviewOf { File, Lesson, BelowHeader };
[[nodiscard]] QString previewCaption(qsizetype shown, qsizetype total, bool entries, PreviewOf of);
// Beside the column choice when no column is known to be German.
[[nodiscard]] QString noGermanColumn();
// A count or row number as German text writes it ("12.345").
[[nodiscard]] QString number(qsizetype n);

// The name of a new lesson when the file offers none that a lesson may carry.
[[nodiscard]] QString fallbackLessonName();
// Column names of delimited text, numbered from 1.
[[nodiscard]] QString column(int number);
// A KVTML language or lesson that has no name.
[[nodiscard]] QString language(int id);
[[nodiscard]] QString unnamedLesson(qsizetype number);

} // namespace exchange::message
