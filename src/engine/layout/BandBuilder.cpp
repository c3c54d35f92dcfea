#include "engine/layout/BandBuilder.h"

#include "engine/formula/ValueFormatter.h"
#include "engine/layout/ChartPlacement.h"
#include "engine/layout/PropertyApplier.h"
#include "engine/layout/CrossTabComputation.h"
#include "engine/layout/CrossTabFills.h"
#include "engine/layout/CrossTabPlan.h"
#include "engine/layout/CrossTabSheet.h"

#include <algorithm>

namespace velmora {

namespace {

/// Room kept between a border and the text inside it.
constexpr Twips borderInset = 40;


} // namespace

BandBuilder::BandBuilder(const ReportPlan &plan, RecordContext &context, TextMeasurer &measurer,
                         SubreportBands subreports)
    : m_plan(plan), m_context(context), m_measurer(measurer), m_subreports(std::move(subreports))
{
}

Band BandBuilder::build(int sectionIndex, bool withItems)
{
    const SectionDefinition &section = m_plan.definition().sections[size_t(sectionIndex)];
    const SectionPlan &plan = m_plan.section(sectionIndex);
    const bool groupSection = section.kind == SectionKind::GroupHeader || section.kind == SectionKind::GroupFooter;
    m_context.setSectionGroupLevel(groupSection ? section.groupLevel : -1);
    Band band;
    band.height = section.height;
    band.keepTogether = section.options.keepTogether;
    band.newPageBefore = section.options.newPageBefore;
    band.newPageAfter = section.options.newPageAfter;
    if (section.options.suppress || m_context.holds(plan.suppress)) {
        band.suppressed = true;
        return band;
    }
    if (plan.hasFixedHeight && !withItems)
        return band;

    const std::optional<QRgb> background = withItems ? sectionBackground(section, plan) : std::nullopt;
    const size_t backgroundItem = band.items.size();
    if (background) {
        BoxItem back;
        // The band starts at the left margin: its fill spans the printable
        // width, not the paper's, which would run past the right margin.
        const PageSetup &page = m_plan.definition().page;
        back.rect = QRect(0, 0, page.pageSize().width() - page.margins.left() - page.margins.right(), section.height);
        back.borderWidth = 0;
        back.filled = true;
        back.fillColor = *background;
        band.items.emplace_back(back);
    }
    bool anyFieldShown = false;
    bool anyField = false;
    Twips bottom = section.height;
    std::vector<std::pair<Twips, Twips>> pushes; ///< below where, by how much
    for (size_t i = 0; i < section.objects.size(); ++i) {
        const ReportObject &object = section.objects[i];
        const ObjectPlan &objectPlan = plan.objects[i];
        if (objectSuppressed(object, objectPlan))
            continue;
        Twips grownHeight = object.rect.height();
        switch (object.kind) {
        case ReportObject::Kind::Field:
        case ReportObject::Kind::Text: {
            bool hasReference = object.kind == ReportObject::Kind::Field;
            for (const auto &piece : objectPlan.pieces)
                hasReference = hasReference || piece.formula || piece.summary >= 0;
            bool shown = false;
            grownHeight = placeTextObject(object, objectPlan, band, withItems, shown);
            if (hasReference) {
                anyField = true;
                anyFieldShown = anyFieldShown || shown;
            }
            break;
        }
        case ReportObject::Kind::Subreport:
            grownHeight = placeSubreport(object, objectPlan, band);
            break;
        case ReportObject::Kind::CrossTab:
            grownHeight = placeCrossTab(object, objectPlan, section, band);
            if (grownHeight > object.rect.height())
                pushes.emplace_back(object.rect.top() + object.rect.height(), grownHeight - object.rect.height());
            break;
        case ReportObject::Kind::Line:
        case ReportObject::Kind::Box:
        case ReportObject::Kind::Picture:
            if (withItems)
                placeShape(object, objectPlan, band);
            break;
        case ReportObject::Kind::Chart:
            if (withItems) {
                placeChart(object, objectPlan, groupSection ? section.groupLevel : m_plan.reportSummaryLevel(),
                           m_context, m_measurer, band);
                placeDecorations(object, objectPlan, objectPlan.look, grownHeight, band);
            }
            break;
        }
        bottom = std::max(bottom, section.height + (grownHeight - object.rect.height()));
    }
    if (section.options.suppressBlank && anyField && !anyFieldShown) {
        band.suppressed = true;
        band.items.clear();
        return band;
    }
    // What stands below a cross-tab moves down with it, the lowest first.
    std::sort(pushes.begin(), pushes.end(), std::greater<>());
    Twips pushed = 0;
    for (const auto &[from, by] : pushes) {
        band.pushDown(from, by);
        pushed += by;
    }
    band.height = std::max(bottom, section.height + pushed);
    // The background fills the section as it grew.
    if (background)
        std::get<BoxItem>(band.items[backgroundItem]).rect.setHeight(band.height);
    return band;
}

void BandBuilder::placeShape(const ReportObject &object, const ObjectPlan &plan, Band &band)
{
    if (plan.properties.empty()) {
        placeDecorations(object, plan, plan.look, object.rect.height(), band);
        return;
    }
    ObjectLook look = plan.look;
    PropertyApplier(m_context).apply(plan.properties, Value(), object.kind == ReportObject::Kind::Box, look);
    placeDecorations(object, plan, look, object.rect.height(), band);
}

bool BandBuilder::objectSuppressed(const ReportObject &object, const ObjectPlan &plan)
{
    return object.format.suppress || m_context.holds(plan.suppress);
}

std::optional<QRgb> BandBuilder::sectionBackground(const SectionDefinition &section, const SectionPlan &plan)
{
    if (plan.properties.empty())
        return section.background;
    return PropertyApplier(m_context).background(plan.properties, section.background);
}

std::optional<QString> BandBuilder::objectText(const ReportObject &object, const ObjectPlan &plan, Value *rawValue)
{
    return objectText(object, plan, object.format.valueFormat, rawValue);
}

std::optional<QString> BandBuilder::objectText(const ReportObject &object, const ObjectPlan &plan,
                                               const QString &valueFormat, Value *rawValue)
{
    QString text;
    for (const ObjectPlan::Piece &piece : plan.pieces)
        text += pieceText(piece, valueFormat, object.kind == ReportObject::Kind::Field ? rawValue : nullptr);
    if (object.kind == ReportObject::Kind::Field && object.format.suppressIfDuplicated && rawValue
        && duplicatesPrevious(plan, *rawValue))
        return std::nullopt;
    return text;
}

QString BandBuilder::pieceText(const ObjectPlan::Piece &piece, const QString &format, Value *rawValue)
{
    if (piece.reportTitle)
        return m_plan.definition().title;
    Value v;
    if (piece.summary >= 0) {
        v = m_context.summaryOf(piece.summary);
    } else if (piece.formula) {
        v = m_context.evaluate(*piece.formula);
    } else {
        return piece.literal;
    }
    if (rawValue)
        *rawValue = v;
    return formatValue(v, format);
}

bool BandBuilder::duplicatesPrevious(const ObjectPlan &plan, const Value &value)
{
    const qint64 position = m_context.position();
    if (position <= 0 || plan.pieces.empty())
        return false;
    m_context.setPosition(position - 1);
    Value previous;
    try {
        pieceText(plan.pieces.front(), QString(), &previous);
    } catch (...) {
        m_context.setPosition(position);
        throw;
    }
    m_context.setPosition(position);
    return previous == value;
}

Twips BandBuilder::placeTextObject(const ReportObject &object, const ObjectPlan &plan, Band &band, bool withItems,
                                   bool &shown)
{
    Value raw;
    std::optional<QString> text = objectText(object, plan, &raw);
    // Counting pages needs the look only where it can change the height.
    if (text && !plan.properties.empty() && (withItems || object.format.canGrow)) {
        // The formulas see the value before their own format is applied to it.
        const bool isField = object.kind == ReportObject::Kind::Field;
        ObjectLook look = plan.look;
        PropertyApplier(m_context).apply(plan.properties, isField ? raw : Value::string(*text), false, look);
        if (look.format.valueFormat != object.format.valueFormat)
            text = objectText(object, plan, look.format.valueFormat, &raw);
        if (text) {
            shown = !text->isEmpty();
            return placeText(object, plan, look, *text, raw, band, withItems);
        }
    }
    shown = text && !text->isEmpty();
    if (!text)
        return object.rect.height();
    return placeText(object, plan, plan.look, *text, raw, band, withItems);
}

Twips BandBuilder::placeText(const ReportObject &object, const ObjectPlan &plan, const ObjectLook &look,
                             const QString &text, const Value &raw, Band &band, bool withItems)
{
    const bool isField = object.kind == ReportObject::Kind::Field;
    const ObjectFormat &format = look.format;
    const Twips inset = format.border.any() ? borderInset : 0;
    const Twips innerWidth = std::max(1, object.rect.width() - 2 * inset);
    const TextMeasurer::LineMetrics metrics = m_measurer.lineMetrics(format.font);
    const QStringList lines = format.canGrow ? m_measurer.wrap(format.font, text, innerWidth, format.maxLines)
                                             : QStringList{m_measurer.fitOneLine(format.font, text, innerWidth)};
    const Twips textHeight = Twips(lines.size()) * metrics.height + 2 * inset;
    const Twips height = format.canGrow ? std::max(object.rect.height(), textHeight) : object.rect.height();
    if (!withItems)
        return height;

    if (format.background) {
        BoxItem back;
        back.rect = QRect(object.rect.left(), object.rect.top(), object.rect.width(), height);
        back.borderWidth = 0;
        back.filled = true;
        back.fillColor = *format.background;
        band.items.emplace_back(back);
    }
    const bool typed = isField && lines.size() == 1 && !raw.isNull();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        TextItem item;
        item.box = QRect(object.rect.left() + inset, object.rect.top() + inset + Twips(i) * metrics.height,
                         innerWidth, metrics.height);
        item.baseline = metrics.ascent;
        item.text = lines[i];
        item.font = format.font;
        item.color = format.color;
        item.alignment = format.alignment;
        if (typed) {
            item.value = raw;
            item.cellFormat = spreadsheetFormat(raw.type(), format.valueFormat);
        }
        item.link = look.link;
        band.items.emplace_back(std::move(item));
    }
    placeDecorations(object, plan, look, height, band);
    return height;
}

