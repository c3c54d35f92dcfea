#pragma once

#include "engine/core/Failure.h"
#include "engine/definition/ReportDefinition.h"

#include <QString>

#include <vector>

namespace velmora {

/// The decoded text of a report file and where its lines start, so that a
/// character offset can be named as a line and column, and a failure found
/// there can say so in words a person can follow to the spot.
class SourceText {
public:
    /// `sourceName` is the file name messages use; empty for text not read
    /// from a file.
    SourceText(QString text, QString sourceName);

    const QString &text() const { return m_text; }
    SourcePosition positionAt(qint64 offset) const;

    Failure failureAt(SourcePosition position, qint32 number, const QString &message) const;
    Failure failureAt(qint64 offset, qint32 number, const QString &message) const
    {
        return failureAt(positionAt(offset), number, message);
    }

private:
    QString m_text;
    QString m_sourceName;
    std::vector<qint64> m_lineStarts;
};

} // namespace velmora
