#include "exchange/frmImport.h"

#include "exchange/Messages.h"
#include "ui/ScreenBase.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// Rows shown in the preview; the summary below counts them all.
constexpr int PreviewRows = 20;
// A cell may hold megabytes; the table shows its beginning.
constexpr qsizetype PreviewCellLength = 500;

QComboBox* makeCombo(QWidget* parent, const QString& name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    return combo;
}

} // namespace

frmImport::frmImport(const exchange::ImportSource& source, const QString& language,
                     ui::Services& services, std::function<QString(const QString&)> nameProblem,
                     QWidget* parent)
    : QDialog(parent)
    , m_source(source)
    , m_services(services)
    , m_nameProblem(std::move(nameProblem))
{
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(Title);
    build(language);
    fillChoices();
    fillPreview();
    connectControls();
    Aktualisiere();
    resize(640, 560);
}

void frmImport::build(const QString& language)
{
    lblDatei = new QLabel(this);
    lblDatei->setObjectName(QStringLiteral("lblDatei"));
    grdVorschau = new QTableWidget(this);
    grdVorschau->setObjectName(QStringLiteral("grdVorschau"));
    grdVorschau->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdVorschau->horizontalHeader()->setStretchLastSection(true);
    cboFremdspalte = makeCombo(this, QStringLiteral("cboFremdspalte"));
    cboDeutschspalte = makeCombo(this, QStringLiteral("cboDeutschspalte"));
    cmdTauschen = ui::ScreenBase::createButton(this, QStringLiteral("cmdTauschen"),
                                               QStringLiteral("Seiten &tauschen"),
                                               QStringLiteral("Fremdsprache und Deutsch tauschen"));
    cboLektion = makeCombo(this, QStringLiteral("cboLektion"));
    txtLektionsname = new QLineEdit(m_source.lessonName, this);
    txtLektionsname->setObjectName(QStringLiteral("txtLektionsname"));
    lblZusammenfassung = new QLabel(this);
    lblZusammenfassung->setObjectName(QStringLiteral("lblZusammenfassung"));
    lblZusammenfassung->setWordWrap(true);
    lstAusgelassen = new QListWidget(this);
    lstAusgelassen->setObjectName(QStringLiteral("lstAusgelassen"));
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
    layout->addWidget(new QLabel(QStringLiteral("Ausgelassene Zeilen:"), this));
    layout->addWidget(lstAusgelassen, 2);
    layout->addLayout(buttons);
}

void frmImport::fillChoices()
{
    cboFremdspalte->addItems(m_source.columns);
    cboDeutschspalte->addItems(m_source.columns);
    cboFremdspalte->setCurrentIndex(m_source.proposed.foreignColumn);
    cboDeutschspalte->setCurrentIndex(m_source.proposed.germanColumn);
    const bool kvtml = m_source.format == exchange::Format::Kvtml && !m_source.lessons.isEmpty();
    cboLektion->addItem(QStringLiteral("alle Lektionen"));
    for (const exchange::KvtmlLesson& lesson : m_source.lessons)
        cboLektion->addItem(lesson.name);
    cboLektion->setVisible(kvtml);
    lblLektion->setVisible(kvtml);
}

void frmImport::fillPreview()
{
    const qsizetype rows = std::min<qsizetype>(m_source.rows.size(), PreviewRows);
    grdVorschau->setColumnCount(static_cast<int>(m_source.columns.size()));
    grdVorschau->setHorizontalHeaderLabels(m_source.columns);
    grdVorschau->setRowCount(static_cast<int>(rows));
    QStringList numbers;
    for (qsizetype r = 0; r < rows; ++r) {
        const exchange::Row& row = m_source.rows[r];
        numbers.append(QString::number(row.number));
        for (qsizetype c = 0; c < row.cells.size() && c < m_source.columns.size(); ++c)
            grdVorschau->setItem(static_cast<int>(r), static_cast<int>(c),
                                 new QTableWidgetItem(row.cells[c].left(PreviewCellLength)));
    }
    grdVorschau->setVerticalHeaderLabels(numbers);
    const bool kvtml = m_source.format == exchange::Format::Kvtml;
    const QString what = kvtml ? QStringLiteral("Einträge") : QStringLiteral("Zeilen");
    lblDatei->setText(rows < m_source.rows.size()
                          ? QStringLiteral("Die ersten %1 von %2 %3 der Datei:")
                                .arg(rows)
                                .arg(m_source.rows.size())
                                .arg(what)
                          : QStringLiteral("Die %1 %2 der Datei:").arg(rows).arg(what));
}

void frmImport::connectControls()
{
    const auto changed = [this] { Aktualisiere(); };
    connect(cboFremdspalte, &QComboBox::currentIndexChanged, this, changed);
    connect(cboDeutschspalte, &QComboBox::currentIndexChanged, this, changed);
    connect(cboLektion, &QComboBox::currentIndexChanged, this, changed);
    connect(txtLektionsname, &QLineEdit::textChanged, this, &frmImport::updateImportButton);
    connect(cmdTauschen, &QPushButton::clicked, this, &frmImport::cmdTauschen_Click);
    connect(cmdImportieren, &QPushButton::clicked, this, &frmImport::cmdImportieren_Click);
    connect(cmdAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

// The plan follows every choice of columns, sides and lesson at once, so the user sees what will
// be stored before storing; the name alone changes no plan.
void frmImport::Aktualisiere()
{
    exchange::ImportChoice choice;
    choice.foreignColumn = cboFremdspalte->currentIndex();
    choice.germanColumn = cboDeutschspalte->currentIndex();
    choice.kvtmlLesson = cboLektion->currentIndex() - 1;
    m_plan = exchange::planImport(m_source, choice);
    lblZusammenfassung->setText(m_plan.summary());
    lstAusgelassen->clear();
    const QString where = m_plan.entries ? QStringLiteral("Eintrag %1: %2 – %3")
                                         : QStringLiteral("Zeile %1: %2 – %3");
    for (const exchange::LeftOut& left : std::as_const(m_plan.leftOut))
        lstAusgelassen->addItem(where.arg(left.row).arg(left.text, left.reason));
    if (const qsizetype more = m_plan.leftOutTotal - m_plan.leftOut.size(); more > 0)
        lstAusgelassen->addItem(exchange::message::moreLeftOut(more, m_plan.entries));
    updateImportButton();
}

void frmImport::updateImportButton()
{
    cmdImportieren->setEnabled(!m_plan.pairs.isEmpty() && !lessonName().isEmpty());
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
