#include "FuzzEntries.h"

#include "engine/formula/Formula.h"

#include <QDate>
#include <QTime>

#include <array>

namespace velmora::fuzzing {

namespace {

/// A report that has every name a formula asks for: each reference and
/// summary gets a slot of its own, and a slot's value is one of a few of
/// every type, so evaluation reaches every operator and function.
class ReportWithEveryName : public FormulaBinder, public EvaluationContext {
public:
    int resolve(const FormulaReference &) override { return m_nextSlot++; }
    int resolveSummary(SummaryFunction, const FormulaReference &, const std::optional<FormulaReference> &) override
    {
        return m_nextSlot++;
    }

    Value slotValue(int slot) override
    {
        const std::array<Value, 10> values{
            Value::integer(7),
            Value::number(-2.5),
            Value::currency(Currency::fromWhole(1234)),
            Value::string(QStringLiteral("Girona")),
            Value::date(DateTime::fromDate(QDate(2024, 2, 29))),
            Value::time(DateTime::fromTime(QTime(23, 59, 58))),
            Value::dateTime(DateTime::fromDateAndTime(QDate(1899, 12, 30), QTime(12, 0))),
            Value::boolean(true),
            Value::null(),
            Value::string(QString()),
        };
        return values[static_cast<size_t>(slot) % values.size()];
    }

    Value specialValue(SpecialValue which) override
    {
        switch (which) {
        case SpecialValue::PageNumber:
            return Value::integer(3);
        case SpecialValue::TotalPageCount:
            return Value::integer(10);
        case SpecialValue::PageNofM:
            return Value::string(QStringLiteral("Pàgina 3 de 10"));
        case SpecialValue::PrintDate:
            return Value::date(DateTime::fromDate(QDate(2026, 12, 8)));
        case SpecialValue::PrintTime:
            return Value::time(DateTime::fromTime(QTime(18, 30)));
        case SpecialValue::RecordNumber:
            return Value::integer(42);
        case SpecialValue::GroupNumber:
            return Value::integer(2);
        case SpecialValue::DesignValue:
        case SpecialValue::ObjectValue:
            break;
        }
        return Value::null();
    }

private:
    int m_nextSlot = 0;
};

} // namespace

void runFormula(const QByteArray &input)
{
    Formula formula = Formula::parse(QString::fromUtf8(input), QStringLiteral("Fuzz"));
    ReportWithEveryName report;
    formula.bind(report);
    formula.evaluate(report);
    // A copy is independent of the original and must give the same value.
    const Formula copy = formula;
    copy.evaluate(report);
}

} // namespace velmora::fuzzing
