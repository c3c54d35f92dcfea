#include "LayoutTestSupport.h"

#include "engine/core/Failure.h"
#include "engine/formula/ValueFormatter.h"

#include <QtTest>

#include <functional>

using namespace velmora;
using namespace velmora::testing;

namespace {

using P = FormattedProperty;

Value money(qint64 whole) { return Value::currency(Currency::fromWhole(whole)); }
FieldRef v(const char *field) { return dbField(QStringLiteral("V"), QString::fromLatin1(field)); }

void give(ReportObject &object, P property, const QString &formula)
{
    object.propertyFormulas.push_back({property, formula, 1, 1});
}

/// Two groups, A (50, -20) and B (200, 30); every visual property the
/// cases read is given by formula.
std::shared_ptr<ReportDefinition> formattedReport()
{
    auto d = std::make_shared<ReportDefinition>();
    d->tables = {{QStringLiteral("Vendes"), QStringLiteral("V"), {}}};
    GroupDefinition group;
    group.field = v("Grup");
    d->groups = {group};

    ReportObject name = fieldObject(QStringLiteral("Nom"), v("Nom"), {0, 0, 2000, 300});
    give(name, P::Bold, QStringLiteral("{V.Import} < 0"));
    give(name, P::FontFamily, QStringLiteral("{V.Lletra}"));
    give(name, P::Link, QStringLiteral("{V.Web}"));
    ReportObject amount = fieldObject(QStringLiteral("Import"), v("Import"), {2000, 0, 2000, 300});
    amount.format.color = qRgb(0, 0, 255);
    amount.format.valueFormat = QStringLiteral("#,##0.00");
    give(amount, P::Color, QStringLiteral("if ObjectValue < 0 then \"vermell\" else DesignValue"));
    give(amount, P::ValueFormat, QStringLiteral("if ObjectValue < 0 then \"0.0\" else DesignValue"));
    SectionDefinition details = section(QStringLiteral("D"), SectionKind::Details, 300, {name, amount});
    details.propertyFormulas.push_back({P::Background, QStringLiteral("if RecordNumber mod 2 = 0 then \"#E0E0E0\" else \"\""), 1, 1});

    ReportObject total = fieldObject(QStringLiteral("Total"), summaryOf(SummaryOperation::Sum, v("Import"), 0),
                                     {2000, 0, 2000, 300});
    give(total, P::Color, QStringLiteral("if Sum ({V.Import}, {V.Grup}) > 100 then Color (0, 128, 0) else DesignValue"));
    ReportObject frame;
    frame.name = QStringLiteral("Marc");
    frame.kind = ReportObject::Kind::Box;
    frame.rect = {0, 0, 4000, 300};
    give(frame, P::LineWidth, QStringLiteral("if Sum ({V.Import}, {V.Grup}) > 100 then 40 else 0"));
    give(frame, P::Background, QStringLiteral("if Sum ({V.Import}, {V.Grup}) > 100 then \"groc\" else \"\""));

    ReportObject foot = textObject(QStringLiteral("Peu"), QStringLiteral("Fi de pàgina"), {0, 0, 4000, 300});
    give(foot, P::Italic, QStringLiteral("{V.Grup} = \"B\""));
    give(foot, P::Alignment, QStringLiteral("if {V.Grup} = \"B\" then \"right\" else DesignValue"));

    d->sections = {section(QStringLiteral("GH"), SectionKind::GroupHeader, 300, {}, 0), details,
                   section(QStringLiteral("GF"), SectionKind::GroupFooter, 300, {frame, total}, 0),
                   section(QStringLiteral("PF"), SectionKind::PageFooter, 300, {foot})};
    return d;
}

MemoryData formattedData()
{
    MemoryData data;
    auto &[columns, rows] = data.tables[QString()];
    columns = {QStringLiteral("V.Grup"), QStringLiteral("V.Nom"), QStringLiteral("V.Import"), QStringLiteral("V.Lletra"),
               QStringLiteral("V.Web")};
    const Value none;
    const auto text = [](const char *t) { return Value::string(QString::fromUtf8(t)); };
    rows = {{text("A"), text("a1"), money(50), none, text("https://exemple.cat/a1")},
            {text("A"), text("a2"), money(-20), text("Courier New"), text("javascript:alert(1)")},
            {text("B"), text("b1"), money(200), none, text("")},
            {text("B"), text("b2"), money(35), none, text("mailto:vendes@exemple.cat")}};
    return data;
}

Page firstPage(std::shared_ptr<ReportDefinition> definition, const MemoryData &data)
{
    auto source = layOut(std::move(definition), data);
    CancelToken cancel;
    source->layOutUntil(0, cancel);
    return source->page(0);
}

std::vector<const TextItem *> textItems(const Page &page)
{
    std::vector<const TextItem *> items;
    for (const PageItem &item : page.items)
        if (const auto *t = std::get_if<TextItem>(&item))
            items.push_back(t);
    return items;
}

/// The text item on the same line as the one showing `rowText`, `column`-th from the left (0: itself).
const TextItem *onRowOf(const Page &page, const QString &rowText, int column)
{
    const auto items = textItems(page);
    for (const TextItem *anchor : items) {
        if (anchor->text != rowText)
            continue;
        int seen = 0;
        for (const TextItem *t : items)
            if (t->box.top() == anchor->box.top() && t->box.left() >= anchor->box.left() && seen++ == column)
                return t;
    }
    return nullptr;
}

std::optional<QRgb> fillUnder(const Page &page, const TextItem &text)
{
    std::optional<QRgb> fill;
    for (const PageItem &item : page.items)
        if (const auto *box = std::get_if<BoxItem>(&item); box && box->filled && box->rect.contains(text.box.center()))
            fill = box->fillColor;
    return fill;
}

qint32 failureOf(const std::function<void()> &run)
{
    try {
        run();
    } catch (const Failure &f) {
        return f.number();
    }
    return 0;
}

} // namespace

