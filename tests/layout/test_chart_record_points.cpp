// A chart of records works its x out once per source row when one table's
// row fixes it, reads plain fields straight from the records and the
// numbers the summaries kept for it: what it draws must not change for it,
// whether or not the records say where their fields come from.

#include "LayoutTestSupport.h"

#include "engine/layout/OperandSourceTable.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {

/// Order lines joined with their order: the fields of alias C come from
/// table 1 (the orders, row "C.Id"), the others from table 0 (a line a record).
class JoinedLines : public MemoryRecordSet {
public:
    JoinedLines(const std::vector<FieldKey> &fields, const QStringList &columns,
                const std::vector<std::vector<Value>> &rows)
        : MemoryRecordSet(fields, columns, rows), m_fields(fields)
    {
        const qsizetype id = columns.indexOf(u"C.Id"_s);
        for (const auto &row : rows)
            m_orderOf.push_back(row[size_t(id)].isNull() ? -1 : row[size_t(id)].asInteger());
    }
    int sourceTable(int field) const override { return m_fields[size_t(field)].alias == u"C"_s ? 1 : 0; }
    qint64 sourceRowCount(int table) const override { return table == 0 ? size() : 10; }
    qint64 sourceRow(qint64 record, int table) const override
    {
        return table == 0 ? record : m_orderOf[size_t(record)];
    }

private:
    std::vector<FieldKey> m_fields;
    std::vector<qint64> m_orderOf;
};

struct Line {
    int order; ///< 0: a line whose order is missing (an outer join)
    const char *date;
    int quantity;
};

// Lines of order 1 come again after order 2; order 3 has no date.
const std::vector<Line> lines = {
    {1, "2024-01-15", 10}, {1, "2024-01-15", 20}, {2, "2024-02-03", 5}, {1, "2024-01-15", 1},
    {3, nullptr, 100},     {4, "2024-01-31", 7},  {0, nullptr, 3},      {5, "2023-12-24", 2},
};

MemoryData linesData()
{
    MemoryData data;
    auto &[columns, rows] = data.tables[QString()];
    columns = {u"C.Id"_s, u"C.Data"_s, u"L.Quantitat"_s, u"L.Preu"_s};
    for (const Line &l : lines) {
        const Value date = l.date ? Value::date(DateTime::fromDate(QDate::fromString(QString::fromLatin1(l.date), Qt::ISODate)))
                                  : Value();
        rows.push_back({l.order ? Value::integer(l.order) : Value(), date, Value::integer(l.quantity),
                        Value::currency(Currency::fromWhole(2))});
    }
    return data;
}

std::shared_ptr<ReportDefinition> monthlyChartReport()
{
    auto d = std::make_shared<ReportDefinition>();
    d->tables = {{u"Linies"_s, u"L"_s, {}}, {u"Comandes"_s, u"C"_s, {}}};
    d->parameters.push_back({u"Prefix"_s, ValueType::String, u"Prefix?"_s, Value::string(u"M"_s)});
    d->formulas = {
        {u"Mes"_s, {u"{?Prefix} & ToText({C.Data}, \"yyyy-MM\")"_s, 0, 0}},
        {u"Import"_s, {u"{L.Quantitat} * {L.Preu}"_s, 0, 0}},
        {u"DeLaComanda"_s, {u"{@Mes} & \"/\" & {C.Id}"_s, 0, 0}},
        {u"Barrejat"_s, {u"{@Mes} & {L.Quantitat}"_s, 0, 0}},
        {u"AmbResum"_s, {u"{@Mes} & Sum({L.Quantitat})"_s, 0, 0}},
        {u"AmbPagina"_s, {u"{@Mes} & PageNumber"_s, 0, 0}},
        {u"Constant"_s, {u"\"tots\""_s, 0, 0}},
    };
    auto chart = std::make_shared<ChartDefinition>();
    chart->type = ChartType::Line;
    chart->data = ChartData::Records;
    chart->xField = std::make_shared<FieldRef>(formulaField(u"Mes"_s));
    chart->series.push_back({std::make_shared<FieldRef>(formulaField(u"Import"_s)), u"Import"_s, std::nullopt});
    chart->series.push_back({std::make_shared<FieldRef>(dbField(u"L"_s, u"Quantitat"_s)), u"Unitats"_s, std::nullopt});
    ReportObject object;
    object.name = u"G"_s;
    object.kind = ReportObject::Kind::Chart;
    object.rect = QRect(0, 0, 9000, 3000);
    object.chart = chart;
    d->sections = {section(u"S"_s, SectionKind::ReportHeader, 3200, {object})};
    return d;
}

