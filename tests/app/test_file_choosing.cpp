#include "ModalWidget.h"
#include "../support/RecordingEngine.h"
#include "app/CommonDialog.h"
#include "app/FileDialogFilter.h"
#include "app/frmCrViewerMain.h"
#include "engine/core/Failure.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using velmora::CommonDialog;
using velmora::ProgramStart;
using namespace Qt::StringLiterals;

namespace {

/// Stands in for the person in front of the file dialog.
struct FakeUser {
    std::optional<QString> answer;
    QList<CommonDialog::OpenRequest> asked;
};

struct ChooseButton {
    QString button;
    QString label;
    QString key;
    QString otherKey;
    QString nameFilter;
};

QVariant rememberedEntry(const QString &applicationName, const QString &key)
{
    return QSettings(QSettings::UserScope, applicationName, applicationName)
        .value(u"Settings/"_s + key);
}

void remember(const QString &applicationName, const QString &key, const QString &path)
{
    QSettings(QSettings::UserScope, applicationName, applicationName)
        .setValue(u"Settings/"_s + key, path);
}

} // namespace

Q_DECLARE_METATYPE(ChooseButton)

class TestFileChoosing : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void qtNameFilters_data();
    void qtNameFilters();
    void zTriaArxiuTurnsTheFileKindIntoAFilter_data();
    void zTriaArxiuTurnsTheFileKindIntoAFilter();
    void zTriaArxiuStartsAtTheGivenFileAndReturnsTheChoice_data();
    void zTriaArxiuStartsAtTheGivenFileAndReturnsTheChoice();
    void zTriaArxiuTurnsADialogFailureIntoNothing();
    void fileDialogAcceptsANameThatDoesNotExist();
    void fileDialogCancelGivesNothing();

    void firstUseStartsEmptyAndCancelWritesNothing_data();
    void firstUseStartsEmptyAndCancelWritesNothing();
    void choiceIsShownRememberedAndOfferedNextTime_data();
    void choiceIsShownRememberedAndOfferedNextTime();
    void cancelAfterAChoiceKeepsTheRememberedFile_data();
    void cancelAfterAChoiceKeepsTheRememberedFile();
    void commandLinePathIsNeitherTheStartNorRemembered_data();
    void commandLinePathIsNeitherTheStartNorRemembered();
    void anotherExecutableNameKeepsItsOwnEntries();
    void unwritableStoreIsReportedAndTheChoiceStillShown();

private:
    std::unique_ptr<frmCrViewerMain> window(FakeUser &user, const QString &argumentText = {},
                                            const QString &executableName = u"Velmora"_s);
    void buttonColumns();

    QTemporaryDir m_settingsFolder;
    velmora::testing::RecordingEngine m_engine;
};

void TestFileChoosing::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_settingsFolder.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsFolder.path());
}

void TestFileChoosing::init()
{
    QDir(m_settingsFolder.path()).removeRecursively();
    QVERIFY(QDir().mkpath(m_settingsFolder.path()));
}

std::unique_ptr<frmCrViewerMain> TestFileChoosing::window(FakeUser &user, const QString &argumentText,
                                                          const QString &executableName)
{
    auto made = std::make_unique<frmCrViewerMain>(m_engine,
                                                  ProgramStart{executableName, argumentText});
    made->CommonDialog1.setChooser([&user](const CommonDialog::OpenRequest &request) {
        user.asked.append(request);
        return user.answer;
    });
    return made;
}

void TestFileChoosing::qtNameFilters_data()
{
    QTest::addColumn<QString>("pipeFilter");
    QTest::addColumn<QString>("qtFilter");

    QTest::newRow("a description that names its pattern is kept")
        << u"Bases de dades Access (*.mdb)|*.mdb"_s << u"Bases de dades Access (*.mdb)"_s;
    QTest::newRow("a bare description gets its pattern in brackets")
        << u"Textos|*.txt"_s << u"Textos (*.txt)"_s;
    QTest::newRow("patterns joined with ';' become space separated")
        << u"Access|*.mdb;*.accdb"_s << u"Access (*.mdb *.accdb)"_s;
    QTest::newRow("brackets that are not the pattern must not become the pattern")
        << u"Informes (nous)|*.rpt"_s << u"Informes (nous) (*.rpt)"_s;
    QTest::newRow("each description and pattern pair is one entry")
        << u"A|*.a|B|*.b"_s << u"A (*.a);;B (*.b)"_s;
    QTest::newRow("a description with no pattern shows every file") << u"Tot"_s << u"Tot (*)"_s;
}

