// Cross-tabs laid out on pages: down and across page breaks with their
// headings repeated, in the documented page order, never over what follows
// them, and over one group's records in a group footer.

#include "../support/CrossTabReading.h"
#include "LayoutTestSupport.h"

#include "engine/core/Failure.h"
#include "engine/definition/CrossTabDefinition.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {

constexpr int margin = 1134;
constexpr int padding = 60;
constexpr int clients = 120;
constexpr int months = 7;

CrossTabLevel level(FieldRef field)
{
    CrossTabLevel l;
    l.field = std::move(field);
    return l;
}

ReportObject crossTabObject(std::shared_ptr<CrossTabDefinition> crossTab, QRect rect)
{
    ReportObject o;
    o.name = u"Taula"_s;
    o.kind = ReportObject::Kind::CrossTab;
    o.rect = rect;
    o.crossTab = std::move(crossTab);
    return o;
}

/// Clients by month, summing V.Import; 2400-twip row headings and 1500-twip
/// columns leave room for four columns in the 9638 twips of an A4 page.
std::shared_ptr<CrossTabDefinition> clientsByMonth()
{
    auto ct = std::make_shared<CrossTabDefinition>();
    ct->rows.push_back(level(dbField(u"V"_s, u"Client"_s)));
    ct->columns.push_back(level(dbField(u"V"_s, u"Mes"_s)));
    CrossTabSummary sum;
    sum.summary = summaryOf(SummaryOperation::Sum, dbField(u"V"_s, u"Import"_s), -1);
    sum.format = u"0"_s;
    ct->summaries.push_back(sum);
    ct->rowHeadingWidth = 2400;
    ct->columnWidth = 1500;
    return ct;
}

std::shared_ptr<ReportDefinition> report(std::shared_ptr<CrossTabDefinition> crossTab, SectionKind where, int level = -1)
{
    auto d = std::make_shared<ReportDefinition>();
    d->tables = {{u"Vendes"_s, u"V"_s}};
    d->sections.push_back(section(u"PH"_s, SectionKind::PageHeader, 400,
                                  {textObject(u"Titol"_s, u"Vendes per mes"_s, {0, 0, 4000, 300})}));
    d->sections.push_back(section(u"Taula"_s, where, 800,
                                  {crossTabObject(std::move(crossTab), {0, 0, 9638, 500}),
                                   textObject(u"Nota"_s, u"Fi de la taula"_s, {0, 550, 4000, 250})},
                                  level));
    d->sections.push_back(section(u"PF"_s, SectionKind::PageFooter, 400,
                                  {fieldObject(u"Pagina"_s, special(SpecialField::PageNofM), {0, 0, 4000, 300})}));
    return d;
}

QString clientName(int i) { return u"Client %1"_s.arg(i, 3, 10, QChar(u'0')); }
QString monthName(int m) { return u"M%1"_s.arg(m); }

/// Each client buys once a month, i * 10 + m.
MemoryData monthlySales()
{
    MemoryData data;
    auto &[columns, rows] = data.tables[QString()];
    columns = {u"V.Client"_s, u"V.Mes"_s, u"V.Import"_s, u"V.Zona"_s};
    for (int i = 1; i <= clients; ++i)
        for (int m = 1; m <= months; ++m)
            rows.push_back({Value::string(clientName(i)), Value::string(monthName(m)), Value::integer(i * 10 + m),
                            Value::string(i % 2 ? u"Nord"_s : u"Sud"_s)});
    return data;
}

std::vector<Page> allPages(ReportPageSource &source)
{
    CancelToken cancel;
    const int count = source.layOutUntil(-1, cancel);
    std::vector<Page> pages;
    for (int i = 0; i < count; ++i)
        pages.push_back(source.page(i));
    return pages;
}

const TextItem *textNamed(const Page &page, const QString &text)
{
    for (const PageItem &item : page.items)
        if (const auto *t = std::get_if<TextItem>(&item); t && t->text == text)
            return t;
    return nullptr;
}

/// The fill of the box a cell's text stands in: nullopt when unfilled.
std::optional<QRgb> fillBehind(const Page &page, const TextItem &text)
{
    for (const PageItem &item : page.items)
        if (const auto *box = std::get_if<BoxItem>(&item); box && box->rect.contains(text.box.center()))
            return box->filled ? std::optional<QRgb>(box->fillColor) : std::nullopt;
    return std::nullopt;
}

PropertyFormula backgroundFormula(const QString &text)
{
    return {FormattedProperty::Background, text, 1, 1};
}

/// Three clients over two months, i * 10 + m: only client 3's cells pass 25;
/// the row totals are 23, 43, 63, the column totals 63 and 66, all 129.
MemoryData threeClients()
{
    MemoryData data;
    auto &[columns, rows] = data.tables[QString()];
    columns = {u"V.Client"_s, u"V.Mes"_s, u"V.Import"_s, u"V.Zona"_s};
    for (int i = 1; i <= 3; ++i)
        for (int m = 1; m <= 2; ++m)
            rows.push_back({Value::string(clientName(i)), Value::string(monthName(m)), Value::integer(i * 10 + m),
                            Value::string(u"Nord"_s)});
    return data;
}

} // namespace

