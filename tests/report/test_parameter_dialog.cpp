// The engine's parameter prompt driven as a user drives it: typing into the
// editor each parameter gets, accepting, and being refused with a message
// that names the parameter and what it needs.

#include "engine/definition/ParameterValueText.h"
#include "engine/report/ParameterDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace velmora;
using namespace Qt::StringLiterals;

namespace {

ParameterDefinition parameterOf(const QString &name, ValueType type, const QString &prompt = QString())
{
    return ParameterDefinition{name, type, prompt, {}};
}

Value day(int y, int m, int d) { return Value::date(DateTime::fromDate(QDate(y, m, d))); }

/// The editor a screen reader announces by `name`.
template<typename Widget>
Widget *control(QDialog &dialog, const QString &name)
{
    for (Widget *widget : dialog.findChildren<Widget *>())
        if (widget->accessibleName() == name)
            return widget;
    return nullptr;
}

QPushButton *button(QDialog &dialog, const QString &caption) { return control<QPushButton>(dialog, caption); }

QString shownProblem(QDialog &dialog) { return control<QLabel>(dialog, u"Avís"_s)->text(); }

} // namespace

class ParameterDialogTest : public QObject {
    Q_OBJECT
private slots:
    void typedValuesAreTakenByType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("taken");
        QTest::newRow("whole number") << int(ValueType::Integer) << u"2024"_s << u"2024"_s;
        QTest::newRow("number with a decimal comma and thousands") << int(ValueType::Number) << u"1.234,5"_s << u"1234.5"_s;
        QTest::newRow("currency stays exact") << int(ValueType::Currency) << u"0,1001"_s << u"0.1001"_s;
        QTest::newRow("date dd/mm/aaaa") << int(ValueType::Date) << u"29/02/2024"_s << u"2024-02-29"_s;
        QTest::newRow("time without seconds") << int(ValueType::Time) << u"13:45"_s << u"13:45:00"_s;
        QTest::newRow("date and time") << int(ValueType::DateTime) << u"01/03/2024 08:05:09"_s << u"2024-03-01T08:05:09"_s;
        QTest::newRow("text as typed") << int(ValueType::String) << u" L'Hospitalet "_s << u" L'Hospitalet "_s;
    }
    void typedValuesAreTakenByType()
    {
        QFETCH(int, type);
        QFETCH(QString, typed);
        std::vector<PromptRow> rows{{parameterOf(u"Valor"_s, ValueType(type), u"Quin valor?"_s), {}, {}}};
        ParameterDialog dialog(rows, nullptr);
        QLineEdit *line = control<QLineEdit>(dialog, u"Quin valor?"_s);
        QVERIFY2(line, "the row is read by its prompt");
        line->setText(typed);
        QTest::mouseClick(button(dialog, u"Acceptar"_s), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(rows[0].value.isSingle());
        QFETCH(QString, taken);
        QCOMPARE(rows[0].value.first(), *parseParameterValue(ValueType(type), taken));
    }

    void badInputKeepsTheDialogOpenNamingTheNeed_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("a decimal for a whole number") << int(ValueType::Integer) << u"20,5"_s << u"«20,5» no és vàlid per a «Any»: cal un nombre enter."_s;
        QTest::newRow("a date the other way round") << int(ValueType::Date) << u"2024-02-29"_s << u"«2024-02-29» no és vàlid per a «Any»: cal una data dd/mm/aaaa."_s;
        QTest::newRow("a day that does not exist") << int(ValueType::Date) << u"30/02/2024"_s << u"«30/02/2024» no és vàlid per a «Any»: cal una data dd/mm/aaaa."_s;
        QTest::newRow("five decimals of currency") << int(ValueType::Currency) << u"1,00001"_s << u"cal un import amb coma decimal i com a molt quatre decimals."_s;
        QTest::newRow("a point for the decimals") << int(ValueType::Number) << u"3.5"_s << u"cal un nombre, amb coma decimal."_s;
        QTest::newRow("nothing for a mandatory one") << int(ValueType::Integer) << u"  "_s << u"Cal un valor per a «Any»: un nombre enter."_s;
    }
    void badInputKeepsTheDialogOpenNamingTheNeed()
    {
        QFETCH(int, type);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        std::vector<PromptRow> rows{{parameterOf(u"Any"_s, ValueType(type)), {}, ParameterValue(Value::integer(7))}};
        const ParameterValue before = rows[0].value;
        ParameterDialog dialog(rows, nullptr);
        dialog.show();
        QLineEdit *line = control<QLineEdit>(dialog, u"Any"_s);
        line->setText(typed);
        QTest::mouseClick(button(dialog, u"Acceptar"_s), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY2(shownProblem(dialog).contains(message), qPrintable(shownProblem(dialog)));
        QCOMPARE(rows[0].value, before);
    }

    void prefilledRowsComeBackUnchangedAndCancelLeavesThem()
    {
        ParameterDefinition flag = parameterOf(u"Actius"_s, ValueType::Boolean, u"Només actius"_s);
        ParameterDefinition period = parameterOf(u"Període"_s, ValueType::Date);
        period.rangeValues = true;
        ParameterValue year2024;
        year2024.ranges = {{day(2024, 1, 1), day(2024, 12, 31), true, false}};
        std::vector<PromptRow> rows{{flag, {}, ParameterValue(Value::boolean(true))}, {period, {}, year2024}};
        {
            ParameterDialog dialog(rows, nullptr);
            QVERIFY(control<QCheckBox>(dialog, u"Només actius"_s)->isChecked());
            QCOMPARE(control<QLineEdit>(dialog, u"Període, des de"_s)->text(), u"01/01/2024"_s);
            control<QCheckBox>(dialog, u"Només actius"_s)->setChecked(false);
            QTest::mouseClick(button(dialog, u"Cancel·lar"_s), Qt::LeftButton);
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        QCOMPARE(rows[0].value, ParameterValue(Value::boolean(true)));
        ParameterDialog dialog(rows, nullptr);
        control<QLineEdit>(dialog, u"Període, fins a"_s)->clear();
        QTest::mouseClick(button(dialog, u"Acceptar"_s), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        // The end left empty is open; the start keeps being included.
        QCOMPARE(rows[1].value.ranges.size(), size_t(1));
        QCOMPARE(rows[1].value.ranges[0].low, day(2024, 1, 1));
        QVERIFY(rows[1].value.ranges[0].high.isNull());
    }

    void pickListsOfferTheirChoices()
    {
        ParameterDefinition countries = parameterOf(u"Països"_s, ValueType::String);
        countries.multipleValues = true;
        countries.closedList = true;
        ParameterDefinition city = parameterOf(u"Ciutat"_s, ValueType::String);
        city.closedList = true;
        const std::vector<PickValue> choices{{Value::string(u"Andorra"_s), QString()}, {Value::string(u"Espanya"_s), u"el Regne"_s}};
        std::vector<PromptRow> rows{{countries, choices, ParameterValue(Value::string(u"Espanya"_s))}, {city, choices, {}}};
        ParameterDialog dialog(rows, nullptr);
        QListWidget *list = control<QListWidget>(dialog, u"Països"_s);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(1)->text(), u"Espanya (el Regne)"_s);
        QCOMPARE(list->item(1)->checkState(), Qt::Checked);
        list->item(0)->setCheckState(Qt::Checked);
        QComboBox *cities = control<QComboBox>(dialog, u"Ciutat"_s);
        QVERIFY(!cities->isEditable());
        cities->setCurrentIndex(cities->findData(u"Andorra"_s));
        QTest::mouseClick(button(dialog, u"Acceptar"_s), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(rows[0].value.values, (std::vector<Value>{Value::string(u"Andorra"_s), Value::string(u"Espanya"_s)}));
        QCOMPARE(rows[1].value, ParameterValue(Value::string(u"Andorra"_s)));
    }

    void everyControlHasANameForAScreenReader()
    {
        ParameterDefinition period = parameterOf(u"Dia"_s, ValueType::Date, u"Quin dia?"_s);
        std::vector<PromptRow> rows{{period, {}, {}}, {parameterOf(u"Sí"_s, ValueType::Boolean), {}, {}}};
        ParameterDialog dialog(rows, nullptr);
        for (QWidget *widget : dialog.findChildren<QWidget *>())
            if (widget->focusPolicy() != Qt::NoFocus && widget->isVisibleTo(&dialog) && !qobject_cast<QLabel *>(widget)
                && widget->parent() && !widget->inherits("QScrollBar") && !widget->inherits("QScrollArea"))
                QVERIFY2(!widget->accessibleName().isEmpty(), widget->metaObject()->className());
        QVERIFY(control<QToolButton>(dialog, u"Calendari: Quin dia?"_s));
    }
};

QTEST_MAIN(ParameterDialogTest)
#include "test_parameter_dialog.moc"
