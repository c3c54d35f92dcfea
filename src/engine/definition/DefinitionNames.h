#pragma once

// The words a report file uses for the model's enumerations. The reader, the
// writer and FieldRef::toText share these tables, so a value is always
// written as it is read.

#include "engine/definition/ReportDefinition.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <span>

namespace velmora {

/// One enumerator and the word that stands for it in a report file.
template<typename Enum>
struct EnumName {
    Enum value;
    const char16_t *name;
};

std::span<const EnumName<SpecialField>> specialFieldNames();
std::span<const EnumName<SummaryOperation>> summaryOperationNames();
std::span<const EnumName<JoinType>> joinTypeNames();
std::span<const EnumName<SortDirection>> sortDirectionNames();
/// A ranked group's `rest`: the groups not kept are left out, or gathered.
std::span<const EnumName<bool>> restChoiceNames();
std::span<const EnumName<HorizontalAlignment>> alignmentNames();
std::span<const EnumName<LineStyle>> lineStyleNames();
std::span<const EnumName<ValueType>> parameterTypeNames();
/// Element names of the section kinds, in report order.
std::span<const EnumName<SectionKind>> sectionElementNames();

template<typename Enum>
QString nameOf(std::span<const EnumName<Enum>> names, Enum value)
{
    for (const auto &entry : names) {
        if (entry.value == value)
            return QString::fromUtf16(entry.name);
    }
    return QString();
}

template<typename Enum>
std::optional<Enum> valueOf(std::span<const EnumName<Enum>> names, QStringView text)
{
    for (const auto &entry : names) {
        if (text == QStringView(entry.name))
            return entry.value;
    }
    return std::nullopt;
}

/// The allowed words, for messages: "left, center, right, justify".
template<typename Enum>
QString nameList(std::span<const EnumName<Enum>> names)
{
    QStringList words;
    for (const auto &entry : names)
        words << QString::fromUtf16(entry.name);
    return words.join(QLatin1String(", "));
}

} // namespace velmora

namespace velmora {

/// The named paper sizes, portrait, in twips: A3, A4, A5, Letter, Legal.
std::optional<QSize> paperSizeNamed(QStringView name);
/// The name of a portrait paper size, or empty when it has none.
QString paperSizeName(QSize size);
QString paperSizeNameList();

/// The largest length a report file may give, in twips (about 3.5 m); it
/// keeps every sum of lengths far from integer overflow.
constexpr int maximumLength = 200000;

} // namespace velmora
