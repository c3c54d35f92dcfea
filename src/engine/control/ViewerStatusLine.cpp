#include "engine/control/ViewerStatusLine.h"

#include <QHBoxLayout>
#include <QLabel>

namespace velmora {

namespace {
QLabel *field(QWidget *parent, const QString &name)
{
    auto *label = new QLabel(parent);
    label->setAccessibleName(name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setContentsMargins(4, 0, 4, 0);
    return label;
}
} // namespace

ViewerStatusLine::ViewerStatusLine(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("viewerStatusLine"));
    setAccessibleName(QStringLiteral("Línia d'estat"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(4);
    m_page = field(this, QStringLiteral("Pàgina actual"));
    m_records = field(this, QStringLiteral("Registres llegits"));
    m_progress = field(this, QStringLiteral("Progrés"));
    m_page->setMinimumWidth(130);
    m_records->setMinimumWidth(120);
    row->addWidget(m_page);
    row->addWidget(m_records);
    row->addWidget(m_progress, 1);
}

QString ViewerStatusLine::pagePosition(int number, int count, bool countIsFinal)
{
    if (number <= 0)
        return QStringLiteral("Cap pàgina");
    return QStringLiteral("Pàgina %1 de %2%3").arg(number).arg(count).arg(countIsFinal ? QString() : QStringLiteral("+"));
}

void ViewerStatusLine::showPagePosition(int number, int count, bool countIsFinal)
{
    m_page->setText(pagePosition(number, count, countIsFinal));
}

void ViewerStatusLine::showRecordCount(qint64 records)
{
    m_records->setText(QStringLiteral("Registres: %1").arg(records));
}

void ViewerStatusLine::showProgress(const QString &text) { m_progress->setText(text); }
void ViewerStatusLine::setProgressShown(bool shown) { m_progress->setVisible(shown); }
QString ViewerStatusLine::pageText() const { return m_page->text(); }
QString ViewerStatusLine::recordText() const { return m_records->text(); }
QString ViewerStatusLine::progressText() const { return m_progress->text(); }

} // namespace velmora
