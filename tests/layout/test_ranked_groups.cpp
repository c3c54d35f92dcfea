// Groups ordered by their totals, the first N kept and the rest gathered,
// and shares of an outer total, over small in-memory sales.

#include "LayoutTestSupport.h"

#include "engine/core/Failure.h"
#include "engine/layout/LayoutErrors.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {

struct Sale {
    const char *country;
    const char *client;
    int amount;
};

// Country A: a1 = 50, a2 = 30, a3 = 30, a4 = 10, a5 = 5 (total 125);
// country B: b1 = 7, b2 = 70 (total 77). Grand total 202.
const std::vector<Sale> sales = {
    {"A", "a1", 20}, {"A", "a1", 30}, {"A", "a2", 30}, {"A", "a3", 10}, {"A", "a3", 20},
    {"A", "a4", 10}, {"A", "a5", 5},  {"B", "b1", 7},  {"B", "b2", 70},
};

MemoryData salesData()
{
    MemoryData data;
    auto &[columns, rows] = data.tables[QString()];
    columns = {u"V.Pais"_s, u"V.Client"_s, u"V.Import"_s};
    for (const Sale &s : sales)
        rows.push_back({Value::string(QString::fromLatin1(s.country)), Value::string(QString::fromLatin1(s.client)),
                        Value::currency(Currency::fromWhole(s.amount))});
    return data;
}

FieldRef import() { return dbField(u"V"_s, u"Import"_s); }

/// Country and client groups; each client footer prints "client: total",
/// each country footer "country = total", the report footer "total".
std::shared_ptr<ReportDefinition> rankedReport(std::optional<GroupRanking> clientRanking)
{
    auto d = std::make_shared<ReportDefinition>();
    d->tables = {{u"Vendes"_s, u"V"_s, {}}};
    GroupDefinition country;
    country.field = dbField(u"V"_s, u"Pais"_s);
    GroupDefinition client;
    client.field = dbField(u"V"_s, u"Client"_s);
    client.ranking = std::move(clientRanking);
    d->groups = {country, client};
    d->sections = {
        section(u"GH2"_s, SectionKind::GroupHeader, 300, {textObject(u"Nom"_s, u"[{V.Client}]"_s, {0, 0, 3000, 300})}, 1),
        section(u"GF2"_s, SectionKind::GroupFooter, 300,
                {fieldObject(u"TotalClient"_s, summaryOf(SummaryOperation::Sum, import(), 1), {3000, 0, 2000, 300})}, 1),
        section(u"GF1"_s, SectionKind::GroupFooter, 300,
                {textObject(u"Pais"_s, u"Total {V.Pais}"_s, {0, 0, 3000, 300}),
                 fieldObject(u"TotalPais"_s, summaryOf(SummaryOperation::Sum, import(), 0), {3000, 0, 2000, 300})}, 0),
        section(u"RF"_s, SectionKind::ReportFooter, 300,
                {textObject(u"Etiqueta"_s, u"Total general"_s, {0, 0, 3000, 300}),
                 fieldObject(u"Total"_s, summaryOf(SummaryOperation::Sum, import(), -1), {3000, 0, 2000, 300})}),
    };
    return d;
}

GroupRanking bySales(SortDirection direction, std::optional<int> keep = std::nullopt, bool gather = false,
                     bool ties = false)
{
    GroupRanking r;
    r.by = summaryOf(SummaryOperation::Sum, import(), 1);
    r.direction = direction;
    r.keep = keep;
    r.gatherRest = gather;
    r.keepTies = ties;
    return r;
}

