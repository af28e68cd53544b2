#include "exchange/frmImport.h"

#include "exchange/Messages.h"
#include "ui/ScreenBase.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace exchange {

namespace {

// Rows shown in the preview; the summary below counts them all.
constexpr int PreviewRows = 20;
// A cell may hold megabytes; the table shows its beginning.
constexpr qsizetype PreviewCellLength = 500;
// No preview column gets narrower than this while the table has to scroll anyway.
constexpr int MinColumnWidth = 60;

QComboBox* makeCombo(QWidget* parent, const QString& name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    return combo;
}

QLabel* makeLabel(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

} // namespace

frmImport::frmImport(const exchange::ImportSource& source, const QString& language,
                     ui::Services& services, std::function<QString(const QString&)> nameProblem,
                     QWidget* parent)
    : QDialog(parent)
    , m_source(source)
    , m_services(services)
    , m_nameProblem(std::move(nameProblem))
    , m_proposedName(source.lessonName)
{
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(Title);
    build(language);
    fillChoices();
    fillPreview();
    connectControls();
    Aktualisiere();
    resize(680, 600);
}

void frmImport::build(const QString& language)
{
    lblDatei = makeLabel(this, QStringLiteral("lblDatei"));
    grdVorschau = new QTableWidget(this);
    grdVorschau->setObjectName(QStringLiteral("grdVorschau"));
    grdVorschau->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The columns follow the room the table has; the row numbers take theirs only once the table
    // is laid out.
    grdVorschau->viewport()->installEventFilter(this);
    grdVorschau->verticalHeader()->installEventFilter(this);
    cboFremdspalte = makeCombo(this, QStringLiteral("cboFremdspalte"));
    cboDeutschspalte = makeCombo(this, QStringLiteral("cboDeutschspalte"));
    cmdTauschen = ui::ScreenBase::createButton(this, QStringLiteral("cmdTauschen"),
                                               QStringLiteral("Seiten &tauschen"),
                                               QStringLiteral("Fremdsprache und Deutsch tauschen"));
    lblHinweis = makeLabel(this, QStringLiteral("lblHinweis"));
    lblHinweis->setText(exchange::message::noGermanColumn());
    chkKopfzeile = new QCheckBox(QStringLiteral("Erste Zeile enthält die &Spaltennamen"), this);
    chkKopfzeile->setObjectName(QStringLiteral("chkKopfzeile"));
    cboLektion = makeCombo(this, QStringLiteral("cboLektion"));
    txtLektionsname = new QLineEdit(m_source.lessonName, this);
    txtLektionsname->setObjectName(QStringLiteral("txtLektionsname"));
    lblZusammenfassung = makeLabel(this, QStringLiteral("lblZusammenfassung"));
    lblAusgelassen = makeLabel(this, QStringLiteral("lblAusgelassen"));
    lstAusgelassen = new QListWidget(this);
    lstAusgelassen->setObjectName(QStringLiteral("lstAusgelassen"));
    // Long reasons wrap instead of hiding behind a horizontal scroll bar.
    lstAusgelassen->setWordWrap(true);
    lstAusgelassen->setResizeMode(QListView::Adjust);
    lstAusgelassen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    cmdImportieren = ui::ScreenBase::createButton(this, QStringLiteral("cmdImportieren"),
                                                  QStringLiteral("&Importieren"));
    cmdImportieren->setDefault(true);
    cmdAbbrechen = ui::ScreenBase::createButton(this, QStringLiteral("cmdAbbrechen"),
                                                QStringLiteral("Abbrechen"));

    auto* form = new QFormLayout;
    auto* columns = new QHBoxLayout;
    columns->addWidget(cboFremdspalte, 1);
    columns->addWidget(new QLabel(QStringLiteral("Deutsch:"), this));
    columns->addWidget(cboDeutschspalte, 1);
    columns->addWidget(cmdTauschen);
    form->addRow(language + QLatin1Char(':'), columns);
    form->addRow(QString(), lblHinweis);
    form->addRow(QString(), chkKopfzeile);
    lblLektion = new QLabel(QStringLiteral("Lektion der Datei:"), this);
    form->addRow(lblLektion, cboLektion);
    form->addRow(QStringLiteral("&Name der neuen Lektion:"), txtLektionsname);
    qobject_cast<QLabel*>(form->labelForField(txtLektionsname))->setBuddy(txtLektionsname);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdImportieren);
    buttons->addWidget(cmdAbbrechen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblDatei);
    layout->addWidget(grdVorschau, 3);
    layout->addLayout(form);
    layout->addWidget(lblZusammenfassung);
    layout->addWidget(lblAusgelassen);
    layout->addWidget(lstAusgelassen, 2);
    layout->addLayout(buttons);
}

