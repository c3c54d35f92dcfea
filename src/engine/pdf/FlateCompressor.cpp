#include "engine/pdf/FlateCompressor.h"

#include "engine/core/Failure.h"
#include "engine/writers/ExportErrors.h"

namespace velmora::pdf {

namespace {

[[noreturn]] void failCompression(int status)
{
    throw Failure(ExportErrors::PdfRenderingFailed,
                  QStringLiteral("No s'ha pogut comprimir el contingut del PDF (zlib %1).").arg(status));
}

} // namespace

FlateCompressor::FlateCompressor()
{
    const int status = deflateInit(&m_stream, 1);
    if (status != Z_OK)
        failCompression(status);
}

FlateCompressor::~FlateCompressor()
{
    deflateEnd(&m_stream);
}

const QByteArray &FlateCompressor::compress(QByteArrayView data)
{
    deflateReset(&m_stream);
    const uLong bound = deflateBound(&m_stream, uLong(data.size()));
    m_output.resize(qsizetype(bound));
    m_stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
    m_stream.avail_in = uInt(data.size());
    m_stream.next_out = reinterpret_cast<Bytef *>(m_output.data());
    m_stream.avail_out = uInt(m_output.size());
    const int status = deflate(&m_stream, Z_FINISH);
    if (status != Z_STREAM_END)
        failCompression(status);
    m_output.resize(qsizetype(m_stream.total_out));
    return m_output;
}

} // namespace velmora::pdf
