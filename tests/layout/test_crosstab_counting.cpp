// Counting records into a cross-tab: cells, subtotals and totals, the order
// of lines, Top N with the rest gathered or left out, Null values.

#include "engine/layout/CrossTabCounter.h"

#include <QtTest>

using namespace velmora;
using namespace Qt::StringLiterals;

namespace {

struct Sale {
    Value row;
    Value column;
    qint64 amount;
};

Value text(const char *t) { return Value::string(QString::fromUtf8(t)); }

CrossTabPlan planFor(const CrossTabDefinition &definition)
{
    CrossTabPlan plan;
    plan.definition = &definition;
    plan.rows.resize(definition.rows.size());
    plan.columns.resize(definition.columns.size());
    for (const CrossTabSummary &s : definition.summaries)
        plan.summaries.push_back({s.summary.operation, {}, 0, std::nullopt});
    return plan;
}

CrossTabDefinition oneByOne(SummaryOperation operation = SummaryOperation::Sum)
{
    CrossTabDefinition d;
    d.rows.resize(1);
    d.columns.resize(1);
    CrossTabSummary s;
    s.summary.kind = FieldRef::Kind::Summary;
    s.summary.operation = operation;
    d.summaries.push_back(s);
    return d;
}

std::unique_ptr<CrossTabGrid> count(const CrossTabPlan &plan, const std::vector<Sale> &sales,
                                    const CrossTabSelection *rows = nullptr, const CrossTabSelection *columns = nullptr)
{
    CrossTabCounter counter(plan, rows, columns);
    for (const Sale &s : sales)
        counter.add({s.row}, {s.column}, {Value::integer(s.amount)}, {Value()});
    return counter.finish();
}

/// Counts twice when a level has a Top N, as the layout does.
std::unique_ptr<CrossTabGrid> countRanked(const CrossTabPlan &plan, const std::vector<Sale> &sales)
{
    auto first = count(plan, sales);
    const auto rows = selectTopLines(*first, CrossTabGrid::Side::Rows, plan.definition->rows);
    const auto columns = selectTopLines(*first, CrossTabGrid::Side::Columns, plan.definition->columns);
    if (!rows && !columns)
        return first;
    return count(plan, sales, rows.get(), columns.get());
}

QStringList headings(const CrossTabGrid &grid, CrossTabGrid::Side side, int level = 0)
{
    QStringList out;
    const size_t n = side == CrossTabGrid::Side::Rows ? grid.rows().size() : grid.columns().size();
    for (size_t i = 0; i < n; ++i)
        out << grid.heading(side, i, level, true);
    return out;
}

/// The grid as text: one line per row, its heading then its cells.
QStringList table(const CrossTabGrid &grid)
{
    QStringList out;
    for (size_t r = 0; r < grid.rows().size(); ++r) {
        QStringList cells{grid.heading(CrossTabGrid::Side::Rows, r, 0, true)};
        for (const CrossTabLine &c : grid.columns()) {
            const Value v = grid.cell(grid.rows()[r], c, 0);
            cells << (v.isNull() ? u"-"_s : QString::number(v.asInteger()));
        }
        out << cells.join(u' ');
    }
    return out;
}

const std::vector<Sale> sales = {
    {text("Espanya"), Value::integer(2024), 10}, {text("França"), Value::integer(2024), 5},
    {text("Espanya"), Value::integer(2025), 7},  {text("Andorra"), Value::integer(2025), 1},
    {text("Espanya"), Value::integer(2024), 3},  {text("França"), Value::integer(2023), 40},
};

} // namespace

class CrossTabCountingTest : public QObject {
    Q_OBJECT
private slots:
    void cellsAndTotals_data()
    {
        QTest::addColumn<bool>("rowTotals");
        QTest::addColumn<bool>("columnTotals");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("both totals") << true << true
                                     << QStringList{u"Andorra - - 1 1"_s, u"Espanya - 13 7 20"_s,
                                                    u"França 40 5 - 45"_s, u"Total 40 18 8 66"_s};
        QTest::newRow("no row totals") << false << true
                                       << QStringList{u"Andorra - - 1"_s, u"Espanya - 13 7"_s, u"França 40 5 -"_s,
                                                      u"Total 40 18 8"_s};
        QTest::newRow("no column totals") << true << false
                                          << QStringList{u"Andorra - - 1 1"_s, u"Espanya - 13 7 20"_s,
                                                         u"França 40 5 - 45"_s};
    }
    void cellsAndTotals()
    {
        QFETCH(bool, rowTotals);
        QFETCH(bool, columnTotals);
        QFETCH(QStringList, expected);
        CrossTabDefinition d = oneByOne();
        d.rowTotals = rowTotals;
        d.columnTotals = columnTotals;
        const CrossTabPlan plan = planFor(d);
        QCOMPARE(table(*count(plan, sales)), expected);
    }

    void countsOverNothingAreZero()
    {
        const CrossTabDefinition d = oneByOne(SummaryOperation::Count);
        const CrossTabPlan plan = planFor(d);
        const auto grid = count(plan, sales);
        // Andorra has no sale in 2023: its count there is 0, not empty.
        QCOMPARE(grid->cell(grid->rows()[0], grid->columns()[0], 0), Value::integer(0));
        QCOMPARE(grid->cell(grid->rows().back(), grid->columns().back(), 0), Value::integer(6));
    }