/// The page's texts as "[client] total" lines and country/grand totals.
QStringList printed(ReportPageSource &source)
{
    CancelToken cancel;
    source.layOutUntil(-1, cancel);
    QStringList lines;
    const QStringList t = texts(source.page(0));
    for (qsizetype i = 0; i + 1 < t.size(); i += 2)
        lines << t[i] + u' ' + t[i + 1];
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(velmora::GroupRanking)

class RankedGroupsTest : public QObject {
    Q_OBJECT

    const MemoryData m_data = salesData(); // the sources read it while they live

private slots:
    void groupsFollowTheirTotals_data()
    {
        QTest::addColumn<GroupRanking>("ranking");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<qint64>("records");
        QTest::newRow("descending; a2 and a3 tie at 30 and keep their value order")
            << bySales(SortDirection::Descending)
            << QStringList{u"[a1] 50,00"_s, u"[a2] 30,00"_s, u"[a3] 30,00"_s, u"[a4] 10,00"_s, u"[a5] 5,00"_s,
                           u"Total A 125,00"_s, u"[b2] 70,00"_s, u"[b1] 7,00"_s, u"Total B 77,00"_s,
                           u"Total general 202,00"_s}
            << qint64(9);
        QTest::newRow("ascending, ranked within each country")
            << bySales(SortDirection::Ascending)
            << QStringList{u"[a5] 5,00"_s, u"[a4] 10,00"_s, u"[a2] 30,00"_s, u"[a3] 30,00"_s, u"[a1] 50,00"_s,
                           u"Total A 125,00"_s, u"[b1] 7,00"_s, u"[b2] 70,00"_s, u"Total B 77,00"_s,
                           u"Total general 202,00"_s}
            << qint64(9);
        QTest::newRow("top 2 with the rest gathered: Altres last, with its own total")
            << bySales(SortDirection::Descending, 2, true)
            << QStringList{u"[a1] 50,00"_s, u"[a2] 30,00"_s, u"[Altres] 45,00"_s, u"Total A 125,00"_s,
                           u"[b2] 70,00"_s, u"[b1] 7,00"_s, u"Total B 77,00"_s, u"Total general 202,00"_s}
            << qint64(9);
        QTest::newRow("top 2 with the rest left out: every total is of what is printed")
            << bySales(SortDirection::Descending, 2)
            << QStringList{u"[a1] 50,00"_s, u"[a2] 30,00"_s, u"Total A 80,00"_s, u"[b2] 70,00"_s, u"[b1] 7,00"_s,
                           u"Total B 77,00"_s, u"Total general 157,00"_s}
            << qint64(5);
        QTest::newRow("top 2 keeping ties: a3 ties a2, the second")
            << bySales(SortDirection::Descending, 2, true, true)
            << QStringList{u"[a1] 50,00"_s, u"[a2] 30,00"_s, u"[a3] 30,00"_s, u"[Altres] 15,00"_s,
                           u"Total A 125,00"_s, u"[b2] 70,00"_s, u"[b1] 7,00"_s, u"Total B 77,00"_s,
                           u"Total general 202,00"_s}
            << qint64(9);
        QTest::newRow("top 9 of at most five: nothing gathered, every group moved with its own totals")
            << bySales(SortDirection::Descending, 9, true)
            << QStringList{u"[a1] 50,00"_s, u"[a2] 30,00"_s, u"[a3] 30,00"_s, u"[a4] 10,00"_s, u"[a5] 5,00"_s,
                           u"Total A 125,00"_s, u"[b2] 70,00"_s, u"[b1] 7,00"_s, u"Total B 77,00"_s,
                           u"Total general 202,00"_s}
            << qint64(9);
        QTest::newRow("bottom 1 per country")
            << bySales(SortDirection::Ascending, 1)
            << QStringList{u"[a5] 5,00"_s, u"Total A 5,00"_s, u"[b1] 7,00"_s, u"Total B 7,00"_s,
                           u"Total general 12,00"_s}
            << qint64(2);
        QTest::newRow("keep 0 gathers everything")
            << bySales(SortDirection::Descending, 0, true)
            << QStringList{u"[Altres] 125,00"_s, u"Total A 125,00"_s, u"[Altres] 77,00"_s, u"Total B 77,00"_s,
                           u"Total general 202,00"_s}
            << qint64(9);
    }
    void groupsFollowTheirTotals()
    {
        QFETCH(GroupRanking, ranking);
        QFETCH(QStringList, expected);
        QFETCH(qint64, records);
        auto source = layOut(rankedReport(ranking), m_data);
        QCOMPARE(printed(*source), expected);
        QCOMPARE(source->recordCount(), records);
    }

    void theRestTakesTheNameTheReportGivesIt()
    {
        GroupRanking r = bySales(SortDirection::Descending, 1, true);
        r.restName = u"La resta"_s;
        auto source = layOut(rankedReport(r), m_data);
        QVERIFY(printed(*source).contains(u"[La resta] 75,00"_s));
        // The group tree names the gathered group too, in its place.
        QStringList titles;
        for (const ContentsEntry &e : source->contents())
            titles << e.title;
        QCOMPARE(titles, (QStringList{u"A"_s, u"a1"_s, u"La resta"_s, u"B"_s, u"b2"_s, u"La resta"_s}));
    }

    void keptCountMayComeFromAParameter()
    {
        GroupRanking r = bySales(SortDirection::Descending, std::nullopt, true);
        r.keepParameter = u"Quants"_s;
        auto d = rankedReport(r);
        d->parameters.push_back({u"Quants"_s, ValueType::Integer, u"Quants clients?"_s, Value::integer(3)});
        auto source = layOut(d, m_data, {{u"Quants"_s, Value::integer(1)}});
        const QStringList lines = printed(*source);
        QCOMPARE(lines.first(), u"[a1] 50,00"_s);
        QCOMPARE(lines[1], u"[Altres] 75,00"_s);
        d->parameters.back().defaultValue = Value::integer(-1);
        QVERIFY_THROWS_EXCEPTION(Failure, layOut(d, m_data));
    }

    void rankingComesAfterGroupSelection()
    {
        // Leaving a1 out by selection makes a2 and a3 the first two.
        auto d = rankedReport(bySales(SortDirection::Descending, 2, true));
        d->groups[1].selection.text = u"{V.Client} <> \"a1\""_s;
        auto source = layOut(d, m_data);
        const QStringList lines = printed(*source);
        QCOMPARE(lines.mid(0, 4), (QStringList{u"[a2] 30,00"_s, u"[a3] 30,00"_s, u"[Altres] 15,00"_s, u"Total A 75,00"_s}));
        QCOMPARE(lines.last(), u"Total general 152,00"_s);
    }

    void runningTotalsAndRecordNumbersFollowTheRankedOrder()
    {
        auto d = rankedReport(bySales(SortDirection::Descending, 1));
        RunningTotalDefinition running;
        running.name = u"Acumulat"_s;
        running.field = import();
        d->runningTotals.push_back(running);
        d->sections.insert(d->sections.begin() + 1,
                           section(u"D"_s, SectionKind::Details, 300,
                                   {textObject(u"Linia"_s, u"{V.Client} #{RecordNumber}"_s, {0, 0, 3000, 300}),
                                    textObject(u"Acum"_s, u"{#Acumulat}"_s, {3000, 0, 2000, 300})}));
        auto source = layOut(d, m_data);
        const QStringList lines = printed(*source);
        QCOMPARE(lines, (QStringList{u"[a1] a1 #1"_s, u"20,00 a1 #2"_s, u"50,00 50,00"_s, u"Total A 50,00"_s,
                                     u"[b2] b2 #3"_s, u"120,00 70,00"_s, u"Total B 70,00"_s, u"Total general 120,00"_s}));
    }

    void sharesOfAnOuterTotal_data()
    {
        QTest::addColumn<int>("percentOf");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("of the country") << 0 << QStringList{u"40,00"_s, u"24,00"_s, u"24,00"_s, u"8,00"_s, u"4,00"_s,
                                                             u"90,91"_s, u"9,09"_s};
        QTest::newRow("of the whole report") << -1 << QStringList{u"24,75"_s, u"14,85"_s, u"14,85"_s, u"4,95"_s,
                                                                   u"2,48"_s, u"34,65"_s, u"3,47"_s};
    }
    void sharesOfAnOuterTotal()
    {
        QFETCH(int, percentOf);
        QFETCH(QStringList, expected);
        auto d = rankedReport(bySales(SortDirection::Descending));
        FieldRef share = summaryOf(SummaryOperation::Sum, import(), 1);
        share.percentOfLevel = percentOf;
        ReportObject shown = fieldObject(u"Part"_s, share, {5000, 0, 1500, 300});
        shown.format.valueFormat = u"0.00"_s;
        d->sections[1].objects = {shown};
        auto source = layOut(d, m_data);
        CancelToken cancel;
        source->layOutUntil(-1, cancel);
        QStringList shares = texts(source->page(0)).filter(QRegularExpression(u"^\\d+,\\d\\d$"_s));
        for (const QString &total : {u"125,00"_s, u"77,00"_s, u"202,00"_s}) // the country and grand totals
            shares.removeOne(total);
        QCOMPARE(shares, expected);
    }

    void formulasAskForSharesAndStatistics_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("expected");
        QTest::newRow("client share of its country") << u"PercentOfSum({V.Import}, {V.Client}, {V.Pais})"_s << u"40,00"_s;
        QTest::newRow("country share of the report") << u"PercentOfSum({V.Import}, {V.Pais})"_s << u"61,88"_s;
        QTest::newRow("median line of the country") << u"Median({V.Import}, {V.Pais})"_s << u"20,00"_s;
        QTest::newRow("75th percentile of the country") << u"Percentile(75, {V.Import}, {V.Pais})"_s << u"25,00"_s;
        QTest::newRow("second largest line of the report") << u"NthLargest(2, {V.Import})"_s << u"30,00"_s;
        QTest::newRow("most frequent line of the country") << u"Mode({V.Import}, {V.Pais})"_s << u"10,00"_s;
        QTest::newRow("lines weighted by themselves") << u"WeightedAverage({V.Import}, {V.Import}, {V.Pais})"_s
                                                      << u"22,60"_s;
    }
    void formulasAskForSharesAndStatistics()
    {
        QFETCH(QString, formula);
        QFETCH(QString, expected);
        auto d = rankedReport(std::nullopt);
        d->formulas.push_back({u"F"_s, {formula}});
        ReportObject shown = fieldObject(u"F"_s, formulaField(u"F"_s), {0, 0, 3000, 300});
        shown.format.valueFormat = u"0.00"_s;
        d->sections = {section(u"GH2"_s, SectionKind::GroupHeader, 300, {shown}, 1)};
        auto source = layOut(d, m_data);
        CancelToken cancel;
        source->layOutUntil(-1, cancel);
        QCOMPARE(texts(source->page(0)).first(), expected);
    }

    void percentagesOfAnInnerGroupAreRefused()
    {
        auto d = rankedReport(std::nullopt);
        d->formulas.push_back({u"F"_s, {u"PercentOfSum({V.Import}, {V.Pais}, {V.Client})"_s}});
        QVERIFY_THROWS_EXCEPTION(Failure, layOut(d, m_data));
    }
};

QTEST_MAIN(RankedGroupsTest)
#include "test_ranked_groups.moc"
