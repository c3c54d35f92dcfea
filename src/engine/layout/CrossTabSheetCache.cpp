#include "engine/layout/CrossTabSheetCache.h"

#include "engine/layout/CrossTabSheet.h"

namespace velmora {

std::shared_ptr<const CrossTabSheet> CrossTabSheetCache::sheetFor(
    const void *records, qint64 first, qint64 last, Twips width,
    const std::function<std::shared_ptr<const CrossTabSheet>()> &make)
{
    const std::lock_guard lock(m_mutex);
    std::shared_ptr<const CrossTabSheet> &sheet = m_sheets[Key{records, first, last, width}];
    if (!sheet)
        sheet = make();
    return sheet;
}

} // namespace velmora
