#include "engine/layout/ColumnRanks.h"
#include "engine/layout/SortKeyPacking.h"
#include "engine/layout/ValueOrder.h"

#include <QTest>

#include <array>
#include <cmath>
#include <limits>

using namespace velmora;

namespace {

/// Whether `ranks` order the column's rows as collateValues orders their
/// values: the same sign for every pair of rows.
bool agreesWithCollation(const TypedColumn &column, const std::vector<quint32> &ranks)
{
    for (int a = 0; a < column.rowCount(); ++a)
        for (int b = 0; b < column.rowCount(); ++b) {
            const int byValue = collateValues(column.value(a), column.value(b));
            const int byRank = ranks[size_t(a)] < ranks[size_t(b)] ? -1 : (ranks[size_t(a)] > ranks[size_t(b)] ? 1 : 0);
            if ((byValue > 0) - (byValue < 0) != byRank)
                return false;
        }
    return true;
}

SortKeyPlan key(SortDirection direction)
{
    SortKeyPlan plan;
    plan.direction = direction;
    return plan;
}

} // namespace

class TestColumnRanks : public QObject {
    Q_OBJECT

private slots:
    void ranksFollowTheCollation_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("integers with nulls and repeats") << 0;
        QTest::newRow("numbers, zero of both signs") << 1;
        QTest::newRow("texts: accents, case, l·l, empty and null") << 2;
        QTest::newRow("dates") << 3;
    }
    void ranksFollowTheCollation()
    {
        QFETCH(int, kind);
        TypedColumn column(QStringLiteral("c"), std::array{ValueType::Integer, ValueType::Number, ValueType::String,
                                                           ValueType::DateTime}[size_t(kind)]);
        if (kind == 0)
            for (const qint64 v : {5LL, -3LL, 5LL, 0LL, std::numeric_limits<qint64>::max(), -3LL})
                column.appendInt64(v);
        if (kind == 1)
            for (const double v : {0.5, -0.0, 0.0, -1e300, 0.5, 3.0})
                column.appendNumber(v);
        if (kind == 2)
            for (const char *v : {"col·lecció", "Colleccio", "àvia", "avia", "", "Avia", "zeta", "avia"})
                column.appendString(QString::fromUtf8(v));
        if (kind == 3)
            for (const qint64 ms : {86400000LL * 45000, -86400000LL, 86400000LL * 45000, 0LL})
                column.appendInt64(ms);
        column.appendNull();
        column.finish();
        const std::vector<quint32> ranks = columnRanks(column);
        QCOMPARE(ranks.size(), size_t(column.rowCount()));
        QCOMPARE(ranks.back(), 0u);
        QVERIFY(agreesWithCollation(column, ranks));
    }

    // A NaN does not order against other numbers: the ranks are refused and
    // the values compared instead.
    void numbersWithANaNAreNotRanked()
    {
        TypedColumn column(QStringLiteral("c"), ValueType::Number);
        column.appendNumber(1);
        column.appendNumber(std::nan(""));
        QVERIFY(columnRanks(column).empty());
    }

    // Texts the dictionary did not look up (a mostly distinct column) still
    // rank equal when equal.
    void equalTextsRankEqualInALargeColumn()
    {
        TypedColumn column(QStringLiteral("c"), ValueType::String);
        for (int i = 0; i < 10000; ++i)
            column.appendString(QStringLiteral("t%1").arg(i));
        column.appendString(QStringLiteral("t0"));
        column.finish();
        const std::vector<quint32> ranks = columnRanks(column);
        QCOMPARE(ranks[10000], ranks[0]);
        QVERIFY(ranks[1] != ranks[0]);
    }

    // The packed key orders as the keys compared in turn, descending keys
    // reversed, and gives up when the keys do not fit 64 bits.
    void packedKeysOrderAsTheKeys()
    {
        const std::vector<SortKeyPlan> keys{key(SortDirection::Ascending), key(SortDirection::Descending),
                                            key(SortDirection::Ascending)};
        const std::vector<std::vector<quint32>> ranks{{1, 1, 0, 1}, {7, 3, 9, 7}, {0, 0, 0, 0}};
        const auto packing = SortKeyPacking::fit(keys, ranks);
        QVERIFY(packing);
        const auto at = [&](size_t i) { return packing->packed(ranks, i); };
        QVERIFY(at(2) < at(0)); // first key decides
        QVERIFY(at(0) < at(1)); // second key, descending: 7 before 3
        QCOMPARE(at(0), at(3));

        const std::vector<std::vector<quint32>> wide{{0xFFFFFFFFu}, {0xFFFFFFFFu}, {1}};
        QVERIFY(!SortKeyPacking::fit(keys, wide));
    }
};

QTEST_GUILESS_MAIN(TestColumnRanks)
#include "test_column_ranks.moc"
