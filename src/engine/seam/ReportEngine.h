#pragma once

// The seam between the windows and the report engine: the object model the
// windows drive (application, report, database tables, sections, report
// objects, subreports, export options, printer) and the viewer control.
// The windows include this header and nothing else of the engine. Every
// operation may throw velmora::Failure (a number and a description).

#include "engine/core/Failure.h"
#include "engine/page/ExportFormat.h"
#include "engine/seam/ViewerFeatures.h"

#include <QMargins>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <memory>
#include <vector>

namespace velmora {

class PageSource;
class EngineReport;

/// Report object kinds, one numbering for the whole engine.
enum class ReportObjectKind : int {
    Field = 1,
    Text = 2,
    Line = 3,
    Box = 4,
    Subreport = 5,
    Picture = 6,
    CrossTab = 7,
};

/// Export destination type codes.
namespace ExportDestination {
constexpr qint32 DiskFile = 1;
} // namespace ExportDestination

class EngineTable {
public:
    virtual ~EngineTable() = default;
    virtual QString name() const = 0;
    /// The database file this table reads from now on.
    virtual void setLocation(const QString &databasePath) = 0;
    /// User name and password for a protected database. The text after the
    /// first line feed of `password` is the database password; text before
    /// it is a workgroup password.
    virtual void setLogOnInfo(const QString &userName, const QString &password) = 0;
};

class EngineDatabase {
public:
    virtual ~EngineDatabase() = default;
    /// The report's tables, in the report's order.
    virtual std::vector<std::shared_ptr<EngineTable>> tables() = 0;
};

class EngineSubreportObject;

class EngineReportObject {
public:
    virtual ~EngineReportObject() = default;
    virtual QString name() const = 0;
    /// A property read by name at run time; "Kind" gives the object's
    /// ReportObjectKind as an int. An unknown name fails.
    virtual QVariant property(const QString &propertyName) const = 0;
    /// The same object seen as a subreport object; fails if it is not one.
    virtual std::shared_ptr<EngineSubreportObject> asSubreportObject() = 0;
};

class EngineSubreportObject {
public:
    virtual ~EngineSubreportObject() = default;
    /// The subreport, as a report with its own database and tables.
    virtual std::shared_ptr<EngineReport> openSubreport() = 0;
};

class EngineSection {
public:
    virtual ~EngineSection() = default;
    virtual QString name() const = 0;
    /// The section's report objects, in order.
    virtual std::vector<std::shared_ptr<EngineReportObject>> reportObjects() = 0;
};

/// The report's one set of export settings; kept until the report is
/// released.
class EngineExportOptions {
public:
    virtual ~EngineExportOptions() = default;
    virtual void setFormatType(qint32 formatType) = 0;
    virtual qint32 formatType() const = 0;
    virtual void setDestinationType(qint32 destinationType) = 0;
    virtual qint32 destinationType() const = 0;
    virtual void setDiskFileName(const QString &path) = 0;
    virtual QString diskFileName() const = 0;
    virtual void setPdfFirstOption(qint32 value) = 0;
    virtual qint32 pdfFirstOption() const = 0;
    virtual void setPdfSecondOption(qint32 value) = 0;
    virtual qint32 pdfSecondOption() const = 0;
};

class EngineReport {
public:
    virtual ~EngineReport() = default;
    virtual std::shared_ptr<EngineDatabase> database() = 0;
    /// The report's sections, in order.
    virtual std::vector<std::shared_ptr<EngineSection>> sections() = 0;
    virtual std::shared_ptr<EngineExportOptions> exportOptions() = 0;
    /// Writes the report as the export options say; with `prompt` the
    /// engine first asks the user for format and file in its own dialog.
    virtual void exportReport(bool prompt) = 0;
    /// The engine's modal printer dialog for this report's own printer
    /// settings, owned by `owner`.
    virtual void printerSetup(QWidget *owner) = 0;
    /// The report's printer name; empty when it has none.
    virtual QString printerName() const = 0;

    /// Page margins in twips, and the paper size they must fit.
    virtual QMargins pageMargins() const = 0;
    virtual void setPageMargins(const QMargins &margins) = 0;
    virtual QSize paperSize() const = 0;

    /// Lays the report out anew from its data: what the viewer control shows.
    virtual std::shared_ptr<PageSource> createPageSource() = 0;
    /// Prints the report through its own printer settings.
    virtual void print(QWidget *owner) = 0;

    /// Gives the parameter `name` (of the report or of a subreport) a value
    /// in the text form of docs/report-format.md, "Parameter values". Fails
    /// with a ParameterErrors number naming the parameter.
    virtual void setParameterValue(const QString &name, const QString &text);
    /// One line per parameter, for scripts: name, type, prompt, default and
    /// pick list, separated by tabs (docs/velmora-export.md).
    virtual QStringList parameterList() const;
    /// Asks the user for the parameters' values in the engine's own dialog,
    /// pre-filled with the values the report runs with now. True at once
    /// when the report has no parameters; false when the user cancels.
    virtual bool askParameterValues(QWidget *owner);
    /// Whether the report or a subreport declares any parameter.
    virtual bool hasParameters() const;
};

class EngineApplication {
public:
    virtual ~EngineApplication() = default;
    virtual std::shared_ptr<EngineReport> openReport(const QString &reportPath) = 0;
};

/// The viewer control: shows a report's pages and offers its own commands.
class ReportViewerControl : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    /// The report to show; nothing is displayed yet.
    virtual void setReportSource(std::shared_ptr<EngineReport> report) = 0;
    virtual std::shared_ptr<EngineReport> reportSource() const = 0;
    /// Displays the report source from its first page.
    virtual void viewReport() = 0;
    /// Display scale in per cent.
    virtual void zoom(qint16 percent) = 0;

    /// Placement in the window's inner units (pixels here); a negative size
    /// is refused with a Failure and changes nothing.
    void setTop(int top);
    void setLeft(int left);
    void setWidth(int width);
    void setHeight(int height);

    /// The design settings, given once by the window that holds the
    /// control, before the report is shown.
    void setFeatures(const ViewerFeatures &features);
    const ViewerFeatures &features() const { return m_features; }

protected:
    /// Called when the design settings change.
    virtual void applyFeatures() {}

private:
    ViewerFeatures m_features;
};

/// Makes the engine's objects; the windows get one at construction, so tests
/// can put a recording engine in its place.
class ReportEngine {
public:
    virtual ~ReportEngine() = default;
    virtual std::unique_ptr<EngineApplication> createApplication() = 0;
    virtual ReportViewerControl *createViewerControl(QWidget *parent) = 0;
};

} // namespace velmora
