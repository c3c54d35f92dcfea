#include "engine/report/SessionReport.h"

#include "engine/definition/ParameterChecks.h"
#include "engine/report/PagePrinting.h"
#include "engine/report/ReportExport.h"
#include "engine/report/SessionDatabase.h"
#include "engine/report/SessionSection.h"
#include "engine/seam/ParameterErrors.h"
#include "engine/seam/SeamErrors.h"

namespace velmora {

namespace {
void checkMargins(const QMargins &margins, const QSize &page)
{
    const bool negative = margins.left() < 0 || margins.top() < 0 || margins.right() < 0 || margins.bottom() < 0;
    const bool noRoom = margins.left() + margins.right() >= page.width()
        || margins.top() + margins.bottom() >= page.height();
    if (negative || noRoom)
        throw Failure(SeamErrors::InvalidMargins,
                      QStringLiteral("Els marges (%1, %2, %3, %4 twips) no deixen lloc a la pàgina de %5 x %6 twips.")
                          .arg(margins.left()).arg(margins.top()).arg(margins.right()).arg(margins.bottom())
                          .arg(page.width()).arg(page.height()));
}
} // namespace

SessionReport::SessionReport(ReportNode node) : m_node(std::move(node)) {}

ReportNode SessionReport::currentNode() const
{
    if (m_node.isSubreport())
        return m_node;
    return {m_node.session, m_node.session->definition(), m_node.keyPrefix};
}

void SessionReport::requireWholeReport(const QString &operation) const
{
    if (m_node.isSubreport())
        throw Failure(SeamErrors::NotForSubreport,
                      QStringLiteral("No es pot %1 d'un subinforme: només de l'informe principal.").arg(operation));
}

std::shared_ptr<EngineDatabase> SessionReport::database()
{
    return std::make_shared<SessionDatabase>(currentNode());
}

std::vector<std::shared_ptr<EngineSection>> SessionReport::sections()
{
    const ReportNode node = currentNode();
    std::vector<std::shared_ptr<EngineSection>> sections;
    for (std::size_t index = 0; index < node.definition->sections.size(); ++index)
        sections.push_back(std::make_shared<SessionSection>(node, index));
    return sections;
}

std::shared_ptr<EngineExportOptions> SessionReport::exportOptions()
{
    requireWholeReport(QStringLiteral("fer servir les opcions d'exportació"));
    return m_node.session->exportOptions();
}

void SessionReport::exportReport(bool prompt)
{
    requireWholeReport(QStringLiteral("exportar"));
    ReportSession &session = *m_node.session;
    if (prompt) {
        const auto &ask = session.services().askExportSettings;
        if (!ask || !ask(*session.exportOptions()))
            return;
    }
    writeReportExport(session);
}

void SessionReport::printerSetup(QWidget *owner)
{
    requireWholeReport(QStringLiteral("configurar la impressora"));
    ReportSession &session = *m_node.session;
    if (const auto chosen = session.printer().choose(owner, PrinterDialogPurpose::Setup, session.definition()->page))
        session.setPageSetup(*chosen);
}

QString SessionReport::printerName() const
{
    return m_node.session->printer().name();
}

QMargins SessionReport::pageMargins() const
{
    return m_node.session->definition()->page.margins;
}

void SessionReport::setPageMargins(const QMargins &margins)
{
    requireWholeReport(QStringLiteral("canviar els marges"));
    PageSetup page = m_node.session->definition()->page;
    checkMargins(margins, page.pageSize());
    page.margins = margins;
    m_node.session->setPageSetup(page);
}

QSize SessionReport::paperSize() const
{
    return m_node.session->definition()->page.pageSize();
}

std::shared_ptr<PageSource> SessionReport::createPageSource()
{
    requireWholeReport(QStringLiteral("compondre les pàgines"));
    return m_node.session->layOut().pages;
}

void SessionReport::print(QWidget *owner)
{
    requireWholeReport(QStringLiteral("imprimir"));
    ReportSession &session = *m_node.session;
    const auto chosen = session.printer().choose(owner, PrinterDialogPurpose::Print, session.definition()->page);
    if (!chosen)
        return;
    session.setPageSetup(*chosen);
    const ReportLayout layout = session.layOut();
    const auto &services = session.services();
    const std::unique_ptr<ProgressMonitor> monitor = session.newProgressMonitor();
    printPages(*layout.pages, session.printer().printer(), services.paintPage, monitor.get());
}

void SessionReport::setParameterValue(const QString &name, const QString &text)
{
    ReportParameters &parameters = m_node.session->parameters();
    const RunParameter &parameter = parameters.require(name);
    ParameterValue value = parameters.read(name, text);
    if (parameter.definition.listField && parameter.definition.closedList) {
        const QString outside = outsideChoices(parameter.definition, m_node.session->choicesOf(parameter), value);
        if (!outside.isEmpty())
            throw Failure(ParameterErrors::NotInList, QStringLiteral("Paràmetre «%1»: %2").arg(parameter.definition.name, outside));
    }
    parameters.give(name, std::move(value));
}

QStringList SessionReport::parameterList() const
{
    return m_node.session->parameters().listing();
}

bool SessionReport::hasParameters() const
{
    return !m_node.session->parameters().isEmpty();
}

bool SessionReport::askParameterValues(QWidget *owner)
{
    ReportSession &session = *m_node.session;
    ReportParameters &parameters = session.parameters();
    if (parameters.isEmpty())
        return true;
    std::vector<PromptRow> rows;
    for (const RunParameter &parameter : parameters.all()) {
        const ParameterDefinition &definition = parameter.definition;
        const auto remembered = parameters.isGiven(definition.name) ? std::nullopt : RememberedAnswers::find(definition);
        rows.push_back({definition, session.choicesOf(parameter), remembered.value_or(parameters.current(definition.name))});
    }
    const auto &ask = session.services().askParameterValues;
    if (!ask || !ask(rows, owner))
        return false;
    for (const PromptRow &row : rows) {
        parameters.give(row.parameter.name, row.value);
        RememberedAnswers::keep(row.parameter, row.value);
    }
    return true;
}

} // namespace velmora
