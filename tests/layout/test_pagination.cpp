#include "LayoutTestSupport.h"

#include "engine/core/Failure.h"
#include "engine/layout/LayoutErrors.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

// An A4 page with 1134-twip margins leaves 14570 twips; a 500-twip page
// header and a 400-twip page footer leave 13670 for the body, which holds
// 45 details of 300 twips (13500) but not 46 (13800).
constexpr int detailsPerPage = 45;

Value money(qint64 whole) { return Value::currency(Currency::fromWhole(whole)); }

std::shared_ptr<ReportDefinition> salesReport()
{
    auto d = std::make_shared<ReportDefinition>();
    d->title = QStringLiteral("Vendes");
    d->tables = {{QStringLiteral("Vendes"), QStringLiteral("V")}};
    d->sections.push_back(section(QStringLiteral("PH"), SectionKind::PageHeader, 500,
                                  {textObject(QStringLiteral("Titol"), QStringLiteral("Vendes"), {0, 0, 4000, 300})}));
    d->sections.push_back(section(QStringLiteral("D"), SectionKind::Details, 300,
                                  {fieldObject(QStringLiteral("Client"), dbField(QStringLiteral("V"), QStringLiteral("Client")), {0, 0, 3000, 300}),
                                   fieldObject(QStringLiteral("Import"), dbField(QStringLiteral("V"), QStringLiteral("Import")), {3000, 0, 2000, 300})}));
    d->sections.push_back(section(QStringLiteral("RF"), SectionKind::ReportFooter, 300,
                                  {fieldObject(QStringLiteral("Total"),
                                               summaryOf(SummaryOperation::Sum, dbField(QStringLiteral("V"), QStringLiteral("Import")), -1),
                                               {3000, 0, 2000, 300})}));
    d->sections.push_back(section(QStringLiteral("PF"), SectionKind::PageFooter, 400,
                                  {fieldObject(QStringLiteral("Pagina"), special(SpecialField::PageNofM), {0, 0, 4000, 300})}));
    return d;
}

MemoryData salesData(int records, int countries = 1, int clientsPerCountry = 1)
{
    MemoryData data;
    auto &[columns, rows] = data.tables[QString()];
    columns = {QStringLiteral("V.Pais"), QStringLiteral("V.Client"), QStringLiteral("V.Import"), QStringLiteral("V.Nota")};
    for (int i = 0; i < records; ++i) {
        const int country = i % countries;
        const int client = (i / countries) % clientsPerCountry;
        rows.push_back({Value::string(QStringLiteral("País %1").arg(QChar(u'A' + country))),
                        Value::string(QStringLiteral("Client %1%2").arg(QChar(u'a' + country)).arg(client)),
                        money(100 + i), Value()});
    }
    return data;
}

void addGroups(ReportDefinition &d)
{
    GroupDefinition country;
    country.field = dbField(QStringLiteral("V"), QStringLiteral("Pais"));
    GroupDefinition client;
    client.field = dbField(QStringLiteral("V"), QStringLiteral("Client"));
    d.groups = {country, client};
    const auto import = dbField(QStringLiteral("V"), QStringLiteral("Import"));
    std::vector<SectionDefinition> groupSections = {
        section(QStringLiteral("GH1"), SectionKind::GroupHeader, 400,
                {fieldObject(QStringLiteral("Pais"), dbField(QStringLiteral("V"), QStringLiteral("Pais")), {0, 0, 3000, 300})}, 0),
        section(QStringLiteral("GH2"), SectionKind::GroupHeader, 300, {}, 1),
    };
    d.sections.insert(d.sections.begin() + 1, groupSections.begin(), groupSections.end());
    std::vector<SectionDefinition> footers = {
        section(QStringLiteral("GF2"), SectionKind::GroupFooter, 300,
                {fieldObject(QStringLiteral("TotalClient"), summaryOf(SummaryOperation::Sum, import, 1), {3000, 0, 2000, 300})}, 1),
        section(QStringLiteral("GF1"), SectionKind::GroupFooter, 400,
                {fieldObject(QStringLiteral("TotalPais"), summaryOf(SummaryOperation::Sum, import, 0), {3000, 0, 2000, 300})}, 0),
    };
    d.sections.insert(d.sections.begin() + 4, footers.begin(), footers.end());
}

int countPages(PageSource &source)
{
    CancelToken cancel;
    return source.layOutUntil(-1, cancel);
}

} // namespace

