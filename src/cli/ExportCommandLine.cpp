#include "cli/ExportCommandLine.h"

#include "engine/core/Failure.h"
#include "engine/report/ExportFormats.h"
#include "engine/seam/SeamErrors.h"

#include <optional>

namespace velmora {

namespace {
[[noreturn]] void refuse(const QString &why)
{
    throw Failure(SeamErrors::BadCommandLine,
                  why + QStringLiteral(" (velmora-export --help mostra com s'usa)"));
}

QString formatNames()
{
    QStringList names;
    for (const ExportFormatInfo &format : exportFormats())
        names << format.commandName.toString();
    return names.join(QStringLiteral(", "));
}

qint32 formatTypeNamed(const QString &name)
{
    const ExportFormatInfo *format = exportFormatByCommandName(name);
    if (!format)
        refuse(QStringLiteral("Format desconegut: \"%1\". Els formats són: %2.").arg(name, formatNames()));
    return format->formatType;
}

bool asksFor(const QStringList &arguments, const QStringList &options)
{
    for (const QString &argument : arguments) {
        if (argument == u"--")
            return false;
        if (options.contains(argument))
            return true;
    }
    return false;
}

/// Reads the option values and the plain arguments, one argument at a time.
class ArgumentReader {
public:
    explicit ArgumentReader(const QStringList &arguments) : m_arguments(arguments) {}

    void readAll()
    {
        bool optionsEnded = false;
        while (m_next < m_arguments.size()) {
            const QString argument = m_arguments.at(m_next++);
            if (optionsEnded || !argument.startsWith(u'-') || argument == u"-")
                plainArguments << argument;
            else if (argument == u"--")
                optionsEnded = true;
            else
                readOption(argument);
        }
    }

    std::optional<QString> format, output, password, listedReport;
    std::vector<ExportCommandLine::ParameterArgument> parameters;
    QStringList plainArguments; ///< report and database, in order

private:
    void readOption(const QString &argument)
    {
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = equals < 0 ? argument : argument.left(equals);
        if (name == u"--param")
            return readParameter(equals < 0 ? valueAfter(name) : argument.mid(equals + 1));
        std::optional<QString> *target = slotFor(name);
        if (!target)
            refuse(QStringLiteral("Opció desconeguda: %1.").arg(name));
        if (target->has_value())
            refuse(QStringLiteral("L'opció %1 s'ha donat més d'una vegada.").arg(name));
        *target = equals < 0 ? valueAfter(name) : argument.mid(equals + 1);
    }

    std::optional<QString> *slotFor(const QString &name)
    {
        if (name == u"--format")
            return &format;
        if (name == u"--output")
            return &output;
        if (name == u"--password")
            return &password;
        if (name == u"--list-params")
            return &listedReport;
        return nullptr;
    }

    /// NAME=VALUE; the value is everything after the first "=", and may be empty.
    void readParameter(const QString &assignment)
    {
        const qsizetype equals = assignment.indexOf(u'=');
        if (equals <= 0)
            refuse(QStringLiteral("L'opció --param espera NOM=VALOR, i ha rebut \"%1\".").arg(assignment));
        parameters.push_back({assignment.left(equals), assignment.mid(equals + 1)});
    }

    QString valueAfter(const QString &name)
    {
        if (m_next >= m_arguments.size())
            refuse(QStringLiteral("Falta el valor de l'opció %1.").arg(name));
        return m_arguments.at(m_next++);
    }

