// The page-margins dialog over the recording engine (A4 paper, 11906 x 16838
// twips) and the margins command of the viewer window.

#include "export/GraphicalButton.h"
#include "viewer/frmCRViewer.h"
#include "viewer/frmMarges.h"
#include "../export/ExportDialogHarness.h"

#include <QLabel>
#include <QLineEdit>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {

using Texts = std::array<QString, 4>;

struct MarginsScene {
    OpenReport report;
    MessageRecorder messages;

    std::unique_ptr<frmMarges> load(const QMargins &reportMargins)
    {
        report.glcrxReport->setPageMargins(reportMargins);
        report.state().log.clear();
        auto dialog = std::make_unique<frmMarges>(report.glcrxReport);
        dialog->setMessageBoxFunction(messages.function());
        return dialog;
    }
    QStringList writes() const { return report.calls().filter(QStringLiteral("setPageMargins")); }
};

Texts textsOf(const frmMarges &dialog)
{
    Texts texts;
    for (size_t side = 0; side < texts.size(); ++side)
        texts[side] = dialog.design().txtMarge[side]->text();
    return texts;
}

void type(frmMarges &dialog, const Texts &texts)
{
    for (size_t side = 0; side < texts.size(); ++side)
        dialog.design().txtMarge[side]->setText(texts[side]);
}

QString logged(const QMargins &m)
{
    return QStringLiteral("setPageMargins(%1,%2,%3,%4)").arg(m.left()).arg(m.top()).arg(m.right()).arg(m.bottom());
}

const QMargins twoCentimetres(1134, 1134, 1134, 1134);

} // namespace

Q_DECLARE_METATYPE(Texts)

class TestFrmMarges : public QObject {
    Q_OBJECT
private slots:
    void showsTheReportsMarginsInMillimetres_data();
    void showsTheReportsMarginsInMillimetres();
    void acceptWritesTheMarginsBackInTwips_data();
    void acceptWritesTheMarginsBackInTwips();
    void badValuesAreRefusedAndNothingIsWritten_data();
    void badValuesAreRefusedAndNothingIsWritten();
    void keysAndButtonsCloseAsAnOrdinaryDialog_data();
    void keysAndButtonsCloseAsAnOrdinaryDialog();
    void marginsCommandShowsTheDialogThenViewsTheReportAgain_data();
    void marginsCommandShowsTheDialogThenViewsTheReportAgain();
    void designLooks();
};

void TestFrmMarges::showsTheReportsMarginsInMillimetres_data()
{
    QTest::addColumn<QMargins>("margins");
    QTest::addColumn<Texts>("texts");
    QTest::newRow("567 twips are 10.001 mm, shown to a tenth")
        << QMargins(567, 1134, 1440, 0) << Texts{u"10,0"_s, u"20,0"_s, u"25,4"_s, u"0,0"_s};
    QTest::newRow("one twip is 0.018 mm, shown as nothing")
        << QMargins(1, 2, 3, 4) << Texts{u"0,0"_s, u"0,0"_s, u"0,1"_s, u"0,1"_s};
}

void TestFrmMarges::showsTheReportsMarginsInMillimetres()
{
    QFETCH(QMargins, margins);
    QFETCH(Texts, texts);
    MarginsScene scene;
    const auto dialog = scene.load(margins);
    QCOMPARE(textsOf(*dialog), texts);
    QCOMPARE(dialog->design().lblPaper->text(), QStringLiteral("Paper: 210,0 × 297,0 mm"));
    QVERIFY2(scene.writes().isEmpty(), "loading only reads");
}

