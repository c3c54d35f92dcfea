#include "engine/control/GroupTreePanel.h"

namespace velmora {

namespace {
bool sameEntry(const ContentsEntry &a, const ContentsEntry &b)
{
    return a.title == b.title && a.level == b.level && a.pageIndex == b.pageIndex && a.y == b.y;
}
} // namespace

GroupTreePanel::GroupTreePanel(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("groupTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setAccessibleName(QStringLiteral("Arbre de grups"));
    setAccessibleDescription(QStringLiteral("Els grups de l'informe; feu-hi clic per anar a la pàgina del grup"));
    setToolTip(QStringLiteral("Feu clic en un grup per anar-hi; doble clic per veure'l tot sol"));
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        emit entryActivated(item->data(0, Qt::UserRole).toInt());
    });
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        emit entryActivated(item->data(0, Qt::UserRole).toInt());
    });
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        emit entryOpened(item->data(0, Qt::UserRole).toInt());
    });
}

void GroupTreePanel::showContents(const std::vector<ContentsEntry> &contents)
{
    const bool continues = contents.size() >= m_shown.size()
        && std::equal(m_shown.begin(), m_shown.end(), contents.begin(), sameEntry);
    if (!continues) {
        clear();
        m_shown.clear();
        m_items.clear();
        m_lastAtLevel.clear();
    }
    for (size_t i = m_shown.size(); i < contents.size(); ++i)
        append(int(i), contents[i]);
}

void GroupTreePanel::append(int index, const ContentsEntry &entry)
{
    const int level = std::clamp(entry.level, 0, int(m_lastAtLevel.size()));
    QTreeWidgetItem *parent = level > 0 ? m_lastAtLevel[level - 1] : nullptr;
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, entry.title);
    item->setData(0, Qt::UserRole, index);
    m_lastAtLevel.resize(level);
    m_lastAtLevel.push_back(item);
    m_shown.push_back(entry);
    m_items.push_back(item);
}

QTreeWidgetItem *GroupTreePanel::itemForEntry(int index) const
{
    return index >= 0 && index < int(m_items.size()) ? m_items[index] : nullptr;
}

} // namespace velmora
