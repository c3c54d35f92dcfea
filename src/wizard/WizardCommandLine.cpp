#include "wizard/WizardCommandLine.h"

namespace velmora::wizard {

WizardCommandLine WizardCommandLine::parse(const QStringList &arguments)
{
    WizardCommandLine line;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const auto value = [&](QString &into) {
            if (i + 1 >= arguments.size())
                line.error = QStringLiteral("L'opció %1 necessita un valor.").arg(argument);
            else
                into = arguments[++i];
        };
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            line.help = true;
        else if (argument == QLatin1String("--version"))
            line.version = true;
        else if (argument == QLatin1String("--database"))
            value(line.database);
        else if (argument == QLatin1String("--password"))
            value(line.password);
        else if (argument == QLatin1String("--show"))
            line.showInViewer = true;
        else if (argument == QLatin1String("--regenerate"))
            line.regenerate = true;
        else if (argument.startsWith(u'-'))
            line.error = QStringLiteral("L'opció %1 no és coneguda (vegeu velmora-wizard --help).").arg(argument);
        else if (line.report.isEmpty())
            line.report = argument;
        else
            line.error = QStringLiteral("Només es pot donar un informe.");
        if (!line.error.isEmpty())
            break;
    }
    if (line.error.isEmpty() && line.regenerate && line.report.isEmpty())
        line.error = QStringLiteral("--regenerate necessita l'informe que s'ha de tornar a fer.");
    return line;
}

QString WizardCommandLine::helpText()
{
    return QStringLiteral(
        "Ús: velmora-wizard [opcions] [INFORME.rpt]\n"
        "Fa un informe nou sobre una base de dades Access, pas a pas, o en reprèn un de fet abans amb l'assistent.\n"
        "\n"
        "  --database FITXER  la base de dades (.mdb o .accdb) amb què comença l'assistent\n"
        "  --password TEXT    la contrasenya de la base de dades\n"
        "  --show             en acabar, mostra l'informe a Velmora\n"
        "  --regenerate       torna a fer l'informe a partir de les seves tries, sense finestra\n"
        "  -h, --help         mostra aquesta ajuda\n"
        "  --version          mostra la versió\n");
}

} // namespace velmora::wizard
