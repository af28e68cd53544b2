// Big lessons on the real screens: the editor, the exercise screen and the results screen, each
// shown through app::Screens in a temporary program directory with scripted services.

#include "TestProgram.h"
#include "editor/frmEditUnit.h"
#include "exercise/frmPaukomat.h"
#include "results/frmErgebnis.h"
#include "store/NumberText.h"
#include "store/TextFile.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using testing::TestProgram;

namespace {

const QString Lang = QStringLiteral("anna/Englisch/");

// The foreign word of pair i: seven letters that look random, so the list has real sorting to
// do; distinct for every i below 2^32, since multiplying by an odd number permutes them.
QString foreignWord(quint32 i)
{
    quint32 x = i * 2654435761u;
    QString word;
    for (int k = 0; k < 7; ++k) {
        word += QLatin1Char(static_cast<char>('a' + x % 26));
        x /= 26;
    }
    return word;
}

// A signed-in user "anna" with the lesson "Lektion 1" (file "U1") of the language "Englisch",
// chosen as the main screen chooses it, and optionally a result file of the given runs and a
// file of boxes in which every other pair is due.
class Session
{
public:
    explicit Session(int pairs, int runs = 0, bool boxes = false)
    {
        program.writePlain(QStringLiteral("tmpUsr"), {QStringLiteral("anna")});
        program.writePlain(
            QStringLiteral("anna/tmpEdit"),
            {QStringLiteral("Englisch"), QStringLiteral("Lektion 1"), QStringLiteral("U1")});
        QStringList lines;
        lines.reserve(pairs);
        for (int i = 0; i < pairs; ++i) {
            const QString foreign = foreignWord(static_cast<quint32>(i));
            // Every third pair has several meanings; any one of them is a right answer.
            const QString german = i % 3 == 0 ? QStringLiteral("Bedeutung %1;zweite;dritte").arg(i)
                                              : QStringLiteral("Bedeutung %1").arg(i);
            m_answers.insert(foreign, german.section(QLatin1Char(';'), 0, 0));
            lines.append(foreign + QStringLiteral("\\\\") + german + QStringLiteral("\\\\\\f"));
        }
        program.writeScrambled(Lang + QStringLiteral("U1"), lines);
        if (runs > 0)
            writeResults(runs);
        if (boxes)
            writeBoxes(pairs);
    }

    // A right answer to the word shown.
    [[nodiscard]] QString answerFor(const QString& shown) const { return m_answers.value(shown); }

    TestProgram program;

private:
    void writeResults(int runs)
    {
        QStringList records;
        qint64 words = 0;
        qint64 right = 0;
        for (int k = 0; k < runs; ++k) {
            const int w = 10 + k % 20;
            const int r = k % (w + 1);
            words += w;
            right += r;
            records.append(QStringLiteral("%1\\\\%2").arg(w).arg(r));
        }
        records.prepend(store::numberText(static_cast<double>(words)) + QStringLiteral("\\\\")
                        + store::numberText(static_cast<double>(right)));
        program.writeScrambled(Lang + QStringLiteral("EU1"), records);
        const QString resultFile = program.path(Lang + QStringLiteral("EU1"));
        program.writePlain(QStringLiteral("tmpErgShow"),
                           {program.path(Lang), QStringLiteral("anna"), QStringLiteral("Englisch"),
                            QStringLiteral("Lektion 1"), resultFile});
    }

    void writeBoxes(int pairs)
    {
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        QStringList places;
        places.reserve(pairs);
        for (int i = 0; i < pairs; ++i)
            places.append(i % 2 == 0 ? QStringLiteral("%1\\\\2000-01-01\\\\").arg(i / 2 % 5 + 1)
                                     : QStringLiteral("5\\\\") + today + QStringLiteral("\\\\"));
        for (int i = 0; i < pairs; ++i)
            places[i] += foreignWord(static_cast<quint32>(i));
        program.writeScrambled(Lang + QStringLiteral(".KU1"), places);
    }