void TestFileChoosing::qtNameFilters()
{
    QFETCH(QString, pipeFilter);
    QFETCH(QString, qtFilter);
    QCOMPARE(velmora::toQtNameFilters(pipeFilter), qtFilter);
}

void TestFileChoosing::zTriaArxiuTurnsTheFileKindIntoAFilter_data()
{
    QTest::addColumn<QString>("fileKind");
    QTest::addColumn<QString>("filterAfter");
    QTest::addColumn<QString>("dialogFilter");

    QTest::newRow("mdb: Access databases")
        << u"mdb"_s << u"Bases de dades Access (*.mdb)|*.mdb"_s << u"Bases de dades Access (*.mdb)"_s;
    QTest::newRow("rpt: report files")
        << u"rpt"_s << u"Arxius Crystal Reports (*.rpt)|*.rpt"_s
        << u"Arxius Crystal Reports (*.rpt)"_s;
    QTest::newRow("kinds compare case-sensitively, so MDB is a filter of its own")
        << u"MDB"_s << u"MDB"_s << u"MDB (*)"_s;
    QTest::newRow("a ready-made filter is used unchanged")
        << u"Textos (*.txt)|*.txt"_s << u"Textos (*.txt)|*.txt"_s << u"Textos (*.txt)"_s;
}

void TestFileChoosing::zTriaArxiuTurnsTheFileKindIntoAFilter()
{
    QFETCH(QString, fileKind);
    QFETCH(QString, filterAfter);
    QFETCH(QString, dialogFilter);

    FakeUser user;
    const auto main = window(user);
    QString filter = fileKind;
    main->zTriaArxiu(QString(), filter);
    QCOMPARE(filter, filterAfter);
    QCOMPARE(user.asked.size(), 1);
    QCOMPARE(user.asked.constFirst().nameFilter, dialogFilter);
}

void TestFileChoosing::zTriaArxiuStartsAtTheGivenFileAndReturnsTheChoice_data()
{
    QTest::addColumn<QString>("startFile");
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<QString>("result");

    QTest::newRow("no start file, a file chosen")
        << u""_s << std::optional(u"/dades/empresa.mdb"_s) << u"/dades/empresa.mdb"_s;
    QTest::newRow("a start file, the user goes elsewhere")
        << u"/dades/vella.mdb"_s << std::optional(u"/dades/nova.mdb"_s) << u"/dades/nova.mdb"_s;
    QTest::newRow("cancelling gives the empty string, not the start file")
        << u"/dades/vella.mdb"_s << std::optional<QString>() << u""_s;
}

void TestFileChoosing::zTriaArxiuStartsAtTheGivenFileAndReturnsTheChoice()
{
    QFETCH(QString, startFile);
    QFETCH(std::optional<QString>, answer);
    QFETCH(QString, result);

    FakeUser user{answer, {}};
    const auto main = window(user);
    QString filter = u"mdb"_s;
    QCOMPARE(main->zTriaArxiu(startFile, filter), result);
    QCOMPARE(user.asked.constFirst().fileName, startFile);
    QCOMPARE(user.asked.constFirst().owner, main.get());
}

void TestFileChoosing::zTriaArxiuTurnsADialogFailureIntoNothing()
{
    FakeUser user;
    const auto main = window(user);
    main->CommonDialog1.setChooser([](const CommonDialog::OpenRequest &) -> std::optional<QString> {
        throw velmora::Failure(32755, u"El diàleg no s'ha pogut obrir."_s);
    });
    QString filter = u"rpt"_s;
    QCOMPARE(main->zTriaArxiu(u"/a.rpt"_s, filter), QString());
}

