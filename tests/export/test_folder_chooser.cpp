// The folder chooser: what TriaCarpeta returns for each way of closing the
// window, and how the drive and directory lists behave inside it.

#include "ExportDialogHarness.h"
#include "export/frmTriaCarpeta.h"
#include "export/modCR9.h"

#include <QCoreApplication>
#include <QDir>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

enum class Closing { AcceptButton, EnterInTheList, CancelButton, Escape, CloseBox };

void close(frmTriaCarpeta &chooser, Closing how)
{
    switch (how) {
    case Closing::AcceptButton:
        chooser.design().cmdAcceptar->click();
        break;
    case Closing::EnterInTheList:
        chooser.design().DirList->setFocus();
        QTest::keyClick(chooser.design().DirList, Qt::Key_Return);
        break;
    case Closing::CancelButton:
        chooser.design().cmdCancelar->click();
        break;
    case Closing::Escape:
        QTest::keyClick(chooser.design().DrvList, Qt::Key_Escape);
        break;
    case Closing::CloseBox:
        chooser.close();
        break;
    }
}

QString applicationFolder()
{
    return QCoreApplication::applicationDirPath();
}

QStringList shownFolders(const QTreeWidget &list)
{
    QStringList shown;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget *>(&list)); *it; ++it)
        shown.append(QString((*it)->parent() ? QString(u' ').repeated(4) : QString()) + (*it)->text(0));
    return shown;
}

} // namespace

class TestFolderChooser : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void theResultFollowsTheWayOfClosing_data();
    void theResultFollowsTheWayOfClosing();
    void theWindowIsAFixedToolWindow();
    void theHiddenFileListFollowsTheStartFolder();
    void theDirectoryListShowsThePathAboveAndTheSubfoldersBelow();
    void doubleClickingAFolderOpensIt();
    void aDriveThatIsNotReadyFallsBackSilently();

private:
    QTemporaryDir m_temporary;
    QString m_folder;
};

void TestFolderChooser::initTestCase()
{
    m_folder = m_temporary.path() + QStringLiteral("/Informes");
    QVERIFY(QDir().mkpath(m_folder + QStringLiteral("/2024")));
    QVERIFY(QDir().mkpath(m_folder + QStringLiteral("/arxiu")));
    QVERIFY(QDir().mkpath(m_folder + QStringLiteral("/.amagada")));
}

void TestFolderChooser::theResultFollowsTheWayOfClosing_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("closing");
    QTest::addColumn<QString>("expected");

    const QString folder = m_temporary.path() + QStringLiteral("/Informes");
    const QString missing = m_temporary.path() + QStringLiteral("/ja-no-hi-és/");
    QTest::newRow("accept: the folder shown") << folder << int(Closing::AcceptButton) << folder;
    QTest::newRow("accept drops the start folder's separator")
        << folder + u'/' << int(Closing::AcceptButton) << folder;
    QTest::newRow("Enter in the list accepts") << folder << int(Closing::EnterInTheList) << folder;
    QTest::newRow("cancel: empty") << folder << int(Closing::CancelButton) << QString();
    QTest::newRow("Escape cancels") << folder << int(Closing::Escape) << QString();
    QTest::newRow("close box: the start folder as given, separator and all")
        << folder + u'/' << int(Closing::CloseBox) << folder + u'/';
    QTest::newRow("no start folder: the program's folder, shown without separator")
        << QString() << int(Closing::AcceptButton) << applicationFolder();
    QTest::newRow("no start folder, close box: the program's folder with its separator")
        << QString() << int(Closing::CloseBox) << applicationFolder() + u'/';
    QTest::newRow("a missing start folder opens at the current directory")
        << missing << int(Closing::AcceptButton) << QDir::currentPath();
    QTest::newRow("a missing start folder still comes back through the close box")
        << missing << int(Closing::CloseBox) << missing;
    QTest::newRow("the root keeps its separator") << "/" << int(Closing::AcceptButton) << "/";
}

