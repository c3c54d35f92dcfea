#pragma once

#include <QByteArray>
#include <QString>

namespace velmora {

/// The HLINK record that makes one cell of a sheet a link to a URL (a URL
/// moniker, absolute); empty when the address is too long for one record.
QByteArray biff8HyperlinkRecord(quint32 row, quint16 column, const QString &address);

} // namespace velmora
