// Every bad input a user can hand the program, through the engine's seam:
// each ends in the failure the user sees, and the same engine goes on to
// export a good report afterwards.

#include "ReportText.h"
#include "ScratchMount.h"
#include "SeamRun.h"
#include "../support/TestData.h"

#include "engine/report/CreateReportEngine.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include <sys/stat.h>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {

/// A job ready to run, with whatever must outlive it.
struct PreparedJob {
    SeamJob job;
    std::shared_ptr<ScratchMount> mount;
    QString skipReason;
};
using Preparer = std::function<PreparedJob(const QString &scratch)>;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QString writeReport(const QString &scratch, const ReportShape &shape)
{
    const QString path = scratch + QStringLiteral("/informe.rpt");
    writeFile(path, reportText(shape).toUtf8());
    return path;
}

SeamJob exportJob(const QString &reportPath, const QString &exportPath)
{
    return {reportPath, testDataPath(QStringLiteral("empresa.mdb")), std::nullopt, exportPath, ExportFormat::Text};
}

PreparedJob reportFileHolding(const QString &scratch, const QByteArray &bytes)
{
    const QString path = scratch + QStringLiteral("/informe.rpt");
    writeFile(path, bytes);
    return {exportJob(path, scratch + QStringLiteral("/sortida.txt")), {}, {}};
}

PreparedJob reportOver(const QString &scratch, const ReportShape &shape)
{
    return {exportJob(writeReport(scratch, shape), scratch + QStringLiteral("/sortida.txt")), {}, {}};
}

PreparedJob goodReportInto(const QString &exportPath)
{
    return {exportJob(sourcePath(QStringLiteral("examples/clients.rpt")), exportPath), {}, {}};
}

/// The good report over the database at `databasePath`.
PreparedJob goodReportOver(const QString &scratch, const QString &databasePath)
{
    PreparedJob prepared = goodReportInto(scratch + QStringLiteral("/sortida.txt"));
    prepared.job.databasePath = databasePath;
    return prepared;
}

QString namedPipe(const QString &scratch, const QString &name)
{
    const QString pipe = scratch + u'/' + name;
    ::mkfifo(QFile::encodeName(pipe).constData(), 0600);
    return pipe;
}

PreparedJob exportOntoMount(const QString &folder, std::shared_ptr<ScratchMount> mount)
{
    if (!mount->isMounted())
        return {{}, {}, QStringLiteral("mounting a file system needs CAP_SYS_ADMIN")};
    PreparedJob prepared = goodReportInto(folder + QStringLiteral("/sortida.txt"));
    prepared.mount = std::move(mount);
    return prepared;
}

} // namespace

Q_DECLARE_METATYPE(Preparer)

class BadInputs : public QObject {
    Q_OBJECT

private slots:
    void failsAndGoesOn_data();
    void failsAndGoesOn();
    void fullDiskKeepsTheFileItReplaces();

private:
    std::unique_ptr<ReportEngine> m_engine = createReportEngine();
};