void TestFrmMarges::acceptWritesTheMarginsBackInTwips_data()
{
    QTest::addColumn<QMargins>("reportMargins");
    QTest::addColumn<Texts>("typed");
    QTest::addColumn<QMargins>("written");

    const QMargins odd(1000, 999, 1001, 7);
    QTest::newRow("untouched boxes keep the report's exact twips, not the tenth shown")
        << odd << Texts{u"17,6"_s, u"17,6"_s, u"17,7"_s, u"0,1"_s} << odd;
    QTest::newRow("one inch with a decimal comma is 1440 twips")
        << twoCentimetres << Texts{u"25,4"_s, u"20,0"_s, u"20,0"_s, u"20,0"_s} << QMargins(1440, 1134, 1134, 1134);
    QTest::newRow("a decimal point is read as well")
        << twoCentimetres << Texts{u"20,0"_s, u"12.7"_s, u"20,0"_s, u"20,0"_s} << QMargins(1134, 720, 1134, 1134);
    QTest::newRow("a tenth of a millimetre, 5.67 twips, rounds to 6")
        << twoCentimetres << Texts{u"0,1"_s, u"20,0"_s, u"20,0"_s, u"20,0"_s} << QMargins(6, 1134, 1134, 1134);
    QTest::newRow("no margins at all, blanks around the number")
        << twoCentimetres << Texts{u" 0 "_s, u"0"_s, u"0,0"_s, u"0"_s} << QMargins(0, 0, 0, 0);
    QTest::newRow("left and right 1 mm short of the A4 width leave room")
        << twoCentimetres << Texts{u"100"_s, u"20,0"_s, u"109"_s, u"20,0"_s} << QMargins(5669, 1134, 6180, 1134);
}

void TestFrmMarges::acceptWritesTheMarginsBackInTwips()
{
    QFETCH(QMargins, reportMargins);
    QFETCH(Texts, typed);
    QFETCH(QMargins, written);
    MarginsScene scene;
    const auto dialog = scene.load(reportMargins);
    type(*dialog, typed);
    dialog->cmdAcceptar_Click();
    QCOMPARE(scene.writes(), QStringList{logged(written)});
    QCOMPARE(scene.report.glcrxReport->pageMargins(), written);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QVERIFY(scene.messages.shown.isEmpty());
}

void TestFrmMarges::badValuesAreRefusedAndNothingIsWritten_data()
{
    QTest::addColumn<Texts>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("culprit");

    QTest::newRow("a negative margin")
        << Texts{u"20,0"_s, u"20,0"_s, u"-1"_s, u"20,0"_s} << u"El marge dret no pot ser negatiu."_s << 2;
    QTest::newRow("a word where a number goes")
        << Texts{u"20,0"_s, u"vint"_s, u"20,0"_s, u"20,0"_s}
        << u"El marge superior ha de ser un nombre de mil·límetres, com ara 20,0."_s << 1;
    QTest::newRow("an emptied box")
        << Texts{u""_s, u"20,0"_s, u"20,0"_s, u"20,0"_s}
        << u"El marge esquerre ha de ser un nombre de mil·límetres, com ara 20,0."_s << 0;
    QTest::newRow("left and right together as wide as A4")
        << Texts{u"105"_s, u"20,0"_s, u"105,1"_s, u"20,0"_s}
        << u"Els marges esquerre i dret junts ocupen tota l'amplada del paper (210,0 mm). Cal que sumin menys."_s << 0;
    QTest::newRow("top and bottom taller than A4")
        << Texts{u"20,0"_s, u"150"_s, u"20,0"_s, u"150"_s}
        << u"Els marges superior i inferior junts ocupen tota l'alçada del paper (297,0 mm). Cal que sumin menys."_s << 1;
    QTest::newRow("a number too large for any paper does not wrap round to a small one")
        << Texts{u"20,0"_s, u"20,0"_s, u"20,0"_s, u"1e30"_s}
        << u"Els marges superior i inferior junts ocupen tota l'alçada del paper (297,0 mm). Cal que sumin menys."_s << 1;
}

void TestFrmMarges::badValuesAreRefusedAndNothingIsWritten()
{
    QFETCH(Texts, typed);
    QFETCH(QString, message);
    QFETCH(int, culprit);
    MarginsScene scene;
    const auto dialog = scene.load(twoCentimetres);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    type(*dialog, typed);
    dialog->cmdAcceptar_Click();

    QCOMPARE(scene.messages.texts(), QStringList{message});
    QCOMPARE(scene.messages.shown.front().icon, QMessageBox::Warning);
    QCOMPARE(scene.messages.shown.front().shownTitle(), QStringLiteral("Velmora"));
    QVERIFY(scene.writes().isEmpty());
    QVERIFY2(dialog->isVisible(), "the dialog stays open for a correction");
    QCOMPARE(QApplication::focusWidget(), dialog->design().txtMarge[culprit]);
}