/// The report laid out over records that tell their source rows, or not.
std::shared_ptr<ReportPageSource> layOutLines(std::shared_ptr<ReportDefinition> definition, const MemoryData &data,
                                              bool rowsKnown)
{
    RecordProvider provider = data.provider();
    if (rowsKnown)
        provider = [&data](const ReportDefinition &, const QString &, const std::vector<FieldKey> &fields,
                           const CancelToken &, const ProgressCallback &) -> std::shared_ptr<const RecordSet> {
            const auto &[columns, rows] = data.tables.at(QString());
            return std::make_shared<JoinedLines>(fields, columns, rows);
        };
    auto plan = std::make_unique<ReportPlan>(definition, ParameterValues{});
    return std::make_shared<ReportPageSource>(std::move(plan), provider, ParameterValues{},
                                              QDateTime(QDate(2026, 12, 8), QTime(10, 30)));
}

ChartValuesItem onlyChart(const std::shared_ptr<ReportPageSource> &source)
{
    CancelToken cancel;
    source->layOutUntil(-1, cancel);
    for (const PageItem &item : source->page(0).items)
        if (const auto *chart = std::get_if<ChartValuesItem>(&item))
            return *chart;
    return {};
}

} // namespace

class ChartRecordPointsTest : public QObject {
    Q_OBJECT

    const MemoryData m_data = linesData();

private slots:
    void sourceRowsChangeNothingDrawn_data()
    {
        QTest::addColumn<QString>("x");
        QTest::newRow("formula over the order") << u"Mes"_s;
        QTest::newRow("plain field of the order") << QString();
        QTest::newRow("formula over two tables") << u"Barrejat"_s;
    }

    void sourceRowsChangeNothingDrawn()
    {
        QFETCH(QString, x);
        auto definition = monthlyChartReport();
        definition->sections[0].objects[0].chart->xField =
            std::make_shared<FieldRef>(x.isEmpty() ? dbField(u"C"_s, u"Data"_s) : formulaField(x));
        const ChartValuesItem told = onlyChart(layOutLines(definition, m_data, true));
        const ChartValuesItem plain = onlyChart(layOutLines(definition, m_data, false));
        QVERIFY(!told.categories.isEmpty());
        QCOMPARE(told.categories, plain.categories);
        QCOMPARE(told.numbers, plain.numbers);
    }

    void linesOfAnOrderCountWhereverTheyStand()
    {
        const ChartValuesItem chart = onlyChart(layOutLines(monthlyChartReport(), m_data, true));
        // Order 1's third line comes after order 2; the lines without a date
        // give "M" alone (ToText of nothing is empty text), sorted first.
        QCOMPARE(chart.categories, (QStringList{u"M"_s, u"M2023-12"_s, u"M2024-01"_s, u"M2024-02"_s}));
        QCOMPARE(chart.numbers.size(), size_t(4));
        QCOMPARE(chart.numbers[2][0], std::optional<double>(76)); // (10 + 20 + 1 + 7) × 2
        QCOMPARE(chart.numbers[2][1], std::optional<double>(38));
        QCOMPARE(chart.numbers[0][1], std::optional<double>(103));
        QCOMPARE(chart.numbers[3][1], std::optional<double>(5));
    }

    void numbersKeptBySummariesDrawWhatTheFormulaGives_data()
    {
        QTest::addColumn<int>("keep");
        QTest::addColumn<bool>("gatherRest");
        QTest::newRow("orders in their own order") << -2 << false;
        QTest::newRow("orders ranked, all kept: the numbers follow") << -1 << false;
        QTest::newRow("the best three orders: worked out again") << 3 << false;
        QTest::newRow("the best three and the rest: not read") << 3 << true;
    }