void TestFileChoosing::fileDialogAcceptsANameThatDoesNotExist()
{
    const QTemporaryDir folder;
    const QString typed = folder.filePath(u"no-existeix.mdb"_s);
    QStringList offered;
    QStringList filters;
    velmora::testing::whenModalShown([&](QWidget &modal) {
        auto *dialog = qobject_cast<QFileDialog *>(&modal);
        QVERIFY(dialog);
        offered = dialog->selectedFiles();
        filters = dialog->nameFilters();
        // A dialog that insists on existing files complains in a message box
        // of its own and stays open: close both so the test fails, not hangs.
        QTimer::singleShot(50, dialog, [dialog] {
            if (QWidget *complaint = QApplication::activeModalWidget(); complaint != dialog)
                complaint->close();
        });
        static_cast<QDialog *>(dialog)->accept();
        if (dialog->isVisible())
            dialog->reject();
    });

    const std::optional<QString> chosen =
        CommonDialog::showFileDialog({nullptr, typed, u"Bases de dades Access (*.mdb)"_s});
    QCOMPARE(offered, QStringList{typed});
    QCOMPARE(filters, QStringList{u"Bases de dades Access (*.mdb)"_s});
    QCOMPARE(chosen, std::optional(typed));
}

void TestFileChoosing::fileDialogCancelGivesNothing()
{
    velmora::testing::whenModalShown([](QWidget &modal) { qobject_cast<QDialog *>(&modal)->reject(); });
    QCOMPARE(CommonDialog::showFileDialog({nullptr, u"/tmp/a.rpt"_s, u"Informes (*.rpt)"_s}),
             std::optional<QString>());
}

void TestFileChoosing::buttonColumns()
{
    QTest::addColumn<ChooseButton>("choose");
    QTest::newRow("report button")
        << ChooseButton{u"cmdSeleccionarReport"_s, u"lblRpt"_s, u"ArxiuRPT"_s, u"ArxiuMDB"_s,
                        u"Arxius Crystal Reports (*.rpt)"_s};
    QTest::newRow("database button")
        << ChooseButton{u"cmdSeleccionarBaseDeDades"_s, u"lblMDB"_s, u"ArxiuMDB"_s, u"ArxiuRPT"_s,
                        u"Bases de dades Access (*.mdb)"_s};
}

namespace {

void click(const QWidget &window, const ChooseButton &choose)
{
    window.findChild<QPushButton *>(choose.button)->click();
}

QString labelText(const QWidget &window, const ChooseButton &choose)
{
    return window.findChild<QLabel *>(choose.label)->text();
}

QString member(const frmCrViewerMain &window, const ChooseButton &choose)
{
    return choose.key == u"ArxiuRPT" ? window.sArxiuRPT : window.sArxiuMDB;
}

} // namespace

void TestFileChoosing::firstUseStartsEmptyAndCancelWritesNothing_data()
{
    buttonColumns();
}

void TestFileChoosing::firstUseStartsEmptyAndCancelWritesNothing()
{
    QFETCH(ChooseButton, choose);

    FakeUser user;
    const auto main = window(user);
    click(*main, choose);

    QCOMPARE(user.asked.size(), 1);
    QCOMPARE(user.asked.constFirst().fileName, QString());
    QCOMPARE(user.asked.constFirst().nameFilter, choose.nameFilter);
    QCOMPARE(labelText(*main, choose), QString());
    QVERIFY(!rememberedEntry(u"Velmora"_s, choose.key).isValid());
}

void TestFileChoosing::choiceIsShownRememberedAndOfferedNextTime_data()
{
    buttonColumns();
}