    QHash<QString, QString> m_answers;
};

// Ends the benchmark with an error when a screen did not do what it was asked; the timing stays
// running, as the library expects when the loop is left.
bool failed(benchmark::State& state, bool ok, const char* what)
{
    if (ok)
        return false;
    state.SkipWithError(what);
    return true;
}

// Lets the screen lay itself out and paint, as it would before the user sees it.
void settle()
{
    QCoreApplication::processEvents();
}

void BM_OpenEditor(benchmark::State& state)
{
    const int pairs = static_cast<int>(state.range(0));
    Session session(pairs);
    for (auto _ : state) {
        session.program.screens().showEditor();
        settle();
        state.PauseTiming();
        auto* editor = TestProgram::shown<editor::frmEditUnit>();
        const bool listed =
            editor && editor->findChild<QListView*>("lstVokabeln")->model()->rowCount() == pairs;
        delete editor;
        state.ResumeTiming();
        if (failed(state, listed, "the editor did not list the lesson"))
            break;
    }
}

// Watches for the first paint of the editor's word list, and whether the main screen was still
// in sight then.
class ListPaint final : public QObject
{
public:
    explicit ListPaint(QWidget* main)
        : m_main(main)
    {
        qApp->installEventFilter(this);
    }
    ~ListPaint() override { qApp->removeEventFilter(this); }

    bool painted = false;
    bool mainInSight = false;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!painted && event->type() == QEvent::Paint && watched->parent()
            && watched->parent()->objectName() == QLatin1String("lstVokabeln")) {
            painted = true;
            mainInSight = m_main->isVisible();
        }
        return false;
    }

private:
    QWidget* m_main;
};

// "Lektion bearbeiten" on the main screen until the editor's word list is painted.
void BM_EditorFirstPaint(benchmark::State& state)
{
    const int pairs = static_cast<int>(state.range(0));
    Session session(pairs);
    session.program.writeScrambled(QStringLiteral("anna/Spr.dat"),
                                   {QStringLiteral("Englisch\\\\LSp1")});
    session.program.writeScrambled(QStringLiteral("anna/LSp1"),
                                   {QStringLiteral("Lektion 1\\\\U1")});
    session.program.screens().showMain();
    QWidget* main = session.program.screens().mainScreen();
    auto* edit = main ? main->findChild<QAction*>("mnuLektionEdit") : nullptr;
    if (failed(state, edit != nullptr, "the main screen did not open"))
        return;
    TestProgram::settle();
    for (auto _ : state) {
        ListPaint watch(main);
        QElapsedTimer waited;
        waited.start();
        edit->trigger();
        while (!watch.painted && !waited.hasExpired(10000))
            QCoreApplication::processEvents();
        state.PauseTiming();
        auto* editor = TestProgram::shown<editor::frmEditUnit>();
        const bool handedOver = editor && watch.mainInSight && !main->isVisible();
        delete editor;
        session.program.screens().restoreMain();
        TestProgram::settle();
        state.ResumeTiming();
        if (failed(state, watch.painted, "the editor was not painted")
            || failed(state, handedOver,
                      "the main screen did not stay until the editor was painted"))
            break;
    }
}

void BM_AddPair(benchmark::State& state)
{
    const int pairs = static_cast<int>(state.range(0));
    Session session(pairs);
    editor::frmEditUnit* editor = nullptr;
    int added = 0;
    quint64 syncs = 0;
    quint32 next = static_cast<quint32>(pairs);
    for (auto _ : state) {
        state.PauseTiming();
        // A fresh editor now and then keeps the lesson at its size.
        if (!editor || added == 10) {
            delete editor;
            session.program.screens().showEditor();
            editor = TestProgram::shown<editor::frmEditUnit>();
            added = 0;
        }
        const bool open = editor != nullptr;
        if (open) {
            editor->findChild<QLineEdit*>("txtNewVokabelSprache")->setText(foreignWord(next++));
            editor->findChild<QLineEdit*>("txtNewVokabelDeutsch")
                ->setText(QStringLiteral("neu;frisch"));
        }
        state.ResumeTiming();
        if (failed(state, open, "the editor did not open"))
            break;
        const quint64 before = store::TextFile::syncCount();
        editor->findChild<QPushButton*>("cmdVokabelNeu")->click();
        settle();
        syncs += store::TextFile::syncCount() - before;
        ++added;
        if (failed(state,
                   editor->findChild<QListView*>("lstVokabeln")->model()->rowCount()
                           == pairs + added
                       && session.program.messages.shown.isEmpty(),
                   "the pair was not added"))
            break;
    }
    state.counters["syncs"] =
        benchmark::Counter(static_cast<double>(syncs), benchmark::Counter::kAvgIterations);
}

