#include "engine/definition/DefinitionNames.h"

namespace velmora {

std::span<const EnumName<SpecialField>> specialFieldNames()
{
    static constexpr EnumName<SpecialField> names[] = {
        {SpecialField::PageNumber, u"PageNumber"},
        {SpecialField::TotalPageCount, u"TotalPageCount"},
        {SpecialField::PageNofM, u"PageNofM"},
        {SpecialField::PrintDate, u"PrintDate"},
        {SpecialField::PrintTime, u"PrintTime"},
        {SpecialField::RecordNumber, u"RecordNumber"},
        {SpecialField::GroupNumber, u"GroupNumber"},
        {SpecialField::ReportTitle, u"ReportTitle"},
    };
    return names;
}

std::span<const EnumName<SummaryOperation>> summaryOperationNames()
{
    static constexpr EnumName<SummaryOperation> names[] = {
        {SummaryOperation::Sum, u"Sum"},
        {SummaryOperation::Count, u"Count"},
        {SummaryOperation::DistinctCount, u"DistinctCount"},
        {SummaryOperation::Average, u"Average"},
        {SummaryOperation::Minimum, u"Minimum"},
        {SummaryOperation::Maximum, u"Maximum"},
        {SummaryOperation::Median, u"Median"},
        {SummaryOperation::Mode, u"Mode"},
        {SummaryOperation::NthLargest, u"NthLargest"},
        {SummaryOperation::NthSmallest, u"NthSmallest"},
        {SummaryOperation::NthMostFrequent, u"NthMostFrequent"},
        {SummaryOperation::Percentile, u"Percentile"},
        {SummaryOperation::StdDev, u"StdDev"},
        {SummaryOperation::PopulationStdDev, u"PopulationStdDev"},
        {SummaryOperation::Variance, u"Variance"},
        {SummaryOperation::PopulationVariance, u"PopulationVariance"},
        {SummaryOperation::WeightedAverage, u"WeightedAverage"},
    };
    return names;
}

std::span<const EnumName<JoinType>> joinTypeNames()
{
    static constexpr EnumName<JoinType> names[] = {
        {JoinType::Inner, u"inner"},
        {JoinType::LeftOuter, u"leftOuter"},
    };
    return names;
}

std::span<const EnumName<bool>> restChoiceNames()
{
    static constexpr EnumName<bool> names[] = {
        {false, u"leaveOut"},
        {true, u"gather"},
    };
    return names;
}

std::span<const EnumName<SortDirection>> sortDirectionNames()
{
    static constexpr EnumName<SortDirection> names[] = {
        {SortDirection::Ascending, u"ascending"},
        {SortDirection::Descending, u"descending"},
    };
    return names;
}

std::span<const EnumName<HorizontalAlignment>> alignmentNames()
{
    static constexpr EnumName<HorizontalAlignment> names[] = {
        {HorizontalAlignment::Left, u"left"},
        {HorizontalAlignment::Center, u"center"},
        {HorizontalAlignment::Right, u"right"},
        {HorizontalAlignment::Justify, u"justify"},
    };
    return names;
}

std::span<const EnumName<LineStyle>> lineStyleNames()
{
    static constexpr EnumName<LineStyle> names[] = {
        {LineStyle::Solid, u"solid"},
        {LineStyle::Dash, u"dash"},
        {LineStyle::Dot, u"dot"},
    };
    return names;
}

std::span<const EnumName<ValueType>> parameterTypeNames()
{
    static constexpr EnumName<ValueType> names[] = {
        {ValueType::String, u"String"},
        {ValueType::Integer, u"Integer"},
        {ValueType::Number, u"Number"},
        {ValueType::Currency, u"Currency"},
        {ValueType::Boolean, u"Boolean"},
        {ValueType::Date, u"Date"},
        {ValueType::Time, u"Time"},
        {ValueType::DateTime, u"DateTime"},
    };
    return names;
}

std::span<const EnumName<SectionKind>> sectionElementNames()
{
    static constexpr EnumName<SectionKind> names[] = {
        {SectionKind::ReportHeader, u"reportHeader"},
        {SectionKind::PageHeader, u"pageHeader"},
        {SectionKind::GroupHeader, u"groupHeader"},
        {SectionKind::Details, u"details"},
        {SectionKind::GroupFooter, u"groupFooter"},
        {SectionKind::ReportFooter, u"reportFooter"},
        {SectionKind::PageFooter, u"pageFooter"},
    };
    return names;
}

} // namespace velmora

namespace velmora {

namespace {

struct PaperSize {
    const char16_t *name;
    QSize size;
};

std::span<const PaperSize> paperSizes()
{
    static const PaperSize sizes[] = {
        {u"A4", QSize(11906, 16838)},
        {u"A3", QSize(16838, 23811)},
        {u"A5", QSize(8391, 11906)},
        {u"Letter", QSize(12240, 15840)},
        {u"Legal", QSize(12240, 20160)},
    };
    return sizes;
}

} // namespace

std::optional<QSize> paperSizeNamed(QStringView name)
{
    for (const auto &paper : paperSizes()) {
        if (name == QStringView(paper.name))
            return paper.size;
    }
    return std::nullopt;
}

QString paperSizeName(QSize size)
{
    for (const auto &paper : paperSizes()) {
        if (paper.size == size)
            return QString::fromUtf16(paper.name);
    }
    return QString();
}

QString paperSizeNameList()
{
    QStringList names;
    for (const auto &paper : paperSizes())
        names << QString::fromUtf16(paper.name);
    return names.join(QLatin1String(", "));
}

} // namespace velmora
