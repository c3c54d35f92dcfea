#include "engine/layout/PreparedRecords.h"

#include <algorithm>

namespace velmora {

int GroupLevel::groupAt(qint64 position) const
{
    const auto it = std::upper_bound(starts.begin(), starts.end(), quint32(position));
    return int(it - starts.begin()) - 1;
}

} // namespace velmora
