#include "engine/layout/SummaryAccumulator.h"

namespace velmora {

SummaryAccumulator::SummaryAccumulator(SummaryOperation operation, double argument)
    : m_operation(operation), m_argument(argument)
{
    switch (operation) {
    case SummaryOperation::Sum:
    case SummaryOperation::Count:
    case SummaryOperation::Average:
    case SummaryOperation::Minimum:
    case SummaryOperation::Maximum: break;
    default:
        m_collections = std::make_unique<Collections>(int(argument), operation == SummaryOperation::NthLargest);
    }
}

void SummaryAccumulator::reset()
{
    *this = SummaryAccumulator(m_operation, m_argument);
}

void SummaryAccumulator::add(const Value &value, const Value &weight)
{
    if (value.isNull())
        return;
    ++m_count;
    switch (m_operation) {
    case SummaryOperation::Median:
    case SummaryOperation::Percentile: m_collections->column.add(value); break;
    case SummaryOperation::Mode:
    case SummaryOperation::NthMostFrequent: m_collections->frequencies.add(value); break;
    case SummaryOperation::NthLargest:
    case SummaryOperation::NthSmallest: m_collections->extremes.add(value); break;
    case SummaryOperation::StdDev:
    case SummaryOperation::PopulationStdDev:
    case SummaryOperation::Variance:
    case SummaryOperation::PopulationVariance: m_collections->dispersion.add(value); break;
    case SummaryOperation::WeightedAverage: m_collections->weighted.add(value, weight); break;
    case SummaryOperation::Sum:
    case SummaryOperation::Average:
        addToSum(value);
        break;
    case SummaryOperation::Count:
        break;
    case SummaryOperation::DistinctCount:
        m_collections->distinct.insert(value);
        break;
    case SummaryOperation::Minimum:
        if (!m_extreme || collateValues(value, *m_extreme) < 0)
            m_extreme = value;
        break;
    case SummaryOperation::Maximum:
        if (!m_extreme || collateValues(value, *m_extreme) > 0)
            m_extreme = value;
        break;
    }
}

void SummaryAccumulator::addToSum(const Value &value)
{
    if (!value.isNumeric()) {
        // Text, dates and booleans have no sum; they still count for Average's
        // divisor only if summed, so take them back out.
        --m_count;
        return;
    }
    m_numberSum += value.toDouble();
    if (m_sumKind == SumKind::Number)
        return;
    if (value.type() == ValueType::Number) {
        m_sumKind = SumKind::Number;
        return;
    }
    if (value.type() == ValueType::Integer && m_sumKind != SumKind::Currency) {
        m_sumKind = SumKind::Integer;
        if (__builtin_add_overflow(m_integerSum, value.asInteger(), &m_integerSum))
            m_sumKind = SumKind::Number;
        return;
    }
    // Currency, or an Integer joining a Currency sum.
    if (m_sumKind == SumKind::Integer) {
        qint64 units;
        if (__builtin_mul_overflow(m_integerSum, Currency::scale, &units)) {
            m_sumKind = SumKind::Number;
            return;
        }
        m_currencySum = Currency{units};
    }
    m_sumKind = SumKind::Currency;
    const Currency addend = value.type() == ValueType::Currency ? value.asCurrency()
                                                                 : Currency::fromWhole(value.asInteger());
    const auto sum = m_currencySum.checkedAdd(addend);
    if (!sum)
        m_sumKind = SumKind::Number;
    else
        m_currencySum = *sum;
}

Value SummaryAccumulator::result() const
{
    switch (m_operation) {
    case SummaryOperation::Median: return m_collections->column.percentile(50);
    case SummaryOperation::Percentile: return m_collections->column.percentile(m_argument);
    case SummaryOperation::Mode: return m_collections->frequencies.nthMostFrequent(1);
    case SummaryOperation::NthMostFrequent: return m_collections->frequencies.nthMostFrequent(int(m_argument));
    case SummaryOperation::NthLargest:
    case SummaryOperation::NthSmallest: return m_collections->extremes.result();
    case SummaryOperation::StdDev: return m_collections->dispersion.deviation(true);
    case SummaryOperation::PopulationStdDev: return m_collections->dispersion.deviation(false);
    case SummaryOperation::Variance: return m_collections->dispersion.variance(true);
    case SummaryOperation::PopulationVariance: return m_collections->dispersion.variance(false);
    case SummaryOperation::WeightedAverage: return m_collections->weighted.result();
    case SummaryOperation::Count: return Value::integer(m_count);
    case SummaryOperation::DistinctCount: return Value::integer(qint64(m_collections->distinct.size()));
    case SummaryOperation::Minimum:
    case SummaryOperation::Maximum: return m_extreme.value_or(Value());
    case SummaryOperation::Sum:
        switch (m_sumKind) {
        case SumKind::None: return m_count == 0 ? Value() : Value::integer(0);
        case SumKind::Integer: return Value::integer(m_integerSum);
        case SumKind::Currency: return Value::currency(m_currencySum);
        case SumKind::Number: return Value::number(m_numberSum);
        }
        break;
    case SummaryOperation::Average:
        if (m_count == 0)
            return Value();
        if (m_sumKind == SumKind::Currency) {
            // Exact to the ten-thousandth, rounded half away from zero.
            const qint64 q = m_currencySum.units / m_count;
            const qint64 r = m_currencySum.units % m_count;
            const qint64 adjust = (2 * (r < 0 ? -r : r) >= m_count) ? (m_currencySum.units < 0 ? -1 : 1) : 0;
            return Value::currency(Currency{q + adjust});
        }
        return Value::number(m_numberSum / double(m_count));
    }
    return Value();
}

} // namespace velmora
