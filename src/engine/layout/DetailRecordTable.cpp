#include "engine/layout/DetailRecordTable.h"

#include "engine/layout/BandBuilder.h"
#include "engine/layout/LayoutErrors.h"
#include "engine/layout/RecordContext.h"
#include "engine/layout/TextMeasurer.h"

#include <algorithm>

namespace velmora {

DetailRecordTable::DetailRecordTable(std::shared_ptr<ReportPageSource> source) : m_source(std::move(source))
{
    findColumns();
}

QString DetailRecordTable::captionAbove(const ReportObject &field) const
{
    // The page header caption that lies most within the field's columns: a
    // column heading does, a title spanning the page does not.
    const ReportDefinition &definition = m_source->plan().definition();
    QString best;
    double bestShare = 0.5;
    for (const SectionDefinition &section : definition.sections) {
        if (section.kind != SectionKind::PageHeader)
            continue;
        for (const ReportObject &o : section.objects) {
            if (o.kind != ReportObject::Kind::Text || o.text.contains(u'{') || o.rect.width() <= 0)
                continue;
            const int overlap = std::min(o.rect.right(), field.rect.right()) - std::max(o.rect.left(), field.rect.left());
            const double share = double(overlap) / o.rect.width();
            if (share > bestShare) {
                bestShare = share;
                best = o.text.trimmed();
            }
        }
    }
    return best;
}

void DetailRecordTable::findColumns()
{
    const ReportDefinition &definition = m_source->plan().definition();
    for (size_t level = 0; level < definition.groups.size(); ++level) {
        Column c;
        c.groupLevel = int(level);
        c.heading = definition.groups[level].field.name;
        m_columns.push_back(c);
    }
    for (size_t s = 0; s < definition.sections.size(); ++s) {
        const SectionDefinition &section = definition.sections[s];
        if (section.kind != SectionKind::Details)
            continue;
        std::vector<Column> fields;
        for (size_t o = 0; o < section.objects.size(); ++o) {
            const ReportObject &object = section.objects[o];
            if (object.kind != ReportObject::Kind::Field)
                continue;
            const QString caption = captionAbove(object);
            fields.push_back({&object, int(s), int(o), -1, caption.isEmpty() ? object.field.name : caption});
        }
        std::stable_sort(fields.begin(), fields.end(),
                         [](const Column &a, const Column &b) { return a.object->rect.left() < b.object->rect.left(); });
        m_columns.insert(m_columns.end(), fields.begin(), fields.end());
    }
}

QStringList DetailRecordTable::headings() const
{
    QStringList result;
    for (const Column &c : m_columns)
        result.append(c.heading);
    return result;
}

void DetailRecordTable::forEachRecord(const std::function<bool(const std::vector<Value> &)> &row,
                                      const CancelToken &cancel) const
{
    const PreparedRecords &records = m_source->preparedRecords(cancel);
    const ReportPlan &plan = m_source->plan();
    RecordContext context(plan, records, QDateTime::currentDateTime());
    TextMeasurer measurer;
    BandBuilder builder(plan, context, measurer, {});
    std::vector<Value> values(m_columns.size());
    for (qint64 p = 0; p < records.size(); ++p) {
        if ((p & 0x3FFF) == 0 && cancel.isCancelled())
            throw Failure(LayoutErrors::Stopped, QStringLiteral("S'ha aturat l'exportació de les dades."));
        context.setPosition(p);
        for (size_t c = 0; c < m_columns.size(); ++c) {
            const Column &column = m_columns[c];
            if (column.groupLevel >= 0) {
                const GroupLevel &level = records.levels[size_t(column.groupLevel)];
                values[c] = level.keys[size_t(level.groupAt(p))];
                continue;
            }
            Value raw;
            builder.objectText(*column.object, plan.section(column.section).objects[size_t(column.objectIndex)], &raw);
            values[c] = raw;
        }
        if (!row(values))
            return;
    }
}

} // namespace velmora
