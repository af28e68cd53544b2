#include "FuzzTargets.h"

#include "boxes/BoxFile.h"
#include "handoff/HandOff.h"
#include "lesson/LessonFile.h"
#include "library/Library.h"
#include "library/ListFile.h"
#include "results/LessonResults.h"
#include "results/ResultColumn.h"
#include "results/ResultFile.h"
#include "signin/UserList.h"
#include "store/DataTree.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace fuzz {
namespace {

using store::TextFile::readRawLines;

QList<QByteArray> storedFiles(const std::uint8_t* data, std::size_t size, qsizetype count)
{
    const QByteArray input = bytesOf(data, size);
    QList<QByteArray> files = filesOf(input.mid(1), count);
    if (input.startsWith(PlainLines))
        for (QByteArray& file : files)
            file = scrambledLines(file);
    return files;
}

// Enough to show that lookups agree with the lists; each lookup reads its list again.
constexpr qsizetype Probes = 4;

const QString User = QStringLiteral("anna");
const QString Language = QStringLiteral("Englisch");

} // namespace

int fuzzUserList(const std::uint8_t* data, std::size_t size)
{
    const QString dir = freshProgramDir();
    writeFile(dir + store::DataTree::UserList, storedFiles(data, size, 1).first());
    const signin::UserList users{store::DataTree(dir)};
    expect(bool(users.makePlainCopy()), "a readable user list gets its plain copy");
    const qsizetype stored = readRawLines(dir + store::DataTree::UserList).size();
    const QStringList plain = store::TextFile::readLines(dir + store::DataTree::PlainUserList);
    expect(plain.size() == stored, "the plain copy keeps one line for each stored line");
    const QStringList names = users.names();
    expect(names.size() == (stored + 1) / 2, "every record of the user list gives one name");
    for (qsizetype i = 0; i < std::min(names.size(), Probes); ++i) {
        expect(names[i] == plain.value(2 * i), "a user is listed under the name stored");
        expect(!users.isNameFree(names[i]), "a listed name is taken");
        if (2 * i + 1 < plain.size())
            expect(users.passwordMatches(names[i], plain[2 * i + 1]),
                   "a listed user's own password matches");
    }
    if (plain.size() >= 2) {
        const bool refused =
            users.signIn(names[0], plain[1]).outcome.status == store::Outcome::Status::Refused;
        const store::Result<QString> handed =
            handoff::readSignedInUser(store::DataTree(dir), {QStringLiteral("fehlt"), {}});
        expect(refused != store::isSafePathName(names[0]),
               "the first user signs in unless the name cannot be a directory");
        expect(refused || (handed.ok() && handed.value == names[0]),
               "the signed-in user is the one the hand-off names");
    }
    return 0;
}

int fuzzLessonFile(const std::uint8_t* data, std::size_t size)
{
    const store::DataTree tree(freshProgramDir());
    const store::LessonFiles files(tree.languagePath(User, Language), QStringLiteral("U1"));
    writeFile(files.stored(), storedFiles(data, size, 1).first());
    const QList<QByteArray> before = readRawLines(files.stored());

    lesson::LessonFile lesson(files, Language, QStringLiteral("Verben"));
    expect(bool(lesson.open()), "a readable lesson opens");
    expect(lesson.size() == before.size(), "every stored line is a pair, damaged or not");
    for (qsizetype i = 0; i < std::min(lesson.size(), Probes); ++i) {
        const QString word = lesson.foreignWord(i);
        const qsizetype found = lesson.find(word);
        expect(found >= 0 && found <= i && lesson.foreignWord(found) == word,
               "a word is found at its first line");
    }
    expect(bool(lesson.storeBack()), "an opened lesson can be stored back");
    expect(readRawLines(files.stored()) == before,
           "a lesson stored back unchanged keeps its lines");
    expect(!QFileInfo::exists(files.working()), "storing back removes the working copy");
    return 0;
}

// The language list, then the lesson list "LSp1".
int fuzzListFile(const std::uint8_t* data, std::size_t size)
{
    const store::DataTree tree(freshProgramDir());
    const QList<QByteArray> files = storedFiles(data, size, 2);
    const QString userPath = tree.userPath(User);
    writeFile(userPath + library::LanguageListFile, files[0]);
    writeFile(userPath + QStringLiteral("LSp1"), files[1]);
    expect(bool(handoff::writeSignedInUser(tree, User, QStringLiteral("geheim"))),
           "the sign-in hand-off can be written");

    const library::ListLines list = library::readList(userPath + library::LanguageListFile);
    expect(list.size() == readRawLines(userPath + library::LanguageListFile).size(),
           "every line of a list is read");
    expect(bool(library::writeList(userPath + QStringLiteral("Spr.copy"), list))
               && readRawLines(userPath + QStringLiteral("Spr.copy"))
                   == readRawLines(userPath + library::LanguageListFile),
           "a list written back unchanged keeps its bytes");

    library::Library library(tree);
    expect(library.open().ok(), "the signed-in user's library opens");
    expect(bool(library.listLanguages()), "a readable language list is shown");
    expect(library.languages().size() == list.size(), "every line of the language list is shown");
    for (qsizetype i = 0; i < std::min(library.languages().size(), Probes); ++i) {
        const QString language = library.languages()[i];
        library.listLessons(language);
        const QString key = library.languageKey(language);
        if (!library::isLanguageKey(key))
            expect(library.lessons().isEmpty(), "a key not of the program's form shows no lessons");
        else if (QFileInfo::exists(userPath + key))
            expect(library.lessons().size() == library::readList(userPath + key).size(),
                   "every line of a lesson list is shown");
        for (const QString& name : library.lessons().mid(0, 2)) {
            const store::Result<library::LessonRef> found = library.findLesson(language, name);
            expect(!found.ok() || found.value.files.stored().startsWith(tree.programPath()),
                   "a lesson found lies inside the program directory");
        }
    }
    return 0;
}

