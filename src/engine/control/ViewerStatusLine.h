#pragma once

#include <QWidget>

class QLabel;

namespace velmora {

/// The status line under the pages: "Pàgina N de M" (M+ while pages are
/// still being counted), the records read, and the progress or outcome of
/// long work.
class ViewerStatusLine : public QWidget {
    Q_OBJECT
public:
    explicit ViewerStatusLine(QWidget *parent = nullptr);

    /// `number` is 1-based; 0 shows no page.
    void showPagePosition(int number, int count, bool countIsFinal);
    void showRecordCount(qint64 records);
    void showProgress(const QString &text);
    void setProgressShown(bool shown);

    QString pageText() const;
    QString recordText() const;
    QString progressText() const;

    /// "Pàgina 3 de 12" or "Pàgina 3 de 12+".
    static QString pagePosition(int number, int count, bool countIsFinal);

private:
    QLabel *m_page;
    QLabel *m_records;
    QLabel *m_progress;
};

} // namespace velmora