    void orderOfLines_data()
    {
        QTest::addColumn<int>("order");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("ascending, Catalan") << int(CrossTabOrder::Ascending)
                                            << QStringList{u"(sense valor)"_s, u"Andorra"_s, u"avet"_s, u"Àvila"_s,
                                                           u"Ègara"_s, u"Zamora"_s, u"Total"_s};
        QTest::newRow("descending") << int(CrossTabOrder::Descending)
                                    << QStringList{u"Zamora"_s, u"Ègara"_s, u"Àvila"_s, u"avet"_s, u"Andorra"_s,
                                                   u"(sense valor)"_s, u"Total"_s};
        QTest::newRow("largest total first") << int(CrossTabOrder::TotalDescending)
                                             << QStringList{u"Àvila"_s, u"Zamora"_s, u"avet"_s, u"(sense valor)"_s,
                                                            u"Andorra"_s, u"Ègara"_s, u"Total"_s};
        QTest::newRow("smallest total first, ties by value")
            << int(CrossTabOrder::TotalAscending)
            << QStringList{u"Andorra"_s, u"Ègara"_s, u"(sense valor)"_s, u"avet"_s, u"Zamora"_s, u"Àvila"_s,
                           u"Total"_s};
    }
    void orderOfLines()
    {
        QFETCH(int, order);
        QFETCH(QStringList, expected);
        CrossTabDefinition d = oneByOne();
        d.rows[0].order = CrossTabOrder(order);
        const CrossTabPlan plan = planFor(d);
        const std::vector<Sale> towns = {
            {text("Zamora"), Value::integer(1), 30}, {text("Àvila"), Value::integer(1), 50},
            {text("avet"), Value::integer(1), 20},   {text("Andorra"), Value::integer(1), 1},
            {Value(), Value::integer(1), 5},         {text("Ègara"), Value::integer(1), 1},
        };
        QCOMPARE(headings(*count(plan, towns), CrossTabGrid::Side::Rows), expected);
    }

    void topColumnsGatherTheRest()
    {
        CrossTabDefinition d = oneByOne();
        d.columns[0].top = 1;
        const CrossTabPlan plan = planFor(d);
        const auto grid = countRanked(plan, sales);
        // 2023 has the largest total (40); 2024 and 2025 go into "Altres", last.
        QCOMPARE(headings(*grid, CrossTabGrid::Side::Columns), (QStringList{u"2023"_s, u"Altres"_s, u"Total"_s}));
        QCOMPARE(table(*grid), (QStringList{u"Andorra - 1 1"_s, u"Espanya - 20 20"_s, u"França 40 5 45"_s,
                                            u"Total 40 26 66"_s}));
    }

    void topRowsLeaveTheRestOut()
    {
        CrossTabDefinition d = oneByOne();
        d.rows[0].top = 2;
        d.rows[0].gatherRest = false;
        const CrossTabPlan plan = planFor(d);
        const auto grid = countRanked(plan, sales);
        // Andorra's one sale is not counted anywhere, totals included.
        QCOMPARE(table(*grid), (QStringList{u"Espanya - 13 7 20"_s, u"França 40 5 - 45"_s, u"Total 40 18 7 65"_s}));
    }

    void subtotalsOfOuterLevels_data()
    {
        QTest::addColumn<bool>("subtotals");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("with subtotals") << true
                                        << QStringList{u"Girona|Olot|-|4"_s, u"Girona|Vic|-|6"_s,
                                                       u"Total Girona||-|10"_s, u"Lleida|Tremp|-|2"_s,
                                                       u"Total Lleida||-|2"_s, u"Total||-|12"_s};
        QTest::newRow("without") << false
                                 << QStringList{u"Girona|Olot|-|4"_s, u"Girona|Vic|-|6"_s, u"Lleida|Tremp|-|2"_s,
                                                u"Total||-|12"_s};
    }
    void subtotalsOfOuterLevels()
    {
        QFETCH(bool, subtotals);
        QFETCH(QStringList, expected);
        CrossTabDefinition d = oneByOne();
        d.rows.resize(2);
        d.rows[0].subtotals = subtotals;
        d.rowTotals = false;
        const CrossTabPlan plan = planFor(d);
        CrossTabCounter counter(plan);
        const auto add = [&](const char *province, const char *town, qint64 amount) {
            counter.add({text(province), text(town)}, {Value::integer(1)}, {Value::integer(amount)}, {Value()});
        };
        add("Lleida", "Tremp", 2);
        add("Girona", "Vic", 6);
        add("Girona", "Olot", 4);
        const auto grid = counter.finish();
        QStringList lines;
        for (size_t r = 0; r < grid->rows().size(); ++r)
            lines << grid->heading(CrossTabGrid::Side::Rows, r, 0, true) + u'|'
                         + grid->heading(CrossTabGrid::Side::Rows, r, 1, true) + u"|-|"
                         + QString::number(grid->cell(grid->rows()[r], grid->columns()[0], 0).asInteger());
        QCOMPARE(lines, expected);
        // The outer value shows on the first line of its group only.
        QCOMPARE(grid->heading(CrossTabGrid::Side::Rows, 1, 0), QString());
    }

    void onlyTheCellsReachedAreHeld()
    {
        // A record adds to its cell, its row and column totals and the grand total.
        const CrossTabDefinition d = oneByOne();
        const CrossTabPlan plan = planFor(d);
        CrossTabCounter counter(plan);
        for (int i = 0; i < 1000; ++i)
            counter.add({Value::integer(i % 10)}, {Value::integer(i % 10)}, {Value::integer(1)}, {Value()});
        QCOMPARE(counter.finish()->cellCount(), qint64(10 + 10 + 10 + 1));
    }
};

QTEST_GUILESS_MAIN(CrossTabCountingTest)
#include "test_crosstab_counting.moc"
