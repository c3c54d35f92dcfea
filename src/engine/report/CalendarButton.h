#pragma once

#include <QToolButton>

class QLineEdit;

namespace velmora {

/// A small button beside a date field that opens a month calendar; the day
/// picked is written into the field as dd/mm/aaaa (keeping a time already
/// typed after it).
class CalendarButton : public QToolButton {
    Q_OBJECT
public:
    CalendarButton(QLineEdit *field, const QString &question, QWidget *parent);

private:
    void openCalendar();

    QLineEdit *m_field;
};

} // namespace velmora
