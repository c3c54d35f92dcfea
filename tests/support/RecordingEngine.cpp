#include "RecordingEngine.h"

#include "engine/page/PageSource.h"
#include "engine/seam/SeamErrors.h"

namespace velmora::testing {

void RecordingState::record(const QString &call)
{
    log.append(call);
    for (const auto &[key, failure] : failures)
        if (call.startsWith(key))
            throw failure;
}

namespace {

class FakeTable : public EngineTable {
public:
    FakeTable(std::shared_ptr<RecordingState> s, QString prefix, QString name)
        : m_state(std::move(s)), m_prefix(std::move(prefix)), m_name(std::move(name)) {}
    QString name() const override { return m_name; }
    void setLocation(const QString &path) override
    {
        m_state->record(m_prefix + QStringLiteral("setLocation(%1)").arg(path));
    }
    void setLogOnInfo(const QString &user, const QString &password) override
    {
        QString shown = password;
        shown.replace(u'\n', QStringLiteral("\\n"));
        m_state->record(m_prefix + QStringLiteral("setLogOnInfo(%1,%2)").arg(user, shown));
    }

private:
    std::shared_ptr<RecordingState> m_state;
    QString m_prefix, m_name;
};

class FakeDatabase : public EngineDatabase {
public:
    FakeDatabase(std::shared_ptr<RecordingState> s, QString prefix, QStringList tables)
        : m_state(std::move(s)), m_prefix(std::move(prefix)), m_tables(std::move(tables)) {}
    std::vector<std::shared_ptr<EngineTable>> tables() override
    {
        m_state->record(m_prefix + QStringLiteral("tables"));
        std::vector<std::shared_ptr<EngineTable>> result;
        for (const QString &t : m_tables)
            result.push_back(std::make_shared<FakeTable>(m_state, m_prefix + t + u'.', t));
        return result;
    }

private:
    std::shared_ptr<RecordingState> m_state;
    QString m_prefix;
    QStringList m_tables;
};

class FakeReport;

class FakeSubreportObject : public EngineSubreportObject {
public:
    FakeSubreportObject(std::shared_ptr<RecordingState> s, FakeObjectShape shape)
        : m_state(std::move(s)), m_shape(std::move(shape)) {}
    std::shared_ptr<EngineReport> openSubreport() override;

private:
    std::shared_ptr<RecordingState> m_state;
    FakeObjectShape m_shape;
};

class FakeObject : public EngineReportObject, public std::enable_shared_from_this<FakeObject> {
public:
    FakeObject(std::shared_ptr<RecordingState> s, QString prefix, FakeObjectShape shape)
        : m_state(std::move(s)), m_prefix(std::move(prefix)), m_shape(std::move(shape)) {}
    QString name() const override { return m_shape.name; }
    QVariant property(const QString &propertyName) const override
    {
        m_state->record(m_prefix + m_shape.name + u'.' + propertyName);
        if (propertyName == QLatin1String("Kind"))
            return m_shape.kind;
        throw Failure(SeamErrors::UnknownProperty, QStringLiteral("Propietat desconeguda: ") + propertyName);
    }
    std::shared_ptr<EngineSubreportObject> asSubreportObject() override
    {
        if (m_shape.kind != 5)
            throw Failure(SeamErrors::NotASubreport, QStringLiteral("No és un subinforme"));
        return std::make_shared<FakeSubreportObject>(m_state, m_shape);
    }

private:
    std::shared_ptr<RecordingState> m_state;
    QString m_prefix;
    FakeObjectShape m_shape;
};

class FakeSection : public EngineSection {
public:
    FakeSection(std::shared_ptr<RecordingState> s, QString prefix, QString name,
                std::vector<FakeObjectShape> objects)
        : m_state(std::move(s)), m_prefix(std::move(prefix)), m_name(std::move(name)),
          m_objects(std::move(objects)) {}
    QString name() const override { return m_name; }
    std::vector<std::shared_ptr<EngineReportObject>> reportObjects() override
    {
        m_state->record(m_prefix + m_name + QStringLiteral(".reportObjects"));
        std::vector<std::shared_ptr<EngineReportObject>> result;
        for (const auto &o : m_objects)
            result.push_back(std::make_shared<FakeObject>(m_state, m_prefix, o));
        return result;
    }

private:
    std::shared_ptr<RecordingState> m_state;
    QString m_prefix, m_name;
    std::vector<FakeObjectShape> m_objects;
};

class FakeExportOptions : public EngineExportOptions {
public:
    explicit FakeExportOptions(std::shared_ptr<RecordingState> s) : m_state(std::move(s)) {}
    void setFormatType(qint32 v) override { rec(QStringLiteral("setFormatType"), v); m_state->formatType = v; }
    qint32 formatType() const override { return m_state->formatType; }
    void setDestinationType(qint32 v) override { rec(QStringLiteral("setDestinationType"), v); m_state->destinationType = v; }
    qint32 destinationType() const override { return m_state->destinationType; }
    void setDiskFileName(const QString &p) override
    {
        m_state->record(QStringLiteral("exportOptions.setDiskFileName(%1)").arg(p));
        m_state->diskFileName = p;
    }
    QString diskFileName() const override { return m_state->diskFileName; }
    void setPdfFirstOption(qint32 v) override { rec(QStringLiteral("setPdfFirstOption"), v); m_state->pdfFirst = v; }
    qint32 pdfFirstOption() const override { return m_state->pdfFirst; }
    void setPdfSecondOption(qint32 v) override { rec(QStringLiteral("setPdfSecondOption"), v); m_state->pdfSecond = v; }
    qint32 pdfSecondOption() const override { return m_state->pdfSecond; }

private:
    void rec(const QString &op, qint32 v) { m_state->record(QStringLiteral("exportOptions.%1(%2)").arg(op).arg(v)); }
    std::shared_ptr<RecordingState> m_state;
};

/// Pages with one line of text each, enough for a viewer to show something.
class FakePageSource : public PageSource {
public:
    explicit FakePageSource(int pages) : m_pages(pages) {}
    int layOutUntil(int, const CancelToken &, const ProgressCallback &) override { return m_pages; }
    bool isComplete() const override { return true; }
    int pagesLaidOut() const override { return m_pages; }
    Page page(int index) const override
    {
        Page p;
        p.number = index + 1;
        TextItem t;
        t.box = QRect(1440, 1440, 6000, 300);
        t.baseline = 240;
        t.text = QStringLiteral("Pàgina de proves %1").arg(index + 1);
        p.items.emplace_back(t);
        return p;
    }
    std::vector<ContentsEntry> contents() const override { return {}; }
    qint64 recordCount() const override { return 0; }
    QString title() const override { return QStringLiteral("Informe de proves"); }

private:
    int m_pages;
};

class FakeReport : public EngineReport {
public:
    FakeReport(std::shared_ptr<RecordingState> s, QString prefix, QStringList tables,
               std::vector<std::vector<FakeObjectShape>> sections)
        : m_state(std::move(s)), m_prefix(std::move(prefix)), m_tables(std::move(tables)),
          m_sections(std::move(sections))
    {
        ++m_state->liveReports;
    }
    ~FakeReport() override { --m_state->liveReports; }