class PaginationTest : public QObject {
    Q_OBJECT
private slots:
    void pageCountFollowsTheBodyHeight_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("pages");
        QTest::newRow("no records: headers and footers on one page") << 0 << 1;
        QTest::newRow("one page exactly full, the report footer moves on") << detailsPerPage << 2;
        QTest::newRow("one short of full: the footer still fits") << detailsPerPage - 1 << 1;
        QTest::newRow("a hundred records: 45 + 45 + 10") << 100 << 3;
    }
    void pageCountFollowsTheBodyHeight()
    {
        QFETCH(int, records);
        QFETCH(int, pages);
        const auto data = salesData(records);
        auto source = layOut(salesReport(), data);
        QCOMPARE(countPages(*source), pages);
        QVERIFY(source->isComplete());
        QCOMPARE(source->recordCount(), records);
    }

    void everyPageSaysItsNumberOfTheTotal()
    {
        const auto data = salesData(100);
        auto source = layOut(salesReport(), data);
        CancelToken cancel;
        // The footer shows the total, so even the first page needs every page counted.
        QCOMPARE(source->layOutUntil(0, cancel), 3);
        for (int i = 0; i < 3; ++i)
            QVERIFY(texts(source->page(i)).contains(QStringLiteral("Pàgina %1 de 3").arg(i + 1)));
    }

    void firstPageComesWithoutCountingTheRest()
    {
        auto d = salesReport();
        d->sections.back().objects.front().field = special(SpecialField::PageNumber);
        const auto data = salesData(1000);
        auto source = layOut(d, data);
        CancelToken cancel;
        QCOMPARE(source->layOutUntil(0, cancel), 1);
        QVERIFY(!source->isComplete());
        const QStringList first = texts(source->page(0));
        QCOMPARE(first.first(), QStringLiteral("Vendes"));
        QCOMPARE(first.count(QStringLiteral("Client a0")), detailsPerPage);
    }

    void detailsAppearOnceEachInOrder()
    {
        const auto data = salesData(100);
        auto source = layOut(salesReport(), data);
        countPages(*source);
        QStringList imports;
        for (int i = 0; i < 3; ++i)
            for (const PageItem &item : source->page(i).items)
                if (const auto *t = std::get_if<TextItem>(&item); t && t->box.left() == 1134 + 3000)
                    imports.append(t->text);
        // 100 details and the grand total, 100.00 + ... + 199.00 = 14950.00
        QCOMPARE(imports.size(), 101);
        QCOMPARE(imports.first(), QStringLiteral("100,00"));
        QCOMPARE(imports.at(99), QStringLiteral("199,00"));
        QCOMPARE(imports.last(), QStringLiteral("14.950,00"));
    }

    void groupFootersCarryTheirGroupsTotals()
    {
        auto d = salesReport();
        addGroups(*d);
        // 12 records over 2 countries and 2 clients each: record i goes to
        // country i%2 and client (i/2)%2, so client a0 holds i = 0, 4, 8.
        const auto data = salesData(12, 2, 2);
        auto source = layOut(d, data);
        QCOMPARE(countPages(*source), 1);
        const QStringList t = texts(source->page(0));
        // a0: 100 + 104 + 108 = 312; country A: all even i: 100+102+...+110 = 630.
        const qsizetype a0 = t.indexOf(QStringLiteral("312,00"));
        const qsizetype countryA = t.indexOf(QStringLiteral("630,00"));
        QVERIFY(a0 >= 0 && countryA > a0);
        // Every import once, every group footer once: 12 + 4 clients + 2 countries + 1 grand total.
        QCOMPARE(t.filter(QRegularExpression(QStringLiteral("^\\d[\\d.]*,\\d\\d$"))).size(), 12 + 4 + 2 + 1);
        QVERIFY(t.contains(QStringLiteral("1.266,00"))); // 100 + ... + 111
    }

    void contentsListEveryGroupWhereItBegins()
    {
        auto d = salesReport();
        addGroups(*d);
        const auto data = salesData(200, 2, 2);
        auto source = layOut(d, data);
        const int pages = countPages(*source);
        const auto contents = source->contents();
        QCOMPARE(contents.size(), size_t(2 + 4));
        QCOMPARE(contents[0].title, QStringLiteral("País A"));
        QCOMPARE(contents[0].level, 0);
        QCOMPARE(contents[1].title, QStringLiteral("Client a0"));
        QCOMPARE(contents[1].level, 1);
        QCOMPARE(contents[0].pageIndex, 0);
        QVERIFY(contents.back().pageIndex > 0 && contents.back().pageIndex < pages);
        // The group's header text stands on the page the entry names, at its y.
        for (const ContentsEntry &e : contents) {
            if (e.level != 0)
                continue;
            bool found = false;
            for (const PageItem &item : source->page(e.pageIndex).items)
                if (const auto *t = std::get_if<TextItem>(&item); t && t->text == e.title && t->box.top() == e.y)
                    found = true;
            QVERIFY2(found, qPrintable(e.title));
        }
    }

    void newPageBeforeEachCountry()
    {
        auto d = salesReport();
        addGroups(*d);
        d->sections[1].options.newPageBefore = true;
        const auto data = salesData(12, 3, 1);
        auto source = layOut(d, data);
        QCOMPARE(countPages(*source), 3);
        QVERIFY(texts(source->page(2)).contains(QStringLiteral("País C")));
    }

    void keptTogetherGroupMovesWholeToTheNextPage()
    {
        auto d = salesReport();
        addGroups(*d);
        d->groups[1].keepTogether = true;
        // A client takes 300 + 15 x 300 + 300 = 5100 twips: after the country
        // header (400) two clients fill 10600 of the 13670; the third would
        // start in the 3070 left and be cut, so kept together it moves on.
        MemoryData data;
        auto &[columns, rows] = data.tables[QString()];
        columns = {QStringLiteral("V.Pais"), QStringLiteral("V.Client"), QStringLiteral("V.Import")};
        for (int c = 0; c < 3; ++c)
            for (int i = 0; i < 15; ++i)
                rows.push_back({Value::string(QStringLiteral("A")), Value::string(QStringLiteral("C%1").arg(c)), money(1)});
        auto source = layOut(d, data);
        countPages(*source);
        const QStringList first = texts(source->page(0));
        QCOMPARE(first.count(QStringLiteral("C0")), 15);
        QCOMPARE(first.count(QStringLiteral("C1")), 15);
        QCOMPARE(first.count(QStringLiteral("C2")), 0);
        QCOMPARE(texts(source->page(1)).count(QStringLiteral("C2")), 15);
    }

    void growingTextBreaksAcrossPagesAndLosesNoLine()
    {
        auto d = salesReport();
        ReportObject note = fieldObject(QStringLiteral("Nota"), dbField(QStringLiteral("V"), QStringLiteral("Nota")), {0, 0, 6000, 300});
        note.format.canGrow = true;
        d->sections[1].objects = {note};
        MemoryData data;
        auto &[columns, rows] = data.tables[QString()];
        columns = {QStringLiteral("V.Nota"), QStringLiteral("V.Import")};
        QStringList lines;
        for (int i = 1; i <= 150; ++i)
            lines.append(QStringLiteral("Línia %1").arg(i));
        rows.push_back({Value::string(lines.join(QStringLiteral("\r\n"))), money(1)});
        auto source = layOut(d, data);
        const int pages = countPages(*source);
        QVERIFY(pages >= 3);
        QStringList seen;
        for (int p = 0; p < pages; ++p)
            seen += texts(source->page(p)).filter(QStringLiteral("Línia"));
        QCOMPARE(seen, lines);
    }

    void sectionTallerThanAPageIsCutWhereItMayBe()
    {
        auto d = salesReport();
        d->sections[1].height = 20000;
        const auto data = salesData(2);
        auto source = layOut(d, data);
        // 13670 on the first page, the other 6330 on the second, and so on.
        QCOMPARE(countPages(*source), 3);
    }

    void keptTogetherSectionTallerThanAPageFailsInsteadOfLooping()
    {
        auto d = salesReport();
        d->sections[1].height = 20000;
        d->sections[1].options.keepTogether = true;
        const auto data = salesData(3);
        auto source = layOut(d, data);
        try {
            countPages(*source);
            QFAIL("no failure");
        } catch (const Failure &f) {
            QCOMPARE(f.number(), LayoutErrors::SectionTooTall);
            QVERIFY(f.description().contains(QStringLiteral("D")));
        }
    }

    void circularFormulasAreRefusedWhenTheReportIsOpened()
    {
        auto d = salesReport();
        d->formulas = {{QStringLiteral("A"), {QStringLiteral("{@B} + 1")}},
                       {QStringLiteral("B"), {QStringLiteral("{@C} * 2")}},
                       {QStringLiteral("C"), {QStringLiteral("{@A}")}}};
        try {
            ReportPlan plan(d, {});
            QFAIL("no failure");
        } catch (const Failure &f) {
            QCOMPARE(f.number(), LayoutErrors::CircularFormula);
            QVERIFY2(f.description().contains(QStringLiteral("@A → @B → @C → @A")), qPrintable(f.description()));
        }
    }

    void suppressedBlankSectionTakesNoRoom()
    {
        auto d = salesReport();
        SectionDefinition notes = section(QStringLiteral("Db"), SectionKind::Details, 300,
                                          {textObject(QStringLiteral("Etiqueta"), QStringLiteral("Nota:"), {0, 0, 1000, 300}),
                                           fieldObject(QStringLiteral("Nota"), dbField(QStringLiteral("V"), QStringLiteral("Nota")), {1000, 0, 4000, 300})});
        notes.options.suppressBlank = true;
        d->sections.insert(d->sections.begin() + 2, notes);
        auto data = salesData(4);
        auto &rows = data.tables[QString()].second;
        rows[1][3] = Value::string(QStringLiteral("Paga tard"));
        rows[2][3] = Value::string(QString());
        auto source = layOut(d, data);
        countPages(*source);
        const QStringList t = texts(source->page(0));
        QCOMPARE(t.count(QStringLiteral("Nota:")), 1);
        QVERIFY(t.contains(QStringLiteral("Paga tard")));
    }

    void groupSelectionLeavesGroupsOutOfTheTotals()
    {
        auto d = salesReport();
        addGroups(*d);
        d->groups[0].selection.text = QStringLiteral("{V.Pais} <> \"País B\"");
        const auto data = salesData(12, 2, 2);
        auto source = layOut(d, data);
        countPages(*source);
        const QStringList t = texts(source->page(0));
        QVERIFY(!t.contains(QStringLiteral("País B")));
        QCOMPARE(source->recordCount(), 6);
        QCOMPARE(t.count(QStringLiteral("630,00")), 2); // country A's footer, and the grand total is A's alone
    }

    void runningTotalStartsAgainWithEachGroup()
    {
        auto d = salesReport();
        addGroups(*d);
        RunningTotalDefinition rt;
        rt.name = QStringLiteral("Acumulat");
        rt.operation = SummaryOperation::Count;
        rt.field = dbField(QStringLiteral("V"), QStringLiteral("Import"));
        rt.resetGroupLevel = 0;
        d->runningTotals = {rt};
        FieldRef running;
        running.kind = FieldRef::Kind::RunningTotal;
        running.name = QStringLiteral("Acumulat");
        d->sections[3].objects.push_back(fieldObject(QStringLiteral("N"), running, {6000, 0, 1000, 300}));
        const auto data = salesData(8, 2, 1);
        auto source = layOut(d, data);
        countPages(*source);
        QStringList counts;
        for (const PageItem &item : source->page(0).items)
            if (const auto *t = std::get_if<TextItem>(&item); t && t->box.left() == 1134 + 6000)
                counts.append(t->text);
        QCOMPARE(counts, (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                                      QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
    }

    void subreportShowsTheLinesOfItsOwnRecord()
    {
        auto sub = std::make_shared<ReportDefinition>();
        sub->tables = {{QStringLiteral("Linies"), QStringLiteral("L")}};
        sub->sections.push_back(section(QStringLiteral("SD"), SectionKind::Details, 250,
                                        {fieldObject(QStringLiteral("Producte"), dbField(QStringLiteral("L"), QStringLiteral("Producte")), {0, 0, 3000, 250})}));
        sub->sections.push_back(section(QStringLiteral("SRF"), SectionKind::ReportFooter, 250,
                                        {fieldObject(QStringLiteral("Linies"),
                                                     summaryOf(SummaryOperation::Count, dbField(QStringLiteral("L"), QStringLiteral("Producte")), -1),
                                                     {0, 0, 3000, 250})}));
        auto d = salesReport();
        ReportObject subObject;
        subObject.name = QStringLiteral("Linies");
        subObject.kind = ReportObject::Kind::Subreport;
        subObject.rect = {0, 300, 6000, 300};
        subObject.subreport = sub;
        subObject.links = {{dbField(QStringLiteral("V"), QStringLiteral("Client")), dbField(QStringLiteral("L"), QStringLiteral("Client"))}};
        d->sections[1].height = 600;
        d->sections[1].objects.push_back(subObject);

        MemoryData data = salesData(3, 1, 3);
        auto &[columns, rows] = data.tables[QStringLiteral("Linies")];
        columns = {QStringLiteral("L.Client"), QStringLiteral("L.Producte")};
        rows = {{Value::string(QStringLiteral("Client a2")), Value::string(QStringLiteral("Cargol"))},
                {Value::string(QStringLiteral("Client a0")), Value::string(QStringLiteral("Femella"))},
                {Value::string(QStringLiteral("Client a2")), Value::string(QStringLiteral("Volandera"))}};
        auto source = layOut(d, data);
        countPages(*source);
        const QStringList t = texts(source->page(0));
        const auto after = [&](const QString &client) { return t.mid(t.indexOf(client)); };
        QCOMPARE(after(QStringLiteral("Client a0")).mid(2, 2), (QStringList{QStringLiteral("Femella"), QStringLiteral("1")}));
        QCOMPARE(after(QStringLiteral("Client a1")).at(2), QStringLiteral("0")); // no lines: the footer counts none
        QCOMPARE(after(QStringLiteral("Client a2")).mid(2, 3),
                 (QStringList{QStringLiteral("Cargol"), QStringLiteral("Volandera"), QStringLiteral("2")}));
    }
};

QTEST_MAIN(PaginationTest)
#include "test_pagination.moc"