    void numbersKeptBySummariesDrawWhatTheFormulaGives()
    {
        // A report total of the chart's Import keeps Import's numbers for
        // the chart; ranked or not, what it draws is what the formula gives.
        QFETCH(int, keep);
        QFETCH(bool, gatherRest);
        auto plain = monthlyChartReport();
        GroupDefinition order;
        order.field = dbField(u"C"_s, u"Id"_s);
        if (keep >= -1) {
            GroupRanking ranking;
            ranking.by = summaryOf(SummaryOperation::Sum, dbField(u"L"_s, u"Quantitat"_s), 0);
            if (keep >= 0)
                ranking.keep = keep;
            ranking.gatherRest = gatherRest;
            order.ranking = ranking;
        }
        plain->groups.push_back(order);
        auto summed = std::make_shared<ReportDefinition>(*plain);
        summed->sections[0].objects.push_back(fieldObject(
            u"Total"_s, summaryOf(SummaryOperation::Sum, formulaField(u"Import"_s), -1), QRect(0, 3000, 2000, 200)));

        const auto kept = layOutLines(summed, m_data, true);
        const ReportPlan plan(summed, ParameterValues{});
        int import = 0;
        while (plan.formulaName(import) != u"Import"_s)
            ++import;
        CancelToken cancel;
        QVERIFY(kept->preparedRecords(cancel).chartNumbers.column(Operand{true, import}));
        QVERIFY(!layOutLines(plain, m_data, true)->preparedRecords(cancel).chartNumbers.column(Operand{true, import}));
        const ChartValuesItem drawn = onlyChart(kept);
        const ChartValuesItem workedOut = onlyChart(layOutLines(plain, m_data, true));
        QVERIFY(!drawn.categories.isEmpty());
        QCOMPARE(drawn.categories, workedOut.categories);
        QCOMPARE(drawn.numbers, workedOut.numbers);
    }

    void tableThatFixesAnOperand_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("table");
        QTest::addColumn<bool>("onlyRecord");
        QTest::newRow("fields of the order and a parameter") << u"Mes"_s << 1 << true;
        QTest::newRow("through another formula") << u"DeLaComanda"_s << 1 << true;
        QTest::newRow("fields of the line") << u"Import"_s << 0 << true;
        QTest::newRow("fields of two tables") << u"Barrejat"_s << -1 << true;
        QTest::newRow("a summary") << u"AmbResum"_s << -1 << false;
        QTest::newRow("the page number") << u"AmbPagina"_s << -1 << false;
        QTest::newRow("no field at all") << u"Constant"_s << -1 << true;
    }

    void tableThatFixesAnOperand()
    {
        QFETCH(QString, formula);
        QFETCH(int, table);
        QFETCH(bool, onlyRecord);
        const ReportPlan plan(monthlyChartReport(), ParameterValues{});
        const auto &[columns, rows] = m_data.tables.at(QString());
        const JoinedLines records(plan.fields(), columns, rows);
        int index = 0;
        while (plan.formulaName(index) != formula)
            ++index;
        QCOMPARE(operandSourceTable(plan, records, Operand{true, index}), table);
        QCOMPARE(operandReadsOnlyRecord(plan, Operand{true, index}), onlyRecord);
    }

    void aFieldIsFixedByItsOwnTableWhenTheRecordsTell()
    {
        const ReportPlan plan(monthlyChartReport(), ParameterValues{});
        const auto &[columns, rows] = m_data.tables.at(QString());
        const JoinedLines told(plan.fields(), columns, rows);
        const MemoryRecordSet untold(plan.fields(), columns, rows);
        for (int f = 0; f < int(plan.fields().size()); ++f) {
            const int expected = plan.fields()[size_t(f)].alias == u"C"_s ? 1 : 0;
            QCOMPARE(operandSourceTable(plan, told, Operand{false, f}), expected);
            QCOMPARE(operandSourceTable(plan, untold, Operand{false, f}), -1);
        }
    }
};

QTEST_MAIN(ChartRecordPointsTest)
#include "test_chart_record_points.moc"
