// The export dialog as the user meets it: what loading shows, the limits of
// the boxes, the keys that must do nothing, file names with forbidden
// characters, and the folder taken from the folder chooser.

#include "ExportDialogHarness.h"
#include "export/frmTriaCarpeta.h"

#include <QAccessible>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

const QString warningText =
    QStringLiteral("No es pot emprar cap dels caràcters \\/:*?<>|\" en un nom de fitxer.");

// What a screen reader says the control is: on Linux Qt names a drop-down
// list by its selected entry and points to its label through a relation.
QString announcedName(QAccessibleInterface *seen)
{
    const auto labels = seen->relations(QAccessible::Label);
    return labels.isEmpty() ? seen->text(QAccessible::Name) : labels.first().first->text(QAccessible::Name);
}

QWidget *control(const frmCRExport &dialog, const QString &name)
{
    return dialog.findChild<QWidget *>(name);
}

} // namespace

class TestExportDialog : public QObject {
    Q_OBJECT
private slots:
    void loadingShowsAnEmptyFolderAndFourFormats();
    void theWindowCannotBeResized();
    void assignedTextIsCutToTheLimits_data();
    void assignedTextIsCutToTheLimits();
    void typingStopsAtTheLimitAndNotInTheFolderBox();
    void enterAndEscapeDoNothing_data();
    void enterAndEscapeDoNothing();
    void focusStartsOnCancelAndFollowsTheTabOrder();
    void everyControlIsNamedForAssistiveTechnology_data();
    void everyControlIsNamedForAssistiveTechnology();
    void buttonColoursShow_data();
    void buttonColoursShow();
    void leavingTheNameBoxChecksTheName_data();
    void leavingTheNameBoxChecksTheName();
    void leavingTheNameBoxRunsBeforeTheClick();
    void theFolderComesFromTheChooser_data();
    void theFolderComesFromTheChooser();
};

void TestExportDialog::loadingShowsAnEmptyFolderAndFourFormats()
{
    DialogScene scene;
    auto &dialog = scene.dialog;

    QCOMPARE(dialog->windowTitle(), QStringLiteral("Exportador de Crystal Reports"));
    QCOMPARE(dialog->design().txtNovaCarpeta->text(), QString());
    QCOMPARE(dialog->txtNouFitxer()->text(), QStringLiteral("ZelExport.txt"));
    QStringList entries;
    for (int i = 0; i < dialog->comboFormat()->count(); ++i)
        entries.append(dialog->comboFormat()->itemText(i));
    QCOMPARE(entries, (QStringList{QStringLiteral("Arxiu de text (txt)"), QStringLiteral("Full de càlcul Excel (xls)"),
                                   QStringLiteral("Document de Word (doc)"),
                                   QStringLiteral("Portable Document File (pdf)")}));
    QCOMPARE(dialog->comboFormat()->currentText(), QString());
    QVERIFY(scene.report.calls().isEmpty());
}

void TestExportDialog::theWindowCannotBeResized()
{
    DialogScene scene;
    auto &dialog = scene.dialog;

    // 8835 x 1350 twips at 15 twips to a pixel.
    QCOMPARE(dialog->minimumSize(), QSize(589, 90));
    QCOMPARE(dialog->maximumSize(), QSize(589, 90));
    QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

void TestExportDialog::assignedTextIsCutToTheLimits_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("limit");
    QTest::newRow("a folder longer than 100 characters") << "txtNovaCarpeta" << 100;
    QTest::newRow("a caller's preset name longer than 50") << "txtNouFitxer" << 50;
}

void TestExportDialog::assignedTextIsCutToTheLimits()
{
    QFETCH(QString, box);
    QFETCH(int, limit);
    DialogScene scene;
    auto &dialog = scene.dialog;
    auto *edit = qobject_cast<QLineEdit *>(control(*dialog, box));
    const QString longText = QStringLiteral("0123456789").repeated(12);

    edit->setText(longText);

    QCOMPARE(edit->text(), longText.left(limit));
}

void TestExportDialog::typingStopsAtTheLimitAndNotInTheFolderBox()
{
    DialogScene scene;
    QVERIFY(scene.show());
    auto &dialog = scene.dialog;
    dialog->txtNouFitxer()->setText(QString(49, u'n'));
    dialog->txtNouFitxer()->setFocus();
    dialog->txtNouFitxer()->end(false);

    QTest::keyClicks(dialog->txtNouFitxer(), QStringLiteral("xy"));
    dialog->design().txtNovaCarpeta->setFocus();
    QTest::keyClicks(dialog->design().txtNovaCarpeta, QStringLiteral("typed"));

    QCOMPARE(dialog->txtNouFitxer()->text(), QString(49, u'n') + u'x');
    QCOMPARE(dialog->design().txtNovaCarpeta->text(), QString());
}