// The result file of one lesson.
int fuzzResults(const std::uint8_t* data, std::size_t size)
{
    const store::DataTree tree(freshProgramDir());
    const store::LessonFiles files(tree.languagePath(User, Language), QStringLiteral("U1"));
    writeFile(files.results(), storedFiles(data, size, 1).first());
    expect(bool(handoff::writeResultsRequest(
               tree, {User, Language, QStringLiteral("Verben"), files.results()})),
           "the results hand-off can be written");

    const qsizetype runs = std::max<qsizetype>(readRawLines(files.results()).size() - 1, 0);
    const results::LessonResults shown = results::LessonResults::load(tree);
    expect(shown.ok(), "a readable result file is shown");
    expect(shown.totals().size() == 11, "the totals list has its eleven lines");
    expect(shown.runs().size() == 1 + 7 * runs, "every run record gives one block");
    expect(shown.scores().size() == runs, "every run record gives one place in the chart");
    for (const results::RunScore& score : shown.scores())
        expect(score.hasBar() ? *score.percent >= 0 && *score.percent <= 100 && score.grade >= 1
                       && score.grade <= 6
                              : score.grade == 0,
               "a bar has a percentage and a grade, a damaged record neither");

    const results::ResultFile::Totals totals = results::ResultFile::readTotals(files.results());
    expect(totals.words >= 0 && totals.right >= 0, "stored totals are never negative");
    results::ResultColumn total;
    total.setCounts(totals.words + 10, totals.right + 7);
    results::ResultColumn run;
    run.setCounts(10, 7);
    expect(bool(results::ResultFile::storeRun(files.results(), total, run)),
           "a run is stored behind any result file");
    const results::LessonResults after = results::LessonResults::load(tree);
    expect(after.scores().size() == runs + 1 && after.scores().last().grade != 0,
           "a run stored is read back as the last one");
    return 0;
}

// The plain hand-off files "tmpUsr", "tmpEdit" of the user "anna" and "tmpErgShow"; TreeToken
// in them names the program directory.
int fuzzHandOff(const std::uint8_t* data, std::size_t size)
{
    const store::DataTree tree(freshProgramDir());
    QList<QByteArray> files = filesOf(bytesOf(data, size), 3);
    for (QByteArray& file : files)
        file.replace(TreeToken, QFile::encodeName(tree.programPath()));
    writeFile(tree.programFile(handoff::SignedInFile), files[0]);
    writeFile(tree.userPath(User) + handoff::LessonChoiceFile, files[1]);
    writeFile(tree.programFile(handoff::ResultsRequestFile), files[2]);
    QDir().mkpath(tree.languagePath(User, Language));

    const store::Result<lesson::HandedOverLesson> lesson =
        lesson::openHandedOverLesson(tree, lesson::LessonUse::Editing);
    if (lesson.value.lesson)
        expect(
            QDir::cleanPath(lesson.value.lesson->files().stored()).startsWith(tree.programPath()),
            "a lesson handed over lies inside the program directory");

    const store::Result<handoff::ResultsRequest> request =
        handoff::readResultsRequest(tree, {QStringLiteral("fehlt"), {}});
    if (request.ok()) {
        const QString languageDir =
            QDir::cleanPath(QFileInfo(tree.languagePath(request.value.user, request.value.language))
                                .absoluteFilePath());
        expect(QFileInfo(request.value.resultFile).absolutePath() == languageDir,
               "a result file handed over lies in its language directory");
    }
    expect(results::LessonResults::load(tree).ok() == request.ok(),
           "results are shown exactly when the hand-off names their file plainly");
    return 0;
}

// The file of a lesson's boxes: whatever it holds gives places the program could have written.
int fuzzBoxes(const std::uint8_t* data, std::size_t size)
{
    const store::DataTree tree(freshProgramDir());
    const store::LessonFiles files(tree.languagePath(User, Language), QStringLiteral("U1"));
    writeFile(files.boxes(), storedFiles(data, size, 1).first());
    const boxes::Boxes read = boxes::readBoxFile(files.boxes());
    expect(read.size() <= readRawLines(files.boxes()).size(), "a line gives one place at most");
    const QStringList words = read.words();
    for (const QString& word : words) {
        const boxes::Place place = *read.place(word);
        expect(place.box >= boxes::FirstBox && place.box <= boxes::LastBox
                   && place.answered.isValid() && !word.isEmpty(),
               "a place has a word, a box from 1 to 5 and a day");
    }
    expect(bool(boxes::writeBoxFile(files.boxes(), read, words)), "the places can be written");
    const boxes::Boxes again = boxes::readBoxFile(files.boxes());
    expect(again.size() == read.size(), "the places written are read back");
    for (const QString& word : words)
        expect(again.place(word) == read.place(word), "each place is read back as written");
    return 0;
}

} // namespace fuzz