    std::shared_ptr<EngineDatabase> database() override
    {
        m_state->record(m_prefix + QStringLiteral("database"));
        return std::make_shared<FakeDatabase>(m_state, m_prefix, m_tables);
    }
    std::vector<std::shared_ptr<EngineSection>> sections() override
    {
        m_state->record(m_prefix + QStringLiteral("sections"));
        std::vector<std::shared_ptr<EngineSection>> result;
        for (size_t i = 0; i < m_sections.size(); ++i)
            result.push_back(std::make_shared<FakeSection>(
                m_state, m_prefix, QStringLiteral("Section%1").arg(i + 1), m_sections[i]));
        return result;
    }
    std::shared_ptr<EngineExportOptions> exportOptions() override
    {
        m_state->record(QStringLiteral("exportOptions"));
        return std::make_shared<FakeExportOptions>(m_state);
    }
    void exportReport(bool prompt) override
    {
        m_state->record(QStringLiteral("export(%1)").arg(prompt ? QStringLiteral("true") : QStringLiteral("false")));
        if (m_state->onExport)
            m_state->onExport(*m_state);
    }
    void printerSetup(QWidget *owner) override
    {
        m_state->record(QStringLiteral("printerSetup(%1)").arg(owner ? owner->objectName() : QStringLiteral("null")));
        if (m_state->printerNameAfterSetup)
            m_state->shape.printerName = *m_state->printerNameAfterSetup;
    }
    QString printerName() const override
    {
        m_state->record(QStringLiteral("printerName"));
        return m_state->shape.printerName;
    }
    QMargins pageMargins() const override { return m_margins; }
    void setPageMargins(const QMargins &m) override
    {
        m_state->record(QStringLiteral("setPageMargins(%1,%2,%3,%4)").arg(m.left()).arg(m.top()).arg(m.right()).arg(m.bottom()));
        m_margins = m;
    }
    QSize paperSize() const override { return QSize(11906, 16838); }
    std::shared_ptr<PageSource> createPageSource() override
    {
        m_state->record(QStringLiteral("createPageSource"));
        if (m_state->makePageSource)
            return m_state->makePageSource();
        return std::make_shared<FakePageSource>(m_state->shape.pageCount);
    }
    void print(QWidget *) override { m_state->record(QStringLiteral("print")); }
    bool hasParameters() const override { return bool(m_state->answerParameters); }
    bool askParameterValues(QWidget *) override
    {
        if (!m_state->answerParameters)
            return true;
        m_state->record(QStringLiteral("askParameterValues"));
        return m_state->answerParameters();
    }

private:
    std::shared_ptr<RecordingState> m_state;
    QString m_prefix;
    QStringList m_tables;
    std::vector<std::vector<FakeObjectShape>> m_sections;
    QMargins m_margins{1134, 1134, 1134, 1134};
};

std::shared_ptr<EngineReport> FakeSubreportObject::openSubreport()
{
    m_state->record(QStringLiteral("openSubreport(%1)").arg(m_shape.name));
    return std::make_shared<FakeReport>(m_state, m_shape.name + u':', m_shape.subreportTables,
                                        m_shape.subreportSections);
}

class FakeApplication : public EngineApplication {
public:
    explicit FakeApplication(std::shared_ptr<RecordingState> s) : m_state(std::move(s))
    {
        ++m_state->liveApplications;
    }
    ~FakeApplication() override { --m_state->liveApplications; }
    std::shared_ptr<EngineReport> openReport(const QString &path) override
    {
        m_state->record(QStringLiteral("openReport(%1)").arg(path));
        return std::make_shared<FakeReport>(m_state, QString(), m_state->shape.tables, m_state->shape.sections);
    }

private:
    std::shared_ptr<RecordingState> m_state;
};

} // namespace

RecordingEngine::RecordingEngine() : m_state(std::make_shared<RecordingState>()) {}

std::unique_ptr<EngineApplication> RecordingEngine::createApplication()
{
    m_state->record(QStringLiteral("createApplication"));
    ++m_state->applicationsCreated;
    return std::make_unique<FakeApplication>(m_state);
}

ReportViewerControl *RecordingEngine::createViewerControl(QWidget *parent)
{
    return new RecordingViewerControl(m_state, parent);
}

RecordingViewerControl::RecordingViewerControl(std::shared_ptr<RecordingState> state, QWidget *parent)
    : ReportViewerControl(parent), m_state(std::move(state))
{
}

void RecordingViewerControl::setReportSource(std::shared_ptr<EngineReport> report)
{
    m_state->record(QStringLiteral("viewer.setReportSource"));
    m_report = std::move(report);
}

void RecordingViewerControl::viewReport()
{
    m_state->record(QStringLiteral("viewer.viewReport"));
}

void RecordingViewerControl::zoom(qint16 percent)
{
    m_state->record(QStringLiteral("viewer.zoom(%1)").arg(percent));
    m_zoom = percent;
}

} // namespace velmora::testing
