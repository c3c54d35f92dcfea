#include "AccessCsv.h"

#include <QProcess>
#include <QStandardPaths>

namespace velmora::testing {

namespace {
/// Reads CSV as mdb-export writes it: fields quoted with doubled quotes,
/// line breaks allowed inside quotes, records ended by a line feed.
class CsvScanner {
public:
    explicit CsvScanner(const QString &text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }

    std::vector<AccessCsv::Field> nextRecord()
    {
        std::vector<AccessCsv::Field> record;
        for (;;) {
            record.push_back(nextField());
            if (atEnd() || m_text[m_pos] == u'\n') {
                ++m_pos;
                return record;
            }
            ++m_pos; // the comma
        }
    }

private:
    AccessCsv::Field nextField()
    {
        if (!atEnd() && m_text[m_pos] == u'"')
            return quotedField();
        const qsizetype start = m_pos;
        while (!atEnd() && m_text[m_pos] != u',' && m_text[m_pos] != u'\n')
            ++m_pos;
        QString plain = m_text.mid(start, m_pos - start);
        if (plain.endsWith(u'\r'))
            plain.chop(1);
        if (plain.isEmpty())
            return std::nullopt;
        return plain;
    }

    QString quotedField()
    {
        QString value;
        ++m_pos;
        while (!atEnd()) {
            const QChar c = m_text[m_pos++];
            if (c != u'"') {
                value += c;
            } else if (!atEnd() && m_text[m_pos] == u'"') {
                value += c;
                ++m_pos;
            } else {
                break;
            }
        }
        return value;
    }

    const QString &m_text;
    qsizetype m_pos = 0;
};

std::optional<qint64> parseDigits(QString whole, QString fraction, int decimals)
{
    bool negative = whole.startsWith(u'-');
    if (negative)
        whole.remove(0, 1);
    while (fraction.size() > decimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    if (fraction.size() > decimals || whole.isEmpty())
        return std::nullopt;
    fraction = fraction.leftJustified(decimals, u'0');
    bool ok = false;
    const qint64 magnitude = QString(whole + fraction).toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return negative ? -magnitude : magnitude;
}
} // namespace

std::optional<AccessCsv> AccessCsv::exportTable(const QString &databasePath, const QString &table)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("mdb-export"));
    if (program.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(program, {QStringLiteral("-D"), QStringLiteral("%Y-%m-%d"), QStringLiteral("-T"),
                            QStringLiteral("%Y-%m-%d %H:%M:%S"), databasePath, table});
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        return std::nullopt;
    return parse(QString::fromUtf8(process.readAllStandardOutput()));
}

AccessCsv AccessCsv::parse(const QString &csv)
{
    AccessCsv table;
    CsvScanner scanner(csv);
    if (scanner.atEnd())
        return table;
    const auto headings = scanner.nextRecord();
    for (int i = 0; i < int(headings.size()); ++i)
        table.m_columnIndex.insert(headings[i].value_or(QString()), i);
    while (!scanner.atEnd())
        table.m_rows.push_back(scanner.nextRecord());
    return table;
}

const AccessCsv::Field &AccessCsv::field(int row, const QString &column) const
{
    static const Field missing;
    const auto found = m_columnIndex.constFind(column);
    const auto &record = m_rows.at(row);
    if (found == m_columnIndex.cend() || *found >= int(record.size()))
        return missing;
    return record[*found];
}

std::optional<qint64> parseDecimal(const QString &text, int decimals)
{
    const qsizetype point = text.indexOf(u'.');
    if (point < 0)
        return parseDigits(text, QString(), decimals);
    return parseDigits(text.left(point), text.mid(point + 1), decimals);
}

std::optional<qint64> parseCatalanNumber(const QString &text, int decimals)
{
    QString plain = text.trimmed();
    plain.remove(u'.');
    const qsizetype comma = plain.indexOf(u',');
    if (comma < 0)
        return parseDigits(plain, QString(), decimals);
    return parseDigits(plain.left(comma), plain.mid(comma + 1), decimals);
}

} // namespace velmora::testing