void BM_OpenExercise(benchmark::State& state)
{
    Session session(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        session.program.screens().showExercise();
        settle();
        state.PauseTiming();
        auto* exercise = TestProgram::shown<exercise::frmPaukomat>();
        const bool ready =
            exercise && exercise->findChild<QPushButton*>("cmdStartUebung")->isEnabled();
        delete exercise;
        state.ResumeTiming();
        if (failed(state, ready, "the exercise screen did not open"))
            break;
    }
}

// Types a right answer to the word shown and presses Enter.
void answerRight(const Session& session, exercise::frmPaukomat* exercise)
{
    exercise->findChild<QLineEdit*>("txtLoesung")
        ->setText(session.answerFor(exercise->findChild<QLabel*>("lblVorgabe")->text()));
    QTest::keyClick(exercise->findChild<QLineEdit*>("txtLoesung"), Qt::Key_Return);
}

// The exercise screen opened untimed for a benchmark of what happens on it; nullptr after
// ending the benchmark with an error.
exercise::frmPaukomat* openExercise(benchmark::State& state, Session& session)
{
    session.program.screens().showExercise();
    auto* exercise = TestProgram::shown<exercise::frmPaukomat>();
    return failed(state, exercise != nullptr, "the exercise screen did not open") ? nullptr
                                                                                  : exercise;
}

// Types the right answer with the timing paused, as it is on entry, and judges it timed; adds
// the disk syncs the answer cost.
void judgeRightAnswer(benchmark::State& state, const Session& session,
                      exercise::frmPaukomat* exercise, quint64* syncs)
{
    auto* answer = exercise->findChild<QLineEdit*>("txtLoesung");
    answer->setText(session.answerFor(exercise->findChild<QLabel*>("lblVorgabe")->text()));
    state.ResumeTiming();
    const quint64 before = store::TextFile::syncCount();
    QTest::keyClick(answer, Qt::Key_Return);
    settle();
    *syncs += store::TextFile::syncCount() - before;
}

// The drill opened with the boxes beside the lesson, the due pairs chosen and the first of them
// shown.
void BM_OpenDueExercise(benchmark::State& state)
{
    Session session(static_cast<int>(state.range(0)), 0, true);
    for (auto _ : state) {
        session.program.screens().showExercise();
        auto* exercise = TestProgram::shown<exercise::frmPaukomat>();
        if (failed(state, exercise != nullptr, "the exercise screen did not open"))
            break;
        exercise->findChild<QRadioButton*>("optPaukomatWelcheVokabeln_2")->click();
        exercise->findChild<QPushButton*>("cmdStartUebung")->click();
        settle();
        state.PauseTiming();
        const bool asked = !exercise->findChild<QLabel*>("lblVorgabe")->text().isEmpty()
            && exercise->findChild<QLabel*>("lblFaellig")
                   ->text()
                   .startsWith(store::numberText(state.range(0) / 2).mid(1)
                               + QStringLiteral(" von "));
        delete exercise;
        state.ResumeTiming();
        if (failed(state, asked, "the due pairs were not asked"))
            break;
    }
}