class FormattingPropertiesTest : public QObject {
    Q_OBJECT
private slots:
    void recordByRecord_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("colour");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("family");
        QTest::addColumn<uint>("fill"); // 0: none
        QTest::addColumn<QString>("link");
        const uint black = qRgb(0, 0, 0), blue = qRgb(0, 0, 255), grey = qRgb(0xE0, 0xE0, 0xE0);
        const QString arial = QStringLiteral("Arial");
        const QString positive = formatValue(money(50), QStringLiteral("#,##0.00"));
        const QString negative = formatValue(money(-20), QStringLiteral("0.0"));
        QTest::newRow("detail: a positive amount keeps its designed colour and format")
            << "a1" << 1 << positive << blue << false << arial << 0u << QString();
        QTest::newRow("detail: a negative amount turns red and takes the formula's format")
            << "a2" << 1 << negative << uint(qRgb(255, 0, 0)) << false << arial << grey << QString();
        QTest::newRow("detail: the field beside it reads the same record; odd lines unshaded")
            << "a1" << 0 << "a1" << black << false << arial << 0u << QStringLiteral("https://exemple.cat/a1");
        QTest::newRow("detail: bold from another field, a family from data, shading, a refused scheme")
            << "a2" << 0 << "a2" << black << true << QStringLiteral("Courier New") << grey << QString();
        QTest::newRow("detail: an empty link is no link; Null falls back to the design")
            << "b1" << 0 << "b1" << black << false << arial << 0u << QString();
        QTest::newRow("detail: mailto is honoured")
            << "b2" << 0 << "b2" << black << false << arial << grey << QStringLiteral("mailto:vendes@exemple.cat");
    }
    void recordByRecord()
    {
        QFETCH(QString, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(uint, colour);
        QFETCH(bool, bold);
        QFETCH(QString, family);
        QFETCH(uint, fill);
        QFETCH(QString, link);
        const Page page = firstPage(formattedReport(), formattedData());
        const TextItem *item = onRowOf(page, row, column);
        QVERIFY(item);
        QCOMPARE(item->text, text);
        QCOMPARE(uint(item->color), colour);
        QCOMPARE(item->font.bold, bold);
        QCOMPARE(item->font.family, family);
        QCOMPARE(uint(fillUnder(page, *item).value_or(0)), fill);
        QCOMPARE(item->link, link);
    }

    void groupFooterSeesItsGroupsSummaries()
    {
        const Page page = firstPage(formattedReport(), formattedData());
        const QString smallTotal = formatValue(money(30)), largeTotal = formatValue(money(235));
        const TextItem *small = nullptr, *large = nullptr;
        for (const TextItem *t : textItems(page)) {
            if (t->text == smallTotal)
                small = t;
            if (t->text == largeTotal)
                large = t;
        }
        QVERIFY(small && large);
        QCOMPARE(uint(large->color), uint(qRgb(0, 128, 0)));
        QCOMPARE(uint(fillUnder(page, *large).value_or(0)), uint(qRgb(255, 255, 0)));
        QVERIFY(!fillUnder(page, *small));
        int framed = 0;
        for (const PageItem &item : page.items)
            if (const auto *box = std::get_if<BoxItem>(&item); box && box->borderWidth == 40)
                ++framed;
        QCOMPARE(framed, 1);
    }

    void pageFooterSeesThePagesLastRecord()
    {
        const Page page = firstPage(formattedReport(), formattedData());
        const TextItem *foot = onRowOf(page, QStringLiteral("Fi de pàgina"), 0);
        QVERIFY(foot);
        QVERIFY(foot->font.italic);
        QCOMPARE(foot->alignment, HorizontalAlignment::Right);
    }

    void objectsWithoutFormulasKeepTheirDesign()
    {
        auto d = formattedReport();
        for (SectionDefinition &s : d->sections) {
            s.propertyFormulas.clear();
            for (ReportObject &o : s.objects)
                o.propertyFormulas.clear();
        }
        const Page page = firstPage(d, formattedData());
        const TextItem *amount = onRowOf(page, QStringLiteral("a2"), 1);
        QVERIFY(amount);
        QCOMPARE(uint(amount->color), uint(qRgb(0, 0, 255)));
        QCOMPARE(amount->text, formatValue(money(-20), QStringLiteral("#,##0.00")));
    }

    void wrongValues_data()
    {
        QTest::addColumn<int>("property");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("atOpen");
        QTest::newRow("a text for bold is plain from the text") << int(P::Bold) << "\"sí\"" << 5020 << true;
        QTest::newRow("a number for a colour is plain from the text") << int(P::Color) << "12" << 5020 << true;
        QTest::newRow("a type only the record tells") << int(P::Bold) << "if {V.Import} < 0 then 1 else true"
                                                      << 4510 << false;
        QTest::newRow("a colour nobody knows") << int(P::Color) << "\"vermellós\"" << 4511 << false;
        QTest::newRow("a font size out of range") << int(P::FontSize) << "ObjectValue * 0" << 4511 << false;
        QTest::newRow("an alignment word that is none") << int(P::Alignment) << "\"dreta\"" << 4511 << false;
    }
    void wrongValues()
    {
        QFETCH(int, property);
        QFETCH(QString, formula);
        QFETCH(int, number);
        QFETCH(bool, atOpen);
        auto d = formattedReport();
        ReportObject &amount = d->sections[1].objects[1];
        amount.propertyFormulas = {{P(property), formula, 3, 7}};
        std::unique_ptr<ReportPlan> plan;
        const qint32 openFailure = failureOf([&] { plan = std::make_unique<ReportPlan>(d, ParameterValues{}); });
        QCOMPARE(openFailure, atOpen ? number : 0);
        if (atOpen)
            return;
        QString message;
        try {
            firstPage(d, formattedData());
        } catch (const Failure &f) {
            QCOMPARE(f.number(), number);
            message = f.description();
        }
        QVERIFY2(message.contains(QStringLiteral("Import")), qPrintable(message));
    }
};

QTEST_MAIN(FormattingPropertiesTest)
#include "test_formatting_properties.moc"
