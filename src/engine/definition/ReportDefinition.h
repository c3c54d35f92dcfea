#pragma once

// The in-memory model of a report file (docs/report-format.md): what to read
// and how to lay it out. Plain values; the reader builds it, the writer saves
// it back, the layout engine reads it.

#include "engine/core/ParameterValue.h"
#include "engine/core/Value.h"
#include "engine/definition/ChartDefinition.h"
#include "engine/definition/FormattedProperty.h"
#include "engine/page/Page.h"

#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace velmora {

/// Where something starts in the report file, so that a later error (a
/// table or field missing from the database) can name the line and column.
/// Only a note on the value: two positions always compare equal, so a
/// definition read back from a rewritten file equals the one written.
struct SourcePosition {
    int line = 0;   ///< 1-based line in the report file; 0 when not from a file
    int column = 0; ///< 1-based column, counted in characters
    bool isKnown() const { return line > 0; }
    bool operator==(const SourcePosition &) const { return true; }
};

/// A formula as written in the report file, with where it starts there, so
/// that a syntax or evaluation error can name the line and column. The text
/// has no leading or trailing white space; line and column are those of its
/// first character. Equal formulas have equal texts, wherever they stand.
struct FormulaText {
    QString text;
    int line = 0;   ///< 1-based line in the report file; 0 when not from a file
    int column = 0; ///< 1-based column
    bool isEmpty() const { return text.trimmed().isEmpty(); }
    bool operator==(const FormulaText &other) const { return text == other.text; }
};

struct TableDefinition {
    QString name;  ///< the table's name in the database
    QString alias; ///< the name formulas use ({Alias.Field}); equals name when not given
    SourcePosition position;
    bool operator==(const TableDefinition &) const = default;
};

enum class JoinType : quint8 { Inner, LeftOuter };

/// Rows of `toAlias` are joined to rows of `fromAlias` where every field pair
/// is equal. A left outer join keeps `fromAlias` rows without a match.
struct TableLink {
    QString fromAlias;
    QStringList fromFields;
    QString toAlias;
    QStringList toFields;
    JoinType join = JoinType::Inner;
    SourcePosition position;
    bool operator==(const TableLink &) const = default;
};

enum class SortDirection : quint8 { Ascending, Descending };

/// The statistical ones (Median onwards) are described in docs/layout.md,
/// "Totals"; NthLargest, NthSmallest, NthMostFrequent and Percentile take an
/// argument (N, or P from 0 to 100) and WeightedAverage a weight field.
enum class SummaryOperation : quint8 {
    Sum, Count, DistinctCount, Average, Minimum, Maximum,
    Median, Mode, NthLargest, NthSmallest, NthMostFrequent, Percentile,
    StdDev, PopulationStdDev, Variance, PopulationVariance, WeightedAverage,
};

/// Whether an operation needs an argument, or a weight field.
bool summaryTakesArgument(SummaryOperation operation);
bool summaryTakesWeight(SummaryOperation operation);
/// Whether a running total can give the operation record by record without
/// sorting every value again at each record.
bool summaryRuns(SummaryOperation operation);

enum class SpecialField : quint8 {
    PageNumber,
    TotalPageCount,
    PageNofM,       ///< "Pàgina N de M"
    PrintDate,
    PrintTime,
    RecordNumber,
    GroupNumber,
    ReportTitle,
};

/// What a field shows. `Database`: {alias.field}; `Formula`: {@name};
/// `Parameter`: {?name}; `RunningTotal`: {#name}; `Special`: a special
/// field; `Summary`: an operation over `operand` (a database or formula
/// field) for each group of `groupLevel` (0-based), or for the whole report
/// when `groupLevel` is -1.
struct FieldRef {
    enum class Kind : quint8 { Database, Formula, Parameter, RunningTotal, Special, Summary };
    Kind kind = Kind::Database;
    QString table; ///< alias, for Database
    QString name;  ///< field, formula, parameter or running total name
    SpecialField special = SpecialField::PageNumber;
    SummaryOperation operation = SummaryOperation::Sum;
    std::shared_ptr<FieldRef> operand; ///< for Summary
    int groupLevel = -1;               ///< for Summary
    double argument = 0;               ///< for Summary: N or P when the operation takes one
    std::shared_ptr<FieldRef> weight;  ///< for Summary: WeightedAverage's weight field
    /// For Summary: shown as a percentage of the same summary over this
    /// outer group level, or over the whole report (-1); NotPercent: as is.
    int percentOfLevel = NotPercent;
    static constexpr int NotPercent = -2;

