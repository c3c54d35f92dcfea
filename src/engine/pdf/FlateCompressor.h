#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <zlib.h>

namespace velmora::pdf {

/// Deflates stream data (PDF's FlateDecode) with one zlib stream reused for
/// every call, so that compressing thousands of page contents allocates
/// nothing after the first. Level 1: page contents are repetitive text
/// operators, and the fastest level already shrinks them about sixfold.
class FlateCompressor {
public:
    FlateCompressor();
    ~FlateCompressor();
    FlateCompressor(const FlateCompressor &) = delete;
    FlateCompressor &operator=(const FlateCompressor &) = delete;

    /// The compressed bytes, valid until the next call.
    const QByteArray &compress(QByteArrayView data);

private:
    z_stream m_stream{};
    QByteArray m_output;
};

} // namespace velmora::pdf
