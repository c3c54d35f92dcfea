#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace velmora {

/// What the batch exporter was asked to do:
///     velmora-export --format txt|xls|xls-data|doc|pdf|xlsx|xlsx-data|csv|csv-semicolon
///                    --output FILE
///                    [--password TEXT] [--param NAME=VALUE]... REPORT DATABASE
/// or --list-params REPORT, or --help, or --version. Options take their value as the next argument or
/// after "=" ("--format=pdf"); "--" ends the options, so a report path may
/// start with "-".
struct ExportCommandLine {
    enum class Action { Export, ListParameters, ShowHelp, ShowVersion };

    /// One --param: the parameter's name and its value in the report file's text form.
    struct ParameterArgument {
        QString name;
        QString value;
    };

    Action action = Action::Export;
    qint32 formatType = 0;
    QString outputPath;
    /// The database password exactly as given: blanks are part of it.
    QString password;
    QString reportPath;
    QString databasePath;
    std::vector<ParameterArgument> parameters;

    /// Reads the arguments that follow the program's name. A mistake fails
    /// with a Failure whose description says what is wrong; --help and
    /// --version win over any mistake.
    static ExportCommandLine parse(const QStringList &arguments);

    /// The Catalan usage text --help prints.
    static QString usageText();
    /// "velmora-export 2.00".
    static QString versionText();
};

} // namespace velmora