    /// The reference as formulas write it: "{Clients.Nom}", "{@Total}",
    /// "{?Any}", "{#Acumulat}", "PageNumber", "Sum ({LiniesComanda.Quantitat}, 0)".
    QString toText() const;
    bool operator==(const FieldRef &other) const;
};

struct FormulaDefinition {
    QString name;
    FormulaText formula;
    bool operator==(const FormulaDefinition &) const = default;
};

/// One value a parameter's pick list offers, with what the prompt shows
/// beside it (empty: the value alone).
struct PickValue {
    Value value;
    QString description;
    bool operator==(const PickValue &) const = default;
};

/// A parameter: asked when the report runs (docs/report-format.md,
/// "<parameters>"). Without a default and not optional it is mandatory: the
/// run cannot go on without an answer.
struct ParameterDefinition {
    QString name;
    ValueType type = ValueType::String;
    QString prompt;
    ParameterValue defaultValue;
    bool multipleValues = false; ///< may hold several values, for `in`
    bool rangeValues = false;    ///< may hold ranges, for `in`
    bool optional = false;       ///< may be left empty, which formulas read as Null
    std::vector<PickValue> pickList;
    /// A database field whose distinct values make the pick list, read when the prompt opens.
    std::optional<FieldRef> listField;
    bool closedList = false; ///< only the pick list's values are taken
    bool operator==(const ParameterDefinition &) const = default;

    bool takesSeveral() const { return multipleValues || rangeValues; }
    bool hasPickList() const { return !pickList.empty() || listField.has_value(); }
    bool isMandatory() const { return !optional && defaultValue.isEmpty(); }
    /// The prompt, or the name when the prompt is empty.
    QString question() const { return prompt.isEmpty() ? name : prompt; }
};

struct SortDefinition {
    FieldRef field; ///< Database or Formula
    SortDirection direction = SortDirection::Ascending;
    SourcePosition position;
    bool operator==(const SortDefinition &) const = default;
};

/// Groups of one level ordered by one of their summaries instead of by their
/// value, optionally keeping only the first N of each outer group and
/// gathering the rest into one group of their own (docs/layout.md).
struct GroupRanking {
    FieldRef by; ///< a Summary over the group's own level
    SortDirection direction = SortDirection::Descending;
    std::optional<int> keep;  ///< groups kept in each outer group; none: all
    QString keepParameter;    ///< when not empty, N comes from this parameter
    bool keepTies = false;    ///< also keep the groups tied with the N-th
    bool gatherRest = false;  ///< the groups not kept form one group, printed last
    QString restName = QStringLiteral("Altres");
    bool operator==(const GroupRanking &) const = default;
};

struct GroupDefinition {
    FieldRef field; ///< Database or Formula: a new group starts when it changes
    SortDirection direction = SortDirection::Ascending;
    FormulaText selection;     ///< groups for which it is false are left out
    bool keepTogether = false; ///< try to keep a group on one page
    bool repeatHeader = false; ///< repeat the group header on each new page
    SourcePosition position;
    std::optional<GroupRanking> ranking; ///< none: ordered by the group's value
    bool operator==(const GroupDefinition &) const = default;
};

struct RunningTotalDefinition {
    QString name;
    SummaryOperation operation = SummaryOperation::Sum;
    FieldRef field;            ///< Database or Formula
    FormulaText condition;     ///< empty: every record counts
    int resetGroupLevel = -1;  ///< reset when this group (0-based) changes; -1 never
    SourcePosition position;
    double argument = 0;       ///< N, for the operations that take one
    std::optional<FieldRef> weight; ///< WeightedAverage's weight field
    bool operator==(const RunningTotalDefinition &) const = default;
};

struct BorderSpec {
    bool left = false, top = false, right = false, bottom = false;
    Twips width = 20;
    QRgb color = qRgb(0, 0, 0);
    bool any() const { return left || top || right || bottom; }
    bool operator==(const BorderSpec &) const = default;
};

