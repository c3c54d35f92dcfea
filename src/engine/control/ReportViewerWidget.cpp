#include "engine/control/ReportViewerWidget.h"

#include "engine/control/BusyCursor.h"
#include "engine/control/GroupTreePanel.h"
#include "engine/control/PageLayoutWorker.h"
#include "engine/control/PageView.h"
#include "engine/control/ViewerStatusLine.h"
#include "engine/control/ViewerToolBar.h"
#include "engine/page/PageSource.h"
#include "engine/seam/ParameterErrors.h"
#include "engine/seam/SeamErrors.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSplitter>
#include <QTabBar>
#include <QVBoxLayout>

namespace velmora {

namespace {

QString progressText(const Progress &progress)
{
    const QString stage = progress.stage.isEmpty() ? QStringLiteral("Preparant l'informe") : progress.stage;
    return QStringLiteral("%1: %2 registres, %3 pàgines").arg(stage).arg(progress.recordsRead).arg(progress.pagesDone);
}

// Keeps the status line alive while the first page is laid out on the GUI
// thread: a direct repaint, a few times a second, and no event processing.
class FirstPageProgress {
public:
    explicit FirstPageProgress(ViewerStatusLine *line) : m_line(line) { m_clock.start(); }
    void operator()(const Progress &progress)
    {
        if (m_clock.elapsed() < 150)
            return;
        m_clock.restart();
        m_line->showProgress(progressText(progress));
        m_line->repaint();
    }

private:
    ViewerStatusLine *m_line;
    QElapsedTimer m_clock;
};

} // namespace

ReportViewerWidget::ReportViewerWidget(QWidget *parent) : ReportViewerControl(parent)
{
    setObjectName(QStringLiteral("reportViewer"));
    setAccessibleName(QStringLiteral("Visualitzador d'informes"));
    m_worker = new PageLayoutWorker(this);
    buildControls();
    connectCommands();
    applyFeatures();
    refreshState();
}

ReportViewerWidget::~ReportViewerWidget() { m_worker->stopAndWait(); }

void ReportViewerWidget::buildControls()
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_toolBar = new ViewerToolBar(this);
    m_tabs = new QTabBar(this);
    m_tabs->setAccessibleName(QStringLiteral("Vistes de l'informe"));
    m_tabs->setDocumentMode(true);
    m_tabs->setExpanding(false);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_groupTree = new GroupTreePanel(m_splitter);
    m_pageView = new PageView(m_splitter);
    m_pageView->setAccessibleName(QStringLiteral("Pàgina de l'informe"));
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({200, 800});
    m_statusLine = new ViewerStatusLine(this);
    column->addWidget(m_toolBar);
    column->addWidget(m_tabs);
    column->addWidget(m_splitter, 1);
    column->addWidget(m_statusLine);
    m_groupTree->hide();
    m_tabs->addTab(mainViewCaption());
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_pageView);
}

