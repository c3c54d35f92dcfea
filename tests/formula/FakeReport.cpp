#include "FakeReport.h"

#include "engine/formula/ParameterValueReading.h"

using namespace velmora;

namespace {

DateTime at(int y, int m, int d, int h = 0, int mi = 0, int s = 0)
{
    return DateTime::fromDateAndTime(QDate(y, m, d), QTime(h, mi, s));
}

} // namespace

FakeReport::FakeReport()
{
    set(QStringLiteral("{Comandes.Import}"), Value::currency(*Currency::fromString(QStringLiteral("1234.5"))));
    set(QStringLiteral("{Comandes.Data}"), Value::date(at(2024, 2, 29)));
    set(QStringLiteral("{Comandes.Enviada}"), Value::dateTime(at(2024, 3, 1, 13, 45, 30)));
    set(QStringLiteral("{Comandes.Nota}"), Value::null());
    set(QStringLiteral("{Comandes.Pagada}"), Value::boolean(true));
    set(QStringLiteral("{Clients.Nom}"), Value::string(QStringLiteral("Àngel Puig")));
    set(QStringLiteral("{Línies Comanda.Quantitat}"), Value::integer(3));
    set(QStringLiteral("{Línies Comanda.Preu Unitari}"), Value::currency(*Currency::fromString(QStringLiteral("19.99"))));
    set(QStringLiteral("{Línies Comanda.Descompte}"), Value::number(0.1));
    set(QStringLiteral("{@Total Línia}"), Value::number(53.973));
    setParameter(QStringLiteral("{?Any}"), Value::integer(2024));
    ParameterValue countries;
    countries.values = {Value::string(QStringLiteral("Espanya")), Value::string(QStringLiteral("Andorra"))};
    setParameter(QStringLiteral("{?Països}"), countries);
    ParameterValue period;
    period.values = {Value::date(at(2023, 6, 1))};
    period.ranges = {{Value::date(at(2024, 1, 1)), Value::date(at(2024, 2, 29)), true, false},
                     {Value::date(at(2025, 1, 1)), Value(), true, true}};
    setParameter(QStringLiteral("{?Període}"), period);
    ParameterValue amounts;
    amounts.ranges = {{Value::integer(0), Value::integer(10), false, true}};
    setParameter(QStringLiteral("{?Quantitat}"), amounts);
    setParameter(QStringLiteral("{?Buit}"), ParameterValue());
    set(QStringLiteral("{#Acumulat}"), Value::currency(Currency::fromWhole(5000)));
    setSummary(summaryKey(SummaryFunction::Sum, QStringLiteral("{Comandes.Import}"), QString()), Value::currency(Currency::fromWhole(90000)));
    setSummary(summaryKey(SummaryFunction::Sum, QStringLiteral("{Comandes.Import}"), QStringLiteral("{Clients.Nom}")), Value::currency(Currency::fromWhole(4000)));
    setSummary(summaryKey(SummaryFunction::Count, QStringLiteral("{Comandes.Import}"), QStringLiteral("{Clients.Nom}")), Value::integer(4));
    setSummary(summaryKey(SummaryFunction::Maximum, QStringLiteral("{Comandes.Data}"), QString()), Value::date(at(2024, 12, 31)));
}

QString FakeReport::summaryKey(SummaryFunction fn, const QString &operand, const QString &group)
{
    return QStringLiteral("summary %1 %2 %3").arg(int(fn)).arg(operand, group);
}

void FakeReport::set(const QString &reference, const Value &value)
{
    const int slot = slotOf(reference);
    if (slot >= 0)
        m_slots[slot].second = value;
    else
        m_slots.append({reference, value});
}

void FakeReport::setParameter(const QString &reference, const ParameterValue &value)
{
    set(reference, parameterAsValue(value));
    m_parameters[slotOf(reference)] = value;
}

const ParameterValue *FakeReport::parameterValue(int slot)
{
    const auto found = m_parameters.find(slot);
    return found == m_parameters.end() ? nullptr : &found->second;
}

void FakeReport::setSummary(const QString &key, const Value &value) { set(key, value); }

int FakeReport::slotOf(const QString &key) const
{
    for (int i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i].first == key)
            return i;
    }
    return -1;
}

int FakeReport::resolve(const FormulaReference &ref) { return slotOf(ref.toText()); }

int FakeReport::resolveSummary(SummaryFunction fn, const FormulaReference &operand, const std::optional<FormulaReference> &group)
{
    return slotOf(summaryKey(fn, operand.toText(), group ? group->toText() : QString()));
}

Value FakeReport::slotValue(int slot) { return m_slots.at(slot).second; }

Value FakeReport::specialValue(SpecialValue which)
{
    switch (which) {
    case SpecialValue::PageNumber: return Value::integer(3);
    case SpecialValue::TotalPageCount: return Value::integer(10);
    case SpecialValue::PageNofM: return Value::string(QStringLiteral("Pàgina 3 de 10"));
    case SpecialValue::PrintDate: return Value::date(at(2024, 3, 15));
    case SpecialValue::PrintTime: return Value::time(DateTime::fromTime(QTime(10, 30, 0)));
    case SpecialValue::RecordNumber: return Value::integer(7);
    case SpecialValue::GroupNumber: return Value::integer(2);
    case SpecialValue::DesignValue:
    case SpecialValue::ObjectValue: break;
    }
    return Value();
}

Value FakeReport::evaluate(const QString &text)
{
    Formula formula = Formula::parse(text, QStringLiteral("Prova"));
    formula.bind(*this);
    return formula.evaluate(*this);
}

QString describeValue(const Value &value)
{
    return valueTypeName(value.type()) + u' ' + value.toDebugText();
}
