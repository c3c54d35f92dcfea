#pragma once

// What a person chooses in the report wizard, step by step: plain values
// the generator turns into a report definition and the report file keeps
// in its <wizard> element, so that the wizard can open it again.

#include "engine/definition/ReportDefinition.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace velmora::wizard {

/// A field of one of the chosen tables.
struct FieldName {
    QString table;
    QString field;
    /// "{Table.Field}", as formulas write it.
    QString reference() const { return u'{' + table + u'.' + field + u'}'; }
    bool isEmpty() const { return table.isEmpty() || field.isEmpty(); }
    bool operator==(const FieldName &) const = default;
};

struct ColumnChoice {
    FieldName field;
    QString heading; ///< empty: the field's name
    bool operator==(const ColumnChoice &) const = default;
};

struct OrderChoice {
    FieldName field;
    SortDirection direction = SortDirection::Ascending;
    bool operator==(const OrderChoice &) const = default;
};

/// The operations the totals step offers, in the order it shows them.
constexpr SummaryOperation totalOperations[] = {
    SummaryOperation::Sum, SummaryOperation::Average, SummaryOperation::Count,
    SummaryOperation::Minimum, SummaryOperation::Maximum,
};

struct TotalChoice {
    FieldName field;
    std::vector<SummaryOperation> operations; ///< among totalOperations
    bool operator==(const TotalChoice &) const = default;
};

enum class Comparison : quint8 {
    Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual, StartsWith, Contains,
};

/// One condition of the record filter; every record kept meets them all.
struct ConditionChoice {
    FieldName field;
    Comparison comparison = Comparison::Equal;
    QString value;            ///< as the person typed it; with `ask`, the answer offered first
    bool askWhenRun = false;  ///< the value is asked when the report runs
    bool operator==(const ConditionChoice &) const = default;
};

enum class Orientation : quint8 { Automatic, Portrait, Landscape };

struct LookChoice {
    QString paper = QStringLiteral("A4");
    Orientation orientation = Orientation::Automatic; ///< automatic: landscape when the columns need it
    QString title;
    QString style = QStringLiteral("modern");
    bool pageNumbers = true; ///< "Pàgina N de M" in the page footer
    bool printDate = true;
    bool operator==(const LookChoice &) const = default;
};

struct WizardChoices {
    QString databasePath;
    QStringList tables;
    std::vector<TableLink> links;
    std::vector<ColumnChoice> columns;
    std::vector<OrderChoice> groups; ///< outermost first, at most maximumGroups
    std::vector<OrderChoice> sorts;
    std::vector<TotalChoice> totals;
    bool totalsPerGroup = true;
    bool totalsForReport = true;
    std::vector<ConditionChoice> conditions;
    LookChoice look;
    bool operator==(const WizardChoices &) const = default;

    static constexpr int maximumGroups = 3;
};

} // namespace velmora::wizard
