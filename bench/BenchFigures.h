#pragma once

// What the benchmarks over the large database share: where that database is,
// the plain word when it is absent, and the figures they print.

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QString>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace velmora::bench {

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

inline double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

/// The database named by argument `index`, else gran.mdb beside the checkout.
inline QString largeDatabase(int argc, char **argv, int index)
{
    return argc > index ? QString::fromLocal8Bit(argv[index])
                        : QStringLiteral(VELMORA_SOURCE_DIR "/../shared/fixtures/gran.mdb");
}

/// The number of runs named by argument `index`, at least one; three by default.
inline int runCount(int argc, char **argv, int index)
{
    return argc > index ? std::max(1, atoi(argv[index])) : 3;
}

/// False, after saying so, when the database is not there to measure.
inline bool databaseIsPresent(const QString &database)
{
    if (QFileInfo::exists(database))
        return true;
    std::printf("The large database %s is absent: nothing measured.\n", qPrintable(database));
    return false;
}

/// Seconds mdb-export needs to read `table` of the database: the floor.
inline double mdbExportSeconds(const QString &database, const QString &table = QStringLiteral("LiniesComanda"))
{
    QElapsedTimer timer;
    timer.start();
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(QStringLiteral("mdb-export"), {database, table});
    p.waitForFinished(-1);
    return timer.elapsed() / 1000.0;
}

} // namespace velmora::bench
