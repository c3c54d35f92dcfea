#include "wizard/generator/ReportComposer.h"

#include "engine/core/Failure.h"
#include "engine/definition/DefinitionNames.h"
#include "wizard/generator/RecordFilter.h"
#include "wizard/generator/ReportStyle.h"
#include "wizard/generator/SectionComposer.h"
#include "wizard/generator/WizardErrors.h"

#include <set>

namespace velmora::wizard {

namespace {

const QMargins pageMargins{1134, 850, 1134, 850};

FieldRef databaseField(const FieldName &field)
{
    FieldRef ref;
    ref.kind = FieldRef::Kind::Database;
    ref.table = field.table;
    ref.name = field.field;
    return ref;
}

void checkTablesAreJoined(const WizardChoices &choices)
{
    if (choices.tables.isEmpty())
        throw Failure(WizardErrors::NoTables, QStringLiteral("Trieu almenys una taula per a l'informe."));
    std::set<QString> reached{choices.tables.front().toLower()};
    for (bool grew = true; grew;) {
        grew = false;
        for (const TableLink &link : choices.links) {
            const bool from = reached.count(link.fromAlias.toLower()) > 0;
            const bool to = reached.count(link.toAlias.toLower()) > 0;
            if (from != to) {
                reached.insert(from ? link.toAlias.toLower() : link.fromAlias.toLower());
                grew = true;
            }
        }
    }
    for (const QString &table : choices.tables)
        if (reached.count(table.toLower()) == 0)
            throw Failure(WizardErrors::UnreachedTable,
                          QStringLiteral("La taula «%1» no té cap relació que la uneixi a «%2»: la base de dades "
                                         "no diu com s'han d'ajuntar els seus registres. Traieu-la de l'informe.")
                              .arg(table, choices.tables.front()));
}

void checkField(const FieldName &field, const DatabaseCatalog &catalog, const WizardChoices &choices)
{
    const bool chosenTable = std::any_of(choices.tables.begin(), choices.tables.end(), [&](const QString &table) {
        return table.compare(field.table, Qt::CaseInsensitive) == 0;
    });
    if (!chosenTable || !catalog.column(field))
        throw Failure(WizardErrors::UnknownField,
                      QStringLiteral("El camp %1 no és a les taules triades.").arg(field.reference()));
}

void checkFields(const WizardChoices &choices, const DatabaseCatalog &catalog)
{
    if (choices.columns.empty())
        throw Failure(WizardErrors::NoColumns, QStringLiteral("Trieu almenys un camp per mostrar."));
    if (choices.groups.size() > size_t(WizardChoices::maximumGroups))
        throw Failure(WizardErrors::TooManyGroups, QStringLiteral("Un informe de l'assistent té com a molt %1 "
                                                                  "grups.")
                                                       .arg(WizardChoices::maximumGroups));
    for (const ColumnChoice &column : choices.columns)
        checkField(column.field, catalog, choices);
    for (const auto *orders : {&choices.groups, &choices.sorts})
        for (const OrderChoice &order : *orders)
            checkField(order.field, catalog, choices);
    for (const TotalChoice &total : choices.totals)
        checkField(total.field, catalog, choices);
}

PageSetup pageFor(const LookChoice &look, bool columnsNeedLandscape)
{
    PageSetup page;
    page.paper = paperSizeNamed(look.paper).value_or(PageSetup().paper);
    page.margins = pageMargins;
    page.landscape = look.orientation == Orientation::Landscape
                     || (look.orientation == Orientation::Automatic && columnsNeedLandscape);
    return page;
}

} // namespace

Twips usableWidth(const QString &paper, bool landscape)
{
    PageSetup page;
    page.paper = paperSizeNamed(paper).value_or(page.paper);
    page.landscape = landscape;
    return page.pageSize().width() - pageMargins.left() - pageMargins.right();
}

QString headingOf(const ColumnChoice &column)
{
    const QString heading = column.heading.trimmed();
    return heading.isEmpty() ? column.field.field : heading;
}

ComposedReport composeReport(const WizardChoices &choices, const DatabaseCatalog &catalog)
{
    checkTablesAreJoined(choices);
    checkFields(choices, catalog);
    const RecordFilter filter = buildRecordFilter(choices.conditions, catalog);

    ComposedReport composed;
    ReportDefinition &report = composed.definition;
    report.title = choices.look.title.trimmed().isEmpty() ? choices.tables.front() : choices.look.title.trimmed();
    for (const QString &table : choices.tables) {
        const TableSchema *schema = catalog.schema(table);
        const QString name = schema ? schema->name : table;
        report.tables.push_back({name, name, {}});
    }
    report.links = choices.links;
    report.parameters = filter.parameters;
    report.recordSelection = filter.selection;
    for (const OrderChoice &sort : choices.sorts)
        report.sorts.push_back({databaseField(sort.field), sort.direction, {}});
    for (const OrderChoice &group : choices.groups) {
        GroupDefinition definition;
        definition.field = databaseField(group.field);
        definition.direction = group.direction;
        definition.repeatHeader = report.groups.empty();
        report.groups.push_back(definition);
    }

    SectionComposer sections(choices, catalog, reportStyle(choices.look.style));
    const Twips portrait = usableWidth(choices.look.paper, false);
    composed.columnsNeedLandscape = sections.naturalColumnWidth() > portrait;
    report.page = pageFor(choices.look, composed.columnsNeedLandscape);
    const QSize page = report.page.pageSize();
    report.sections = sections.compose(report.title, page.width() - pageMargins.left() - pageMargins.right());
    return composed;
}

} // namespace velmora::wizard