void ReportViewerWidget::connectCommands()
{
    ViewerToolBar *bar = m_toolBar;
    connect(bar->firstPageAction, &QAction::triggered, this, &ReportViewerWidget::showFirstPage);
    connect(bar->previousPageAction, &QAction::triggered, this, &ReportViewerWidget::showPreviousPage);
    connect(bar->nextPageAction, &QAction::triggered, this, &ReportViewerWidget::showNextPage);
    connect(bar->lastPageAction, &QAction::triggered, this, &ReportViewerWidget::showLastPage);
    connect(bar->pageNumberBox, &QLineEdit::returnPressed, this, [this] {
        m_toolBar->pageNumberBox->setModified(false);
        goToPage(m_toolBar->pageNumberBox->text().toInt());
    });
    connect(bar->zoomList, &QComboBox::activated, this,
            [this](int index) { setZoomLevel(ZoomLevel::fromCode(m_toolBar->zoomList->itemData(index).toInt())); });
    connect(bar->printAction, &QAction::triggered, this, &ReportViewerWidget::printReport);
    connect(bar->exportAction, &QAction::triggered, this, &ReportViewerWidget::exportReport);
    connect(bar->refreshAction, &QAction::triggered, this, &ReportViewerWidget::refresh);
    connect(bar->stopAction, &QAction::triggered, this, &ReportViewerWidget::stop);
    connect(bar->groupTreeAction, &QAction::triggered, this, &ReportViewerWidget::setGroupTreeShown);
    connect(bar->closeViewAction, &QAction::triggered, this, &ReportViewerWidget::closeCurrentView);
    const auto find = [this] { findNext(m_toolBar->findBox->text()); };
    connect(bar->findAction, &QAction::triggered, this, find);
    connect(bar->findBox, &QLineEdit::returnPressed, this, find);

    connect(m_tabs, &QTabBar::currentChanged, this, &ReportViewerWidget::selectView);
    connect(m_groupTree, &GroupTreePanel::entryActivated, this, &ReportViewerWidget::goToGroup);
    connect(m_groupTree, &GroupTreePanel::entryOpened, this, &ReportViewerWidget::openGroupView);

    connect(m_pageView, &PageView::pageStepRequested, this, &ReportViewerWidget::stepPage);
    connect(m_pageView, &PageView::firstPageRequested, this, [this] {
        if (features().navigation)
            showFirstPage();
    });
    connect(m_pageView, &PageView::lastPageRequested, this, [this] {
        if (features().navigation)
            showLastPage();
    });
    connect(m_pageView, &PageView::zoomStepRequested, this, [this](int steps) {
        if (features().zoomList)
            setZoomLevel(ZoomLevel::stepped(m_pageView->shownPercent(), steps));
    });
    connect(m_pageView, &PageView::linkActivated, this, [](const QUrl &url) { QDesktopServices::openUrl(url); });
    connect(m_pageView, &PageView::contextMenuWanted, this, &ReportViewerWidget::showContextMenu);

    connect(m_worker, &PageLayoutWorker::progressed, this, &ReportViewerWidget::onProgress);
    connect(m_worker, &PageLayoutWorker::finished, this, [this] { onWorkEnded(QString()); });
    connect(m_worker, &PageLayoutWorker::stopped, this,
            [this] { onWorkEnded(QStringLiteral("Aturat: %1 pàgines preparades.").arg(laidOut())); });
    connect(m_worker, &PageLayoutWorker::failed, this, &ReportViewerWidget::onFailure);
}

void ReportViewerWidget::applyFeatures()
{
    const ViewerFeatures &f = features();
    m_toolBar->showFeatures(f);
    m_tabs->setVisible(f.viewTabs);
    m_pageView->setFramed(f.border);
    m_pageView->setGreyEdge(f.greyEdge);
    m_pageView->setWebLinksEnabled(f.webLinks);
    m_statusLine->setProgressShown(f.progress);
    m_treeWanted = f.groupTreeShownAtStart;
    m_tabs->setTabText(0, mainViewCaption());
    refreshTree();
}

void ReportViewerWidget::setReportSource(std::shared_ptr<EngineReport> report)
{
    m_report = std::move(report);
}

int ReportViewerWidget::laidOut() const { return m_source ? m_source->pagesLaidOut() : 0; }
bool ReportViewerWidget::complete() const { return m_source && m_source->isComplete(); }
bool ReportViewerWidget::isWorking() const { return m_worker->isRunning(); }
int ReportViewerWidget::currentPageIndex() const { return currentView().currentPage; }
ZoomLevel ReportViewerWidget::zoomLevel() const { return m_pageView->zoom(); }

QString ReportViewerWidget::mainViewCaption() const
{
    if (!features().mainViewCaption.isEmpty())
        return features().mainViewCaption;
    if (m_source && !m_source->title().isEmpty())
        return m_source->title();
    return QStringLiteral("Informe");
}

void ReportViewerWidget::viewReport()
{
    if (!m_report)
        throw Failure(SeamErrors::NoReportSource, QStringLiteral("El visualitzador no té cap informe per mostrar."));
    if (!m_report->askParameterValues(this))
        throw Failure(ParameterErrors::PromptCancelled,
                      QStringLiteral("S'han cancel·lat els paràmetres de l'informe: no es mostra."));
    m_worker->stopAndWait();
    std::shared_ptr<PageSource> source;
    {
        BusyCursor busy;
        m_statusLine->showProgress(QStringLiteral("Llegint les dades..."));
        source = m_report->createPageSource();
        const CancelToken neverCancelled;
        source->layOutUntil(0, neverCancelled, FirstPageProgress(m_statusLine));
    }
    m_treeWanted = features().groupTreeShownAtStart;
    install(std::move(source));
    m_statusLine->showProgress(QString());
    showPageAt(0, Placement::Top);
    if (!complete())
        m_worker->start(m_source);
    refreshState();
}