void frmImport::fillChoices()
{
    const bool delimited = m_source.format == exchange::Format::Delimited;
    const exchange::ImportColumns columns =
        exchange::importColumns(m_source, delimited && m_source.proposed.headerRow);
    cboFremdspalte->addItems(columns.names);
    cboDeutschspalte->addItems(columns.names);
    cboFremdspalte->setCurrentIndex(m_source.proposed.foreignColumn);
    cboDeutschspalte->setCurrentIndex(m_source.proposed.germanColumn);
    lblHinweis->setVisible(!columns.germanMarked);
    chkKopfzeile->setChecked(delimited && m_source.proposed.headerRow);
    chkKopfzeile->setVisible(delimited);
    const bool kvtml = !delimited && !m_source.lessons.isEmpty();
    cboLektion->addItem(QStringLiteral("alle Lektionen"));
    for (const exchange::KvtmlLesson& lesson : m_source.lessons)
        cboLektion->addItem(lesson.name);
    cboLektion->setVisible(kvtml);
    lblLektion->setVisible(kvtml);
}

// The first rows the choice takes: a header row names the columns instead, a KVTML lesson shows
// its own entries.
void frmImport::fillPreview()
{
    const exchange::ImportChoice chosen = choice();
    const qsizetype total = exchange::chosenRowCount(m_source, chosen);
    const qsizetype rows = std::min<qsizetype>(total, PreviewRows);
    const QStringList names = exchange::importColumns(m_source, chosen.headerRow).names;
    grdVorschau->clear();
    grdVorschau->setColumnCount(static_cast<int>(names.size()));
    grdVorschau->setHorizontalHeaderLabels(names);
    grdVorschau->setRowCount(static_cast<int>(rows));
    QStringList numbers;
    for (qsizetype r = 0; r < rows; ++r) {
        const exchange::Row& row = exchange::chosenRow(m_source, chosen, r);
        numbers.append(exchange::message::number(row.number));
        for (qsizetype c = 0; c < row.cells.size() && c < names.size(); ++c) {
            auto* item = new QTableWidgetItem(row.cells[c].left(PreviewCellLength));
            item->setToolTip(item->text());
            grdVorschau->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    grdVorschau->setVerticalHeaderLabels(numbers);
    using exchange::message::PreviewOf;
    lblDatei->setText(
        exchange::message::previewCaption(rows, total, m_source.format == exchange::Format::Kvtml,
                                          chosen.kvtmlLesson >= 0 ? PreviewOf::Lesson
                                              : chosen.headerRow  ? PreviewOf::BelowHeader
                                                                  : PreviewOf::File));
    spreadColumns();
}

// The columns share the table's width by what their names and cells need: with room to spare in
// proportion to it; without, the narrow ones get what they need and the wide ones share the rest.
void frmImport::spreadColumns()
{
    const int count = grdVorschau->columnCount();
    QHeaderView* header = grdVorschau->horizontalHeader();
    const QAbstractItemView* view = grdVorschau; // where the measure is public
    QList<qint64> needs;
    qint64 total = 0;
    for (int c = 0; c < count; ++c) {
        needs.append(std::max({view->sizeHintForColumn(c), header->sectionSizeHint(c), 1}));
        total += needs.last();
    }
    const qint64 room = std::max(grdVorschau->viewport()->width(), 1);
    const qint64 fair = room / std::max(count, 1);
    qint64 narrow = 0;
    for (const qint64 need : std::as_const(needs))
        narrow += total > room && need <= fair ? need : 0;
    const qint64 shared = total - narrow;
    for (int c = 0; c < count; ++c) {
        const bool keeps = total > room && needs[c] <= fair;
        const qint64 width =
            keeps ? needs[c] : needs[c] * (room - narrow) / std::max<qint64>(shared, 1);
        header->resizeSection(c, int(std::max(width, std::min<qint64>(needs[c], MinColumnWidth))));
    }
}

bool frmImport::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize
        && (watched == grdVorschau->viewport() || watched == grdVorschau->verticalHeader()))
        spreadColumns();
    return QDialog::eventFilter(watched, event);
}

