#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace velmora {

/// The address a report object links to, when it is one that is followed:
/// only http and https with a host, and mailto with an address. Anything
/// else (file:, javascript:, a bare word) is printed but never linked.
std::optional<QUrl> followableLink(const QString &address);

} // namespace velmora
