#pragma once

#include <QByteArrayView>
#include <QTemporaryFile>

#include <functional>

namespace velmora {

class AtomicFileWriter;

/// A scratch file in the system's temporary folder for writers that must
/// put something at the head of their output only known at its end (the
/// RTF font table, the Excel string table): the body goes here and is then
/// copied after the head. Removed when destroyed. Failures throw
/// ExportErrors::SpoolFailed.
class SpoolFile {
public:
    SpoolFile();

    void write(QByteArrayView bytes);
    qint64 size() const { return m_written; }
    /// Hands bytes [from, from + length) of the spool out in chunks.
    void forEachChunk(qint64 from, qint64 length, const std::function<void(QByteArrayView)> &use);
    /// Copies the whole spool to the file.
    void copyTo(AtomicFileWriter &file);
    /// Reads the spool back from the start (for writers that replay it).
    QIODevice &rewound();

private:
    [[noreturn]] void fail() const;

    QTemporaryFile m_file;
    qint64 m_written = 0;
};

} // namespace velmora