void BadInputs::failsAndGoesOn_data()
{
    QTest::addColumn<Preparer>("prepare");
    QTest::addColumn<qint32>("number");
    QTest::addColumn<QString>("mentions");

    QTest::newRow("an empty report file is no report")
        << Preparer([](const QString &s) { return reportFileHolding(s, {}); }) << 2004 << u"buit"_s;
    QTest::newRow("random bytes are binary data, not XML")
        << Preparer([](const QString &s) {
               QByteArray noise(4096, '\0');
               QRandomGenerator(20261208).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
               noise[0] = '\x01'; // no accidental ZIP, PDF or compound-file signature
               return reportFileHolding(s, noise);
           })
        << 2008 << u"dades binàries"_s;
    QTest::newRow("a 200 MB report is refused by its size, unread")
        << Preparer([](const QString &s) {
               const QString path = s + QStringLiteral("/enorme.rpt");
               QFile file(path);
               file.open(QIODevice::WriteOnly);
               file.resize(200LL * 1024 * 1024); // sparse: no block is written
               return PreparedJob{exportJob(path, s + QStringLiteral("/sortida.txt")), {}, {}};
           })
        << 2003 << u"32 MB"_s;
    QTest::newRow("a report path of 4,000 characters names no file")
        << Preparer([](const QString &s) {
               return PreparedJob{exportJob(s + u'/' + QString(4000, u'a') + QStringLiteral(".rpt"),
                                            s + QStringLiteral("/sortida.txt")),
                                  {},
                                  {}};
           })
        << 2001 << u"aaaa"_s;
    QTest::newRow("a report file that is a named pipe would block the reader forever")
        << Preparer([](const QString &s) {
               return PreparedJob{
                   exportJob(namedPipe(s, QStringLiteral("canonada.rpt")), s + QStringLiteral("/sortida.txt")), {}, {}};
           })
        << 2002 << u"canonada.rpt"_s;
    QTest::newRow("a database that is a named pipe would block the reader forever")
        << Preparer([](const QString &s) { return goodReportOver(s, namedPipe(s, QStringLiteral("canonada.mdb"))); })
        << 3003 << u"canonada.mdb"_s;
    QTest::newRow("a truncated Access file is damaged")
        << Preparer([](const QString &s) {
               QFile whole(testDataPath(QStringLiteral("empresa.mdb")));
               whole.open(QIODevice::ReadOnly);
               const QString cut = s + QStringLiteral("/tallada.mdb");
               writeFile(cut, whole.read(100 * 1024));
               return goodReportOver(s, cut);
           })
        << 3004 << u"tallada.mdb"_s;
    QTest::newRow("a password with control characters is just a wrong password")
        << Preparer([](const QString &s) {
               PreparedJob prepared = goodReportOver(s, testDataPath(QStringLiteral("empresa-clau.mdb")));
               prepared.job.databasePassword = QStringLiteral("clau\x01\x1b[2J\tsecreta\r");
               return prepared;
           })
        << 3005 << u"contrasenya"_s;
    QTest::newRow("a report naming a table the database lacks")
        << Preparer([](const QString &s) {
               return reportOver(s, {QStringLiteral("Fantasma"), QStringLiteral("{Fantasma.Nom}")});
           })
        << 3010 << u"Fantasma"_s;
    QTest::newRow("a report naming a field the table lacks")
        << Preparer([](const QString &s) {
               return reportOver(s, {QStringLiteral("Clients"), QStringLiteral("{Clients.Fantasma}")});
           })
        << 3011 << u"Fantasma"_s;
    QTest::newRow("a formula dividing by zero")
        << Preparer([](const QString &s) {
               ReportShape shape;
               shape.formulas = formulaElement(QStringLiteral("Quocient"), QStringLiteral("{Clients.LimitCredit} / 0"));
               shape.source = QStringLiteral("{@Quocient}");
               return reportOver(s, shape);
           })
        << 4501 << u"Quocient"_s;
    QTest::newRow("an export target that is a folder")
        << Preparer([](const QString &s) { return goodReportInto(s); }) << 6012 << u"carpeta"_s;
    QTest::newRow("an export into a folder that is a file")
        << Preparer([](const QString &s) {
               writeFile(s + QStringLiteral("/fitxer"), "x");
               return goodReportInto(s + QStringLiteral("/fitxer/sortida.txt"));
           })
        << 6011 << u"fitxer"_s;
    QTest::newRow("an export into a read-only folder")
        << Preparer([](const QString &s) {
               const QString folder = s + QStringLiteral("/nomes-lectura");
               return exportOntoMount(folder, std::make_shared<ScratchMount>(ScratchMount::readOnly(folder)));
           })
        << 6014 << u"només és de lectura"_s;
    QTest::newRow("an export onto a full disk")
        << Preparer([](const QString &s) {
               const QString folder = s + QStringLiteral("/ple");
               return exportOntoMount(folder, std::make_shared<ScratchMount>(ScratchMount::tmpfs(folder, 8192)));
           })
        << 6015 << u"el disc és ple"_s;
}

void BadInputs::failsAndGoesOn()
{
    QFETCH(Preparer, prepare);
    QFETCH(qint32, number);
    QFETCH(QString, mentions);
    QTemporaryDir scratch;
    const PreparedJob prepared = prepare(scratch.path());
    if (!prepared.skipReason.isEmpty())
        QSKIP(qPrintable(prepared.skipReason));

    const std::optional<Failure> failure = runThroughSeam(*m_engine, prepared.job);
    QVERIFY2(failure, "the bad input was accepted");
    QVERIFY2(failure->number() == number, qPrintable(QString::number(failure->number()) + u' ' + failure->description()));
    QVERIFY2(failure->description().contains(mentions), qPrintable(failure->description()));

    const QString good = scratch.filePath(QStringLiteral("despres.txt"));
    const std::optional<Failure> later = runThroughSeam(*m_engine, goodReportInto(good).job);
    QVERIFY2(!later, later ? qPrintable(later->description()) : "");
    QVERIFY(QFileInfo(good).size() > 0);
}

void BadInputs::fullDiskKeepsTheFileItReplaces()
{
    QTemporaryDir scratch;
    const QString folder = scratch.filePath(QStringLiteral("ple"));
    const ScratchMount mount = ScratchMount::tmpfs(folder, 8192);
    if (!mount.isMounted())
        QSKIP("mounting a file system needs CAP_SYS_ADMIN");
    const QString target = folder + QStringLiteral("/sortida.txt");
    writeFile(target, "el que hi havia");

    const std::optional<Failure> failure = runThroughSeam(*m_engine, goodReportInto(target).job);
    QVERIFY(failure);
    QFile kept(target);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("el que hi havia"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

QTEST_MAIN(BadInputs)
#include "test_bad_inputs.moc"