/// Appearance and behaviour shared by every report object.
struct ObjectFormat {
    FontSpec font;
    QRgb color = qRgb(0, 0, 0);
    std::optional<QRgb> background;
    HorizontalAlignment alignment = HorizontalAlignment::Left;
    BorderSpec border;
    bool canGrow = false;       ///< the object grows down with its text
    int maxLines = 0;           ///< when growing: 0 = no limit
    bool suppress = false;
    FormulaText suppressFormula;
    bool suppressIfDuplicated = false;
    /// How values are written: "#,##0.00", "0", "dd/MM/yyyy", "HH:mm";
    /// empty: the type's default (docs/report-format.md, "Value formats").
    QString valueFormat;
    bool operator==(const ObjectFormat &) const = default;
};

struct ReportDefinition;
struct CrossTabDefinition;

struct SubreportLink {
    FieldRef mainField;      ///< a field of the containing report
    FieldRef subreportField; ///< a database field of the subreport
    SourcePosition position;
    bool operator==(const SubreportLink &) const = default;
};

struct ReportObject {
    enum class Kind : quint8 { Field = 1, Text = 2, Line = 3, Box = 4, Subreport = 5, Picture = 6, CrossTab = 7,
                               Chart = 8 };

    QString name;
    Kind kind = Kind::Text;
    QRect rect; ///< twips, from the section's top-left corner; a line runs
                ///< from rect's top-left to its bottom-right
    ObjectFormat format;

    FieldRef field;  ///< Field
    QString text;    ///< Text: literal text with embedded references in braces

    Twips lineWidth = 20;                 ///< Line and Box
    LineStyle lineStyle = LineStyle::Solid;
    bool boxFilled = false;               ///< Box: filled with format.background

    QString imagePath;    ///< Picture: file name relative to the report file
    QByteArray imageData; ///< Picture: the image's bytes (PNG, JPEG), loaded or inline

    std::shared_ptr<ReportDefinition> subreport; ///< Subreport
    std::vector<SubreportLink> links;            ///< Subreport

    std::shared_ptr<ChartDefinition> chart; ///< Chart
    std::shared_ptr<CrossTabDefinition> crossTab; ///< CrossTab

    SourcePosition position; ///< where the object's element starts

    /// Formatting formulas, at most one per property, in file order.
    std::vector<PropertyFormula> propertyFormulas;
    /// Text, Field, Picture: the fixed address the object links to; empty: none.
    QString link;

    bool operator==(const ReportObject &other) const;
};

enum class SectionKind : quint8 {
    ReportHeader,
    PageHeader,
    GroupHeader,
    Details,
    GroupFooter,
    ReportFooter,
    PageFooter,
};

struct SectionOptions {
    bool suppress = false;
    FormulaText suppressFormula;
    bool newPageBefore = false;
    bool newPageAfter = false;
    bool keepTogether = false;
    bool suppressBlank = false; ///< leave out when every field in it is empty
    bool operator==(const SectionOptions &) const = default;
};

/// One part of a report area. An area (say the details) may have several
/// parts, laid out one below the other in file order.
struct SectionDefinition {
    QString name;
    SectionKind kind = SectionKind::Details;
    int groupLevel = -1; ///< GroupHeader/GroupFooter: the group (0-based)
    Twips height = 0;
    SectionOptions options;
    std::optional<QRgb> background;
    std::vector<ReportObject> objects;
    SourcePosition position;
    std::vector<PropertyFormula> propertyFormulas; ///< background only
    bool operator==(const SectionDefinition &) const = default;
};

struct PageSetup {
    QSize paper{11906, 16838}; ///< portrait width and height, twips (A4)
    bool landscape = false;
    QMargins margins{1134, 1134, 1134, 1134}; ///< left, top, right, bottom
    QSize pageSize() const { return landscape ? paper.transposed() : paper; }
    bool operator==(const PageSetup &) const = default;
};

struct ReportDefinition {
    QString title;
    QString author;
    PageSetup page;
    std::vector<TableDefinition> tables;
    std::vector<TableLink> links;
    FormulaText recordSelection;
    std::vector<SortDefinition> sorts;
    std::vector<GroupDefinition> groups; ///< outermost first
    std::vector<FormulaDefinition> formulas;
    std::vector<ParameterDefinition> parameters;
    std::vector<RunningTotalDefinition> runningTotals;
    std::vector<SectionDefinition> sections; ///< in report order

    const TableDefinition *tableByAlias(const QString &alias) const;
    const FormulaDefinition *formula(const QString &name) const;
    const ParameterDefinition *parameter(const QString &name) const;
    const RunningTotalDefinition *runningTotal(const QString &name) const;
    bool operator==(const ReportDefinition &) const = default;
};

} // namespace velmora
