#pragma once

#include "engine/data/AccessFormat.h"

#include <QByteArray>
#include <QtGlobal>

#include <optional>

namespace velmora {

/// A data page of an Access file: its owner and the row offset table that
/// locates each row, rows being stored from the end of the page backwards.
/// Every bound is checked against the page, so a damaged page gives no row
/// rather than bytes from elsewhere.
class DataPage {
public:
    struct Row {
        int start = 0;
        int end = 0;        ///< one past the last byte
        /// Also set on a moved row's new place, so that a scan skips it.
        bool deleted = false;
        bool overflow = false; ///< holds a pointer to the row's real place
    };

    DataPage(const QByteArray &page, AccessFormat format);

    bool isData() const;
    /// The definition page of the table the page belongs to.
    quint32 owner() const;
    int rowCount() const;
    /// Whether row `index` (< rowCount()) is deleted; a scan skips these
    /// without looking at their bytes.
    bool isDeleted(int index) const;
    /// Row `index`; nullopt when its offsets do not fit the page.
    std::optional<Row> row(int index) const;
    const unsigned char *bytes() const { return m_bytes; }

private:
    int offsetEntry(int index) const;

    const unsigned char *m_bytes;
    int m_size;
    int m_rowCountOffset;
};

} // namespace velmora