void frmImport::connectControls()
{
    const auto changed = [this] { Aktualisiere(); };
    connect(cboFremdspalte, &QComboBox::currentIndexChanged, this, changed);
    connect(cboDeutschspalte, &QComboBox::currentIndexChanged, this, changed);
    connect(cboLektion, &QComboBox::currentIndexChanged, this, &frmImport::cboLektion_Changed);
    connect(chkKopfzeile, &QCheckBox::toggled, this, &frmImport::chkKopfzeile_Toggled);
    connect(txtLektionsname, &QLineEdit::textChanged, this, &frmImport::updateImportButton);
    connect(cmdTauschen, &QPushButton::clicked, this, &frmImport::cmdTauschen_Click);
    connect(cmdImportieren, &QPushButton::clicked, this, &frmImport::cmdImportieren_Click);
    connect(cmdAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

exchange::ImportChoice frmImport::choice() const
{
    exchange::ImportChoice chosen;
    chosen.foreignColumn = cboFremdspalte->currentIndex();
    chosen.germanColumn = cboDeutschspalte->currentIndex();
    chosen.kvtmlLesson = cboLektion->currentIndex() - 1;
    chosen.headerRow = chkKopfzeile->isChecked();
    return chosen;
}

// The plan follows every choice of columns, sides, header row and lesson at once, so the user
// sees what will be stored before storing; the name alone changes no plan.
void frmImport::Aktualisiere()
{
    m_plan = exchange::planImport(m_source, choice());
    lblZusammenfassung->setText(m_plan.summary());
    lblAusgelassen->setText(exchange::message::leftOutHeading(m_plan.entries));
    lstAusgelassen->clear();
    for (const exchange::LeftOut& left : std::as_const(m_plan.leftOut)) {
        auto* item = new QListWidgetItem(
            exchange::message::leftOutLine(left.row, left.text, left.reason, m_plan.entries));
        item->setToolTip(item->text());
        lstAusgelassen->addItem(item);
    }
    if (const qsizetype more = m_plan.leftOutTotal - m_plan.leftOut.size(); more > 0)
        lstAusgelassen->addItem(exchange::message::moreLeftOut(more, m_plan.entries));
    updateImportButton();
}

void frmImport::updateImportButton()
{
    cmdImportieren->setEnabled(!m_plan.pairs.isEmpty() && !lessonName().isEmpty());
}

// The first row's cells name the columns, or the file's own names come back; the sides are
// proposed afresh for the names now shown.
void frmImport::chkKopfzeile_Toggled()
{
    const exchange::ImportColumns columns =
        exchange::importColumns(m_source, chkKopfzeile->isChecked());
    {
        const QSignalBlocker foreignQuiet(cboFremdspalte);
        const QSignalBlocker germanQuiet(cboDeutschspalte);
        for (int i = 0; i < columns.names.size(); ++i) {
            cboFremdspalte->setItemText(i, columns.names[i]);
            cboDeutschspalte->setItemText(i, columns.names[i]);
        }
        cboFremdspalte->setCurrentIndex(columns.foreign);
        cboDeutschspalte->setCurrentIndex(columns.german);
    }
    lblHinweis->setVisible(!columns.germanMarked);
    fillPreview();
    Aktualisiere();
}

// A lesson of the file proposes its own name, unless the user has typed one.
void frmImport::cboLektion_Changed()
{
    const QString proposal = exchange::lessonNameProposal(m_source, cboLektion->currentIndex() - 1);
    if (txtLektionsname->text() == m_proposedName)
        txtLektionsname->setText(proposal);
    m_proposedName = proposal;
    fillPreview();
    Aktualisiere();
}

void frmImport::cmdTauschen_Click()
{
    const int foreign = cboFremdspalte->currentIndex();
    cboFremdspalte->setCurrentIndex(cboDeutschspalte->currentIndex());
    cboDeutschspalte->setCurrentIndex(foreign);
}

void frmImport::cmdImportieren_Click()
{
    if (const QString problem = m_nameProblem(lessonName()); !problem.isEmpty()) {
        m_services.messages.show(this, problem, QStringLiteral("Paukomat V1.1"));
        txtLektionsname->setFocus();
        return;
    }
    accept();
}

QString frmImport::lessonName() const
{
    return txtLektionsname->text();
}

} // namespace exchange
