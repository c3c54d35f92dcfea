#pragma once

#include "engine/seam/ReportEngine.h"

namespace velmora {

/// A report's one set of export settings: plain values that stay until the
/// report is released. Nothing is checked when set; the export checks them.
class SessionExportOptions : public EngineExportOptions {
public:
    void setFormatType(qint32 formatType) override { m_formatType = formatType; }
    qint32 formatType() const override { return m_formatType; }
    void setDestinationType(qint32 destinationType) override { m_destinationType = destinationType; }
    qint32 destinationType() const override { return m_destinationType; }
    void setDiskFileName(const QString &path) override { m_diskFileName = path; }
    QString diskFileName() const override { return m_diskFileName; }
    void setPdfFirstOption(qint32 value) override { m_pdfFirstOption = value; }
    qint32 pdfFirstOption() const override { return m_pdfFirstOption; }
    void setPdfSecondOption(qint32 value) override { m_pdfSecondOption = value; }
    qint32 pdfSecondOption() const override { return m_pdfSecondOption; }

private:
    qint32 m_formatType = 0;
    qint32 m_destinationType = 0;
    QString m_diskFileName;
    qint32 m_pdfFirstOption = 0;
    qint32 m_pdfSecondOption = 0;
};

} // namespace velmora