void TestExportDialog::enterAndEscapeDoNothing_data()
{
    QTest::addColumn<QString>("focused");
    QTest::addColumn<int>("key");
    for (const char *name : {"cmdCancelar", "cmdAcceptar", "comboFormat", "txtNouFitxer", "txtNovaCarpeta",
                             "cmdExplorar"}) {
        QTest::addRow("Enter on %s", name) << QString::fromLatin1(name) << int(Qt::Key_Return);
        QTest::addRow("keypad Enter on %s", name) << QString::fromLatin1(name) << int(Qt::Key_Enter);
        QTest::addRow("Escape on %s", name) << QString::fromLatin1(name) << int(Qt::Key_Escape);
    }
}

void TestExportDialog::enterAndEscapeDoNothing()
{
    QFETCH(QString, focused);
    QFETCH(int, key);
    DialogScene scene;
    QVERIFY(scene.show());
    auto &dialog = scene.dialog;
    QWidget *target = control(*dialog, focused);
    target->setFocus();

    QTest::keyClick(target, Qt::Key(key));

    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QVERIFY(!scene.report.calls().contains(QStringLiteral("export(false)")));
    QVERIFY(scene.messages.shown.isEmpty());
}

void TestExportDialog::focusStartsOnCancelAndFollowsTheTabOrder()
{
    DialogScene scene;
    QVERIFY(scene.show());

    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget()->objectName());
    }

    QCOMPARE(visited, (QStringList{QStringLiteral("cmdCancelar"), QStringLiteral("cmdAcceptar"),
                                   QStringLiteral("comboFormat"), QStringLiteral("txtNouFitxer"),
                                   QStringLiteral("txtNovaCarpeta"), QStringLiteral("cmdExplorar"),
                                   QStringLiteral("cmdCancelar")}));
}

void TestExportDialog::everyControlIsNamedForAssistiveTechnology_data()
{
    QTest::addColumn<QString>("controlName");
    QTest::addColumn<QString>("accessibleName");
    QTest::newRow("format list, named by its label") << "comboFormat" << "Format";
    QTest::newRow("folder box, named by its label") << "txtNovaCarpeta" << "Carpeta";
    QTest::newRow("file name box, named by its label") << "txtNouFitxer" << "Nom d'arxiu";
    QTest::newRow("browse button, by its caption") << "cmdExplorar" << "explorar...";
    QTest::newRow("cancel button, by its caption") << "cmdCancelar" << "Cancelar";
    QTest::newRow("accept button, by its caption") << "cmdAcceptar" << "Acceptar";
}

void TestExportDialog::everyControlIsNamedForAssistiveTechnology()
{
    QFETCH(QString, controlName);
    QFETCH(QString, accessibleName);
    DialogScene scene;
    auto &dialog = scene.dialog;
    dialog->selectFormatByText(QStringLiteral("Portable Document File (pdf)"));

    QAccessibleInterface *seen = QAccessible::queryAccessibleInterface(control(*dialog, controlName));

    QVERIFY(seen);
    QCOMPARE(announcedName(seen), accessibleName);
}

void TestExportDialog::buttonColoursShow_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("browse: light orange") << "cmdExplorar" << QColor(255, 224, 192);
    QTest::newRow("cancel: light pink") << "cmdCancelar" << QColor(255, 192, 192);
    QTest::newRow("accept: light green") << "cmdAcceptar" << QColor(192, 255, 192);
}

void TestExportDialog::buttonColoursShow()
{
    QFETCH(QString, button);
    QFETCH(QColor, colour);
    DialogScene scene;
    QVERIFY(scene.show());
    auto &dialog = scene.dialog;

    const QImage drawn = control(*dialog, button)->grab().toImage();

    // Inside the frame, clear of the caption.
    QCOMPARE(drawn.pixelColor(4, 4), colour);
}

void TestExportDialog::leavingTheNameBoxChecksTheName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("refused");
    QTest::newRow("backslash") << "a\\b.txt" << true;
    QTest::newRow("slash") << "a/b.txt" << true;
    QTest::newRow("colon, as in a drive") << "C:Informe.txt" << true;
    QTest::newRow("asterisk") << "a*b.txt" << true;
    QTest::newRow("question mark") << "a?b.txt" << true;
    QTest::newRow("less-than") << "a<b.txt" << true;
    QTest::newRow("greater-than") << "a>b.txt" << true;
    QTest::newRow("vertical bar") << "a|b.txt" << true;
    QTest::newRow("double quote") << "a\"b.txt" << true;
    QTest::newRow("all nine still give one warning") << "\\/:*?<>|\"" << true;
    QTest::newRow("blanks, accents and stops are fine") << "Vendes d'març 2.txt" << false;
    QTest::newRow("single quote is fine") << "l'any.txt" << false;
    QTest::newRow("empty is acceptable") << "" << false;
}

