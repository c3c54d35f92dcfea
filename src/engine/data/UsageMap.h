#pragma once

#include <QByteArray>

#include <vector>

namespace velmora {

class PageReader;

/// The pages a table owns, from its page usage map. An inline map (type 0)
/// is a start page and a bitmap; a reference map (type 1) lists bitmap
/// pages, each covering the next run of (page size - 4) * 8 pages. A map of
/// another type gives every page of the file, for the caller to filter.
class UsageMap {
public:
    static std::vector<quint32> pages(const QByteArray &map, PageReader &reader);
};

} // namespace velmora
