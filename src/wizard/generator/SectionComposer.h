#pragma once

#include "engine/definition/ReportDefinition.h"
#include "engine/layout/TextMeasurer.h"
#include "wizard/generator/ColumnPlan.h"
#include "wizard/generator/DatabaseCatalog.h"
#include "wizard/generator/ObjectNames.h"
#include "wizard/generator/ReportStyle.h"
#include "wizard/generator/WizardChoices.h"

#include <vector>

namespace velmora::wizard {

/// The sections of a generated report: the title and the column headings
/// at the top of each page, a header for each group, one line per record,
/// the totals of each group and of the report, and the page footer. Every
/// object of a section has a place of its own: none overlaps another.
class SectionComposer {
public:
    SectionComposer(const WizardChoices &choices, const DatabaseCatalog &catalog, const ReportStyle &style);

    /// The width the columns would like, before they are fitted to a page.
    Twips naturalColumnWidth();
    std::vector<SectionDefinition> compose(const QString &title, Twips pageWidth);

private:
    struct TotalRow {
        SummaryOperation operation;
        QString label; ///< a text with the group's field in braces, or a plain one
    };

    SectionDefinition titleSection(const QString &title);
    SectionDefinition headingSection();
    SectionDefinition groupHeader(int level);
    SectionDefinition details();
    std::optional<SectionDefinition> totalsSection(int level);
    std::optional<SectionDefinition> pageFooter();

    std::vector<SummaryOperation> operationsUsed() const;
    void addTotalRow(SectionDefinition &section, const TotalRow &row, int level, Twips top, const FontSpec &font);
    ReportObject text(const QString &nameBase, const QRect &rect, const QString &text, const FontSpec &font);
    ReportObject line(const QString &nameBase, Twips top, Twips left, Twips width, Twips weight);
    int columnOf(const FieldName &field) const;
    QString headingFor(const FieldName &field) const;
    FieldPresentation presentation(const FieldName &field) const;
    Twips lineHeight(const FontSpec &font);

    const WizardChoices &m_choices;
    const DatabaseCatalog &m_catalog;
    const ReportStyle &m_style;
    TextMeasurer m_measurer;
    ObjectNames m_names;
    std::vector<ColumnRequest> m_requests;
    ColumnPlan m_plan;
    Twips m_pageWidth = 0;
};

} // namespace velmora::wizard
