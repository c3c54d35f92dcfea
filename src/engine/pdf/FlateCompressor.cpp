#include "engine/pdf/FlateCompressor.h"

#include "engine/core/Failure.h"
#include "engine/writers/ExportErrors.h"

#include <libdeflate.h>

namespace velmora::pdf {

namespace {

[[noreturn]] void failCompression(const QString &why)
{
    throw Failure(ExportErrors::PdfRenderingFailed,
                  QStringLiteral("No s'ha pogut comprimir el contingut del PDF: %1.").arg(why));
}

} // namespace

FlateCompressor::FlateCompressor() : m_compressor(libdeflate_alloc_compressor(1))
{
    if (!m_compressor)
        failCompression(QStringLiteral("no hi ha memòria per al compressor"));
}

FlateCompressor::~FlateCompressor()
{
    libdeflate_free_compressor(m_compressor);
}

const QByteArray &FlateCompressor::compress(QByteArrayView data)
{
    const size_t bound = libdeflate_zlib_compress_bound(m_compressor, size_t(data.size()));
    m_output.resize(qsizetype(bound));
    const size_t written = libdeflate_zlib_compress(m_compressor, data.data(), size_t(data.size()),
                                                    m_output.data(), bound);
    // With room for the bound it cannot run out; none written means it did.
    if (written == 0 && !data.isEmpty())
        failCompression(QStringLiteral("el resultat no cap on s'esperava"));
    m_output.resize(qsizetype(written));
    return m_output;
}

} // namespace velmora::pdf