void BM_JudgedAnswer(benchmark::State& state)
{
    const int pairs = static_cast<int>(state.range(0));
    Session session(pairs);
    exercise::frmPaukomat* exercise = openExercise(state, session);
    if (!exercise)
        return;
    exercise->findChild<QPushButton*>("cmdStartUebung")->click();
    int answered = 0;
    quint64 syncs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // The last word of a run ends it with a message and stores the run: not one answer.
        if (answered == pairs - 1) {
            session.program.messages.queueOk();
            answerRight(session, exercise);
            exercise->findChild<QPushButton*>("cmdStartUebung")->click();
            answered = 0;
        }
        judgeRightAnswer(state, session, exercise, &syncs);
        ++answered;
        const QString count = store::numberText(answered);
        if (failed(state,
                   exercise->findChild<QLabel*>("lblErgebnisAktuell_5")->text() == count
                       && exercise->findChild<QLabel*>("lblErgebnisAktuell_6")->text() == count,
                   "the answer was not judged right"))
            break;
    }
    state.counters["syncs"] =
        benchmark::Counter(static_cast<double>(syncs), benchmark::Counter::kAvgIterations);
}

// One judged answer in a run over the due pairs, with the boxes beside the lesson; the run is
// far from its end.
void BM_DueJudgedAnswer(benchmark::State& state)
{
    const int pairs = static_cast<int>(state.range(0));
    Session session(pairs, 0, true);
    exercise::frmPaukomat* exercise = openExercise(state, session);
    if (!exercise)
        return;
    exercise->findChild<QRadioButton*>("optPaukomatWelcheVokabeln_2")->click();
    exercise->findChild<QPushButton*>("cmdStartUebung")->click();
    int answered = 0;
    quint64 syncs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        judgeRightAnswer(state, session, exercise, &syncs);
        ++answered;
        if (failed(state,
                   answered < pairs / 2
                       && exercise->findChild<QLabel*>("lblErgebnisAktuell_6")->text()
                           == store::numberText(answered),
                   "the answer was not judged right"))
            break;
    }
    state.counters["syncs"] =
        benchmark::Counter(static_cast<double>(syncs), benchmark::Counter::kAvgIterations);
}

void BM_WholeRun(benchmark::State& state)
{
    const int pairs = static_cast<int>(state.range(0));
    Session session(pairs);
    exercise::frmPaukomat* exercise = openExercise(state, session);
    if (!exercise)
        return;
    const QString summary = QStringLiteral("Anzahl Vokabeln: ") + store::numberText(pairs)
        + QStringLiteral("\ndavon richtig: ") + store::numberText(pairs);
    for (auto _ : state) {
        session.program.messages.queueOk();
        exercise->findChild<QPushButton*>("cmdStartUebung")->click();
        for (int i = 0; i < pairs; ++i) {
            answerRight(session, exercise);
            settle();
        }
        const auto& shown = session.program.messages.shown;
        if (failed(state, shown.size() == 1 && shown.first().text.contains(summary),
                   "the run did not end with every answer right"))
            break;
        session.program.messages.shown.clear();
    }
    state.counters["words"] = pairs;
}

void BM_OpenResults(benchmark::State& state)
{
    const int runs = static_cast<int>(state.range(0));
    Session session(10, runs);
    for (auto _ : state) {
        session.program.screens().showResults();
        settle();
        state.PauseTiming();
        auto* results = TestProgram::shown<results::frmErgebnis>();
        // A separator line, then seven entries for every run.
        const bool listed =
            results && results->findChild<QListWidget*>("lstErgebnisse")->count() == 1 + 7 * runs;
        delete results;
        state.ResumeTiming();
        if (failed(state, listed, "the results screen did not list every run"))
            break;
    }
}

void lessonSizes(benchmark::internal::Benchmark* b)
{
    b->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

BENCHMARK(BM_OpenEditor)->Apply(lessonSizes);
BENCHMARK(BM_EditorFirstPaint)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_AddPair)->Apply(lessonSizes);
BENCHMARK(BM_OpenExercise)->Apply(lessonSizes);
BENCHMARK(BM_JudgedAnswer)->Apply(lessonSizes);
BENCHMARK(BM_OpenDueExercise)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DueJudgedAnswer)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WholeRun)->Apply(lessonSizes);
BENCHMARK(BM_OpenResults)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
