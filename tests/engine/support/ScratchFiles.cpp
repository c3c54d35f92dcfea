#include "ScratchFiles.h"

#include "ReportRun.h"

#include <QFile>

namespace velmora::testing {

namespace {
QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

QString ScratchFiles::write(const QString &name, const QByteArray &bytes) const
{
    const QString target = path(name);
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return QString();
    return target;
}

QString ScratchFiles::truncatedCopy(const QString &source, const QString &name, qint64 size) const
{
    return write(name, readAll(source).left(size));
}

QString ScratchFiles::editedExample(const QString &example, const QString &from, const QString &to) const
{
    QString text = QString::fromUtf8(readAll(exampleReport(example)));
    if (!text.contains(from))
        return QString();
    return write(example, text.replace(from, to).toUtf8());
}

} // namespace velmora::testing
