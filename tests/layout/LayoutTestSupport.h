#pragma once

// Small reports over records held in memory, for testing the layout engine
// without a database.

#include "engine/layout/ReportPageSource.h"
#include "engine/layout/ReportPlan.h"

#include <QStringList>

#include <map>

namespace velmora::testing {

/// A joined record set given row by row, by field name ("T.F").
class MemoryRecordSet : public RecordSet {
public:
    MemoryRecordSet(const std::vector<FieldKey> &fields, const QStringList &columns,
                    const std::vector<std::vector<Value>> &rows)
    {
        for (const FieldKey &f : fields) {
            const int c = int(columns.indexOf(f.alias + u'.' + f.field));
            m_columnOf.push_back(c);
        }
        m_rows = rows;
    }
    qint64 size() const override { return qint64(m_rows.size()); }
    Value value(qint64 record, int field) const override
    {
        const int c = m_columnOf[size_t(field)];
        return c < 0 ? Value() : m_rows[size_t(record)][size_t(c)];
    }

private:
    std::vector<int> m_columnOf;
    std::vector<std::vector<Value>> m_rows;
};

/// Tables of rows keyed by subreport name ("" for the main report).
struct MemoryData {
    std::map<QString, std::pair<QStringList, std::vector<std::vector<Value>>>> tables;

    RecordProvider provider() const
    {
        return [this](const ReportDefinition &, const QString &subreport, const std::vector<FieldKey> &fields,
                      const CancelToken &, const ProgressCallback &) -> std::shared_ptr<const RecordSet> {
            const auto &[columns, rows] = tables.at(subreport);
            return std::make_shared<MemoryRecordSet>(fields, columns, rows);
        };
    }
};

inline FieldRef dbField(const QString &alias, const QString &field)
{
    FieldRef r;
    r.kind = FieldRef::Kind::Database;
    r.table = alias;
    r.name = field;
    return r;
}

inline FieldRef formulaField(const QString &name)
{
    FieldRef r;
    r.kind = FieldRef::Kind::Formula;
    r.name = name;
    return r;
}

inline FieldRef summaryOf(SummaryOperation op, FieldRef operand, int level)
{
    FieldRef r;
    r.kind = FieldRef::Kind::Summary;
    r.operation = op;
    r.operand = std::make_shared<FieldRef>(std::move(operand));
    r.groupLevel = level;
    return r;
}

inline FieldRef special(SpecialField s)
{
    FieldRef r;
    r.kind = FieldRef::Kind::Special;
    r.special = s;
    return r;
}

inline ReportObject fieldObject(const QString &name, FieldRef ref, QRect rect)
{
    ReportObject o;
    o.name = name;
    o.kind = ReportObject::Kind::Field;
    o.field = std::move(ref);
    o.rect = rect;
    return o;
}

inline ReportObject textObject(const QString &name, const QString &text, QRect rect)
{
    ReportObject o;
    o.name = name;
    o.kind = ReportObject::Kind::Text;
    o.text = text;
    o.rect = rect;
    return o;
}

inline SectionDefinition section(const QString &name, SectionKind kind, Twips height,
                                 std::vector<ReportObject> objects = {}, int level = -1)
{
    SectionDefinition s;
    s.name = name;
    s.kind = kind;
    s.height = height;
    s.groupLevel = level;
    s.objects = std::move(objects);
    return s;
}

/// Every text on a page, top to bottom.
inline QStringList texts(const Page &page)
{
    QStringList result;
    for (const PageItem &item : page.items)
        if (const auto *t = std::get_if<TextItem>(&item))
            result.append(t->text);
    return result;
}

inline std::shared_ptr<ReportPageSource> layOut(std::shared_ptr<ReportDefinition> definition, const MemoryData &data,
                                                ParameterValues parameters = {})
{
    auto plan = std::make_unique<ReportPlan>(definition, parameters);
    return std::make_shared<ReportPageSource>(std::move(plan), data.provider(), parameters,
                                              QDateTime(QDate(2026, 12, 8), QTime(10, 30)));
}

} // namespace velmora::testing
