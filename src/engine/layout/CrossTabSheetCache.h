#pragma once

#include "engine/page/Page.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

namespace velmora {

class CrossTabSheet;

/// The sheets one cross-tab object has laid out, one per set of records it
/// was counted over, so that each page cut from it reads the same counted
/// sheet instead of counting the records again. Any thread may ask.
class CrossTabSheetCache {
public:
    /// `records` names the record set, `first` and `last` the positions
    /// counted; `make` builds the sheet when it is not there yet.
    std::shared_ptr<const CrossTabSheet> sheetFor(const void *records, qint64 first, qint64 last, Twips width,
                                                  const std::function<std::shared_ptr<const CrossTabSheet>()> &make);

private:
    using Key = std::tuple<const void *, qint64, qint64, Twips>;
    std::mutex m_mutex;
    std::map<Key, std::shared_ptr<const CrossTabSheet>> m_sheets;
};

} // namespace velmora
