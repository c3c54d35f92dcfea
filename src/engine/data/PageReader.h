#pragma once

#include "engine/data/AccessFileHeader.h"
#include "engine/data/PageCipher.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <mutex>

#include "engine/core/Failure.h"

namespace velmora {

/// Reads whole pages of an Access file, refusing any page that lies outside
/// the file (a truncated file is reported, never read in part) and revealing
/// every page after the first through the file's PageCipher, if it has one.
/// Thread-safe: reads are serialised, so several threads may read the
/// pages of one table at once.
class PageReader {
public:
    /// Opens `path` for reading; throws Failure 3002 when it cannot.
    PageReader(const QString &path, const AccessFileHeader &header, const QString &fileName,
               std::unique_ptr<PageCipher> cipher);

    int pageSize() const { return m_pageSize; }
    quint32 pageCount() const { return m_pageCount; }
    bool contains(quint32 page) const { return page < m_pageCount; }

    /// Fills `buffer` with page `page`, revealed. Throws Failure 3004 when the
    /// page is not in the file or cannot be read.
    void read(quint32 page, QByteArray &buffer);

    /// Failure 3004 for this file, with `detail` saying what is wrong.
    Failure damaged(const QString &detail) const;

private:
    QFile m_file;
    QString m_fileName;
    int m_pageSize;
    quint32 m_pageCount;
    std::unique_ptr<PageCipher> m_cipher;
    std::mutex m_mutex;
};

} // namespace velmora