void ReportViewerWidget::install(std::shared_ptr<PageSource> source)
{
    m_source = std::move(source);
    ++m_generation;
    m_found.reset();
    m_views.assign(1, ViewRange{});
    {
        const QSignalBlocker quiet(m_tabs);
        while (m_tabs->count() > 1)
            m_tabs->removeTab(1);
        m_currentView = 0;
        m_tabs->setCurrentIndex(0);
        m_tabs->setTabText(0, mainViewCaption());
    }
    m_groupTree->showContents({});
    refreshTree();
}

void ReportViewerWidget::showPageAt(int pageIndex, Placement placement)
{
    ViewRange &view = currentView();
    view.currentPage = view.clamped(pageIndex, laidOut(), complete());
    if (m_source && view.currentPage < laidOut()) {
        m_waitingPlacement.reset();
        m_pageView->setPage(m_source->page(view.currentPage), m_generation);
        placeAfterShowing(placement);
        emit pageShown(view.currentPage);
    } else {
        m_waitingPlacement = placement;
        m_pageView->setPage(std::nullopt, m_generation);
        m_pageView->setPlaceholderText(placeholderFor(view.currentPage));
        ensureLayingOut();
    }
    refreshState();
}

QString ReportViewerWidget::placeholderFor(int pageIndex) const
{
    if (!m_source)
        return QString();
    if (complete() && laidOut() == 0)
        return QStringLiteral("L'informe no té cap pàgina.");
    return QStringLiteral("Preparant la pàgina %1...").arg(pageIndex + 1);
}

void ReportViewerWidget::placeAfterShowing(Placement placement)
{
    if (m_pendingY) {
        m_pageView->scrollToY(*m_pendingY);
        m_pendingY.reset();
    } else if (placement == Placement::Top) {
        m_pageView->scrollToTop();
    } else if (placement == Placement::Bottom) {
        m_pageView->scrollToBottom();
    }
}

void ReportViewerWidget::ensureLayingOut()
{
    if (m_source && !complete() && !m_worker->isRunning()) {
        m_worker->start(m_source);
        refreshState();
    }
}

void ReportViewerWidget::showFirstPage() { showPageAt(currentView().firstPage, Placement::Top); }
void ReportViewerWidget::showPreviousPage() { stepPage(-1); }
void ReportViewerWidget::showNextPage() { stepPage(1); }

void ReportViewerWidget::showLastPage()
{
    const ViewRange &view = currentView();
    if (view.lastPage) {
        showPageAt(*view.lastPage, Placement::Top);
    } else if (complete()) {
        showPageAt(laidOut() - 1, Placement::Top);
    } else {
        // The last page is not known yet: wait for it at the far end.
        showPageAt(std::numeric_limits<int>::max(), Placement::Top);
    }
}

void ReportViewerWidget::stepPage(int direction)
{
    const ViewRange &view = currentView();
    const int target = view.currentPage + direction;
    if (target < view.firstPage || (view.lastPage && target > *view.lastPage))
        return;
    if (complete() && target >= laidOut())
        return;
    showPageAt(target, direction < 0 ? Placement::Bottom : Placement::Top);
}

void ReportViewerWidget::goToPage(int number)
{
    if (number < 1)
        return;
    showPageAt(currentView().firstPage + number - 1, Placement::Top);
}

void ReportViewerWidget::zoom(qint16 percent)
{
    if (percent < 1 || percent > 1000)
        throw Failure(SeamErrors::ZoomOutOfRange,
                      QStringLiteral("El zoom ha d'estar entre l'1 i el 1000 per cent (%1).").arg(percent));
    setZoomLevel(ZoomLevel::percent(percent));
}

void ReportViewerWidget::setZoomLevel(const ZoomLevel &zoom)
{
    m_pageView->setZoom(zoom);
    syncZoomList();
}

