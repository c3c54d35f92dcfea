#include "engine/report/CalendarButton.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QWidgetAction>

namespace velmora {

namespace {
const QString dayFormat = QStringLiteral("dd/MM/yyyy");
}

CalendarButton::CalendarButton(QLineEdit *field, const QString &question, QWidget *parent)
    : QToolButton(parent), m_field(field)
{
    setText(QStringLiteral("..."));
    setAccessibleName(QStringLiteral("Calendari: %1").arg(question));
    setToolTip(QStringLiteral("Tria la data en un calendari"));
    connect(this, &QToolButton::clicked, this, &CalendarButton::openCalendar);
}

void CalendarButton::openCalendar()
{
    QMenu popup(this);
    auto *calendar = new QCalendarWidget(&popup);
    calendar->setLocale(QLocale(QLocale::Catalan, QLocale::Spain));
    calendar->setFirstDayOfWeek(Qt::Monday);
    calendar->setAccessibleName(accessibleName());
    const QString text = m_field->text().trimmed();
    const QDate shown = QDate::fromString(text.section(u' ', 0, 0), dayFormat);
    if (shown.isValid())
        calendar->setSelectedDate(shown);
    auto *action = new QWidgetAction(&popup);
    action->setDefaultWidget(calendar);
    popup.addAction(action);
    connect(calendar, &QCalendarWidget::activated, &popup, [&](const QDate &date) {
        const QString time = text.section(u' ', 1);
        m_field->setText(time.isEmpty() ? date.toString(dayFormat) : date.toString(dayFormat) + u' ' + time);
        popup.close();
    });
    popup.exec(mapToGlobal(QPoint(0, height())));
}

} // namespace velmora