class CrossTabPagesTest : public QObject {
    Q_OBJECT
private slots:
    void spansPagesDownAndAcross()
    {
        const MemoryData data = monthlySales();
        const auto source = layOut(report(clientsByMonth(), SectionKind::ReportFooter), data);
        const std::vector<Page> pages = allPages(*source);
        // 121 rows (the clients and the total) need three pages for each of
        // two bands of columns: M1-M4, then M5-M7 and the total.
        QCOMPARE(int(pages.size()), 6);
        const CrossTabSeen seen = readCrossTab(pages, margin + padding);

        const auto places = seen.byPlace();
        QCOMPARE(int(places.size()), (clients + 1) * (months + 1));
        for (int i = 1; i <= clients + 1; ++i) {
            const QString row = i <= clients ? clientName(i) : u"Total"_s;
            for (int m = 1; m <= months + 1; ++m) {
                const QString column = m <= months ? monthName(m) : u"Total"_s;
                const auto found = places.find({row, column});
                QVERIFY2(found != places.end(), qPrintable(row + u" / "_s + column));
                QCOMPARE(found->second.size(), size_t(1)); // on exactly one page
                const CrossTabCellSeen &cell = *found->second.front();
                const qint64 expected = i <= clients ? (m <= months ? i * 10 + m : i * 70 + 28)
                                      : (m <= months ? 10 * clients * (clients + 1) / 2 + qint64(m) * clients
                                                     : 70 * clients * (clients + 1) / 2 + 28 * clients);
                QCOMPARE(cell.item->value.asInteger(), expected);
                // Documented order: the first band of columns on pages 1-3, the next on 4-6.
                QCOMPARE(cell.page / 3, m <= 4 ? 0 : 1);
            }
        }
        const QStringList firstBand{u"M1"_s, u"M2"_s, u"M3"_s, u"M4"_s};
        const QStringList secondBand{u"M5"_s, u"M6"_s, u"M7"_s, u"Total"_s};
        for (int p = 0; p < 6; ++p) {
            // Column headings on every page, row headings beside every band.
            QCOMPARE(seen.columnHeadings.at(p), p < 3 ? firstBand : secondBand);
            QCOMPARE(seen.rowHeadings.at(p), seen.rowHeadings.at(p % 3));
            QVERIFY(textNamed(pages[size_t(p)], u"Pàgina %1 de 6"_s.arg(p + 1)));
        }
        QCOMPARE(seen.rowHeadings.at(0).first(), clientName(1));
        QCOMPARE(seen.rowHeadings.at(2).last(), u"Total"_s);
        // What follows the cross-tab in its section comes after its last row.
        const TextItem *note = textNamed(pages.back(), u"Fi de la taula"_s);
        QVERIFY(note);
        for (const CrossTabCellSeen &cell : seen.cells)
            if (cell.page == 5)
                QVERIFY(note->box.top() >= cell.item->box.bottom());
        QVERIFY(!textNamed(pages[2], u"Fi de la taula"_s));
    }

    void aGroupFooterCountsItsGroupOnly()
    {
        auto ct = clientsByMonth();
        ct->columnWidth = 900;
        ct->columnTotals = false;
        auto d = report(ct, SectionKind::GroupFooter, 0);
        GroupDefinition zone;
        zone.field = dbField(u"V"_s, u"Zona"_s);
        d->groups = {zone};
        d->sections.insert(d->sections.begin() + 1,
                           section(u"GH"_s, SectionKind::GroupHeader, 300,
                                   {fieldObject(u"Zona"_s, dbField(u"V"_s, u"Zona"_s), {0, 0, 3000, 300})}, 0));
        const MemoryData data = monthlySales();
        const auto source = layOut(d, data);
        const std::vector<Page> pages = allPages(*source);
        const CrossTabSeen seen = readCrossTab(pages, margin + padding);
        // Odd clients are in the north, even ones in the south: each footer
        // shows its own 60 clients, no total row, and every cell once.
        QCOMPARE(int(seen.byPlace().size()), clients * (months + 1));
        for (const auto &[place, cells] : seen.byPlace())
            QCOMPARE(cells.size(), size_t(1));
        const auto contents = source->contents();
        QCOMPARE(int(contents.size()), 2);
        QCOMPARE(contents[1].title, u"Sud"_s);
        // The south group starts on the page after the north's last row.
        int lastNorthPage = 0;
        for (const CrossTabCellSeen &cell : seen.cells)
            if (cell.row.mid(7).toInt() % 2 == 1)
                lastNorthPage = std::max(lastNorthPage, cell.page);
        QVERIFY(contents[1].pageIndex >= lastNorthPage);
    }