void TestFileChoosing::choiceIsShownRememberedAndOfferedNextTime()
{
    QFETCH(ChooseButton, choose);

    remember(u"Velmora"_s, choose.otherKey, u"/altre/arxiu"_s);
    FakeUser user{u"/dades/triat"_s, {}};
    const auto main = window(user);
    click(*main, choose);

    QCOMPARE(member(*main, choose), u"/dades/triat"_s);
    QCOMPARE(labelText(*main, choose), u"/dades/triat"_s);
    QCOMPARE(rememberedEntry(u"Velmora"_s, choose.key).toString(), u"/dades/triat"_s);
    QCOMPARE(rememberedEntry(u"Velmora"_s, choose.otherKey).toString(), u"/altre/arxiu"_s);

    click(*main, choose);
    QCOMPARE(user.asked.at(1).fileName, u"/dades/triat"_s);
}

void TestFileChoosing::cancelAfterAChoiceKeepsTheRememberedFile_data()
{
    buttonColumns();
}

void TestFileChoosing::cancelAfterAChoiceKeepsTheRememberedFile()
{
    QFETCH(ChooseButton, choose);

    FakeUser user{u"/dades/primer"_s, {}};
    const auto main = window(user);
    click(*main, choose);
    user.answer.reset();
    click(*main, choose);

    QCOMPARE(member(*main, choose), QString());
    QCOMPARE(labelText(*main, choose), QString());
    QCOMPARE(rememberedEntry(u"Velmora"_s, choose.key).toString(), u"/dades/primer"_s);

    click(*main, choose);
    QCOMPARE(user.asked.at(2).fileName, u"/dades/primer"_s);
}

void TestFileChoosing::commandLinePathIsNeitherTheStartNorRemembered_data()
{
    buttonColumns();
}

void TestFileChoosing::commandLinePathIsNeitherTheStartNorRemembered()
{
    QFETCH(ChooseButton, choose);

    remember(u"Velmora"_s, choose.key, u"/recordat/abans"_s);
    FakeUser user;
    const auto main = window(user, u"<linia.rpt> <linia.mdb>"_s);
    QVERIFY(!member(*main, choose).isEmpty());
    click(*main, choose);

    QCOMPARE(user.asked.constFirst().fileName, u"/recordat/abans"_s);
    QCOMPARE(member(*main, choose), QString());
    QCOMPARE(labelText(*main, choose), QString());
    QCOMPARE(rememberedEntry(u"Velmora"_s, choose.key).toString(), u"/recordat/abans"_s);
}

void TestFileChoosing::anotherExecutableNameKeepsItsOwnEntries()
{
    FakeUser user{u"/dades/de-velmora.rpt"_s, {}};
    const auto usual = window(user);
    usual->findChild<QPushButton *>(u"cmdSeleccionarReport"_s)->click();

    FakeUser other{u"/dades/d-informes.rpt"_s, {}};
    const auto renamed = window(other, {}, u"Informes"_s);
    renamed->findChild<QPushButton *>(u"cmdSeleccionarReport"_s)->click();

    QCOMPARE(other.asked.constFirst().fileName, QString());
    QCOMPARE(rememberedEntry(u"Informes"_s, u"ArxiuRPT"_s).toString(), u"/dades/d-informes.rpt"_s);
    QCOMPARE(rememberedEntry(u"Velmora"_s, u"ArxiuRPT"_s).toString(), u"/dades/de-velmora.rpt"_s);
}

void TestFileChoosing::unwritableStoreIsReportedAndTheChoiceStillShown()
{
    // A store folder below an ordinary file can never be made.
    const QString blocker = m_settingsFolder.filePath(u"fitxer"_s);
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocker + u"/config"_s);

    FakeUser user{u"/dades/triat.mdb"_s, {}};
    const auto main = window(user);
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(u"^7002\n"_s));
    main->findChild<QPushButton *>(u"cmdSeleccionarBaseDeDades"_s)->click();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsFolder.path());

    QCOMPARE(main->sArxiuMDB, u"/dades/triat.mdb"_s);
    QCOMPARE(main->findChild<QLabel *>(u"lblMDB"_s)->text(), u"/dades/triat.mdb"_s);
}

QTEST_MAIN(TestFileChoosing)
#include "test_file_choosing.moc"