void BandBuilder::placeDecorations(const ReportObject &object, const ObjectPlan &plan, const ObjectLook &look,
                                   Twips height, Band &band)
{
    const QRect r(object.rect.left(), object.rect.top(), object.rect.width(), height);
    switch (object.kind) {
    case ReportObject::Kind::Line: {
        LineItem line;
        line.from = object.rect.topLeft();
        line.to = QPoint(object.rect.left() + object.rect.width(), object.rect.top() + object.rect.height());
        line.width = look.lineWidth;
        line.color = look.format.color;
        line.style = look.lineStyle;
        band.items.emplace_back(line);
        return;
    }
    case ReportObject::Kind::Box: {
        BoxItem box;
        box.rect = r;
        box.borderWidth = look.lineWidth;
        box.borderColor = look.format.color;
        box.filled = look.boxFilled && look.format.background.has_value();
        box.fillColor = look.format.background.value_or(qRgb(255, 255, 255));
        box.style = look.lineStyle;
        band.items.emplace_back(box);
        return;
    }
    case ReportObject::Kind::Picture: {
        if (!plan.picture.isNull())
            band.items.emplace_back(PictureItem{r, plan.picture, look.link});
        return;
    }
    default: break;
    }
    const BorderSpec &b = look.format.border;
    const auto edge = [&](QPoint from, QPoint to) {
        LineItem line;
        line.from = from;
        line.to = to;
        line.width = b.width;
        line.color = b.color;
        band.items.emplace_back(line);
    };
    const int right = r.left() + r.width(), bottom = r.top() + r.height();
    if (b.top)
        edge({r.left(), r.top()}, {right, r.top()});
    if (b.bottom)
        edge({r.left(), bottom}, {right, bottom});
    if (b.left)
        edge({r.left(), r.top()}, {r.left(), bottom});
    if (b.right)
        edge({right, r.top()}, {right, bottom});
}

