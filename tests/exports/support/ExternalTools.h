#pragma once

#include <QString>
#include <QStringList>
#include <QJsonObject>
#include <QTemporaryDir>

#include <optional>

namespace velmora::testing {

/// Runs a program nobody here wrote; its standard output, or nothing when it
/// is missing, fails or takes more than `timeoutMs`.
std::optional<QByteArray> runTool(const QString &program, const QStringList &arguments, int timeoutMs = 120000);

/// LibreOffice headless with a profile of its own, so that it neither
/// meets a running office nor leaves settings behind.
class OfficeConverter {
public:
    bool isAvailable() const;
    /// Converts `source` to `filter` ("pdf", "csv:...") in `outputDir`;
    /// returns the new file's path, or nothing when the conversion failed.
    std::optional<QString> convert(const QString &source, const QString &filter, const QString &extension,
                                   const QString &outputDir) const;

private:
    QTemporaryDir m_profile;
};

/// The text of a PDF as pdftotext lays it out (-layout), one entry a line.
std::optional<QStringList> pdfTextLines(const QString &pdfPath);

/// pdfinfo's "Key: value" lines as a map.
std::optional<QHash<QString, QString>> pdfInfo(const QString &pdfPath);

/// The path of a file of tests/exports/support.
QString exportSupportFile(const QString &name);

} // namespace velmora::testing

namespace velmora::testing {

/// An .xls workbook as xlrd reads it (see xls_cells.py): {"sheets": [{"name",
/// "rows": [[[type, value, format, bold], ...], ...]}]}; nothing when python3
/// or xlrd is missing or xlrd rejects the file.
std::optional<QJsonObject> readWorkbook(const QString &xlsPath);

} // namespace velmora::testing
