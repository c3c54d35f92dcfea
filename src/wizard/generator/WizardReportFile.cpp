#include "wizard/generator/WizardReportFile.h"

#include "engine/core/Failure.h"
#include "engine/definition/DefinitionErrors.h"
#include "engine/definition/DefinitionNames.h"
#include "engine/definition/ReportReader.h"
#include "engine/definition/ReportWriter.h"
#include "wizard/generator/WizardChoicesXml.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace velmora::wizard {

namespace {

QString databaseText(const QString &databasePath, const QString &reportFolder)
{
    if (databasePath.isEmpty() || reportFolder.isEmpty())
        return databasePath;
    const QString relative = QDir(reportFolder).relativeFilePath(QFileInfo(databasePath).absoluteFilePath());
    return relative.startsWith(QLatin1String("..")) ? QFileInfo(databasePath).absoluteFilePath() : relative;
}

/// The <wizard> element, indented one step as a child of <report>.
QByteArray choicesElement(const WizardChoices &choices, const QString &reportFolder)
{
    QByteArray element;
    QXmlStreamWriter xml(&element);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    writeChoicesElement(xml, choices, databaseText(choices.databasePath, reportFolder));
    QByteArray indented;
    for (const QByteArray &line : element.split('\n'))
        if (!line.trimmed().isEmpty())
            indented += "  " + line + '\n';
    return indented;
}

/// What a report that has no <wizard> element shows plainly.
void choicesFromReport(const ReportDefinition &report, WizardChoices &choices)
{
    for (const TableDefinition &table : report.tables)
        choices.tables << table.name;
    choices.look.title = report.title;
    choices.look.paper = paperSizeName(report.page.paper).isEmpty() ? QStringLiteral("A4") : paperSizeName(report.page.paper);
    choices.look.orientation = report.page.landscape ? Orientation::Landscape : Orientation::Portrait;
    const auto asField = [](const FieldRef &ref) { return FieldName{ref.table, ref.name}; };
    for (const GroupDefinition &group : report.groups)
        if (group.field.kind == FieldRef::Kind::Database && choices.groups.size() < size_t(WizardChoices::maximumGroups))
            choices.groups.push_back({asField(group.field), group.direction});
    for (const SortDefinition &sort : report.sorts)
        if (sort.field.kind == FieldRef::Kind::Database)
            choices.sorts.push_back({asField(sort.field), sort.direction});
    std::vector<const ReportObject *> headings;
    for (const SectionDefinition &section : report.sections)
        if (section.kind == SectionKind::PageHeader)
            for (const ReportObject &object : section.objects)
                if (object.kind == ReportObject::Kind::Text)
                    headings.push_back(&object);
    for (const SectionDefinition &section : report.sections) {
        if (section.kind != SectionKind::Details)
            continue;
        for (const ReportObject &object : section.objects) {
            if (object.kind != ReportObject::Kind::Field || object.field.kind != FieldRef::Kind::Database)
                continue;
            QString heading;
            for (const ReportObject *above : headings)
                if (above->rect.left() == object.rect.left())
                    heading = above->text;
            choices.columns.push_back({asField(object.field), heading});
        }
    }
}

} // namespace

QByteArray wizardReportText(const ReportDefinition &report, const WizardChoices &choices, const QString &reportFolder)
{
    QByteArray text = writeReportText(report);
    const qsizetype end = text.lastIndexOf("</report>");
    text.insert(end, choicesElement(choices, reportFolder));
    return text;
}

void writeWizardReport(const ReportDefinition &report, const WizardChoices &choices, const QString &path)
{
    const QByteArray bytes = wizardReportText(report, choices, QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Failure(DefinitionErrors::WriteFailed, QStringLiteral("No es pot desar l'informe a «%1»: %2.")
                                                         .arg(QDir::toNativeSeparators(path), file.errorString()));
}

WizardChoices readWizardChoices(const QString &path)
{
    const ReportDefinition report = readReportFile(path);
    WizardChoices choices;
    choices.links = report.links;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(DefinitionErrors::FileUnreadable, QStringLiteral("No es pot llegir «%1».").arg(path));
    QXmlStreamReader xml(&file);
    bool found = false;
    if (xml.readNextStartElement())
        while (!found && xml.readNextStartElement()) {
            if (xml.name() != u"wizard") {
                xml.skipCurrentElement();
                continue;
            }
            found = true;
            const QString database = readChoicesElement(xml, choices);
            choices.databasePath = database.isEmpty() || QFileInfo(database).isAbsolute()
                                       ? database
                                       : QFileInfo(path).absoluteDir().filePath(database);
        }
    if (found) {
        for (const TableDefinition &table : report.tables)
            choices.tables << table.name;
        return choices;
    }
    choicesFromReport(report, choices);
    return choices;
}

} // namespace velmora::wizard
