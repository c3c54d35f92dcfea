#include "wizard/steps/TablesStep.h"

#include "wizard/generator/LinkProposal.h"
#include "wizard/steps/StepMessages.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTableWidget>

namespace velmora::wizard {

namespace {

QString joinLabel(JoinType join)
{
    return join == JoinType::Inner ? QStringLiteral("Interna: només els registres que casen")
                                   : QStringLiteral("Externa: tots els registres de la primera taula");
}

} // namespace

TablesStep::TablesStep(WizardState &state, QWidget *parent) : WizardStep(state, parent)
{
    addIntroduction(QStringLiteral("Marqueu les taules de l'informe, la principal primer (amb la barra d'espai). "
                                   "Els enllaços es proposen a partir de les relacions desades a la base de dades."));
    auto *tablesLabel = new QLabel(QStringLiteral("&Taules:"), this);
    layout()->addWidget(tablesLabel);
    m_tables = named(new QListWidget(this), QStringLiteral("Taules de l'informe"));
    tablesLabel->setBuddy(m_tables);
    layout()->addWidget(m_tables);
    auto *linksLabel = new QLabel(QStringLiteral("&Enllaços entre les taules:"), this);
    layout()->addWidget(linksLabel);
    m_links = named(new QTableWidget(0, 3, this), QStringLiteral("Enllaços entre les taules"));
    m_links->setHorizontalHeaderLabels({QStringLiteral("De"), QStringLiteral("A"), QStringLiteral("Unió")});
    m_links->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_links->verticalHeader()->hide();
    m_links->setEditTriggers(QAbstractItemView::NoEditTriggers);
    linksLabel->setBuddy(m_links);
    layout()->addWidget(m_links);
    m_status = named(new QLabel(this), QStringLiteral("Estat dels enllaços"));
    m_status->setWordWrap(true);
    layout()->addWidget(m_status);
    connect(m_tables, &QListWidget::itemChanged, this, &TablesStep::tableToggled);
}

QString TablesStep::title() const
{
    return QStringLiteral("Les taules i els seus enllaços");
}

void TablesStep::enter()
{
    const QSignalBlocker block(m_tables);
    m_tables->clear();
    if (m_state.catalog)
        for (const QString &table : m_state.catalog->tableNames()) {
            auto *item = new QListWidgetItem(table, m_tables);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(m_state.choices.tables.contains(table, Qt::CaseInsensitive) ? Qt::Checked : Qt::Unchecked);
        }
    if (m_tables->count() > 0)
        m_tables->setCurrentRow(0);
    const auto links = m_state.choices.links;
    proposeLinks();
    keepJoinTypes(m_state.choices.links, links);
    showLinks();
}

bool TablesStep::mayLeave(QString &refusal)
{
    if (m_state.choices.tables.isEmpty()) {
        refusal = QStringLiteral("Marqueu almenys una taula.");
        return false;
    }
    if (!m_unreached.isEmpty()) {
        refusal = m_status->text();
        return false;
    }
    return true;
}

void TablesStep::tableToggled(QListWidgetItem *item)
{
    QStringList &tables = m_state.choices.tables;
    tables.removeAll(item->text());
    if (item->checkState() == Qt::Checked)
        tables << item->text();
    const auto links = m_state.choices.links;
    proposeLinks();
    keepJoinTypes(m_state.choices.links, links);
    showLinks();
    emit changed();
}

void TablesStep::proposeLinks()
{
    if (!m_state.catalog)
        return;
    const LinkProposal proposal = wizard::proposeLinks(m_state.choices.tables, m_state.catalog->relationships());
    m_state.choices.links = proposal.links;
    m_unreached = proposal.unreached;
}

void TablesStep::showLinks()
{
    m_links->clearContents();
    m_links->setRowCount(int(m_state.choices.links.size()));
    for (int row = 0; row < int(m_state.choices.links.size()); ++row) {
        const TableLink &link = m_state.choices.links[size_t(row)];
        m_links->setItem(row, 0, new QTableWidgetItem(link.fromAlias + u'.' + link.fromFields.join(u", ")));
        m_links->setItem(row, 1, new QTableWidgetItem(link.toAlias + u'.' + link.toFields.join(u", ")));
        auto *join = named(new QComboBox(m_links), QStringLiteral("Unió de %1 amb %2").arg(link.fromAlias, link.toAlias));
        join->addItem(joinLabel(JoinType::Inner));
        join->addItem(joinLabel(JoinType::LeftOuter));
        join->setCurrentIndex(link.join == JoinType::Inner ? 0 : 1);
        connect(join, &QComboBox::currentIndexChanged, this, [this, from = link.fromAlias, to = link.toAlias](int index) {
            for (TableLink &chosen : m_state.choices.links)
                if (chosen.fromAlias == from && chosen.toAlias == to)
                    chosen.join = index == 0 ? JoinType::Inner : JoinType::LeftOuter;
            emit changed();
        });
        m_links->setCellWidget(row, 2, join);
    }
    if (!m_unreached.isEmpty())
        showMessage(m_status,
                    QStringLiteral("Cap relació desada no uneix «%1» amb «%2»: traieu-la de l'informe o trieu també "
                                   "les taules que les relacionen.")
                        .arg(m_unreached.join(QStringLiteral("», «")), m_state.choices.tables.value(0)),
                    MessageKind::Error);
    else if (m_state.choices.tables.size() > 1)
        showMessage(m_status, QStringLiteral("Les taules s'uneixen per %1 enllaços.").arg(m_state.choices.links.size()),
                    MessageKind::Success);
    else
        showMessage(m_status, QString(), MessageKind::Plain);
}

} // namespace velmora::wizard
