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

    std::optional<QString> format, output, password;
    QStringList plainArguments; ///< report and database, in order

private:
    void readOption(const QString &argument)
    {
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = equals < 0 ? argument : argument.left(equals);
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
        return nullptr;
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
    return command;
}

QString ExportCommandLine::usageText()
{
    return QStringLiteral(
        "Ús: velmora-export --format FORMAT --output ARXIU [--password CLAU] INFORME BASE_DE_DADES\n"
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
        "  --help             mostra aquest text\n"
        "  --version          mostra la versió\n"
        "\n"
        "Surt amb 0 si l'exportació ha anat bé, amb 2 si la línia d'ordres és incorrecta i\n"
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
