#pragma once

#include "engine/page/Page.h"

#include <QTreeWidget>

#include <vector>

namespace velmora {

/// The group tree: the report's contents as a tree of group values. Entries
/// arrive in report order while pages are being laid out and are appended;
/// a click asks to go to the group, a double-click to open it on its own.
class GroupTreePanel : public QTreeWidget {
    Q_OBJECT
public:
    explicit GroupTreePanel(QWidget *parent = nullptr);

    /// Shows `contents`, adding only the entries not shown yet when it
    /// continues what is shown; otherwise starts again.
    void showContents(const std::vector<ContentsEntry> &contents);
    int entryCount() const { return int(m_shown.size()); }
    /// The tree item of entry `index`, in report order.
    QTreeWidgetItem *itemForEntry(int index) const;

signals:
    void entryActivated(int index);
    void entryOpened(int index);

private:
    void append(int index, const ContentsEntry &entry);

    std::vector<ContentsEntry> m_shown;
    std::vector<QTreeWidgetItem *> m_items;
    std::vector<QTreeWidgetItem *> m_lastAtLevel;
};

} // namespace velmora
