#include "editor/frmEditUnit.h"

#include "handoff/HandOff.h"
#include "store/DataTree.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <limits>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

namespace {

const QString Title = QStringLiteral("Paukomat V1.1");
const QString NewTitle = QStringLiteral("Paukomat V1.1  ... neue Vokabel");
const QString Hint = QStringLiteral(
    "Mehrfachbedeutungen sind durch Semikolon getrennt einzugeben (z.B.: the = der;die;das)");

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* makeField(QWidget* parent, const QString& name)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    // A stored pair may be longer than a line edit takes by default; it must never be cut.
    field->setMaxLength(std::numeric_limits<int>::max());
    return field;
}

QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& title)
{
    auto* frame = new QGroupBox(title, parent);
    frame->setObjectName(name);
    return frame;
}

} // namespace

frmEditUnit::frmEditUnit(const ui::ScreenContext& context, QWidget* parent)
    : ui::ScreenBase(context, parent)
{
    setObjectName(QStringLiteral("frmEditUnit"));
    setWindowTitle(Title);

    lstVokabeln = new QListWidget(this);
    lstVokabeln->setObjectName(QStringLiteral("lstVokabeln"));
    lstVokabeln->setSelectionMode(QAbstractItemView::SingleSelection);
    // Long lessons: rows of one height spare the list measuring every entry.
    lstVokabeln->setUniformItemSizes(true);

    fmeVokabelNeu
        = makeFrame(this, QStringLiteral("fmeVokabelNeu"), QStringLiteral("neue Vokabel"));
    cmdVokabelNeu
        = createButton(fmeVokabelNeu, QStringLiteral("cmdVokabelNeu"), QStringLiteral("<<   Neu"),
                     QStringLiteral("Die neue Vokabel übernehmen"));
    Label5 = makeLabel(fmeVokabelNeu, QStringLiteral("Label5"), Hint);
    Label1 = makeLabel(fmeVokabelNeu, QStringLiteral("Label1"), {});
    txtNewVokabelSprache = makeField(fmeVokabelNeu, QStringLiteral("txtNewVokabelSprache"));
    Label2 = makeLabel(fmeVokabelNeu, QStringLiteral("Label2"), QStringLiteral("Deutsch:"));
    txtNewVokabelDeutsch = makeField(fmeVokabelNeu, QStringLiteral("txtNewVokabelDeutsch"));

    fmeVokabelChange
        = makeFrame(this, QStringLiteral("fmeVokabelChange"), QStringLiteral("Vokabel ändern"));
    cmdVokabelEdit = createButton(fmeVokabelChange, QStringLiteral("cmdVokabelEdit"),
                                QStringLiteral(">>   Ändern   <<"),
                                QStringLiteral("Den in den Eingabefeldern eingegebenen Text an die "
                                               "Vokabel übertragen"));
    Label6 = makeLabel(fmeVokabelChange, QStringLiteral("Label6"), Hint);
    Label4 = makeLabel(fmeVokabelChange, QStringLiteral("Label4"), {});
    txtChangeVokabelSprache
        = makeField(fmeVokabelChange, QStringLiteral("txtChangeVokabelSprache"));
    Label3 = makeLabel(fmeVokabelChange, QStringLiteral("Label3"), QStringLiteral("Deutsch:"));
    txtChangeVokabelDeutsch
        = makeField(fmeVokabelChange, QStringLiteral("txtChangeVokabelDeutsch"));
    for (QLabel* hint : {Label5, Label6}) {
        hint->setWordWrap(true);
        hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    cmdVokabelDelete
        = createButton(this, QStringLiteral("cmdVokabelDelete"), QStringLiteral("Löschen   >>"),
                     QStringLiteral("Löschen der in der Liste gewählten Vokabel"));
    cmdHelp = createHelpButton();
    cmdExit = createButton(this, QStringLiteral("cmdExit"), QStringLiteral("beenden"),
                         QStringLiteral("Eingabe beenden"));

    arrange();

    setTabOrder(cmdVokabelDelete, cmdExit);
    setTabOrder(cmdExit, txtNewVokabelSprache);
    setTabOrder(txtNewVokabelSprache, txtNewVokabelDeutsch);
    setTabOrder(txtNewVokabelDeutsch, cmdVokabelNeu);
    setTabOrder(cmdVokabelNeu, txtChangeVokabelSprache);
    setTabOrder(txtChangeVokabelSprache, txtChangeVokabelDeutsch);
    setTabOrder(txtChangeVokabelDeutsch, cmdVokabelEdit);
    setTabOrder(cmdVokabelEdit, lstVokabeln);
    setTabOrder(lstVokabeln, cmdHelp);

    connect(lstVokabeln, &QListWidget::itemSelectionChanged, this, &frmEditUnit::lstVokabeln_Click);
    // A click on the entry already chosen changes no selection, yet refills the change fields.
    connect(lstVokabeln, &QListWidget::itemClicked, this, &frmEditUnit::lstVokabeln_Click);
    connect(cmdVokabelNeu, &QPushButton::clicked, this, &frmEditUnit::cmdVokabelNeu_Click);
    connect(cmdVokabelEdit, &QPushButton::clicked, this, &frmEditUnit::cmdVokabelEdit_Click);
    connect(cmdVokabelDelete, &QPushButton::clicked, this, &frmEditUnit::cmdVokabelDelete_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmEditUnit::cmdExit_Click);
}

void frmEditUnit::arrange()
{
    // The arrangement is measured in twips, 15 to a pixel for the small font it was drawn for.
    // A wider font scales it evenly until the hints keep to two lines and no caption is cut.
    const QFontMetrics metrics(font());
    double scale = 1.0;
    const auto px = [&scale](int twips) { return qRound(twips * scale / 15.0); };
    const QList<QPushButton*> buttons{cmdVokabelNeu, cmdVokabelEdit, cmdVokabelDelete, cmdHelp,
                                      cmdExit};
    const auto fits = [&] {
        const QRect hint
            = metrics.boundingRect(QRect(0, 0, px(3255), 1000), Qt::TextWordWrap, Hint);
        if (hint.height() > 2 * metrics.lineSpacing() || hint.height() > px(495))
            return false;
        for (const QPushButton* button : buttons)
            if (button->sizeHint().width() > px(1335) || button->sizeHint().height() > px(375))
                return false;
        return metrics.horizontalAdvance(Label2->text()) < px(1455);
    };
    while (!fits() && scale < 3.0)
        scale += 0.05;

    // Frame titles take a line of their own here, so the frames' contents move below them, and
    // the frames leave a little room above their titles.
    fmeVokabelNeu->ensurePolished();
    const int shift = std::max(0, fmeVokabelNeu->contentsRect().top() + 2 - px(120));
    const int top = metrics.height() / 3;
    const auto at = [&px](int x, int y, int width, int height) {
        return QRect(px(x), px(y), px(width), px(height));
    };

    setFixedSize(px(8775), px(5205) + 2 * shift + top);
    lstVokabeln->setGeometry(at(240, 120, 2895, 4545).adjusted(0, 0, 0, 2 * shift + top));
    fmeVokabelNeu->setGeometry(at(3360, 0, 5175, 1815).adjusted(0, top, 0, shift + top));
    fmeVokabelChange->setGeometry(
        at(3360, 2040, 5175, 1815).adjusted(0, shift + top, 0, 2 * shift + top));

    struct FrameControls
    {
        QPushButton* command;
        QLabel* hint;
        QLabel* languageLabel;
        QLineEdit* foreign;
        QLabel* germanLabel;
        QLineEdit* german;
    };
    for (const FrameControls& f :
         {FrameControls{cmdVokabelNeu, Label5, Label1, txtNewVokabelSprache, Label2,
                        txtNewVokabelDeutsch},
          FrameControls{cmdVokabelEdit, Label6, Label4, txtChangeVokabelSprache, Label3,
                        txtChangeVokabelDeutsch}}) {
        f.command->setGeometry(at(120, 240, 1335, 375).translated(0, shift));
        f.hint->setGeometry(at(1680, 120, 3255, 495).translated(0, shift));
        f.foreign->setGeometry(at(1680, 720, 3255, 375).translated(0, shift));
        f.german->setGeometry(at(1680, 1200, 3255, 375).translated(0, shift));
        // Each label stands level with the middle of its field.
        f.languageLabel->setGeometry(at(120, 720, 1455, 375).translated(0, shift));
        f.germanLabel->setGeometry(at(120, 1200, 1455, 375).translated(0, shift));
    }

    cmdVokabelDelete->setGeometry(at(3360, 4320, 1335, 375).translated(0, 2 * shift + top));
    cmdHelp->setGeometry(at(5520, 4680, 1335, 375).translated(0, 2 * shift + top));
    cmdExit->setGeometry(at(7200, 4680, 1335, 375).translated(0, 2 * shift + top));
}

bool frmEditUnit::Form_Load()
{
    Pfad = tree().programPath();
    const handoff::Read<QString> user = handoff::readSignedInUser(tree());
    if (user.problem == handoff::Problem::Missing) {
        refuseLoad(QStringLiteral("Der angemeldete Benutzer ist nicht bekannt, die Datei \"%1\" "
                                  "fehlt oder ist leer. Die Lektion kann nicht bearbeitet werden !")
                       .arg(handoff::SignedInFile));
        return false;
    }
    if (!user.ok()) {
        refuseLoad(store::unsafeNameMessage(user.unsafeName));
        return false;
    }
    Name1 = user.value;
    Pfad = tree().userPath(Name1);

    // The main screen writes three lines; should the file hold more, the last three count.
    const handoff::Read<handoff::LessonChoice> choice = handoff::readLessonChoice(tree(), Name1);
    if (choice.problem == handoff::Problem::Missing) {
        refuseLoad(QStringLiteral("Es ist keine Lektion zum Bearbeiten angegeben, die Datei \"%1\" "
                                  "fehlt oder ist unvollständig. Bitte wählen Sie die Lektion "
                                  "erneut aus !")
                       .arg(handoff::LessonChoiceFile));
        return false;
    }
    if (!choice.ok()) {
        refuseLoad(store::unsafeNameMessage(choice.unsafeName));
        return false;
    }
    Sprache = choice.value.language;
    Lektion = choice.value.lesson;
    LektDatei = choice.value.key;

    setWindowTitle(QStringLiteral("Paukomat V1.1  ...  ") + Sprache + QStringLiteral("  -  ")
                   + Lektion + QStringLiteral(" ändern"));
    Label1->setText(Sprache + QLatin1Char(':'));
    Label4->setText(Sprache + QLatin1Char(':'));

    m_lesson.emplace(tree().languagePath(Name1, Sprache), LektDatei);
    LektDateiCrypt = m_lesson->storedPath();
    LektDatei = m_lesson->workingPath();
    if (const store::FileResult opened = m_lesson->open(); !opened) {
        refuseLoad(store::lessonInaccessibleMessage(Lektion, opened.path, opened.error));
        return false;
    }
    Fuelle_Liste();
    cmdVokabelDelete->setFocus();
    return true;
}

void frmEditUnit::refuseLoad(const QString& text)
{
    message(text, store::ErrorTitle, ui::Buttons::Ok, ui::Icon::Stop);
}

void frmEditUnit::Fuelle_Liste()
{
    QStringList words;
    words.reserve(m_lesson->size());
    for (const editor::WordPair& pair : m_lesson->pairs())
        words.append(pair.foreign);
    {
        const QSignalBlocker quiet(lstVokabeln);
        lstVokabeln->clear();
        lstVokabeln->addItems(m_order.sorted(words));
    }
    showFirstEntry();
}

void frmEditUnit::showFirstEntry()
{
    txtNewVokabelSprache->clear();
    txtNewVokabelDeutsch->clear();
    txtChangeVokabelSprache->clear();
    txtChangeVokabelDeutsch->clear();
    if (lstVokabeln->count() > 0)
        selectEntry(0);
}

void frmEditUnit::selectEntry(int row)
{
    {
        const QSignalBlocker quiet(lstVokabeln);
        lstVokabeln->setCurrentRow(row);
    }
    lstVokabeln_Click();
}

int frmEditUnit::rowOf(const QString& word) const
{
    if (m_lesson->find(word) < 0)
        return -1;
    for (int row = 0; row < lstVokabeln->count(); ++row)
        if (lstVokabeln->item(row)->text() == word)
            return row;
    return -1;
}

QString frmEditUnit::selectedWord() const
{
    const QList<QListWidgetItem*> selected = lstVokabeln->selectedItems();
    return selected.isEmpty() ? QString() : selected.constFirst()->text();
}

void frmEditUnit::Trenne_Zeile()
{
    const editor::WordPair pair = editor::WordPair::parse(VokabelZeile);
    VokabelSprache = pair.foreign;
    VokabelDeutsch = pair.german;
}

void frmEditUnit::lstVokabeln_Click()
{
    if (lstVokabeln->selectedItems().isEmpty())
        return;
    const qsizetype at = m_lesson->find(selectedWord());
    if (at < 0)
        return;
    VokabelZeile = m_lesson->line(at);
    Trenne_Zeile();
    txtChangeVokabelSprache->setText(VokabelSprache);
    txtChangeVokabelDeutsch->setText(VokabelDeutsch);
}

bool frmEditUnit::checkEntry(const QString& foreign, const QString& german)
{
    QString problem;
    if (foreign.isEmpty())
        problem = QStringLiteral("Sie haben keine Vokabel der Sprache ") + Sprache
            + QStringLiteral(" eingegeben !");
    else if (german.isEmpty())
        problem = QStringLiteral("Sie haben keine Vokabel der Sprache Deutsch eingegeben !");
    else
        problem = editor::LessonFile::foreignWordProblem(foreign);
    if (problem.isEmpty())
        problem = store::unstorableTextMessage(german);
    if (problem.isEmpty())
        return true;
    message(problem, NewTitle);
    return false;
}

void frmEditUnit::cmdVokabelNeu_Click()
{
    const QString foreign = txtNewVokabelSprache->text();
    const QString german = txtNewVokabelDeutsch->text();
    if (!checkEntry(foreign, german))
        return;
    if (const int row = rowOf(foreign); row >= 0) {
        selectEntry(row);
        message(QStringLiteral("Die Vokabel ist bereits vorhanden !\r\r"), NewTitle);
        return;
    }
    if (!reportLessonFailure(m_lesson->add(foreign, german)))
        return;
    const qsizetype at = m_order.insertPosition(
        lstVokabeln->count(),
        [this](qsizetype row) { return lstVokabeln->item(static_cast<int>(row))->text(); },
        foreign);
    {
        const QSignalBlocker quiet(lstVokabeln);
        lstVokabeln->insertItem(static_cast<int>(at), foreign);
    }
    showFirstEntry();
}

void frmEditUnit::cmdVokabelEdit_Click()
{
    const QString foreign = txtChangeVokabelSprache->text();
    const QString german = txtChangeVokabelDeutsch->text();
    if (!checkEntry(foreign, german))
        return;
    const int row = rowOf(foreign);
    if (row < 0) {
        message(QStringLiteral("Die zu ändernde Vokabel ist nicht vorhanden !\r\r"), NewTitle);
        return;
    }
    // Selecting the entry shows its stored meanings; the meanings typed are the ones to keep.
    selectEntry(row);
    txtChangeVokabelDeutsch->setText(german);
    if (!reportLessonFailure(m_lesson->change(selectedWord(), german)))
        return;
    showFirstEntry();
}

void frmEditUnit::cmdVokabelDelete_Click()
{
    const QString word = selectedWord();
    if (message(QStringLiteral("Soll die Vokabel '") + word
                    + QStringLiteral("' wirklich gelöscht werden ?"),
                Title, ui::Buttons::YesNo)
        != ui::Answer::Yes)
        return;
    if (m_lesson->find(word) >= 0 && !reportLessonFailure(m_lesson->remove(word)))
        return;
    {
        const QSignalBlocker quiet(lstVokabeln);
        for (int row = lstVokabeln->count() - 1; row >= 0; --row)
            if (lstVokabeln->item(row)->text() == word)
                delete lstVokabeln->takeItem(row);
    }
    showFirstEntry();
}

bool frmEditUnit::reportLessonFailure(store::FileResult result)
{
    // The user knows the lesson, not its working copy.
    result.path = LektDateiCrypt;
    return reportWriteFailure(result.about(store::lessonSubject(Lektion)));
}

void frmEditUnit::cmdExit_Click()
{
    // When the lesson cannot be stored the editor stays open with its working copy, so nothing
    // typed is lost and the user may try again.
    if (!reportLessonFailure(m_lesson->storeBack()))
        return;
    handoff::removeLessonChoice(tree(), Name1);
    screens().restoreMain();
    closeScreen();
}

bool frmEditUnit::Form_QueryUnload()
{
    // Closing by the frame takes the way out of "beenden"; it closes the window when it succeeds.
    cmdExit_Click();
    return false;
}