void ReportViewerWidget::syncZoomList()
{
    QComboBox *list = m_toolBar->zoomList;
    const QSignalBlocker quiet(list);
    const int code = m_pageView->zoom().code();
    int index = list->findData(code);
    if (index < 0) {
        list->addItem(m_pageView->zoom().caption(), code);
        index = list->count() - 1;
    }
    list->setCurrentIndex(index);
}

void ReportViewerWidget::runOnReport(const std::function<void(EngineReport &)> &command)
{
    if (!m_report)
        return;
    // A command started from the toolbar has no caller to take its failure.
    try {
        command(*m_report);
    } catch (const Failure &failure) {
        onFailure(failure.number(), failure.description());
    }
}

void ReportViewerWidget::printReport()
{
    runOnReport([this](EngineReport &report) { report.print(this); });
}

void ReportViewerWidget::exportReport()
{
    runOnReport([](EngineReport &report) { report.exportReport(true); });
}

void ReportViewerWidget::refresh()
{
    if (!m_report)
        return;
    const int keep = currentView().currentPage;
    std::shared_ptr<PageSource> source;
    try {
        // The data and the answers change together; cancelling keeps the report as it is.
        if (!m_report->askParameterValues(this))
            return;
        m_worker->stopAndWait();
        source = m_report->createPageSource();
    } catch (const Failure &failure) {
        onFailure(failure.number(), failure.description());
        return;
    }
    install(std::move(source));
    m_statusLine->showProgress(QStringLiteral("Actualitzant les dades..."));
    m_worker->start(m_source);
    showPageAt(keep, Placement::Keep);
}

void ReportViewerWidget::stop()
{
    m_worker->cancel();
}

bool ReportViewerWidget::findNext(const QString &text)
{
    if (!m_source || text.isEmpty())
        return false;
    if (text != m_foundText)
        m_found.reset();
    m_foundText = text;
    const int from = currentView().currentPage;
    const bool onPreviousPage = m_found && m_found->pageIndex == from;
    m_found = ReportTextFinder::next(*m_source, currentView(), text, from,
                                     onPreviousPage ? m_found : std::nullopt);
    if (!m_found) {
        m_statusLine->showProgress(QStringLiteral("No s'ha trobat «%1».").arg(text));
        m_pageView->setHighlight(std::nullopt);
        return false;
    }
    const FoundText found = *m_found;
    if (found.pageIndex != currentView().currentPage || !m_pageView->page())
        showPageAt(found.pageIndex, Placement::Keep);
    m_found = found;
    m_pageView->setHighlight(found.rect);
    m_statusLine->showProgress(QString());
    return true;
}

bool ReportViewerWidget::isGroupTreeShown() const { return !m_groupTree->isHidden(); }

void ReportViewerWidget::setGroupTreeShown(bool shown)
{
    m_treeWanted = shown;
    refreshTree();
}

void ReportViewerWidget::refreshTree()
{
    if (m_source)
        m_groupTree->showContents(m_source->contents());
    const bool hasGroups = m_groupTree->entryCount() > 0;
    m_groupTree->setVisible(m_treeWanted && hasGroups);
    m_toolBar->groupTreeAction->setEnabled(hasGroups);
    m_toolBar->groupTreeAction->setChecked(m_treeWanted && hasGroups);
}

void ReportViewerWidget::goToGroup(int entryIndex)
{
    if (!m_source)
        return;
    const auto contents = m_source->contents();
    if (entryIndex < 0 || entryIndex >= int(contents.size()))
        return;
    const ContentsEntry &entry = contents[size_t(entryIndex)];
    if (m_currentView != 0)
        selectView(0);
    m_pendingY = entry.y;
    showPageAt(entry.pageIndex, Placement::Keep);
}

void ReportViewerWidget::openGroupView(int entryIndex)
{
    if (!m_source || !features().drillDown)
        return;
    const auto contents = m_source->contents();
    if (entryIndex < 0 || entryIndex >= int(contents.size()))
        return;
    m_views.push_back(ViewRange::forGroup(contents, entryIndex));
    m_tabs->addTab(m_views.back().caption);
    m_tabs->setCurrentIndex(m_tabs->count() - 1);
}

