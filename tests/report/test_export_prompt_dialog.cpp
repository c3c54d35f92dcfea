#include "engine/report/ExportPromptDialog.h"
#include "engine/report/SessionExportOptions.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;
using namespace Qt::StringLiterals;

class ExportPromptDialogTest : public QObject {
    Q_OBJECT
private slots:
    void acceptingWritesTheChoiceIntoTheOptions_data()
    {
        QTest::addColumn<qint32>("presetFormat");
        QTest::addColumn<QString>("presetName");
        QTest::addColumn<int>("chosenEntry");
        QTest::addColumn<qint32>("formatType");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<qint32>("pdfOptions");
        QTest::newRow("preset kept: Word stays Word") << 14 << u"informe.doc"_s << -1 << 14 << u"informe.doc"_s << 0;
        QTest::newRow("choosing PDF follows in the extension and sets both PDF options")
            << 8 << u"informe.txt"_s << 4 << 31 << u"informe.pdf"_s << 2;
        QTest::newRow("a name without extension gets one") << 8 << u"informe"_s << 1 << 29 << u"informe.xls"_s << 0;
        QTest::newRow("a dot in a folder name is no extension")
            << 8 << u"v1.2/informe"_s << 3 << 14 << u"v1.2/informe.doc"_s << 0;
        QTest::newRow("an unknown preset format shows the first entry") << 99 << u"a.txt"_s << -1 << 8 << u"a.txt"_s << 0;
        QTest::newRow("Office Open XML layout workbook, 42") << 29 << u"informe.xls"_s << 5 << 42 << u"informe.xlsx"_s << 0;
        QTest::newRow("Office Open XML data workbook, 43") << 8 << u"informe.txt"_s << 6 << 43 << u"informe.xlsx"_s << 0;
        QTest::newRow("CSV with commas, 40") << 36 << u"dades.xls"_s << 7 << 40 << u"dades.csv"_s << 0;
        QTest::newRow("CSV with semicolons, 41") << 36 << u"dades.xls"_s << 8 << 41 << u"dades.csv"_s << 0;
        QTest::newRow("a preset CSV is kept") << 41 << u"dades.csv"_s << -1 << 41 << u"dades.csv"_s << 0;
    }
    void acceptingWritesTheChoiceIntoTheOptions()
    {
        QFETCH(qint32, presetFormat);
        QFETCH(QString, presetName);
        QFETCH(int, chosenEntry);
        QTemporaryDir folder;
        SessionExportOptions options;
        options.setFormatType(presetFormat);
        options.setDiskFileName(folder.filePath(presetName));

        ExportPromptDialog dialog(options, nullptr);
        if (chosenEntry >= 0)
            dialog.findChild<QComboBox *>()->setCurrentIndex(chosenEntry);
        dialog.accept();

        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QTEST(options.formatType(), "formatType");
        QFETCH(QString, fileName);
        QCOMPARE(options.diskFileName(), folder.filePath(fileName));
        QCOMPARE(options.destinationType(), 1);
        QTEST(options.pdfFirstOption(), "pdfOptions");
        QTEST(options.pdfSecondOption(), "pdfOptions");
    }

    void aBlankNameIsNotAccepted()
    {
        SessionExportOptions options;
        options.setFormatType(31);
        ExportPromptDialog dialog(options, nullptr);
        dialog.findChild<QLineEdit *>()->setText(u"   "_s);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(options.destinationType(), 0);
        QCOMPARE(options.diskFileName(), QString());
    }
};

QTEST_MAIN(ExportPromptDialogTest)
#include "test_export_prompt_dialog.moc"