void TestFrmMarges::keysAndButtonsCloseAsAnOrdinaryDialog_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("written");
    QTest::newRow("Enter presses Acceptar, the default button") << u"enter"_s << int(QDialog::Accepted) << true;
    QTest::newRow("clicking Acceptar") << u"acceptar"_s << int(QDialog::Accepted) << true;
    QTest::newRow("Escape cancels") << u"escape"_s << int(QDialog::Rejected) << false;
    QTest::newRow("clicking Cancelar") << u"cancelar"_s << int(QDialog::Rejected) << false;
    QTest::newRow("the close box cancels") << u"close"_s << int(QDialog::Rejected) << false;
}

void TestFrmMarges::keysAndButtonsCloseAsAnOrdinaryDialog()
{
    QFETCH(QString, how);
    QFETCH(int, result);
    QFETCH(bool, written);
    MarginsScene scene;
    const auto dialog = scene.load(twoCentimetres);
    QLineEdit *left = dialog->design().txtMarge[0];
    whenModalShown<frmMarges>([&](frmMarges &shown) {
        left->setText(QStringLiteral("30"));
        if (how == u"enter")
            QTest::keyClick(left, Qt::Key_Return);
        else if (how == u"escape")
            QTest::keyClick(left, Qt::Key_Escape);
        else if (how == u"acceptar")
            QTest::mouseClick(shown.design().cmdAcceptar, Qt::LeftButton);
        else if (how == u"cancelar")
            QTest::mouseClick(shown.design().cmdCancelar, Qt::LeftButton);
        else
            shown.close();
    });
    QCOMPARE(dialog->exec(), result);
    QCOMPARE(scene.writes(), written ? QStringList{logged(QMargins(1701, 1134, 1134, 1134))} : QStringList{});
}

void TestFrmMarges::marginsCommandShowsTheDialogThenViewsTheReportAgain_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("accepted: margins written, then the report laid out anew")
        << true << QStringList{logged(QMargins(1134, 2268, 1134, 1134)), u"viewer.viewReport"_s};
    QTest::newRow("cancelled: the report is still viewed again") << false << QStringList{u"viewer.viewReport"_s};
}

void TestFrmMarges::marginsCommandShowsTheDialogThenViewsTheReportAgain()
{
    QFETCH(bool, accept);
    QFETCH(QStringList, calls);
    OpenReport report;
    frmCRViewer window(report.glcrxReport, report.engine);
    bool hadOwner = true, modal = false;
    whenModalShown<frmMarges>([&](frmMarges &dialog) {
        hadOwner = dialog.parentWidget() != nullptr;
        modal = dialog.isModal();
        dialog.design().txtMarge[1]->setText(QStringLiteral("40"));
        (accept ? dialog.design().cmdAcceptar : dialog.design().cmdCancelar)->click();
    });
    window.design().cmdMarges->click();
    QCOMPARE(report.calls(), calls);
    QVERIFY(!hadOwner);
    QVERIFY(modal);
}

void TestFrmMarges::designLooks()
{
    MarginsScene scene;
    const auto dialog = scene.load(twoCentimetres);
    const frmMargesDesign &design = dialog->design();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Marges d'impressió"));
    QCOMPARE(design.cmdAcceptar->text(), QStringLiteral("Acceptar"));
    QCOMPARE(design.cmdAcceptar->backgroundColour(), QColor(192, 255, 192));
    QCOMPARE(design.cmdCancelar->text(), QStringLiteral("Cancelar"));
    QCOMPARE(design.cmdCancelar->backgroundColour(), QColor(255, 192, 192));
    const QStringList sides{u"esquerre"_s, u"superior"_s, u"dret"_s, u"inferior"_s};
    for (size_t side = 0; side < 4; ++side) {
        QCOMPARE(design.lblUnitat[side]->text(), QStringLiteral("mm"));
        QCOMPARE(design.lblMarge[side]->buddy(), design.txtMarge[side]);
        QCOMPARE(design.txtMarge[side]->accessibleName(),
                 QStringLiteral("Marge %1, en mil·límetres").arg(sides[int(side)]));
        QVERIFY2(dialog->rect().contains(design.txtMarge[side]->geometry()), "every box fits the dialog");
    }
    QVERIFY(dialog->rect().contains(design.cmdAcceptar->geometry()));
}

QTEST_MAIN(TestFrmMarges)
#include "test_frmMarges.moc"