void TestFolderChooser::theResultFollowsTheWayOfClosing()
{
    QFETCH(QString, start);
    QFETCH(int, closing);
    QFETCH(QString, expected);
    DialogScene scene;
    auto &dialog = scene.dialog;
    modCR9::gsCarpeta = QStringLiteral("left over from an earlier call");

    whenModalShown<frmTriaCarpeta>([closing](frmTriaCarpeta &chooser) { close(chooser, Closing(closing)); });
    const QString result = dialog->TriaCarpeta(start);

    QCOMPARE(result, expected);
    QCOMPARE(modCR9::gsCarpeta, expected);
}

void TestFolderChooser::theWindowIsAFixedToolWindow()
{
    frmTriaCarpeta chooser;

    QCOMPARE(chooser.windowTitle(), QStringLiteral("Escollir una Carpeta"));
    QCOMPARE(chooser.windowType(), Qt::Tool);
    // 3945 x 4770 twips.
    QCOMPARE(chooser.minimumSize(), QSize(263, 318));
    QCOMPARE(chooser.maximumSize(), QSize(263, 318));
    QVERIFY(chooser.design().cmdAcceptar->isDefault());
}

void TestFolderChooser::theHiddenFileListFollowsTheStartFolder()
{
    frmTriaCarpeta chooser;

    chooser.presetFolder(m_folder + u'/');
    chooser.show();
    QVERIFY(QTest::qWaitForWindowActive(&chooser));

    QVERIFY(!chooser.design().FileList->isVisible());
    QCOMPARE(chooser.design().FileList->path(), m_folder);
    QCOMPARE(chooser.design().FileList->pattern(), QStringLiteral("*.mdb"));
    QCOMPARE(chooser.design().DrvList->drive(), QStorageInfo(m_folder).rootPath());
    QCOMPARE(QApplication::focusWidget(), chooser.design().DrvList);
}

void TestFolderChooser::theDirectoryListShowsThePathAboveAndTheSubfoldersBelow()
{
    DirectoryList list(nullptr);

    list.setPath(m_folder);

    QStringList expected{QStringLiteral("/")};
    for (const QString &part : m_folder.split(u'/', Qt::SkipEmptyParts))
        expected.append(QStringLiteral("    ") + part);
    // Hidden folders are left out, as a file browser does.
    expected << QStringLiteral("    2024") << QStringLiteral("    arxiu");
    QCOMPARE(shownFolders(list), expected);
    QCOMPARE(list.currentItem()->text(0), QStringLiteral("Informes"));
    QCOMPARE(list.currentItem()->childCount(), 2);
}

void TestFolderChooser::doubleClickingAFolderOpensIt()
{
    DialogScene scene;
    auto &dialog = scene.dialog;

    whenModalShown<frmTriaCarpeta>([](frmTriaCarpeta &chooser) {
        DirectoryList *list = chooser.design().DirList;
        QTreeWidgetItem *subfolder = list->currentItem()->child(0);
        const QRect place = list->visualItemRect(subfolder);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, place.center());
        chooser.design().cmdAcceptar->click();
    });

    QCOMPARE(dialog->TriaCarpeta(m_folder), m_folder + QStringLiteral("/2024"));
}

void TestFolderChooser::aDriveThatIsNotReadyFallsBackSilently()
{
    DialogScene scene;
    auto &dialog = scene.dialog;
    QString driveAfter, folderAfter;

    whenModalShown<frmTriaCarpeta>([&](frmTriaCarpeta &chooser) {
        DriveList *drives = chooser.design().DrvList;
        drives->addVolume(QStringLiteral("/volum-retirat"), QStringLiteral("/volum-retirat"));
        drives->setCurrentIndex(drives->findData(QStringLiteral("/volum-retirat")));
        driveAfter = drives->drive();
        folderAfter = chooser.design().DirList->path();
        chooser.close();
    });
    dialog->TriaCarpeta(m_folder);

    QCOMPARE(folderAfter, m_folder);
    QCOMPARE(driveAfter, QStorageInfo(m_folder).rootPath());
    QVERIFY(scene.messages.shown.isEmpty());
}

QTEST_MAIN(TestFolderChooser)
#include "test_folder_chooser.moc"
