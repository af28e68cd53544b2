#include "editor/frmEditUnit.h"

#include "handoff/HandOff.h"
#include "store/TextRules.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <limits>

#include <algorithm>

namespace editor {

namespace {

const QString Title = QStringLiteral("Paukomat V1.1");
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

QLabel* makeHint(QWidget* parent, const QString& name)
{
    QLabel* hint = makeLabel(parent, name, Hint);
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return hint;
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
    buildList();
    buildNewFrame();
    buildChangeFrame();
    buildButtons();
    arrange(fontScale());
    setTabOrders();
    connectSignals();
}

void frmEditUnit::buildList()
{
    lstVokabeln = new QListView(this);
    lstVokabeln->setObjectName(QStringLiteral("lstVokabeln"));
    m_words = new editor::WordListModel(lstVokabeln);
    lstVokabeln->setModel(m_words);
    lstVokabeln->setSelectionMode(QAbstractItemView::SingleSelection);
    // Long lessons: rows of one height spare the list measuring every entry.
    lstVokabeln->setUniformItemSizes(true);
}

void frmEditUnit::buildNewFrame()
{
    fmeVokabelNeu =
        makeFrame(this, QStringLiteral("fmeVokabelNeu"), QStringLiteral("neue Vokabel"));
    cmdVokabelNeu =
        createButton(fmeVokabelNeu, QStringLiteral("cmdVokabelNeu"), QStringLiteral("<<   Neu"),
                     QStringLiteral("Die neue Vokabel übernehmen"));
    Label5 = makeHint(fmeVokabelNeu, QStringLiteral("Label5"));
    Label1 = makeLabel(fmeVokabelNeu, QStringLiteral("Label1"), {});
    txtNewVokabelSprache = makeField(fmeVokabelNeu, QStringLiteral("txtNewVokabelSprache"));
    Label2 = makeLabel(fmeVokabelNeu, QStringLiteral("Label2"), QStringLiteral("Deutsch:"));
    txtNewVokabelDeutsch = makeField(fmeVokabelNeu, QStringLiteral("txtNewVokabelDeutsch"));
}

void frmEditUnit::buildChangeFrame()
{
    fmeVokabelChange =
        makeFrame(this, QStringLiteral("fmeVokabelChange"), QStringLiteral("Vokabel ändern"));
    cmdVokabelEdit = createButton(fmeVokabelChange, QStringLiteral("cmdVokabelEdit"),
                                  QStringLiteral(">>   Ändern   <<"),
                                  QStringLiteral("Den in den Eingabefeldern eingegebenen Text an "
                                                 "die Vokabel übertragen"));
    Label6 = makeHint(fmeVokabelChange, QStringLiteral("Label6"));
    Label4 = makeLabel(fmeVokabelChange, QStringLiteral("Label4"), {});
    txtChangeVokabelSprache =
        makeField(fmeVokabelChange, QStringLiteral("txtChangeVokabelSprache"));
    m_readAloud = std::make_unique<ui::ReadAloud>(services().speech, fmeVokabelChange);
    cmdVorlesen = m_readAloud->button();
    Label3 = makeLabel(fmeVokabelChange, QStringLiteral("Label3"), QStringLiteral("Deutsch:"));
    txtChangeVokabelDeutsch =
        makeField(fmeVokabelChange, QStringLiteral("txtChangeVokabelDeutsch"));
}

void frmEditUnit::buildButtons()
{
    cmdVokabelDelete =
        createButton(this, QStringLiteral("cmdVokabelDelete"), QStringLiteral("Löschen   >>"),
                     QStringLiteral("Löschen der in der Liste gewählten Vokabel"));
    cmdHelp = createHelpButton();
    cmdExit = createButton(this, QStringLiteral("cmdExit"), QStringLiteral("beenden"),
                           QStringLiteral("Eingabe beenden"));
}

void frmEditUnit::setTabOrders()
{
    const QList<QWidget*> order{cmdVokabelDelete,
                                cmdExit,
                                txtNewVokabelSprache,
                                txtNewVokabelDeutsch,
                                cmdVokabelNeu,
                                txtChangeVokabelSprache,
                                txtChangeVokabelDeutsch,
                                cmdVokabelEdit,
                                lstVokabeln,
                                cmdHelp};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    setTabOrder(txtChangeVokabelSprache, cmdVorlesen);
}

void frmEditUnit::connectSignals()
{
    connect(lstVokabeln->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmEditUnit::lstVokabeln_Click);
    // A click on the entry already chosen changes no selection, yet refills the change fields.
    connect(lstVokabeln, &QListView::clicked, this, &frmEditUnit::lstVokabeln_Click);
    connect(cmdVokabelNeu, &QPushButton::clicked, this, &frmEditUnit::cmdVokabelNeu_Click);
    connect(cmdVokabelEdit, &QPushButton::clicked, this, &frmEditUnit::cmdVokabelEdit_Click);
    connect(cmdVokabelDelete, &QPushButton::clicked, this, &frmEditUnit::cmdVokabelDelete_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmEditUnit::cmdExit_Click);
    connect(cmdVorlesen, &QToolButton::clicked, this, &frmEditUnit::cmdVorlesen_Click);
}

double frmEditUnit::fontScale() const
{
    // The arrangement is measured in twips, 15 to a pixel for the small font it was drawn for.
    // A wider font scales it evenly until the hints keep to two lines and no caption is cut.
    const QFontMetrics metrics(font());
    double scale = 1.0;
    const auto px = [&scale](int twips) { return qRound(twips * scale / 15.0); };
    const QList<QPushButton*> buttons{cmdVokabelNeu, cmdVokabelEdit, cmdVokabelDelete, cmdHelp,
                                      cmdExit};
    const auto fits = [&] {
        const QRect hint =
            metrics.boundingRect(QRect(0, 0, px(3255), 1000), Qt::TextWordWrap, Hint);
        if (hint.height() > 2 * metrics.lineSpacing() || hint.height() > px(495))
            return false;
        for (const QPushButton* button : buttons)
            if (button->sizeHint().width() > px(1335) || button->sizeHint().height() > px(375))
                return false;
        return metrics.horizontalAdvance(Label2->text()) < px(1455);
    };
    while (!fits() && scale < 3.0)
        scale += 0.05;
    return scale;
}

void frmEditUnit::arrange(double scale)
{
    const QFontMetrics metrics(font());
    const auto px = [scale](int twips) { return qRound(twips * scale / 15.0); };
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
    // The speaker button takes the end of the selected pair's foreign word field.
    txtChangeVokabelSprache->setGeometry(at(1680, 720, 2835, 375).translated(0, shift));
    cmdVorlesen->setGeometry(at(4560, 720, 375, 375).translated(0, shift));

    cmdVokabelDelete->setGeometry(at(3360, 4320, 1335, 375).translated(0, 2 * shift + top));
    cmdHelp->setGeometry(at(5520, 4680, 1335, 375).translated(0, 2 * shift + top));
    cmdExit->setGeometry(at(7200, 4680, 1335, 375).translated(0, 2 * shift + top));
}

bool frmEditUnit::Form_Load()
{
    store::Result<lesson::HandedOverLesson> handed =
        lesson::openHandedOverLesson(tree(), lesson::LessonUse::Editing);
    if (!report(handed.outcome))
        return false;
    Name1 = handed.value.user;
    m_lesson = std::move(handed.value.lesson);
    const QString language = m_lesson->language();
    setWindowTitle(QStringLiteral("Paukomat V1.1  ...  ") + language + QStringLiteral("  -  ")
                   + m_lesson->name() + QStringLiteral(" ändern"));
    Label1->setText(language + QLatin1Char(':'));
    Label4->setText(language + QLatin1Char(':'));
    m_readAloud->setLanguage(language);
    Fuelle_Liste();
    cmdVokabelDelete->setFocus();
    return true;
}

void frmEditUnit::Fuelle_Liste()
{
    QList<QByteArrayView> words;
    words.reserve(m_lesson->size());
    for (qsizetype line = 0; line < m_lesson->size(); ++line)
        words.append(m_lesson->foreignBytes(line));
    {
        const QSignalBlocker quiet(lstVokabeln->selectionModel());
        m_words->setLines(&*m_lesson, m_order.order(words));
    }
    showFirstEntry();
}

void frmEditUnit::showFirstEntry()
{
    txtNewVokabelSprache->clear();
    txtNewVokabelDeutsch->clear();
    txtChangeVokabelSprache->clear();
    txtChangeVokabelDeutsch->clear();
    if (m_words->rowCount() > 0)
        selectEntry(0);
}

void frmEditUnit::selectEntry(int row)
{
    {
        const QSignalBlocker quiet(lstVokabeln->selectionModel());
        lstVokabeln->setCurrentIndex(m_words->index(row));
    }
    lstVokabeln_Click();
}

int frmEditUnit::rowOf(const QString& word) const
{
    // Rows of the same word stand in the order of their lines.
    const qsizetype line = m_lesson->find(word);
    return line < 0 ? -1 : m_words->rowOfLine(line);
}

QString frmEditUnit::selectedWord() const
{
    const QModelIndexList selected = lstVokabeln->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QString() : m_words->word(selected.constFirst().row());
}

void frmEditUnit::Trenne_Zeile()
{
    const lesson::WordPair pair = lesson::WordPair::parse(VokabelZeile);
    VokabelSprache = pair.foreign;
    VokabelDeutsch = pair.german;
}

void frmEditUnit::lstVokabeln_Click()
{
    if (!lstVokabeln->selectionModel()->hasSelection())
        return;
    const qsizetype at = m_lesson->find(selectedWord());
    if (at < 0)
        return;
    VokabelZeile = m_lesson->line(at);
    Trenne_Zeile();
    txtChangeVokabelSprache->setText(VokabelSprache);
    txtChangeVokabelDeutsch->setText(VokabelDeutsch);
}

void frmEditUnit::cmdVokabelNeu_Click()
{
    const QString foreign = txtNewVokabelSprache->text();
    const store::Result<lesson::Listed> added =
        m_lesson->add(foreign, txtNewVokabelDeutsch->text());
    // A word already there is shown before the message says so.
    if (added.value == lesson::Listed::Already)
        selectEntry(rowOf(foreign));
    if (!report(added.outcome))
        return;
    const qsizetype at = m_order.insertPosition(
        m_words->rowCount(), [this](qsizetype row) { return m_words->word(row); }, foreign);
    {
        const QSignalBlocker quiet(lstVokabeln->selectionModel());
        m_words->insertLine(at, m_lesson->size() - 1);
    }
    showFirstEntry();
}

void frmEditUnit::cmdVokabelEdit_Click()
{
    const QString foreign = txtChangeVokabelSprache->text();
    const QString german = txtChangeVokabelDeutsch->text();
    const store::Outcome changed = m_lesson->change(foreign, german);
    if (changed.status == store::Outcome::Status::Refused) {
        report(changed);
        return;
    }
    // The entry is shown selected, with the meanings typed rather than those stored.
    selectEntry(rowOf(foreign));
    txtChangeVokabelDeutsch->setText(german);
    if (report(changed))
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
    const QList<qsizetype> gone = m_lesson->linesOf(word);
    if (!report(m_lesson->remove(word)))
        return;
    {
        const QSignalBlocker quiet(lstVokabeln->selectionModel());
        m_words->removeLines(gone);
    }
    showFirstEntry();
}

void frmEditUnit::cmdExit_Click()
{
    // When the lesson cannot be stored the editor stays open with its working copy, so nothing
    // typed is lost and the user may try again.
    if (!report(m_lesson->storeBack()))
        return;
    handoff::removeLessonChoice(tree(), Name1);
    screens().restoreMain();
    closeScreen();
}

void frmEditUnit::cmdVorlesen_Click()
{
    m_readAloud->say(txtChangeVokabelSprache->text());
}

bool frmEditUnit::Form_QueryUnload()
{
    // Closing by the frame takes the way out of "beenden"; it closes the window when it succeeds.
    cmdExit_Click();
    return false;
}

} // namespace editor
