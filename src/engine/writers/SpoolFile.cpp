#include "engine/writers/SpoolFile.h"

#include "engine/core/Failure.h"
#include "engine/writers/AtomicFileWriter.h"
#include "engine/writers/ExportErrors.h"

#include <QDir>

namespace velmora {

SpoolFile::SpoolFile() : m_file(QDir::tempPath() + u"/velmora-spool-XXXXXX")
{
    if (!m_file.open())
        fail();
}

void SpoolFile::fail() const
{
    throw Failure(ExportErrors::SpoolFailed,
                  QStringLiteral("No s'ha pogut fer servir el fitxer temporal «%1»: %2.")
                      .arg(QDir::toNativeSeparators(m_file.fileName()), m_file.errorString()));
}

void SpoolFile::write(QByteArrayView bytes)
{
    if (m_file.write(bytes.data(), bytes.size()) != bytes.size())
        fail();
    m_written += bytes.size();
}

void SpoolFile::copyTo(AtomicFileWriter &file)
{
    forEachChunk(0, m_written, [&](QByteArrayView chunk) { file.write(chunk); });
}

void SpoolFile::forEachChunk(qint64 from, qint64 length, const std::function<void(QByteArrayView)> &use)
{
    if (!m_file.flush() || !m_file.seek(from))
        fail();
    constexpr qint64 chunk = 1 << 20;
    QByteArray buffer;
    while (length > 0) {
        buffer = m_file.read(std::min(chunk, length));
        if (buffer.isEmpty())
            fail();
        use(buffer);
        length -= buffer.size();
    }
    if (!m_file.seek(m_written))
        fail();
}

QIODevice &SpoolFile::rewound()
{
    if (!m_file.flush() || !m_file.seek(0))
        fail();
    return m_file;
}

} // namespace velmora
