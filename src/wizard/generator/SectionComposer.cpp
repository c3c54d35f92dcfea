#include "wizard/generator/SectionComposer.h"

#include "wizard/generator/ReportComposer.h"

#include <algorithm>

namespace velmora::wizard {

namespace {

constexpr Twips padding = 40;
constexpr Twips groupIndent = 240;
// A total's label goes on the row of its values when at least this much
// room is left of the first total; on a line of its own above them otherwise.
constexpr Twips narrowestLabel = 1200;

SectionDefinition emptySection(const QString &name, SectionKind kind, int level = -1)
{
    SectionDefinition section;
    section.name = name;
    section.kind = kind;
    section.groupLevel = level;
    return section;
}

FieldRef databaseRef(const FieldName &field)
{
    FieldRef ref;
    ref.table = field.table;
    ref.name = field.field;
    return ref;
}

FieldRef summaryRef(const FieldName &field, SummaryOperation operation, int level)
{
    FieldRef ref;
    ref.kind = FieldRef::Kind::Summary;
    ref.operation = operation;
    ref.operand = std::make_shared<FieldRef>(databaseRef(field));
    ref.groupLevel = level;
    return ref;
}

FieldRef specialRef(SpecialField special)
{
    FieldRef ref;
    ref.kind = FieldRef::Kind::Special;
    ref.special = special;
    return ref;
}

/// Braces in a heading would read as a field: they are shown as parentheses.
QString literalText(QString text)
{
    return text.replace(u'{', u'(').replace(u'}', u')');
}

QString operationWord(SummaryOperation operation)
{
    switch (operation) {
    case SummaryOperation::Sum: return QStringLiteral("Total");
    case SummaryOperation::Average: return QStringLiteral("Mitjana");
    case SummaryOperation::Count: return QStringLiteral("Recompte");
    case SummaryOperation::Minimum: return QStringLiteral("Mínim");
    default: return QStringLiteral("Màxim");
    }
}

QString operationNamePart(SummaryOperation operation)
{
    switch (operation) {
    case SummaryOperation::Sum: return QStringLiteral("Suma");
    case SummaryOperation::Average: return QStringLiteral("Mitjana");
    case SummaryOperation::Count: return QStringLiteral("Recompte");
    case SummaryOperation::Minimum: return QStringLiteral("Minim");
    default: return QStringLiteral("Maxim");
    }
}

} // namespace

SectionComposer::SectionComposer(const WizardChoices &choices, const DatabaseCatalog &catalog,
                                 const ReportStyle &style)
    : m_choices(choices), m_catalog(catalog), m_style(style)
{
    for (const ColumnChoice &column : choices.columns)
        m_requests.push_back({literalText(headingOf(column)), presentation(column.field)});
}

Twips SectionComposer::naturalColumnWidth()
{
    return naturalWidth(m_requests, m_style, m_measurer);
}

std::vector<SectionDefinition> SectionComposer::compose(const QString &title, Twips pageWidth)
{
    m_pageWidth = pageWidth;
    m_plan = planColumns(m_requests, pageWidth, m_style, m_measurer);
    std::vector<SectionDefinition> sections{titleSection(title), headingSection()};
    for (int level = 0; level < int(m_choices.groups.size()); ++level)
        sections.push_back(groupHeader(level));
    sections.push_back(details());
    for (int level = int(m_choices.groups.size()) - 1; level >= -1; --level)
        if (auto totals = totalsSection(level))
            sections.push_back(std::move(*totals));
    if (auto footer = pageFooter())
        sections.push_back(std::move(*footer));
    return sections;
}

SectionDefinition SectionComposer::titleSection(const QString &title)
{
    const FontSpec font = m_style.font(16, true);
    const Twips height = lineHeight(font);
    SectionDefinition section = emptySection(m_names.take(QStringLiteral("Capcalera")), SectionKind::PageHeader);
    ReportObject heading = text(QStringLiteral("Titol"), QRect(0, 0, m_pageWidth, height), literalText(title), font);
    heading.format.color = m_style.accent;
    section.objects.push_back(heading);
    section.objects.push_back(line(QStringLiteral("LiniaTitol"), height + 60, 0, m_pageWidth, 20));
    section.height = height + 160;
    return section;
}

SectionDefinition SectionComposer::headingSection()
{
    SectionDefinition section = emptySection(m_names.take(QStringLiteral("TitolsColumnes")), SectionKind::PageHeader);
    section.background = m_style.headingBand;
    for (size_t i = 0; i < m_plan.columns.size(); ++i) {
        const PlannedColumn &column = m_plan.columns[i];
        ReportObject heading = text(u"Titol" + joinedWords(m_choices.columns[i].field.field),
                                    QRect(column.left, padding, column.width, m_plan.headingHeight),
                                    m_requests[i].heading, m_style.body(true));
        heading.format.alignment = m_requests[i].presentation.alignment;
        heading.format.color = m_style.headingText;
        heading.format.canGrow = true;
        heading.format.maxLines = ColumnPlan::maximumHeadingLines;
        section.objects.push_back(heading);
    }
    section.height = m_plan.headingHeight + 2 * padding;
    return section;
}

SectionDefinition SectionComposer::groupHeader(int level)
{
    const OrderChoice &group = m_choices.groups[size_t(level)];
    const FontSpec font = m_style.font(m_style.bodySize + 2 - level, true);
    const Twips height = lineHeight(font);
    const Twips top = level == 0 ? 160 : 60;
    const Twips indent = groupIndent * level;
    const QString label = literalText(headingFor(group.field)) + u':';
    const Twips labelWidth = m_measurer.width(font, label) + 80;
    const QString stem = joinedWords(group.field.field);

    SectionDefinition section = emptySection(m_names.take(u"CapcaleraGrup" + stem), SectionKind::GroupHeader, level);
    ReportObject caption = text(u"Etiqueta" + stem, QRect(indent, top, labelWidth, height), label, font);
    ReportObject value = text(u"Grup" + stem,
                              QRect(indent + labelWidth, top, std::max(1, m_pageWidth - indent - labelWidth), height),
                              QString(), font);
    value.kind = ReportObject::Kind::Field;
    value.field = databaseRef(group.field);
    value.format.valueFormat = presentation(group.field).format;
    for (ReportObject *object : {&caption, &value})
        object->format.color = level == 0 ? m_style.accent : qRgb(0, 0, 0);
    section.objects = {caption, value};
    section.height = top + height + padding;
    return section;
}

SectionDefinition SectionComposer::details()
{
    SectionDefinition section = emptySection(m_names.take(QStringLiteral("Detall")), SectionKind::Details);
    for (size_t i = 0; i < m_plan.columns.size(); ++i) {
        const PlannedColumn &column = m_plan.columns[i];
        const ColumnChoice &choice = m_choices.columns[i];
        ReportObject field = text(choice.field.field, QRect(column.left, 20, column.width, m_plan.lineHeight),
                                  QString(), m_style.body());
        field.kind = ReportObject::Kind::Field;
        field.field = databaseRef(choice.field);
        field.format.alignment = m_requests[i].presentation.alignment;
        field.format.valueFormat = m_requests[i].presentation.format;
        field.format.canGrow = column.wraps;
        section.objects.push_back(field);
    }
    section.height = m_plan.lineHeight + 40;
    return section;
}

std::vector<SummaryOperation> SectionComposer::operationsUsed() const
{
    std::vector<SummaryOperation> used;
    for (SummaryOperation operation : totalOperations)
        for (const TotalChoice &total : m_choices.totals)
            if (columnOf(total.field) >= 0
                && std::find(total.operations.begin(), total.operations.end(), operation) != total.operations.end()
                && std::find(used.begin(), used.end(), operation) == used.end())
                used.push_back(operation);
    return used;
}

std::optional<SectionDefinition> SectionComposer::totalsSection(int level)
{
    const bool wanted = level < 0 ? m_choices.totalsForReport : m_choices.totalsPerGroup;
    const std::vector<SummaryOperation> operations = operationsUsed();
    if (!wanted || operations.empty())
        return std::nullopt;
    const bool report = level < 0;
    const QString stem = report ? QStringLiteral("General") : joinedWords(m_choices.groups[size_t(level)].field.field);
    SectionDefinition section = emptySection(m_names.take(report ? QStringLiteral("TotalGeneral") : u"PeuGrup" + stem),
                              report ? SectionKind::ReportFooter : SectionKind::GroupFooter, level);
    const FontSpec font = m_style.body(true);
    int first = int(m_plan.columns.size());
    for (const TotalChoice &total : m_choices.totals)
        if (const int column = columnOf(total.field); column >= 0)
            first = std::min(first, column);
    const Twips ruleLeft = m_plan.columns[size_t(first)].left;
    section.objects.push_back(line(u"Linia" + stem, 40, report ? 0 : ruleLeft, m_pageWidth - (report ? 0 : ruleLeft),
                                   report ? 20 : 10));
    Twips top = 100;
    const Twips rowHeight = lineHeight(font);
    const Twips indent = report ? 0 : groupIndent * level;
    const Twips labelRoom = ruleLeft - ColumnPlan::gap - indent;
    for (SummaryOperation operation : operations) {
        const QString label = operationWord(operation) + u' '
                              + (report ? QStringLiteral("general") : m_choices.groups[size_t(level)].field.reference());
        const bool besideValues = labelRoom >= narrowestLabel;
        const QRect labelRect(indent, top, besideValues ? labelRoom : m_pageWidth - indent, rowHeight);
        ReportObject caption = text(u"Etiqueta" + operationNamePart(operation) + stem, labelRect, label, font);
        caption.format.color = report || level == 0 ? m_style.accent : qRgb(0, 0, 0);
        section.objects.push_back(caption);
        if (!besideValues)
            top += rowHeight;
        addTotalRow(section, {operation, label}, level, top, font);
        top += rowHeight + 20;
    }
    section.height = top + padding;
    section.options.keepTogether = true;
    return section;
}

void SectionComposer::addTotalRow(SectionDefinition &section, const TotalRow &row, int level, Twips top,
                                  const FontSpec &font)
{
    const QString where = level < 0 ? QStringLiteral("General") : joinedWords(m_choices.groups[size_t(level)].field.field);
    for (const TotalChoice &total : m_choices.totals) {
        const int index = columnOf(total.field);
        if (index < 0 || std::find(total.operations.begin(), total.operations.end(), row.operation) == total.operations.end())
            continue;
        const PlannedColumn &column = m_plan.columns[size_t(index)];
        ReportObject summary = text(operationNamePart(row.operation) + joinedWords(total.field.field) + where,
                                    QRect(column.left, top, column.width, lineHeight(font)), QString(), font);
        summary.kind = ReportObject::Kind::Field;
        summary.field = summaryRef(total.field, row.operation, level);
        summary.format.alignment = HorizontalAlignment::Right;
        summary.format.valueFormat = totalFormat(row.operation, presentation(total.field));
        section.objects.push_back(summary);
    }
}

std::optional<SectionDefinition> SectionComposer::pageFooter()
{
    const LookChoice &look = m_choices.look;
    if (!look.pageNumbers && !look.printDate)
        return std::nullopt;
    const FontSpec font = m_style.font(8);
    const Twips height = lineHeight(font);
    SectionDefinition section = emptySection(m_names.take(QStringLiteral("Peu")), SectionKind::PageFooter);
    section.objects.push_back(line(QStringLiteral("LiniaPeu"), 80, 0, m_pageWidth, 10));
    const Twips top = 160;
    const Twips half = m_pageWidth / 2;
    if (look.printDate) {
        const QString label = QStringLiteral("Imprès el");
        const Twips labelWidth = m_measurer.width(font, label) + 60;
        ReportObject caption = text(QStringLiteral("EtiquetaImpres"), QRect(0, top, labelWidth, height), label, font);
        ReportObject date = text(QStringLiteral("DataImpressio"), QRect(labelWidth, top, 1600, height), QString(), font);
        date.kind = ReportObject::Kind::Field;
        date.field = specialRef(SpecialField::PrintDate);
        date.format.valueFormat = QStringLiteral("dd/MM/yyyy");
        for (ReportObject *object : {&caption, &date}) {
            object->format.color = m_style.muted;
            section.objects.push_back(*object);
        }
    }
    if (look.pageNumbers) {
        ReportObject pages = text(QStringLiteral("Pagina"), QRect(half, top, m_pageWidth - half, height), QString(), font);
        pages.kind = ReportObject::Kind::Field;
        pages.field = specialRef(SpecialField::PageNofM);
        pages.format.alignment = HorizontalAlignment::Right;
        pages.format.color = m_style.muted;
        section.objects.push_back(pages);
    }
    section.height = top + height + padding;
    return section;
}

ReportObject SectionComposer::text(const QString &nameBase, const QRect &rect, const QString &text,
                                   const FontSpec &font)
{
    ReportObject object;
    object.name = m_names.take(nameBase);
    object.kind = ReportObject::Kind::Text;
    object.rect = rect;
    object.text = text;
    object.format.font = font;
    return object;
}

ReportObject SectionComposer::line(const QString &nameBase, Twips top, Twips left, Twips width, Twips weight)
{
    ReportObject object;
    object.name = m_names.take(nameBase);
    object.kind = ReportObject::Kind::Line;
    object.rect = QRect(left, top, width, 0);
    object.lineWidth = weight;
    object.format.color = m_style.accent;
    return object;
}

int SectionComposer::columnOf(const FieldName &field) const
{
    for (size_t i = 0; i < m_choices.columns.size(); ++i)
        if (m_choices.columns[i].field.table.compare(field.table, Qt::CaseInsensitive) == 0
            && m_choices.columns[i].field.field.compare(field.field, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QString SectionComposer::headingFor(const FieldName &field) const
{
    const int column = columnOf(field);
    return column >= 0 ? headingOf(m_choices.columns[size_t(column)]) : field.field;
}

FieldPresentation SectionComposer::presentation(const FieldName &field) const
{
    const ColumnSchema *column = m_catalog.column(field);
    return column ? presentationOf(*column) : FieldPresentation{};
}

Twips SectionComposer::lineHeight(const FontSpec &font)
{
    return m_measurer.lineMetrics(font).height;
}

} // namespace velmora::wizard