    const QStringList &m_arguments;
    qsizetype m_next = 0;
};
ExportCommandLine listingCommand(const ArgumentReader &reader)
{
    if (reader.format || reader.output || reader.password || !reader.parameters.empty() || !reader.plainArguments.isEmpty())
        refuse(QStringLiteral("L'opció --list-params només pren el nom d'un informe, sense cap altra opció ni argument."));
    if (reader.listedReport->isEmpty())
        refuse(QStringLiteral("Falta l'informe de l'opció --list-params."));
    ExportCommandLine command;
    command.action = ExportCommandLine::Action::ListParameters;
    command.reportPath = *reader.listedReport;
    return command;
}
} // namespace

ExportCommandLine ExportCommandLine::parse(const QStringList &arguments)
{
    ExportCommandLine command;
    if (asksFor(arguments, {QStringLiteral("--help"), QStringLiteral("-h")})) {
        command.action = Action::ShowHelp;
        return command;
    }
    if (asksFor(arguments, {QStringLiteral("--version")})) {
        command.action = Action::ShowVersion;
        return command;
    }

    ArgumentReader reader(arguments);
    reader.readAll();
    if (reader.listedReport)
        return listingCommand(reader);
    if (!reader.format)
        refuse(QStringLiteral("Falta l'opció --format."));
    command.formatType = formatTypeNamed(*reader.format);
    if (!reader.output || reader.output->isEmpty())
        refuse(QStringLiteral("Falta l'opció --output amb el nom de l'arxiu que s'ha d'escriure."));
    if (reader.plainArguments.size() != 2)
        refuse(QStringLiteral("Cal donar exactament un informe i una base de dades; se n'han donat %1.")
                   .arg(reader.plainArguments.size()));

    command.outputPath = *reader.output;
    command.password = reader.password.value_or(QString());
    command.reportPath = reader.plainArguments.at(0);
    command.databasePath = reader.plainArguments.at(1);
    command.parameters = std::move(reader.parameters);
    return command;
}

QString ExportCommandLine::usageText()
{
    return QStringLiteral(
        "Ús: velmora-export --format FORMAT --output ARXIU [--password CLAU]\n"
        "                   [--param NOM=VALOR]... INFORME BASE_DE_DADES\n"
        "    velmora-export --list-params INFORME\n"
        "\n"
        "Exporta l'informe INFORME (.rpt) amb les dades de BASE_DE_DADES (.mdb, .accdb)\n"
        "a l'arxiu ARXIU, sense obrir cap finestra.\n"
        "\n"
        "Opcions:\n"
        "  --format FORMAT    txt (text pla), xls (full de càlcul Excel), xls-data (Excel,\n"
        "                     només les dades), doc (document de Word), pdf, xlsx (llibre\n"
        "                     d'Excel actual), xlsx-data (xlsx, només les dades), csv (les\n"
        "                     dades separades per comes), csv-semicolon (separades per\n"
        "                     punt i coma)\n"
        "  --output ARXIU     l'arxiu que s'escriu; si ja existeix, se substitueix\n"
        "  --password CLAU    la contrasenya de la base de dades, tal com s'ha de donar\n"
        "  --param NOM=VALOR  el valor d'un paràmetre de l'informe, com el valor per defecte\n"
        "                     de l'arxiu: 2025-01-31, 1234.5678, true; diversos valors\n"
        "                     separats per comes (\\, per a una coma dins d'un valor);\n"
        "                     un interval, 2024-01-01..2024-12-31. Es pot repetir.\n"
        "  --list-params INFORME  escriu els paràmetres de l'informe, un per línia:\n"
        "                     nom, tipus, pregunta, valor per defecte i llista, amb tabuladors\n"
        "  --help             mostra aquest text\n"
        "  --version          mostra la versió\n"
        "\n"
        "Surt amb 0 si l'exportació ha anat bé, amb 2 si la línia d'ordres és incorrecta\n"
        "(també un paràmetre desconegut, un valor que no és del seu tipus o no és a la\n"
        "llista, o un paràmetre obligatori sense valor) i\n"
        "amb 1 si l'exportació ha fallat; els errors s'escriuen a la sortida d'errors com a\n"
        "\"error NÚMERO: DESCRIPCIÓ\".\n");
}

QString ExportCommandLine::versionText()
{
    return QStringLiteral("velmora-export %1.%2")
        .arg(VELMORA_VERSION_MAJOR)
        .arg(VELMORA_VERSION_MINOR, 2, 10, QLatin1Char('0'));
}

} // namespace velmora
