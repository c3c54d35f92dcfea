#include "engine/layout/ColumnRanks.h"

#include "engine/data/CatalanCollation.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

constexpr quint32 nullRank = 0;

/// Ranks rows by a plain value per row (`valueAt`), ordered by `<` and
/// equal under `==`: each rank is 1 + the value's place among the
/// distinct values.
template<typename T, typename ValueAt>
std::vector<quint32> ranksByValue(const TypedColumn &column, ValueAt valueAt)
{
    const int rows = column.rowCount();
    std::vector<T> distinct;
    distinct.reserve(size_t(rows));
    for (int row = 0; row < rows; ++row)
        if (!column.isNull(row))
            distinct.push_back(valueAt(row));
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    distinct.shrink_to_fit();
    std::vector<quint32> ranks(size_t(rows), nullRank);
    for (int row = 0; row < rows; ++row)
        if (!column.isNull(row))
            ranks[size_t(row)] =
                quint32(std::lower_bound(distinct.begin(), distinct.end(), valueAt(row)) - distinct.begin()) + 1;
    return ranks;
}

bool holdsNaN(const TypedColumn &column)
{
    for (int row = 0; row < column.rowCount(); ++row)
        if (const auto v = column.numberAt(row); v && std::isnan(*v))
            return true;
    return false;
}

/// Texts rank by the collation, through the column's dictionary: each
/// distinct text is placed once, however many rows hold it.
std::vector<quint32> textRanks(const TypedColumn &column)
{
    const TextDictionary &texts = column.texts();
    std::vector<quint32> byText(size_t(texts.textCount()));
    for (quint32 id = 0; id < byText.size(); ++id)
        byText[id] = id;
    const auto compare = [&](quint32 a, quint32 b) {
        return CatalanCollation::compareText(texts.text(a), texts.text(b));
    };
    std::sort(byText.begin(), byText.end(), [&](quint32 a, quint32 b) { return compare(a, b) < 0; });
    std::vector<quint32> rankOfId(byText.size());
    quint32 rank = nullRank;
    for (size_t i = 0; i < byText.size(); ++i) {
        // The collation is total: texts tie only when they are the same.
        if (i == 0 || compare(byText[i - 1], byText[i]) != 0)
            ++rank;
        rankOfId[byText[i]] = rank;
    }
    std::vector<quint32> ranks(size_t(column.rowCount()), nullRank);
    for (int row = 0; row < column.rowCount(); ++row)
        if (!column.isNull(row))
            ranks[size_t(row)] = rankOfId[texts.idAt(row)];
    return ranks;
}

} // namespace

std::vector<quint32> columnRanks(const TypedColumn &column)
{
    switch (column.type()) {
    case ValueType::Null: return std::vector<quint32>(size_t(column.rowCount()), nullRank);
    case ValueType::Boolean:
    case ValueType::Integer:
    case ValueType::Currency:
    case ValueType::Date:
    case ValueType::Time:
    case ValueType::DateTime:
        return ranksByValue<qint64>(column, [&](int row) { return *column.int64At(row); });
    case ValueType::Number:
        if (holdsNaN(column))
            return {};
        return ranksByValue<double>(column, [&](int row) { return *column.numberAt(row); });
    case ValueType::String: return textRanks(column);
    case ValueType::Binary: return {};
    }
    return {};
}

} // namespace velmora
