#pragma once

#include "engine/control/ReportTextFinder.h"
#include "engine/control/ViewRange.h"
#include "engine/control/ZoomLevel.h"
#include "engine/seam/ReportEngine.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QTabBar;
class QSplitter;

namespace velmora {

class GroupTreePanel;
class PageLayoutWorker;
class PageSource;
class PageView;
class ViewerStatusLine;
class ViewerToolBar;
struct Progress;

/// The viewer control: shows a report's pages one at a time with its own
/// toolbar (navigation, zoom, print, export, refresh, find, stop), a group
/// tree, view tabs for drill-downs and a status line, as its design
/// settings (ViewerFeatures) allow.
///
/// Work and failures: viewReport() lays out the first page on the calling
/// thread, under the busy pointer, and throws the engine's Failure if it
/// cannot, so that the window that asked for the report can hand the
/// failure to whoever showed it. Every later page is laid out by a
/// PageLayoutWorker in the background: the first page is on screen at
/// once, "Pàgina N de M+" counts up, and the stop command cancels. A
/// failure there cannot reach a caller any more; it is shown in the status
/// line and in a message box. Refresh works wholly in the background.
class ReportViewerWidget : public ReportViewerControl {
    Q_OBJECT
public:
    explicit ReportViewerWidget(QWidget *parent = nullptr);
    ~ReportViewerWidget() override;

    void setReportSource(std::shared_ptr<EngineReport> report) override;
    std::shared_ptr<EngineReport> reportSource() const override { return m_report; }
    /// Throws Failure when there is no report or its first page fails.
    void viewReport() override;
    /// Throws Failure for a percentage outside 1..1000.
    void zoom(qint16 percent) override;

    // The built-in commands. Page numbers are 1-based within the current view.
    void showFirstPage();
    void showPreviousPage();
    void showNextPage();
    void showLastPage();
    void goToPage(int number);
    void setZoomLevel(const ZoomLevel &zoom);
    void printReport();
    void exportReport();
    void refresh();
    /// Highlights the next occurrence of `text`; false when there is none.
    bool findNext(const QString &text);
    void stop();
    void setGroupTreeShown(bool shown);
    void goToGroup(int entryIndex);
    void openGroupView(int entryIndex);
    void closeCurrentView();

    /// The report's 0-based index of the page the current view is on.
    int currentPageIndex() const;
    int viewCount() const { return int(m_views.size()); }
    int currentViewIndex() const { return m_currentView; }
    bool isWorking() const;
    bool isGroupTreeShown() const;
    ZoomLevel zoomLevel() const;

    ViewerToolBar *toolBar() const { return m_toolBar; }
    PageView *pageView() const { return m_pageView; }
    GroupTreePanel *groupTree() const { return m_groupTree; }
    ViewerStatusLine *statusLine() const { return m_statusLine; }
    QTabBar *viewTabs() const { return m_tabs; }

signals:
    /// A laid-out page is on screen.
    void pageShown(int pageIndex);
    /// Background work ended: all pages counted, stopped, or failed.
    void workEnded();

protected:
    void applyFeatures() override;

private:
    enum class Placement { Top, Bottom, Keep };

    void buildControls();
    void connectCommands();
    void install(std::shared_ptr<PageSource> source);
    void showPageAt(int pageIndex, Placement placement);
    void placeAfterShowing(Placement placement);
    QString placeholderFor(int pageIndex) const;
    void ensureLayingOut();
    void stepPage(int direction);
    void onProgress(const Progress &progress);
    void onWorkEnded(const QString &outcome);
    void onFailure(qint32 number, const QString &description);
    void refreshState();
    void refreshTree();
    void selectView(int index);
    void showContextMenu(const QPoint &globalPos);
    void runOnReport(const std::function<void(EngineReport &)> &command);
    void syncZoomList();
    QString mainViewCaption() const;
    ViewRange &currentView() { return m_views[size_t(m_currentView)]; }
    const ViewRange &currentView() const { return m_views[size_t(m_currentView)]; }
    int laidOut() const;
    bool complete() const;

    std::shared_ptr<EngineReport> m_report;
    std::shared_ptr<PageSource> m_source;
    quint64 m_generation = 0;
    std::vector<ViewRange> m_views{ViewRange{}};
    int m_currentView = 0;
    std::optional<Placement> m_waitingPlacement;
    std::optional<Twips> m_pendingY;
    std::optional<FoundText> m_found;
    QString m_foundText;
    bool m_treeWanted = true;

    ViewerToolBar *m_toolBar = nullptr;
    QTabBar *m_tabs = nullptr;
    QSplitter *m_splitter = nullptr;
    GroupTreePanel *m_groupTree = nullptr;
    PageView *m_pageView = nullptr;
    ViewerStatusLine *m_statusLine = nullptr;
    PageLayoutWorker *m_worker = nullptr;
};

} // namespace velmora
