// The wizard's window walked step by step as a person walks it: the
// database, its tables and links, the fields, groups, totals, a filter and
// the look; the preview follows; every control has a name a screen reader
// says; the database's failures are shown in the engine's own words; and
// "Finalitza" writes a report that opens again with the same choices.

#include "TestData.h"
#include "engine/data/DataErrors.h"
#include "wizard/generator/WizardReportFile.h"
#include "wizard/steps/LivePreview.h"
#include "wizard/steps/WizardWindow.h"

#include <QAbstractItemView>
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;
using namespace velmora::wizard;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {

template<typename Widget>
Widget *control(QWidget *window, const QString &accessibleName)
{
    // Rows a step has just made are shown once the events of their layout are handled.
    QCoreApplication::processEvents();
    for (Widget *widget : window->findChildren<Widget *>())
        if (widget->accessibleName() == accessibleName && widget->isVisibleTo(window))
            return widget;
    return nullptr;
}

void chooseText(QComboBox *combo, const QString &text)
{
    QVERIFY2(combo, "combo box");
    const int index = combo->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    combo->setCurrentIndex(index);
}

void checkItem(QListWidget *list, const QString &text, Qt::CheckState state)
{
    const auto items = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(items.size() == 1, qPrintable(text));
    items.front()->setCheckState(state);
}

} // namespace

class WizardWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ReportEngine> m_engine = createPreviewEngine();
    QTemporaryDir m_dir;
    QStringList m_unnamed;
    std::vector<qint64> m_previewTimes;

    QString statusOf(WizardWindow &window) { return control<QLabel>(&window, u"Avís de l'assistent"_s)->text(); }

    void press(WizardWindow &window, const QString &button)
    {
        auto *found = control<QPushButton>(&window, button);
        QVERIFY2(found, qPrintable(button));
        QVERIFY2(found->isEnabled(), qPrintable(button + u" is disabled"_s));
        found->click();
    }

    /// Every control of the current step and the window's buttons: a name
    /// for the screen reader, and taken by the keyboard.
    void noteUnnamedControls(WizardWindow &window)
    {
        auto *stack = window.findChild<QStackedWidget *>();
        QWidgetList controls;
        for (QWidget *widget : stack->currentWidget()->findChildren<QWidget *>())
            if (qobject_cast<QAbstractButton *>(widget) || qobject_cast<QLineEdit *>(widget)
                || qobject_cast<QComboBox *>(widget) || qobject_cast<QAbstractItemView *>(widget))
                controls << widget;
        for (QPushButton *button : window.findChildren<QPushButton *>(Qt::FindDirectChildrenOnly))
            controls << button;
        for (QWidget *widget : controls) {
            // The tables' own header and corner button are not controls of their own.
            if (!widget->isVisibleTo(&window) || qobject_cast<QHeaderView *>(widget)
                || widget->inherits("QTableCornerButton"))
                continue;
            if (widget->accessibleName().isEmpty() || widget->focusPolicy() == Qt::NoFocus)
                m_unnamed << QStringLiteral("step %1: %2 «%3»")
                                 .arg(window.currentStep() + 1)
                                 .arg(QString::fromLatin1(widget->metaObject()->className()),
                                      widget->property("text").toString());
        }
    }

    /// For looking at the window: VELMORA_WIZARD_SCREENSHOTS=folder keeps a picture of each step.
    static void snapshot(WizardWindow &window)
    {
        const QString folder = qEnvironmentVariable("VELMORA_WIZARD_SCREENSHOTS");
        if (folder.isEmpty())
            return;
        QTest::qWait(300);
        window.grab().save(QDir(folder).filePath(u"pas-%1.png"_s.arg(window.currentStep() + 1)));
    }

    void previewFollows(WizardWindow &window)
    {
        window.refreshPreviewNow();
        snapshot(window);
        QVERIFY2(window.preview()->lastMilliseconds() >= 0, qPrintable(u"no preview at step %1"_s.arg(window.currentStep() + 1)));
        m_previewTimes.push_back(window.preview()->lastMilliseconds());
    }