Twips BandBuilder::placeSubreport(const ReportObject &object, const ObjectPlan &plan, Band &band)
{
    if (!m_subreports)
        return object.rect.height();
    Twips y = object.rect.top();
    for (const Band &sub : m_subreports(object, plan, m_context, m_measurer)) {
        for (PageItem item : sub.items) {
            translateItem(item, QPoint(object.rect.left(), y));
            band.items.push_back(std::move(item));
        }
        sub.appendSheetItems(QPoint(object.rect.left(), y), band.items);
        y += sub.height;
    }
    return std::max(object.rect.height(), y - object.rect.top());
}

Twips BandBuilder::placeCrossTab(const ReportObject &object, const ObjectPlan &plan, const SectionDefinition &section,
                                 Band &band)
{
    if (!plan.crossTab)
        return object.rect.height();
    // In a group's header or footer it counts that group's records; elsewhere the report's.
    const PreparedRecords &records = m_context.prepared();
    const qint64 position = m_context.position();
    qint64 first = 0, last = records.size();
    const bool groupSection = section.kind == SectionKind::GroupHeader || section.kind == SectionKind::GroupFooter;
    if (position < 0) {
        last = 0;
    } else if (groupSection && size_t(section.groupLevel) < records.levels.size()) {
        const GroupLevel &level = records.levels[size_t(section.groupLevel)];
        const int group = level.groupAt(position);
        first = level.starts[size_t(group)];
        last = level.endOf(group, records.size());
    }
    const PageSetup &page = m_plan.definition().page;
    const Twips width = page.pageSize().width() - page.margins.left() - page.margins.right() - object.rect.left();
    const CrossTabPlan &crossTab = *plan.crossTab;
    const auto sheet = crossTab.sheets->sheetFor(&records, first, last, width, [&] {
        std::unique_ptr<CrossTabGrid> grid = computeCrossTab(crossTab, m_context, first, last);
        CrossTabFills fills(*grid, crossTab, m_context);
        return std::make_shared<const CrossTabSheet>(std::move(grid), *crossTab.definition, m_measurer, width,
                                                     std::move(fills));
    });
    SheetWindow window;
    window.sheet = sheet;
    window.at = object.rect.topLeft();
    window.to = sheet->height();
    band.sheets.push_back(window);
    return sheet->height();
}

} // namespace velmora
