#pragma once

#include "store/DataTree.h"
#include "store/Outcome.h"

#include <QString>

// The small files through which the screens hand values to one another: the signed-in user, the
// lesson to open and what the results screen is to show. They are written and read here only,
// with one set of rules for missing, incomplete and damaged content.
namespace handoff {

inline const QString SignedInFile = QStringLiteral("tmpUsr");           // program directory
inline const QString LessonChoiceFile = QStringLiteral("tmpEdit");      // user directory
inline const QString ResultsRequestFile = QStringLiteral("tmpErgShow"); // program directory

// Every read gives the value, or refuses with the message the caller gives for a file that is
// missing or incomplete (or holds an empty line where a value is needed); a name that cannot be
// part of a path (only a file changed outside the program) is refused with its own message under
// the same title.
// "tmpUsr": line 1 the user name, line 2 the password, plain and readable by its owner only.
[[nodiscard]] store::Outcome writeSignedInUser(const store::DataTree& tree, const QString& name,
                                               const QString& password);
// The user name of line 1; the password line is not read.
[[nodiscard]] store::Result<QString> readSignedInUser(const store::DataTree& tree,
                                                      const store::Message& missing);

// "tmpEdit" in the user directory: language, lesson and lesson key.
struct LessonChoice
{
    QString language;
    QString lesson;
    QString key;
};
[[nodiscard]] store::Outcome writeLessonChoice(const store::DataTree& tree, const QString& user,
                                               const LessonChoice& choice);
// Of several threes the last complete one counts; its language and key must be there.
[[nodiscard]] store::Result<LessonChoice>
readLessonChoice(const store::DataTree& tree, const QString& user, const store::Message& missing);
void removeLessonChoice(const store::DataTree& tree, const QString& user);

// "tmpErgShow": language directory, user, language, lesson and the result file's full path.
struct ResultsRequest
{
    QString user;
    QString language;
    QString lesson;
    QString resultFile;
};
[[nodiscard]] store::Outcome writeResultsRequest(const store::DataTree& tree,
                                                 const ResultsRequest& request);
// Only a result file inside the data tree, beside the lessons of that language, is accepted; the
// path given back is built from the tree itself.
[[nodiscard]] store::Result<ResultsRequest> readResultsRequest(const store::DataTree& tree,
                                                               const store::Message& missing);

} // namespace handoff