void ReportViewerWidget::closeCurrentView()
{
    if (m_currentView == 0)
        return;
    const int closing = m_currentView;
    selectView(0);
    m_views.erase(m_views.begin() + closing);
    const QSignalBlocker quiet(m_tabs);
    m_tabs->removeTab(closing);
    m_tabs->setCurrentIndex(0);
    refreshState();
}

void ReportViewerWidget::selectView(int index)
{
    if (index < 0 || index >= int(m_views.size()))
        return;
    m_currentView = index;
    {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(index);
    }
    m_found.reset();
    showPageAt(currentView().currentPage, Placement::Top);
}

void ReportViewerWidget::onProgress(const Progress &progress)
{
    if (features().progress)
        m_statusLine->showProgress(progressText(progress));
    refreshTree();
    if (m_waitingPlacement && currentView().currentPage < laidOut())
        showPageAt(currentView().currentPage, *m_waitingPlacement);
    refreshState();
}

void ReportViewerWidget::onWorkEnded(const QString &outcome)
{
    m_statusLine->showProgress(outcome);
    refreshTree();
    if (m_waitingPlacement && (complete() || currentView().currentPage < laidOut()))
        showPageAt(currentView().currentPage, *m_waitingPlacement);
    else if (m_waitingPlacement)
        m_pageView->setPlaceholderText(outcome);
    refreshState();
    emit workEnded();
}

void ReportViewerWidget::onFailure(qint32 number, const QString &description)
{
    const QString text = QStringLiteral("Error %1: %2").arg(number).arg(description);
    if (m_waitingPlacement)
        m_pageView->setPlaceholderText(text);
    m_statusLine->showProgress(text);
    refreshState();
    auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Velmora"), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    emit workEnded();
}

void ReportViewerWidget::refreshState()
{
    const ViewRange &view = currentView();
    const bool hasPages = m_source && laidOut() > 0;
    const int number = hasPages ? view.currentPage - view.firstPage + 1 : 0;
    const bool isFinal = view.countIsFinal(complete());
    const int count = std::max(view.pageCount(laidOut()), number);
    m_statusLine->showPagePosition(number, count, isFinal);
    m_statusLine->showRecordCount(m_source ? m_source->recordCount() : 0);
    const bool atStart = view.currentPage <= view.firstPage;
    const bool atEnd = isFinal && number >= count;
    ViewerToolBar *bar = m_toolBar;
    bar->firstPageAction->setEnabled(hasPages && !atStart);
    bar->previousPageAction->setEnabled(hasPages && !atStart);
    bar->nextPageAction->setEnabled(hasPages && !atEnd);
    bar->lastPageAction->setEnabled(hasPages && !atEnd);
    bar->pageNumberBox->setEnabled(hasPages);
    // Leave a number the user is typing alone.
    if (!(bar->pageNumberBox->hasFocus() && bar->pageNumberBox->isModified()))
        bar->pageNumberBox->setText(number > 0 ? QString::number(number) : QString());
    bar->stopAction->setEnabled(isWorking());
    bar->showBusy(isWorking());
    bar->refreshAction->setEnabled(bool(m_report));
    bar->printAction->setEnabled(bool(m_report));
    bar->exportAction->setEnabled(bool(m_report));
    bar->findAction->setEnabled(hasPages);
    bar->closeViewAction->setEnabled(m_currentView != 0);
}

void ReportViewerWidget::showContextMenu(const QPoint &globalPos)
{
    if (!features().contextMenu)
        return;
    ViewerToolBar *bar = m_toolBar;
    QMenu menu(this);
    menu.addActions({bar->firstPageAction, bar->previousPageAction, bar->nextPageAction, bar->lastPageAction});
    menu.addSeparator();
    menu.addActions({bar->groupTreeAction, bar->refreshAction, bar->printAction, bar->exportAction});
    if (features().zoomList) {
        QMenu *zoomMenu = menu.addMenu(QStringLiteral("Zoom"));
        for (const ZoomLevel &zoom : ZoomLevel::choices())
            zoomMenu->addAction(zoom.caption(), this, [this, zoom] { setZoomLevel(zoom); });
    }
    menu.exec(globalPos);
}

} // namespace velmora
