#pragma once

// A page source that makes realistic-looking invoice pages on demand, for the
// viewer tests and the screenshot demo: groups in its contents, and knobs to
// fail at a page, to run slowly, or to hold until released, so that
// background work can be watched and stopped.

#include "engine/page/PageSource.h"

#include <condition_variable>
#include <mutex>
#include <optional>

namespace velmora::testing {

struct SyntheticShape {
    int pages = 12;
    int pagesPerGroup = 3;
    QString title = QStringLiteral("Vendes per client");
    /// Laying out this page index fails with a Failure.
    std::optional<int> failAtPage = std::nullopt;
    /// Laying out stops before this page index until release() or cancel.
    std::optional<int> holdAtPage = std::nullopt;
    /// Milliseconds spent on each page (a slow database).
    int millisecondsPerPage = 0;
    /// The link the customer's name in each page's band carries; empty: none.
    QString customerLink = {};
};

class SyntheticPageSource : public PageSource {
public:
    static constexpr qint32 failureNumber = 5999;
    static constexpr int recordsPerPage = 25;

    explicit SyntheticPageSource(SyntheticShape shape = {});

    int layOutUntil(int index, const CancelToken &cancel, const ProgressCallback &progress = {}) override;
    bool isComplete() const override;
    int pagesLaidOut() const override;
    Page page(int index) const override;
    std::vector<ContentsEntry> contents() const override;
    qint64 recordCount() const override;
    QString title() const override { return m_shape.title; }

    /// Lets a held layout go on.
    void release();
    /// The words printed on page `index` that appear nowhere else.
    static QString uniqueWordOf(int index);

private:
    void waitWhileHeld(int index, const CancelToken &cancel);
    std::vector<ContentsEntry> contentsUpTo(int pages) const;

    SyntheticShape m_shape;
    mutable std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_held = true;
    int m_laidOut = 0;
};

} // namespace velmora::testing