    void cellBackgroundsByFormula_data()
    {
        QTest::addColumn<QString>("cellFormula");
        QTest::addColumn<QString>("totalFormula");
        // What each kind of cell shows: "designed", "none", a colour, or
        // "colour/other" split at a value of 25 (cells) or 100 (totals).
        QTest::addColumn<QString>("cells");
        QTest::addColumn<QString>("totals");
        QTest::newRow("over 25 green, else as designed")
            << u"if ObjectValue > 25 then \"#C6EFCE\" else DesignValue"_s << QString() << u"#c6efce/designed"_s
            << u"designed"_s;
        QTest::newRow("Null keeps the designed fill")
            << u"if ObjectValue > 25 then \"#C6EFCE\" else Null"_s << QString() << u"#c6efce/designed"_s
            << u"designed"_s;
        QTest::newRow("an empty text leaves no fill") << u"\"\""_s << QString() << u"none"_s << u"designed"_s;
        QTest::newRow("totals alone, by their own values")
            << QString() << u"if ObjectValue > 100 then \"red\" else \"\""_s << u"designed"_s << u"#ff0000/none"_s;
        QTest::newRow("the section's record is readable")
            << u"if {V.Zona} = \"Nord\" then \"blue\" else \"red\""_s << QString() << u"#0000ff"_s << u"designed"_s;
    }
    void cellBackgroundsByFormula()
    {
        QFETCH(QString, cellFormula);
        QFETCH(QString, totalFormula);
        QFETCH(QString, cells);
        QFETCH(QString, totals);
        auto ct = clientsByMonth();
        ct->cellStyle.background = qRgb(0xFF, 0xFF, 0xCC);
        ct->totalStyle.background = qRgb(0xEE, 0xEE, 0xEE);
        if (!cellFormula.isEmpty())
            ct->cellStyle.propertyFormulas.push_back(backgroundFormula(cellFormula));
        if (!totalFormula.isEmpty())
            ct->totalStyle.propertyFormulas.push_back(backgroundFormula(totalFormula));
        const MemoryData data = threeClients();
        const auto source = layOut(report(ct, SectionKind::ReportFooter), data);
        const CrossTabSeen seen = readCrossTab(allPages(*source), margin + padding);
        QCOMPARE(int(seen.cells.size()), 4 * 3);
        for (const CrossTabCellSeen &cell : seen.cells) {
            const bool total = cell.row == u"Total"_s || cell.column == u"Total"_s;
            const QString rule = total ? totals : cells;
            const QString designed = total ? u"#eeeeee"_s : u"#ffffcc"_s;
            const double threshold = total ? 100 : 25;
            const int side = rule.contains(u'/') && cell.item->value.toDouble() <= threshold ? 1 : 0;
            QString expected = rule.section(u'/', side, side);
            if (expected == u"designed"_s)
                expected = designed;
            const std::optional<QRgb> fill = fillBehind(seen.pages[size_t(cell.page)], *cell.item);
            const QString shown = fill ? QColor(*fill).name() : u"none"_s;
            QVERIFY2(shown == expected, qPrintable(cell.row + u" / "_s + cell.column + u": "_s + shown));
        }
    }

    void wrongBackgroundFormulasFail_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("number");
        QTest::newRow("a number, plain at open") << u"12"_s << 5020;
        QTest::newRow("a number, found when drawn") << u"ObjectValue"_s << 4510;
        QTest::newRow("no colour") << u"\"verdós\""_s << 4511;
    }
    void wrongBackgroundFormulasFail()
    {
        QFETCH(QString, formula);
        QFETCH(int, number);
        auto ct = clientsByMonth();
        ct->totalStyle.propertyFormulas.push_back(backgroundFormula(formula));
        const MemoryData data = threeClients();
        try {
            const auto source = layOut(report(ct, SectionKind::ReportFooter), data);
            allPages(*source);
            QFAIL("the report was laid out");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), number);
            QVERIFY2(failure.description().contains(u"els totals de la taula creuada Taula"_s),
                     qPrintable(failure.description()));
        }
    }

    void aSmallCrossTabStaysOnItsPage()
    {
        auto ct = clientsByMonth();
        ct->columnWidth.reset();
        ct->rowHeadingWidth.reset();
        MemoryData data;
        auto &[columns, rows] = data.tables[QString()];
        columns = {u"V.Client"_s, u"V.Mes"_s, u"V.Import"_s, u"V.Zona"_s};
        rows.push_back({Value::string(u"Àlex"_s), Value::string(u"M1"_s), Value::integer(5), Value()});
        rows.push_back({Value::string(u"Berta"_s), Value(), Value::integer(7), Value()});
        const auto source = layOut(report(ct, SectionKind::ReportHeader), data);
        const std::vector<Page> pages = allPages(*source);
        QCOMPARE(int(pages.size()), 1);
        const CrossTabSeen seen = readCrossTab(pages, margin + padding);
        const auto places = seen.byPlace();
        QCOMPARE(places.at({u"Berta"_s, u"(sense valor)"_s}).front()->item->value.asInteger(), 7);
        QCOMPARE(places.at({u"Total"_s, u"Total"_s}).front()->item->value.asInteger(), 12);
        QCOMPARE(seen.columnHeadings.at(0), (QStringList{u"(sense valor)"_s, u"M1"_s, u"Total"_s}));
    }
};

QTEST_MAIN(CrossTabPagesTest)
#include "test_crosstab_pages.moc"
