#pragma once

#include "engine/pdf/FlateCompressor.h"

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <vector>

namespace velmora::pdf {

/// The file structure of a PDF: header, numbered objects written one after
/// the other, the cross-reference table and the trailer. Objects can be
/// numbered before they are written (a page names its parent, written last),
/// so the whole document streams out without being held in memory. Bytes
/// are gathered in a buffer and handed to the sink a megabyte at a time.
class PdfObjectWriter {
public:
    using Sink = std::function<void(QByteArrayView)>;

    PdfObjectWriter(Sink sink, QByteArrayView version);

    /// A new object number, to be written later.
    int reserve();
    /// Writes "n 0 obj ... endobj" around `body`.
    void writeObject(int number, QByteArrayView body);
    /// Writes a stream object; `entries` are extra dictionary entries
    /// ("/Subtype /Image ..."). The data is deflated unless `compress` is false.
    void writeStream(int number, QByteArrayView entries, QByteArrayView data, bool compress = true);
    /// Writes the cross-reference table and trailer, and flushes.
    void finish(int catalog, int info, QByteArrayView fileId);

private:
    void put(QByteArrayView bytes);
    void beginObject(int number);
    void flush();

    Sink m_sink;
    QByteArray m_buffer;
    qint64 m_offset = 0;
    std::vector<qint64> m_offsets{0}; ///< by object number; -1 until written
    FlateCompressor m_flate;
};

} // namespace velmora::pdf
