// Whole-or-nothing files: what an export leaves behind when it fails, and
// which targets it refuses.

#include "ExternalTools.h"
#include "FakeReport.h"

#include "engine/core/Failure.h"
#include "engine/writers/ExportErrors.h"
#include "engine/writers/WriteExport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint32 failureNumber(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Failure &failure) {
        return failure.number();
    }
    return 0;
}

const QList<qint32> allFormats{ExportFormat::Text, ExportFormat::Word, ExportFormat::ExcelLayout,
                               ExportFormat::PDF, ExportFormat::ExcelData};

} // namespace

class ExportFilesTest : public QObject {
    Q_OBJECT

private slots:
    void refusedTargetFailsAndLeavesNothing_data()
    {
        QTest::addColumn<QString>("target"); // relative to a fresh folder
        QTest::addColumn<qint32>("number");
        QTest::addColumn<QString>("inMessage");

        QTest::newRow("no name given") << QString() << ExportErrors::NoFileName << QString();
        QTest::newRow("folder does not exist")
            << QStringLiteral("absent/informe.pdf") << ExportErrors::FolderMissing << QStringLiteral("absent");
        // Root ignores folder permissions, so an unwritable folder is
        // stood for by a "folder" that is a plain file.
        QTest::newRow("folder is a file")
            << QStringLiteral("plain.txt/informe.pdf") << ExportErrors::FolderMissing << QStringLiteral("plain.txt");
        QTest::newRow("target is a folder")
            << QStringLiteral("subfolder") << ExportErrors::TargetIsFolder << QStringLiteral("subfolder");
        QTest::newRow("hidden file is never replaced")
            << QStringLiteral(".amagat.pdf") << ExportErrors::HiddenTargetExists << QStringLiteral(".amagat.pdf");
    }

    void refusedTargetFailsAndLeavesNothing()
    {
        QFETCH(QString, target);
        QFETCH(qint32, number);
        QFETCH(QString, inMessage);
        QTemporaryDir folder;
        writeFile(folder.filePath(QStringLiteral("plain.txt")), "text");
        writeFile(folder.filePath(QStringLiteral(".amagat.pdf")), "hidden");
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("subfolder")));
        const QStringList before = filesIn(folder.path());

        FakePageSource pages(2);
        const FakeRecordTable records = sampleRecords();
        for (qint32 format : allFormats) {
            ExportRequest request{.formatType = format, .path = target.isEmpty() ? QString() : folder.filePath(target)};
            request.pages = &pages;
            request.records = &records;
            try {
                writeExport(request, CancelToken());
                QFAIL(qPrintable(QStringLiteral("format %1 did not fail").arg(format)));
            } catch (const Failure &failure) {
                QCOMPARE(failure.number(), number);
                QVERIFY2(failure.description().contains(inMessage), qPrintable(failure.description()));
            }
            QCOMPARE(filesIn(folder.path()), before);
            QCOMPARE(contentsOf(folder.filePath(QStringLiteral(".amagat.pdf"))), QByteArray("hidden"));
        }
    }

    void stoppedExportLeavesOldFileUntouched_data()
    {
        QTest::addColumn<qint32>("format");
        for (qint32 format : allFormats)
            QTest::newRow(qPrintable(QStringLiteral("format %1").arg(format))) << format;
    }

    void stoppedExportLeavesOldFileUntouched()
    {
        QFETCH(qint32, format);
        QTemporaryDir folder;
        const QString target = folder.filePath(QStringLiteral("informe.out"));
        writeFile(target, "previous export");

        CancelToken token;
        FakePageSource pages(3);
        pages.cancelAtPage(&token, 1);
        const FakeRecordTable records(QStringList{QStringLiteral("A")}, 10, [&](qint64 i) {
            if (i == 5)
                token.cancel();
            return std::vector<Value>{Value::integer(i)};
        });
        ExportRequest request{.formatType = format, .path = target};
        request.pages = &pages;
        request.records = &records;
        QCOMPARE(failureNumber([&] { writeExport(request, token); }), ExportErrors::Stopped);
        QCOMPARE(contentsOf(target), QByteArray("previous export"));
        QCOMPARE(filesIn(folder.path()), QStringList{QStringLiteral("informe.out")});
    }

    void ordinaryFileIsReplacedOnSuccess()
    {
        QTemporaryDir folder;
        const QString target = folder.filePath(QStringLiteral("informe.txt"));
        writeFile(target, "previous export");
        FakePageSource pages(1);
        ExportRequest request{.formatType = ExportFormat::Text, .path = target};
        request.pages = &pages;
        writeExport(request, CancelToken());
        QVERIFY(contentsOf(target).contains("Informe de vendes"));
        QCOMPARE(filesIn(folder.path()), QStringList{QStringLiteral("informe.txt")});
    }

    void badRequestFailsBeforeTouchingTheFile_data()
    {
        QTest::addColumn<qint32>("format");
        QTest::addColumn<bool>("withPages");
        QTest::addColumn<bool>("withRecords");
        QTest::addColumn<qint32>("pdfFirst");
        QTest::addColumn<qint32>("number");

        QTest::newRow("unknown format code") << 99 << true << true << 2 << ExportErrors::UnknownFormat;
        QTest::newRow("page formats need pages") << qint32(ExportFormat::PDF) << false << true << 2
                                                 << ExportErrors::MissingInput;
        QTest::newRow("data export needs records") << qint32(ExportFormat::ExcelData) << true << false << 2
                                                   << ExportErrors::MissingInput;
        QTest::newRow("PDF option out of range") << qint32(ExportFormat::PDF) << true << true << 7
                                                 << ExportErrors::InvalidPdfOption;
    }

    void badRequestFailsBeforeTouchingTheFile()
    {
        QFETCH(qint32, format);
        QFETCH(bool, withPages);
        QFETCH(bool, withRecords);
        QFETCH(qint32, pdfFirst);
        QFETCH(qint32, number);
        QTemporaryDir folder;
        FakePageSource pages(1);
        const FakeRecordTable records = sampleRecords();
        ExportRequest request{.formatType = format, .path = folder.filePath(QStringLiteral("x.out")), .pdfFirstOption = pdfFirst};
        request.pages = withPages ? &pages : nullptr;
        request.records = withRecords ? &records : nullptr;
        QCOMPARE(failureNumber([&] { writeExport(request, CancelToken()); }), number);
        QVERIFY(filesIn(folder.path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(ExportFilesTest)
#include "test_export_files.moc"
