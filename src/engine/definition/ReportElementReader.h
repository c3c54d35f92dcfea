#pragma once

#include "engine/definition/AttributeReader.h"
#include "engine/definition/ReaderContext.h"
#include "engine/definition/ReferenceReader.h"
#include "engine/definition/ReportDefinition.h"

namespace velmora {

/// Reads one <report> element, the main report's or a subreport's, into a
/// definition. Its children come in a fixed order (page, tables, links,
/// parameters, formulas, recordSelection, sorts, groups, runningTotals,
/// sections), so that everything a reference can name is declared before
/// the reference and is checked on the spot.
class ReportElementReader {
public:
    /// The current element of `context.walker` is the <report> element.
    explicit ReportElementReader(ReaderContext &context);

    ReportDefinition read();

private:
    void readAttributes();
    void readChild(int childIndex);
    void readList(QStringView itemName, void (ReportElementReader::*readItem)());
    void readPage();
    void readTable();
    void readLink();
    void readLinkFields(TableLink &link);
    void readParameter();
    void readFormula();
    /// The field and direction a <sort> or a <group> orders by.
    SortDefinition readSortKey(AttributeReader &attributes);
    void readSort();
    void readGroup();
    GroupRanking readRank(int level);
    void readRunningTotal();
    QString tableAlias(AttributeReader &attributes, QStringView attribute);

    ReaderContext &m_context;
    XmlWalker &m_walker;
    ReportDefinition m_report;
    ReferenceReader m_references{m_report};
};

} // namespace velmora
