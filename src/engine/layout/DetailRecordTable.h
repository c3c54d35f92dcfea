#pragma once

#include "engine/layout/ReportPageSource.h"

namespace velmora {

/// The report's detail records as a table, for data-only exports: first
/// one column per group (its value), then one per field shown in the
/// details, left to right. A column is headed by the caption standing above
/// it in the page header, or else by the field's name.
class DetailRecordTable : public RecordTable {
public:
    explicit DetailRecordTable(std::shared_ptr<ReportPageSource> source);

    QStringList headings() const override;
    void forEachRecord(const std::function<bool(const std::vector<Value> &)> &row,
                       const CancelToken &cancel) const override;

private:
    struct Column {
        const ReportObject *object = nullptr; ///< null for a group column
        int section = -1;
        int objectIndex = -1;
        int groupLevel = -1;
        QString heading;
    };
    void findColumns();
    QString captionAbove(const ReportObject &field) const;

    std::shared_ptr<ReportPageSource> m_source;
    std::vector<Column> m_columns;
};

} // namespace velmora
