// Replays every file of every fuzz corpus through its entry point, without
// libFuzzer: the corpora must never crash the program, only make it fail.

#include "FuzzEntries.h"
#include "../support/TestData.h"

#include "engine/core/Failure.h"

#include <QDirIterator>
#include <QFile>
#include <QtTest>

using namespace velmora;

namespace {
using Feed = void (*)(const QByteArray &);
}
Q_DECLARE_METATYPE(Feed)

class FuzzCorpora : public QObject {
    Q_OBJECT

private slots:
    void neverCrash_data();
    void neverCrash();
};

void FuzzCorpora::neverCrash_data()
{
    QTest::addColumn<Feed>("feed");
    QTest::addColumn<QString>("path");
    for (const fuzzing::FuzzTarget &target : fuzzing::fuzzTargets()) {
        const QString folder = testing::sourcePath(QStringLiteral("fuzz/corpus/") + QLatin1String(target.name));
        QDirIterator files(folder, QDir::Files);
        int count = 0;
        while (files.hasNext()) {
            const QString path = files.next();
            QTest::addRow("%s/%s", target.name, qPrintable(files.fileName())) << target.feed << path;
            ++count;
        }
        if (count == 0)
            qFatal("the corpus %s is empty or missing", qPrintable(folder));
    }
}

void FuzzCorpora::neverCrash()
{
    QFETCH(Feed, feed);
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    try {
        feed(file.readAll());
    } catch (const Failure &) {
        // The program's own answer to bad input.
    } catch (const std::exception &fault) {
        QFAIL(fault.what());
    }
}

QTEST_MAIN(FuzzCorpora)
#include "test_fuzz_corpora.moc"
