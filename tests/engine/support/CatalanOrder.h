#pragma once

#include <QString>

namespace velmora::testing {

/// The first level of the order a Catalan reader expects, worked out apart
/// from the engine: letters with their accents, cedilla and tilde removed
/// (canonical decomposition), the middle dot of l·l dropped, lower case.
/// Two names whose keys differ must sort as their keys compare.
QString catalanPrimaryKey(const QString &text);

/// True when `a` may stand before `b` in a Catalan ascending order.
bool catalanMayPrecede(const QString &a, const QString &b);

} // namespace velmora::testing
