#pragma once

#include "engine/definition/ReportDefinition.h"

#include <QBuffer>
#include <QImage>

namespace velmora::testing {

inline FieldRef ref(FieldRef::Kind kind, const QString &name, const QString &table = QString())
{
    FieldRef field;
    field.kind = kind;
    field.name = name;
    field.table = table;
    return field;
}

inline FieldRef special(SpecialField which)
{
    FieldRef field;
    field.kind = FieldRef::Kind::Special;
    field.special = which;
    return field;
}

inline FieldRef summary(SummaryOperation operation, const FieldRef &operand, int groupLevel)
{
    FieldRef field;
    field.kind = FieldRef::Kind::Summary;
    field.operation = operation;
    field.operand = std::make_shared<FieldRef>(operand);
    field.groupLevel = groupLevel;
    return field;
}

inline FormulaText formula(const QString &text)
{
    return FormulaText{text, 0, 0};
}

inline ReportObject object(ReportObject::Kind kind, const QString &name, QRect rect)
{
    ReportObject result;
    result.kind = kind;
    result.name = name;
    result.rect = rect;
    return result;
}

inline ReportObject fieldObject(const QString &name, const FieldRef &field)
{
    ReportObject result = object(ReportObject::Kind::Field, name, QRect(0, 0, 1000, 240));
    result.field = field;
    return result;
}

inline QByteArray smallPng()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(qRgb(31, 78, 121));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

inline SectionDefinition section(SectionKind kind, const QString &name, int groupLevel = -1)
{
    SectionDefinition result;
    result.kind = kind;
    result.name = name;
    result.groupLevel = groupLevel;
    result.height = 300;
    return result;
}

/// A subreport's definition: its own table, formula and sections.
inline ReportDefinition linesSubreport()
{
    ReportDefinition lines;
    lines.title = QStringLiteral("Línies");
    lines.tables = {{QStringLiteral("LiniesComanda"), QStringLiteral("L"), {}}};
    lines.formulas = {{QStringLiteral("Import"), formula(QStringLiteral("{L.Quantitat} * {L.PreuUnitari}"))}};
    SectionDefinition details = section(SectionKind::Details, QStringLiteral("Linia"));
    details.objects.push_back(fieldObject(QStringLiteral("Import"), ref(FieldRef::Kind::Formula, QStringLiteral("Import"))));
    lines.sections.push_back(details);
    return lines;
}

/// Objects of every kind and every format option, for the details.
inline std::vector<ReportObject> objectsOfEveryKind()
{
    using Kind = FieldRef::Kind;
    std::vector<ReportObject> objects;
    ReportObject styled = fieldObject(QStringLiteral("Estat"), ref(Kind::Database, QStringLiteral("Estat"), QStringLiteral("C")));
    ObjectFormat &format = styled.format;
    format.font = FontSpec{QStringLiteral("Times New Roman"), 8.5, true, true, true, true};
    format.color = qRgb(0x1F, 0x4E, 0x79);
    format.background = qRgb(0xDD, 0xEB, 0xF7);
    format.alignment = HorizontalAlignment::Justify;
    format.border = BorderSpec{true, true, true, true, 30, qRgb(128, 0, 0)};
    format.canGrow = true;
    format.maxLines = 3;
    format.suppress = true;
    format.suppressFormula = formula(QStringLiteral("{C.Estat} = \"Pendent\""));
    format.suppressIfDuplicated = true;
    format.valueFormat = QStringLiteral("#,##0.00");
    styled.link = QStringLiteral("https://exemple.cat/comanda?id=1&estat=\"x\"");
    styled.propertyFormulas = {{FormattedProperty::Color, QStringLiteral("if ObjectValue < 0 then \"vermell\" else DesignValue")},
                               {FormattedProperty::Link, QStringLiteral("\"mailto:\" & {C.Estat}")},
                               {FormattedProperty::MaxLines, QStringLiteral("2")}};
    objects.push_back(styled);
    objects.push_back(fieldObject(QStringLiteral("Import"), ref(Kind::Formula, QStringLiteral("Import"))));
    objects.push_back(fieldObject(QStringLiteral("Any"), ref(Kind::Parameter, QStringLiteral("Any"))));
    objects.push_back(fieldObject(QStringLiteral("Acumulat"), ref(Kind::RunningTotal, QStringLiteral("Acumulat"))));
    objects.push_back(fieldObject(QStringLiteral("Registre"), special(SpecialField::RecordNumber)));

    ReportObject text = object(ReportObject::Kind::Text, QStringLiteral("Nota"), QRect(0, 250, 3000, 480));
    text.text = QStringLiteral("Línia 1\nLínia 2 {C.Estat} \"cometes\" & <menor>");
    text.format.border.bottom = true;
    text.propertyFormulas = {{FormattedProperty::Border, QStringLiteral("\"left top\"")}};
    objects.push_back(text);

    ReportObject line = object(ReportObject::Kind::Line, QStringLiteral("Ratlla"), QRect(0, 290, 9000, 0));
    line.lineWidth = 5;
    line.lineStyle = LineStyle::Dash;
    line.format.color = qRgb(128, 128, 128);
    line.propertyFormulas = {{FormattedProperty::LineStyle, QStringLiteral("\"dot\"")}};
    objects.push_back(line);

    ReportObject box = object(ReportObject::Kind::Box, QStringLiteral("Marc"), QRect(-20, -20, 9100, 340));
    box.lineStyle = LineStyle::Dot;
    box.boxFilled = true;
    box.format.background = qRgb(240, 240, 240);
    box.propertyFormulas = {{FormattedProperty::Background, QStringLiteral("Color (255, 0, 0)")}};
    objects.push_back(box);

    ReportObject picture = object(ReportObject::Kind::Picture, QStringLiteral("Logotip"), QRect(9000, 0, 600, 450));
    picture.imageData = smallPng();
    picture.link = QStringLiteral("https://exemple.cat/");
    picture.propertyFormulas = {{FormattedProperty::BorderWidth, QStringLiteral("40")}};
    objects.push_back(picture);

    ReportObject subreport = object(ReportObject::Kind::Subreport, QStringLiteral("Linies"), QRect(0, 300, 9000, 600));
    subreport.subreport = std::make_shared<ReportDefinition>(linesSubreport());
    subreport.links.push_back({ref(Kind::Database, QStringLiteral("IdComanda"), QStringLiteral("C")),
                               ref(Kind::Database, QStringLiteral("IdComanda"), QStringLiteral("L")), {}});
    objects.push_back(subreport);
    return objects;
}

inline std::vector<ParameterDefinition> parametersOfEveryType()
{
    return {
        {QStringLiteral("Any"), ValueType::Integer, QStringLiteral("Any de les comandes"), Value::integer(2025)},
        {QStringLiteral("Text"), ValueType::String, QStringLiteral("Un text"), Value::string(QStringLiteral("L'Hospitalet \"&\" <b>"))},
        {QStringLiteral("Sense valor"), ValueType::String, QString(), Value()},
        {QStringLiteral("Factor"), ValueType::Number, QString(), Value::number(0.1)},
        {QStringLiteral("Import mínim"), ValueType::Currency, QString(), Value::currency(Currency{-12345678})},
        {QStringLiteral("Actius"), ValueType::Boolean, QString(), Value::boolean(true)},
        {QStringLiteral("Des de"), ValueType::Date, QString(), Value::date(DateTime::fromDate(QDate(2024, 2, 29)))},
        {QStringLiteral("Hora"), ValueType::Time, QString(), Value::time(DateTime::fromTime(QTime(13, 45, 30)))},
        {QStringLiteral("Moment"), ValueType::DateTime, QString(),
         Value::dateTime(DateTime::fromDateAndTime(QDate(1800, 6, 15), QTime(12, 30)))},
    };
}

inline Value textValue(const char *text) { return Value::string(QString::fromUtf8(text)); }

/// Parameters taking several values, ranges and pick lists, with texts that
/// need the list form's escapes.
inline std::vector<ParameterDefinition> parametersWithListsAndRanges()
{
    ParameterDefinition countries{QStringLiteral("Països"), ValueType::String, QStringLiteral("Països"), {}};
    countries.multipleValues = true;
    countries.closedList = true;
    countries.pickList = {{textValue("Espanya"), QStringLiteral("el Regne d'Espanya")}, {textValue("Andorra"), QString()},
                          {textValue("Bòsnia, i Hercegovina"), QString()}, {textValue("a..b<\\"), QString()}};
    countries.defaultValue.values = {textValue("Bòsnia, i Hercegovina"), textValue("a..b<\\")};
    ParameterDefinition period{QStringLiteral("Període"), ValueType::Date, QString(), {}};
    period.rangeValues = true;
    period.multipleValues = true;
    period.optional = true;
    const Value first = Value::date(DateTime::fromDate(QDate(2024, 1, 1)));
    const Value last = Value::date(DateTime::fromDate(QDate(2024, 12, 31)));
    period.defaultValue.values = {first};
    period.defaultValue.ranges = {{first, last, true, false}, {Value(), last, true, true}, {first, Value(), false, true}};
    ParameterDefinition city{QStringLiteral("Ciutat"), ValueType::String, QString(), {}};
    city.listField = FieldRef{FieldRef::Kind::Database, QStringLiteral("Clients"), QStringLiteral("Ciutat")};
    return {countries, period, city};
}

/// A report that uses every element, attribute and kind of value the
/// format has, each set away from its default.
inline ReportDefinition reportWithEveryFeature()
{
    using Kind = FieldRef::Kind;
    ReportDefinition report;
    report.title = QStringLiteral("Informe de prova: «tot»");
    report.author = QStringLiteral("Equip & cia.");
    report.page.paper = QSize(15000, 10000);
    report.page.landscape = true;
    report.page.margins = QMargins(500, 600, 700, 800);
    report.tables = {{QStringLiteral("Comandes"), QStringLiteral("C"), {}},
                     {QStringLiteral("Clients"), QStringLiteral("Clients"), {}},
                     {QStringLiteral("Venedors"), QStringLiteral("V"), {}}};
    report.links = {
        {QStringLiteral("C"), {QStringLiteral("IdClient")}, QStringLiteral("Clients"), {QStringLiteral("IdClient")}, JoinType::Inner, {}},
        {QStringLiteral("C"), {QStringLiteral("IdVenedor"), QStringLiteral("Oficina")}, QStringLiteral("V"),
         {QStringLiteral("IdVenedor"), QStringLiteral("Oficina")}, JoinType::LeftOuter, {}},
    };
    report.recordSelection = formula(QStringLiteral("{C.Import} < 100\nand Year({C.DataComanda}) = {?Any}"));
    report.parameters = parametersOfEveryType();
    for (ParameterDefinition &parameter : parametersWithListsAndRanges())
        report.parameters.push_back(std::move(parameter));
    report.formulas = {{QStringLiteral("Import"), formula(QStringLiteral("{C.Quantitat} * 2"))},
                       {QStringLiteral("Marca"), formula(QStringLiteral("\"]]>\" & {C.Estat}"))}};
    report.sorts = {{ref(Kind::Database, QStringLiteral("DataComanda"), QStringLiteral("C")), SortDirection::Descending, {}},
                    {ref(Kind::Formula, QStringLiteral("Import")), SortDirection::Ascending, {}}};
    report.groups = {
        {ref(Kind::Database, QStringLiteral("Pais"), QStringLiteral("Clients")), SortDirection::Descending,
         formula(QStringLiteral("Sum({@Import}, {Clients.Pais}) > 0")), true, true, {}, std::nullopt},
        {ref(Kind::Formula, QStringLiteral("Marca")), SortDirection::Ascending, FormulaText(), false, false, {}, std::nullopt},
    };
    GroupRanking ranking;
    ranking.by = summary(SummaryOperation::Percentile, ref(Kind::Formula, QStringLiteral("Import")), 1);
    ranking.by.argument = 90;
    ranking.direction = SortDirection::Ascending;
    ranking.keepParameter = QStringLiteral("Any");
    ranking.keepTies = true;
    ranking.gatherRest = true;
    ranking.restName = QStringLiteral("La resta");
    report.groups[1].ranking = ranking;
    report.runningTotals = {
        {QStringLiteral("Acumulat"), SummaryOperation::DistinctCount, ref(Kind::Formula, QStringLiteral("Import")),
         formula(QStringLiteral("{C.Estat} <> \"Cancel·lada\"")), 1, {}, 0, std::nullopt},
        {QStringLiteral("Total"), SummaryOperation::Maximum, ref(Kind::Database, QStringLiteral("Import"), QStringLiteral("C")),
         FormulaText(), -1, {}, 0, std::nullopt},
        {QStringLiteral("Ponderat"), SummaryOperation::WeightedAverage, ref(Kind::Formula, QStringLiteral("Import")),
         FormulaText(), -1, {}, 0, ref(Kind::Database, QStringLiteral("Quantitat"), QStringLiteral("C"))},
    };

    SectionDefinition reportHeader = section(SectionKind::ReportHeader, QStringLiteral("Presentacio"));
    reportHeader.options = SectionOptions{true, formula(QStringLiteral("PageNumber > 1")), true, true, true, true};
    reportHeader.background = qRgb(255, 255, 204);
    SectionDefinition details = section(SectionKind::Details, QStringLiteral("Comanda"));
    details.objects = objectsOfEveryKind();
    details.propertyFormulas = {{FormattedProperty::Background, QStringLiteral("if RecordNumber mod 2 = 0 then \"#EEEEEE\" else \"\"")}};
    SectionDefinition moreDetails = section(SectionKind::Details, QStringLiteral("Comanda_2"));
    moreDetails.height = 0;
    SectionDefinition innerFooter = section(SectionKind::GroupFooter, QStringLiteral("PeuMarca"), 1);
    innerFooter.objects.push_back(fieldObject(QStringLiteral("SumaMarca"),
                                              summary(SummaryOperation::Average, ref(Kind::Formula, QStringLiteral("Import")), 1)));
    FieldRef share = summary(SummaryOperation::Sum, ref(Kind::Formula, QStringLiteral("Import")), 1);
    share.percentOfLevel = 0;
    innerFooter.objects.push_back(fieldObject(QStringLiteral("PartMarca"), share));
    FieldRef secondLargest = summary(SummaryOperation::NthLargest, ref(Kind::Formula, QStringLiteral("Import")), 1);
    secondLargest.argument = 2;
    secondLargest.percentOfLevel = -1;
    innerFooter.objects.push_back(fieldObject(QStringLiteral("SegonaMarca"), secondLargest));
    SectionDefinition reportFooter = section(SectionKind::ReportFooter, QStringLiteral("Final"));
    reportFooter.objects.push_back(fieldObject(
        QStringLiteral("Total"), summary(SummaryOperation::Count, ref(Kind::Database, QStringLiteral("Nom"), QStringLiteral("Clients")), -1)));
    report.sections = {
        reportHeader,
        section(SectionKind::PageHeader, QStringLiteral("Capcalera")),
        section(SectionKind::GroupHeader, QStringLiteral("CapcaleraPais"), 0),
        section(SectionKind::GroupHeader, QStringLiteral("CapcaleraMarca"), 1),
        details,
        moreDetails,
        innerFooter,
        section(SectionKind::GroupFooter, QStringLiteral("PeuPais"), 0),
        reportFooter,
        section(SectionKind::PageFooter, QStringLiteral("Peu")),
    };
    return report;
}

} // namespace velmora::testing