void TestExportDialog::leavingTheNameBoxChecksTheName()
{
    QFETCH(QString, name);
    QFETCH(bool, refused);
    DialogScene scene;
    QVERIFY(scene.show());
    auto &dialog = scene.dialog;
    dialog->txtNouFitxer()->setFocus();
    dialog->txtNouFitxer()->setText(name);

    QTest::keyClick(dialog->txtNouFitxer(), Qt::Key_Tab);

    if (refused) {
        QCOMPARE(scene.messages.shown.size(), 1);
        const MessageBoxRequest &warning = scene.messages.shown.first();
        QCOMPARE(warning.text, warningText);
        QCOMPARE(warning.icon, QMessageBox::Warning);
        QCOMPARE(warning.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(warning.shownTitle(), QStringLiteral("Velmora"));
        QCOMPARE(dialog->txtNouFitxer()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), dialog->txtNouFitxer());
    } else {
        QVERIFY(scene.messages.shown.isEmpty());
        QCOMPARE(dialog->txtNouFitxer()->text(), name);
        QCOMPARE(QApplication::focusWidget(), dialog->design().txtNovaCarpeta);
    }
}

void TestExportDialog::leavingTheNameBoxRunsBeforeTheClick()
{
    DialogScene scene;
    QVERIFY(scene.show());
    auto &dialog = scene.dialog;
    dialog->selectFormatByText(QStringLiteral("Document de Word (doc)"));
    scene.report.state().log.clear();
    dialog->txtNouFitxer()->setFocus();
    dialog->txtNouFitxer()->setText(QStringLiteral("Informe"));

    QTest::mouseClick(dialog->design().cmdAcceptar, Qt::LeftButton);

    // The extension follows the format before the path is built.
    QCOMPARE(scene.report.calls(),
             (QStringList{QStringLiteral("exportOptions"), QStringLiteral("exportOptions.setFormatType(14)"),
                          QStringLiteral("exportOptions"), QStringLiteral("exportOptions.setDestinationType(1)"),
                          QStringLiteral("exportOptions"), QStringLiteral("exportOptions.setDiskFileName(Informe.doc)"),
                          QStringLiteral("export(false)")}));
}

void TestExportDialog::theFolderComesFromTheChooser_data()
{
    QTest::addColumn<QString>("subfolder");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("fromRoot");
    QTest::newRow("a chosen folder gets its separator") << "Informes" << true << false;
    QTest::newRow("a folder over 100 characters with its separator is cut")
        << QStringLiteral("llarg").repeated(25) << true << false;
    QTest::newRow("the root already ends in the separator") << "" << true << true;
    QTest::newRow("cancelling keeps the folder box") << "Informes" << false << false;
}

void TestExportDialog::theFolderComesFromTheChooser()
{
    QFETCH(QString, subfolder);
    QFETCH(bool, accepted);
    QFETCH(bool, fromRoot);
    QTemporaryDir temporary;
    const QString browsedTo = fromRoot ? QStringLiteral("/") : QDir(temporary.path()).filePath(subfolder);
    QVERIFY(QDir().mkpath(browsedTo));
    DialogScene scene;
    QVERIFY(scene.show());
    auto &dialog = scene.dialog;
    dialog->design().txtNovaCarpeta->setText(temporary.path() + u'/');

    whenModalShown<frmTriaCarpeta>([accepted, browsedTo](frmTriaCarpeta &chooser) {
        chooser.design().DirList->setPath(browsedTo);
        (accepted ? chooser.design().cmdAcceptar : chooser.design().cmdCancelar)->click();
    });
    QTest::mouseClick(dialog->design().cmdExplorar, Qt::LeftButton);

    const QString expected = !accepted ? temporary.path() + u'/'
        : fromRoot                     ? QStringLiteral("/")
                                       : QString(browsedTo + u'/').left(100);
    QCOMPARE(dialog->design().txtNovaCarpeta->text(), expected);
    QVERIFY(scene.messages.shown.isEmpty());
}

QTEST_MAIN(TestExportDialog)
#include "test_export_dialog.moc"