private slots:
    void databaseFailuresAreTheEnginesWords_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("number");
        QTest::newRow("missing") << m_dir.filePath(u"cap.mdb"_s) << QString() << int(DataErrors::FileMissing);
        QTest::newRow("not an Access file") << sourcePath(u"README.md"_s) << QString() << int(DataErrors::NotAnAccessFile);
        QTest::newRow("wrong password") << testDataPath(u"empresa-clau.mdb"_s) << u"clau"_s << int(DataErrors::WrongPassword);
    }
    void databaseFailuresAreTheEnginesWords()
    {
        QFETCH(QString, file);
        QFETCH(QString, password);
        QFETCH(int, number);
        WizardWindow window(*m_engine);
        window.startWithDatabase(file, password);
        QVERIFY2(statusOf(window).endsWith(u"(error %1)"_s.arg(number)), qPrintable(statusOf(window)));
        press(window, u"Següent"_s);
        QCOMPARE(window.currentStep(), 0);
    }

    void everyStepWalkedMakesTheReport()
    {
        WizardWindow window(*m_engine);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        noteUnnamedControls(window);
        QVERIFY(!control<QPushButton>(&window, u"Enrere"_s)->isEnabled());
        window.startWithDatabase(testDataPath(u"empresa-clau.mdb"_s), u"clau secreta"_s);
        QCOMPARE(control<QListWidget>(&window, u"Taules de la base de dades"_s)->count(), 5);
        snapshot(window);
        press(window, u"Següent"_s);

        // Tables: two without a path between them are refused.
        QCOMPARE(window.currentStep(), 1);
        auto *tables = control<QListWidget>(&window, u"Taules de l'informe"_s);
        checkItem(tables, u"Clients"_s, Qt::Checked);
        checkItem(tables, u"Productes"_s, Qt::Checked);
        press(window, u"Següent"_s);
        QCOMPARE(window.currentStep(), 1);
        QVERIFY2(statusOf(window).contains(u"«Productes»"_s), qPrintable(statusOf(window)));
        checkItem(tables, u"Clients"_s, Qt::Unchecked);
        checkItem(tables, u"Productes"_s, Qt::Unchecked);
        for (const QString &table : {u"LiniesComanda"_s, u"Comandes"_s, u"Clients"_s, u"Productes"_s})
            checkItem(tables, table, Qt::Checked);
        QCOMPARE(control<QTableWidget>(&window, u"Enllaços entre les taules"_s)->rowCount(), 3);
        chooseText(control<QComboBox>(&window, u"Unió de Comandes amb Clients"_s),
                   u"Externa: tots els registres de la primera taula"_s);
        noteUnnamedControls(window);
        previewFollows(window);
        press(window, u"Següent"_s);

        // Fields, one heading renamed.
        QCOMPARE(window.currentStep(), 2);
        auto *available = control<QListWidget>(&window, u"Camps disponibles"_s);
        for (const QString &field : {u"Comandes.IdComanda"_s, u"Productes.Descripcio"_s, u"LiniesComanda.Quantitat"_s}) {
            available->setCurrentItem(available->findItems(field, Qt::MatchExactly).value(0));
            press(window, u"Afegeix el camp a l'informe"_s);
        }
        auto *chosen = control<QTableWidget>(&window, u"Camps de l'informe i els seus títols"_s);
        QCOMPARE(chosen->rowCount(), 3);
        chosen->item(1, 1)->setText(u"Producte"_s);
        noteUnnamedControls(window);
        previewFollows(window);
        press(window, u"Següent"_s);

        // Groups and sorts.
        QCOMPARE(window.currentStep(), 3);
        chooseText(control<QComboBox>(&window, u"Grup 1"_s), u"Clients.Pais"_s);
        chooseText(control<QComboBox>(&window, u"Grup 2"_s), u"Clients.Nom"_s);
        chooseText(control<QComboBox>(&window, u"Ordena per 1"_s), u"Comandes.DataComanda"_s);
        chooseText(control<QComboBox>(&window, u"Ordre de: Ordena per 1"_s), u"Descendent (Z-A, 9-0)"_s);
        noteUnnamedControls(window);
        previewFollows(window);
        press(window, u"Següent"_s);

        // Totals: only the numeric fields are offered.
        QCOMPARE(window.currentStep(), 4);
        QVERIFY(!control<QCheckBox>(&window, u"Suma de Descripcio"_s));
        control<QCheckBox>(&window, u"Suma de Quantitat"_s)->setChecked(true);
        control<QCheckBox>(&window, u"Màxim de Quantitat"_s)->setChecked(true);
        noteUnnamedControls(window);
        previewFollows(window);
        press(window, u"Següent"_s);

        // Filter: a wrong value stops the step, an asked one passes.
        QCOMPARE(window.currentStep(), 5);
        press(window, u"Afegeix una condició"_s);
        chooseText(control<QComboBox>(&window, u"Camp de la condició 1"_s), u"LiniesComanda.Quantitat"_s);
        control<QLineEdit>(&window, u"Valor de la condició 1"_s)->setText(u"molts"_s);
        press(window, u"Següent"_s);
        QCOMPARE(window.currentStep(), 5);
        QVERIFY2(statusOf(window).contains(u"molts"_s), qPrintable(statusOf(window)));
        chooseText(control<QComboBox>(&window, u"Camp de la condició 1"_s), u"Clients.Pais"_s);
        control<QLineEdit>(&window, u"Valor de la condició 1"_s)->setText(u"Andorra"_s);
        control<QCheckBox>(&window, u"Pregunta el valor de la condició 1 en obrir l'informe"_s)->setChecked(true);
        noteUnnamedControls(window);
        previewFollows(window);
        press(window, u"Següent"_s);

        // Look, and where it is saved.
        QCOMPARE(window.currentStep(), 6);
        QVERIFY(!control<QPushButton>(&window, u"Següent"_s)->isEnabled());
        control<QLineEdit>(&window, u"Títol de l'informe"_s)->setText(u"Vendes d'Andorra"_s);
        chooseText(control<QComboBox>(&window, u"Estil"_s), u"Clàssic (Times New Roman, granat)"_s);
        const QString output = m_dir.filePath(u"andorra"_s);
        control<QLineEdit>(&window, u"Fitxer de l'informe"_s)->setText(output);
        noteUnnamedControls(window);
        previewFollows(window);
        press(window, u"Enrere"_s);
        QCOMPARE(window.currentStep(), 5);
        press(window, u"Següent"_s);
        QSignalSpy finished(&window, &WizardWindow::finished);
        press(window, u"Finalitza"_s);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.front().front().toString(), output + u".rpt"_s);

        QVERIFY2(m_unnamed.isEmpty(), qPrintable(m_unnamed.join(u"\n"_s)));
        const WizardChoices written = readWizardChoices(output + u".rpt"_s);
        QCOMPARE(written, window.state().choices);
        QCOMPARE(written.links[2].join, JoinType::LeftOuter);
        QCOMPARE(written.columns[1].heading, u"Producte"_s);
        QCOMPARE(written.conditions.size(), size_t(1));
        QStringList times;
        for (qint64 ms : m_previewTimes)
            times << QString::number(ms);
        qInfo("preview, choices to first page (ms): %s", qPrintable(times.join(u", "_s)));
    }

    void aReportMadeBeforeOpensAtItsChoices()
    {
        const QString path = m_dir.filePath(u"andorra.rpt"_s);
        QVERIFY2(QFile::exists(path), "made by the walk above");
        WizardWindow window(*m_engine);
        window.reopen(path, u"clau secreta"_s);
        QVERIFY2(statusOf(window).startsWith(u"S'han recuperat"_s), qPrintable(statusOf(window)));
        for (int step = 1; step < window.stepCount(); ++step)
            press(window, u"Següent"_s);
        QCOMPARE(control<QLineEdit>(&window, u"Títol de l'informe"_s)->text(), u"Vendes d'Andorra"_s);
        QCOMPARE(control<QLineEdit>(&window, u"Fitxer de l'informe"_s)->text(), path);
        QCOMPARE(window.state().choices, readWizardChoices(path));
    }
};

QTEST_MAIN(WizardWindowTest)
#include "test_wizard_window.moc"
