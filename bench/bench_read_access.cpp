// Reads the four sales tables of gran.mdb, joins them, and compares the time
// with mdb-export writing LiniesComanda as text; then does the same over an
// agile-encrypted copy (AES-256, SHA-512) against the plain file.
//   bench_read_access [path/to/gran.mdb]

#include "AgileEncryptedCopy.h"

#include "engine/core/Failure.h"
#include "engine/data/AccessDatabase.h"
#include "engine/data/TableJoiner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace velmora;

namespace {

constexpr int runs = 3;

double medianSeconds(const std::function<void()> &work)
{
    std::vector<double> seconds;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        seconds.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds[runs / 2];
}

QStringList names(std::initializer_list<const char *> list)
{
    QStringList result;
    for (const char *name : list)
        result << QString::fromUtf8(name);
    return result;
}

struct Stages {
    double read = 0;
    double join = 0;
    qsizetype joinedRows = 0;
};

Stages readAndJoin(const QString &path, const QString &password = QString())
{
    Stages stages;
    QElapsedTimer timer;
    timer.start();
    const auto database = AccessDatabase::open(path, password);
    const CancelToken cancel;
    std::vector<AliasedTable> tables{
        {QStringLiteral("LiniesComanda"),
         database->readColumns(QStringLiteral("LiniesComanda"),
                               names({"IdComanda", "IdProducte", "Quantitat", "PreuUnitari", "Descompte"}), cancel)},
        {QStringLiteral("Comandes"),
         database->readColumns(QStringLiteral("Comandes"), names({"IdComanda", "IdClient", "DataComanda"}), cancel)},
        {QStringLiteral("Clients"), database->readColumns(QStringLiteral("Clients"), names({"IdClient", "Nom", "Pais"}), cancel)},
        {QStringLiteral("Productes"),
         database->readColumns(QStringLiteral("Productes"), names({"IdProducte", "Descripcio"}), cancel)},
    };
    stages.read = double(timer.nsecsElapsed()) / 1e9;
    timer.restart();
    const std::vector<JoinLink> links{
        {QStringLiteral("LiniesComanda"), names({"IdComanda"}), QStringLiteral("Comandes"), names({"IdComanda"}), JoinKind::Inner},
        {QStringLiteral("Comandes"), names({"IdClient"}), QStringLiteral("Clients"), names({"IdClient"}), JoinKind::Inner},
        {QStringLiteral("LiniesComanda"), names({"IdProducte"}), QStringLiteral("Productes"), names({"IdProducte"}), JoinKind::Inner},
    };
    stages.joinedRows = TableJoiner::join(tables, links, cancel).rowCount();
    stages.join = double(timer.nsecsElapsed()) / 1e9;
    return stages;
}

void runMdbExport(const QString &path)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(QStringLiteral("mdb-export"), {path, QStringLiteral("LiniesComanda")});
    process.waitForFinished(-1);
}

// The floor is the plain file, read in turn with the copy so that both
// meet the same cache and the same load from the machine's other users.
void compareWithEncryptedCopy(const QString &path)
{
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("gran-xifrat.accdb"));
    const QString password = QStringLiteral("contrasenya del banc");
    QElapsedTimer timer;
    timer.start();
    bench::writeAgileEncryptedCopy(path, copy, password);
    const double encryptSeconds = double(timer.nsecsElapsed()) / 1e9;
    const double openSeconds = medianSeconds([&] { AccessDatabase::open(copy, password); });
    std::vector<double> plain;
    std::vector<double> encrypted;
    qsizetype joinedRows = 0;
    for (int run = 0; run < runs; ++run) {
        timer.restart();
        readAndJoin(path);
        plain.push_back(double(timer.nsecsElapsed()) / 1e9);
        timer.restart();
        joinedRows = readAndJoin(copy, password).joinedRows;
        encrypted.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    std::sort(plain.begin(), plain.end());
    std::sort(encrypted.begin(), encrypted.end());
    const double plainSeconds = plain[runs / 2];
    const double encryptedSeconds = encrypted[runs / 2];
    std::printf("encrypted copy       agile AES-256-CBC, SHA-512, 100,000 spins (written in %.3f s)\n", encryptSeconds);
    std::printf("  joined rows        %lld\n", static_cast<long long>(joinedRows));
    std::printf("  open (verifier)    %.3f s (median of %d)\n", openSeconds, runs);
    std::printf("  plain read + join  %.3f s (median of %d, taken in turn with the copy: the floor)\n", plainSeconds,
                runs);
    std::printf("  read + join        %.3f s (median of %d)\n", encryptedSeconds, runs);
    std::printf("  ratio to plain     %.2f (aim at most 1.50)\n", encryptedSeconds / plainSeconds);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QStringLiteral(VELMORA_SOURCE_DIR "/../shared/fixtures/gran.mdb");
    if (!QFileInfo::exists(path)) {
        std::printf("gran.mdb is absent (%s): nothing to measure.\n", qPrintable(path));
        return 0;
    }
    try {
        std::vector<Stages> samples;
        const double total = medianSeconds([&] { samples.push_back(readAndJoin(path)); });
        std::sort(samples.begin(), samples.end(), [](const Stages &a, const Stages &b) { return a.read < b.read; });
        const Stages &median = samples[runs / 2];
        const double exportSeconds = medianSeconds([&] { runMdbExport(path); });
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("file                 %s\n", qPrintable(path));
        std::printf("joined rows          %lld\n", static_cast<long long>(median.joinedRows));
        std::printf("read four tables     %.3f s (median of %d)\n", median.read, runs);
        std::printf("join                 %.3f s\n", median.join);
        std::printf("read + join          %.3f s\n", total);
        std::printf("mdb-export lines     %.3f s (median of %d)\n", exportSeconds, runs);
        std::printf("ratio                %.2f\n", total / exportSeconds);
        std::printf("peak memory          %.1f MB\n", double(usage.ru_maxrss) / 1024.0);
        compareWithEncryptedCopy(path);
    } catch (const Failure &failure) {
        std::printf("failure %d: %s\n", failure.number(), qPrintable(failure.description()));
        return 1;
    }
    return 0;
}
