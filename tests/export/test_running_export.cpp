// Clicking Acceptar: the path, the question before replacing a file, the
// engine calls, and what the user's old file looks like after each outcome.

#include "ExportDialogHarness.h"
#include "engine/core/Failure.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

const QByteArray oldContents("informe antic");
const QByteArray newContents("informe nou");

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

// The engine's writers build the new file beside the target and rename it
// over the old one only when it is complete.
void writeLikeTheEngine(RecordingState &state)
{
    QSaveFile file(state.diskFileName);
    if (!file.open(QIODevice::WriteOnly))
        throw Failure(6001, QStringLiteral("No es pot crear l'arxiu."));
    file.write(newContents);
    if (!file.commit())
        throw Failure(6001, QStringLiteral("No es pot crear l'arxiu."));
}

QStringList exportCalls(const QString &path)
{
    return {QStringLiteral("exportOptions"), QStringLiteral("exportOptions.setDestinationType(1)"),
            QStringLiteral("exportOptions"), QStringLiteral("exportOptions.setDiskFileName(%1)").arg(path),
            QStringLiteral("export(false)")};
}

struct ExportScene : DialogScene {
    QTemporaryDir folder;

    ExportScene()
    {
        report.state().onExport = writeLikeTheEngine;
        dialog->design().txtNovaCarpeta->setText(folder.path() + u'/');
        dialog->show();
    }
    QString pathOf(const QString &name) const { return folder.path() + u'/' + name; }
    void clickAcceptar(const QString &name)
    {
        dialog->txtNouFitxer()->setText(name);
        dialog->design().cmdAcceptar->click();
    }
};

} // namespace

class TestRunningExport : public QObject {
    Q_OBJECT
private slots:
    void aNewFileIsExportedAndTheDialogCloses_data();
    void aNewFileIsExportedAndTheDialogCloses();
    void aBlankNameDoesNothing();
    void anEmptyFolderWritesUnderTheBareName();
    void anExistingFileIsReplacedOnlyWhenTheUserSaysYes_data();
    void anExistingFileIsReplacedOnlyWhenTheUserSaysYes();
    void aFileThatCannotBeDeletedIsRefusedBeforeExporting_data();
    void aFileThatCannotBeDeletedIsRefusedBeforeExporting();
    void withNoOpenReportTheUserIsTold();
};

void TestRunningExport::aNewFileIsExportedAndTheDialogCloses_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("the designed name") << "ZelExport.txt";
    QTest::newRow("a leading blank is kept in the path") << " Informe.txt";
    QTest::newRow("a hidden file of that name is not seen, so nothing is asked") << ".Informe.txt";
}

void TestRunningExport::aNewFileIsExportedAndTheDialogCloses()
{
    QFETCH(QString, name);
    ExportScene scene;
    writeFile(scene.pathOf(QStringLiteral(".Informe.txt")), oldContents);

    scene.clickAcceptar(name);

    QVERIFY(scene.messages.shown.isEmpty());
    QCOMPARE(scene.report.calls(), exportCalls(scene.pathOf(name)));
    QCOMPARE(contentsOf(scene.pathOf(name)), newContents);
    QVERIFY(!scene.dialog->isVisible());
    QCOMPARE(scene.dialog->result(), int(QDialog::Accepted));
}

void TestRunningExport::aBlankNameDoesNothing()
{
    ExportScene scene;

    scene.clickAcceptar(QStringLiteral("   "));

    QVERIFY(scene.messages.shown.isEmpty());
    QVERIFY(scene.report.calls().isEmpty());
    QVERIFY(scene.dialog->isVisible());
}

void TestRunningExport::anEmptyFolderWritesUnderTheBareName()
{
    ExportScene scene;
    scene.report.state().onExport = nullptr;
    scene.dialog->design().txtNovaCarpeta->clear();

    scene.clickAcceptar(QStringLiteral("Informe.pdf"));

    QCOMPARE(scene.report.calls(), exportCalls(QStringLiteral("Informe.pdf")));
}

void TestRunningExport::anExistingFileIsReplacedOnlyWhenTheUserSaysYes_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("engineFails");
    QTest::addColumn<bool>("exported");
    QTest::addColumn<QByteArray>("contentsAfter");
    QTest::addColumn<QString>("failureShown");
    QTest::addColumn<bool>("dialogOpen");

    QTest::newRow("Yes: the new file replaces the old one and the dialog closes")
        << int(QMessageBox::Yes) << false << true << newContents << QString() << false;
    QTest::newRow("Yes but the engine fails: the old file survives, the failure is shown, the dialog stays")
        << int(QMessageBox::Yes) << true << true << oldContents << QStringLiteral("6010 El disc és ple.") << true;
    QTest::newRow("No: nothing exported, nothing touched, no further message")
        << int(QMessageBox::No) << false << false << oldContents << QString() << true;
}

