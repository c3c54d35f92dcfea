#pragma once

// A report engine that records every call made through the seam, for the
// window tests. It reads no file: the report it "opens" is described by a
// FakeReportShape, and any call can be made to fail.

#include "engine/seam/ReportEngine.h"

#include <QStringList>

#include <map>
#include <memory>
#include <optional>

namespace velmora::testing {

struct FakeObjectShape {
    QString name;
    int kind = 1;
    /// For kind 5: the subreport's tables and its own sections.
    QStringList subreportTables;
    std::vector<std::vector<FakeObjectShape>> subreportSections;
};

struct FakeReportShape {
    QStringList tables{QStringLiteral("Clients")};
    /// Sections in order, each a list of objects in order.
    std::vector<std::vector<FakeObjectShape>> sections{{}, {}, {}};
    QString printerName = QStringLiteral("Impressora de proves");
    int pageCount = 3;
};

/// What every fake object shares: the call log, the shape and the failures.
struct RecordingState {
    QStringList log;
    FakeReportShape shape;
    /// A call whose log line starts with a key fails with the failure.
    std::map<QString, Failure> failures;
    int applicationsCreated = 0;
    int liveApplications = 0;
    int liveReports = 0;
    /// Export options of the last report opened (kept for assertions).
    qint32 formatType = 0, destinationType = 0, pdfFirst = 0, pdfSecond = 0;
    QString diskFileName;
    /// Called by exportReport(false) after logging; may throw.
    std::function<void(RecordingState &)> onExport;
    /// Makes the report's page sources; by default a few one-line pages.
    std::function<std::shared_ptr<PageSource>()> makePageSource;
    /// When set, the report has parameters: each prompt is logged and
    /// answered by it (false: the user cancels).
    std::function<bool()> answerParameters;
    /// Printer name reported after printer setup (by default unchanged).
    std::optional<QString> printerNameAfterSetup;

    void record(const QString &call);
};

class RecordingEngine : public ReportEngine {
public:
    RecordingEngine();
    std::unique_ptr<EngineApplication> createApplication() override;
    ReportViewerControl *createViewerControl(QWidget *parent) override;

    RecordingState &state() { return *m_state; }
    const QStringList &log() const { return m_state->log; }

private:
    std::shared_ptr<RecordingState> m_state;
};

/// The recording viewer control: logs its four operations.
class RecordingViewerControl : public ReportViewerControl {
    Q_OBJECT
public:
    RecordingViewerControl(std::shared_ptr<RecordingState> state, QWidget *parent);
    void setReportSource(std::shared_ptr<EngineReport> report) override;
    std::shared_ptr<EngineReport> reportSource() const override { return m_report; }
    void viewReport() override;
    void zoom(qint16 percent) override;
    qint16 currentZoom() const { return m_zoom; }

private:
    std::shared_ptr<RecordingState> m_state;
    std::shared_ptr<EngineReport> m_report;
    qint16 m_zoom = 0;
};

} // namespace velmora::testing
