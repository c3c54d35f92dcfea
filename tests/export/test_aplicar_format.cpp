// How the file name follows the chosen format, and what the chosen format
// writes into the open report's export options.

#include "ExportDialogHarness.h"

#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

const QString text = QStringLiteral("Arxiu de text (txt)");
const QString excel = QStringLiteral("Full de càlcul Excel (xls)");
const QString word = QStringLiteral("Document de Word (doc)");
const QString pdf = QStringLiteral("Portable Document File (pdf)");

QStringList formatTypeCalls(int type)
{
    return {QStringLiteral("exportOptions"), QStringLiteral("exportOptions.setFormatType(%1)").arg(type)};
}

QStringList pdfCalls()
{
    return formatTypeCalls(31)
        + QStringList{QStringLiteral("exportOptions"), QStringLiteral("exportOptions.setPdfFirstOption(2)"),
                      QStringLiteral("exportOptions"), QStringLiteral("exportOptions.setPdfSecondOption(2)")};
}

} // namespace

class TestAplicarFormat : public QObject {
    Q_OBJECT
private slots:
    void pickingAFormat_data();
    void pickingAFormat();
    void aCaptionNotInTheListSelectsNothing();
    void aUsersPickRunsItOnce();
    void withNothingSelectedLeavingTheBoxOnlyCollapsesStops();
    void theFormatTypeStaysAfterCancelling();
};

void TestAplicarFormat::pickingAFormat_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("expectedName");
    QTest::addColumn<QStringList>("expectedCalls");

    QTest::newRow("own ending upper case is kept as typed")
        << "Vendes.XLS" << excel << "Vendes.XLS" << formatTypeCalls(29);
    QTest::newRow("another format's ending is swapped")
        << "Vendes.TXT" << excel << "Vendes.xls" << formatTypeCalls(29);
    QTest::newRow("the swapped extension goes everywhere it stands")
        << "a.txt.b.txt" << excel << "a.xls.b.xls" << formatTypeCalls(29);
    QTest::newRow("the swap ignores case inside the name too")
        << "Vendes.TxT.old.tXt" << excel << "Vendes.xls.old.xls" << formatTypeCalls(29);
    QTest::newRow("a recognised extension inside the name is swapped as well")
        << "x.doc.doc" << text << "x.txt.txt" << formatTypeCalls(8);
    QTest::newRow("Pdf ending in mixed case is recognised")
        << "Informe.Pdf" << word << "Informe.doc" << formatTypeCalls(14);
    QTest::newRow("no extension: appended")
        << "Vendes" << excel << "Vendes.xls" << formatTypeCalls(29);
    QTest::newRow("an unknown extension is kept and the format's appended")
        << "Vendes.csv" << excel << "Vendes.csv.xls" << formatTypeCalls(29);
    QTest::newRow("four-letter extension is not the three-letter one")
        << "Informe.DOCX" << word << "Informe.DOCX.doc" << formatTypeCalls(14);
    QTest::newRow("trailing stop: appended, then the doubled stop collapses")
        << "Vendes." << word << "Vendes.doc" << formatTypeCalls(14);
    QTest::newRow("three stops become two: one pass, no overlap")
        << "a...b" << text << "a..b.txt" << formatTypeCalls(8);
    QTest::newRow("four stops become two")
        << "a....b.txt" << text << "a..b.txt" << formatTypeCalls(8);
    QTest::newRow("one character: the whole name is the ending tested")
        << "a" << text << "a.txt" << formatTypeCalls(8);
    QTest::newRow("two characters: appended")
        << "ab" << text << "ab.txt" << formatTypeCalls(8);
    QTest::newRow("three characters like an ending without its stop")
        << "TXT" << text << "TXT.txt" << formatTypeCalls(8);
    QTest::newRow("four characters that are an ending alone are swapped")
        << ".doc" << excel << ".xls" << formatTypeCalls(29);
    QTest::newRow("four characters ending in the letters only: appended")
        << "xpdf" << pdf << "xpdf.pdf" << pdfCalls();
    QTest::newRow("PDF already named: name kept, type then both options in order")
        << "Informe.pdf" << pdf << "Informe.pdf" << pdfCalls();
    QTest::newRow("PDF appended: options still after the type")
        << "Informe" << pdf << "Informe.pdf" << pdfCalls();
    QTest::newRow("the designed name with Word")
        << "ZelExport.txt" << word << "ZelExport.doc" << formatTypeCalls(14);
    QTest::newRow("blanks around the name are left for the user")
        << " Vendes " << text << " Vendes .txt" << formatTypeCalls(8);
    QTest::newRow("empty name: nothing at all, not even the format type")
        << "" << pdf << "" << QStringList();
}

void TestAplicarFormat::pickingAFormat()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, expectedName);
    QFETCH(QStringList, expectedCalls);

    DialogScene scene;
    auto &dialog = scene.dialog;
    auto &report = scene.report;
    dialog->txtNouFitxer()->setText(name);

    QVERIFY(dialog->selectFormatByText(caption));

    QCOMPARE(dialog->comboFormat()->currentText(), caption);
    QCOMPARE(dialog->txtNouFitxer()->text(), expectedName);
    QCOMPARE(report.calls(), expectedCalls);
    QVERIFY(scene.messages.shown.isEmpty());
}

void TestAplicarFormat::aCaptionNotInTheListSelectsNothing()
{
    DialogScene scene;
    auto &dialog = scene.dialog;
    auto &report = scene.report;

    QVERIFY(!dialog->selectFormatByText(QStringLiteral("document de word (doc)")));

    QCOMPARE(dialog->comboFormat()->currentIndex(), -1);
    QCOMPARE(dialog->txtNouFitxer()->text(), QStringLiteral("ZelExport.txt"));
    QVERIFY(report.calls().isEmpty());
}

void TestAplicarFormat::aUsersPickRunsItOnce()
{
    DialogScene scene;
    QVERIFY(scene.show());
    auto &dialog = scene.dialog;
    auto &report = scene.report;
    dialog->comboFormat()->setFocus();

    QTest::keyClick(dialog->comboFormat(), Qt::Key_Down);
    QTest::keyClick(dialog->comboFormat(), Qt::Key_Down);

    // The first key picks the text entry, the second the Excel one.
    QCOMPARE(report.calls(), formatTypeCalls(8) + formatTypeCalls(29));
    QCOMPARE(dialog->txtNouFitxer()->text(), QStringLiteral("ZelExport.xls"));
}

void TestAplicarFormat::withNothingSelectedLeavingTheBoxOnlyCollapsesStops()
{
    DialogScene scene;
    QVERIFY(scene.show());
    auto &dialog = scene.dialog;
    auto &report = scene.report;
    dialog->txtNouFitxer()->setFocus();
    dialog->txtNouFitxer()->setText(QStringLiteral("a...b"));

    QTest::keyClick(dialog->txtNouFitxer(), Qt::Key_Tab);

    QCOMPARE(dialog->txtNouFitxer()->text(), QStringLiteral("a..b"));
    QVERIFY(report.calls().isEmpty());
}

void TestAplicarFormat::theFormatTypeStaysAfterCancelling()
{
    DialogScene scene;
    auto &dialog = scene.dialog;
    auto &report = scene.report;
    dialog->show();
    dialog->selectFormatByText(word);

    dialog->design().cmdCancelar->click();

    QVERIFY(!dialog->isVisible());
    QCOMPARE(report.state().formatType, 14);
}

QTEST_MAIN(TestAplicarFormat)
#include "test_aplicar_format.moc"