void TestRunningExport::anExistingFileIsReplacedOnlyWhenTheUserSaysYes()
{
    QFETCH(int, answer);
    QFETCH(bool, engineFails);
    QFETCH(bool, exported);
    QFETCH(QByteArray, contentsAfter);
    QFETCH(QString, failureShown);
    QFETCH(bool, dialogOpen);
    ExportScene scene;
    const QString target = scene.pathOf(QStringLiteral("Vendes.xls"));
    writeFile(target, oldContents);
    scene.messages.answer = QMessageBox::StandardButton(answer);
    if (engineFails)
        scene.report.state().failures.emplace(QStringLiteral("export("),
                                              Failure(6010, QStringLiteral("El disc és ple.")));

    scene.clickAcceptar(QStringLiteral("Vendes.xls"));

    QVERIFY(!scene.messages.shown.isEmpty());
    const MessageBoxRequest &question = scene.messages.shown.first();
    QCOMPARE(question.text, QStringLiteral("Aquest arxiu ja existeix. Es pot sobreescriure ? "));
    QCOMPARE(question.title, QStringLiteral("Esborrar Anterior"));
    QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(question.defaultButton, QMessageBox::Yes);
    QCOMPARE(question.icon, QMessageBox::NoIcon);

    QCOMPARE(scene.report.calls(), exported ? exportCalls(target) : QStringList());
    QCOMPARE(contentsOf(target), contentsAfter);
    QCOMPARE(scene.messages.shown.size(), failureShown.isEmpty() ? 1 : 2);
    if (!failureShown.isEmpty()) {
        QCOMPARE(scene.messages.shown.last().text, failureShown);
        QCOMPARE(scene.messages.shown.last().icon, QMessageBox::NoIcon);
        QCOMPARE(scene.messages.shown.last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(scene.messages.shown.last().title, QString());
    }
    QCOMPARE(scene.dialog->isVisible(), dialogOpen);
    QCOMPARE(scene.dialog->txtNouFitxer()->text(), QStringLiteral("Vendes.xls"));
}

void TestRunningExport::aFileThatCannotBeDeletedIsRefusedBeforeExporting_data()
{
    QTest::addColumn<bool>("lockFolder");
    QTest::addColumn<int>("failureNumber");
    QTest::newRow("read-only file") << false << 7101;
    QTest::newRow("folder that refuses changes") << true << 7102;
}

void TestRunningExport::aFileThatCannotBeDeletedIsRefusedBeforeExporting()
{
    QFETCH(bool, lockFolder);
    QFETCH(int, failureNumber);
    ExportScene scene;
    const QString target = scene.pathOf(QStringLiteral("Vendes.doc"));
    writeFile(target, oldContents);
    const QString locked = lockFolder ? scene.folder.path() : target;
    const auto permissions = QFile::permissions(locked);
    QFile::setPermissions(locked, permissions & ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup
                                                  | QFile::WriteOther));
    scene.messages.answer = QMessageBox::Yes;

    scene.clickAcceptar(QStringLiteral("Vendes.doc"));
    QFile::setPermissions(locked, permissions);

    QCOMPARE(scene.messages.shown.size(), 2);
    QVERIFY2(scene.messages.shown.last().text.startsWith(QString::number(failureNumber) + u' '),
             qPrintable(scene.messages.shown.last().text));
    QVERIFY(scene.messages.shown.last().text.contains(target));
    QVERIFY(scene.report.calls().isEmpty());
    QCOMPARE(contentsOf(target), oldContents);
    QVERIFY(scene.dialog->isVisible());
}

void TestRunningExport::withNoOpenReportTheUserIsTold()
{
    QTemporaryDir folder;
    std::shared_ptr<EngineReport> glcrxReport;
    MessageRecorder messages;
    frmCRExport dialog(glcrxReport);
    dialog.setMessageBoxFunction(messages.function());
    dialog.design().txtNovaCarpeta->setText(folder.path() + u'/');
    dialog.show();

    dialog.design().cmdAcceptar->click();

    QCOMPARE(messages.texts(), QStringList{QStringLiteral("7105 No hi ha cap informe obert.")});
    QVERIFY(dialog.isVisible());
}

QTEST_MAIN(TestRunningExport)
#include "test_running_export.moc"
