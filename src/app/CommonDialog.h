#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace velmora {

/// The open-file dialog behind the main window's choose buttons. It shows
/// nothing until showOpen(); the dialog itself is a chooser that can be put
/// in place of the real QFileDialog, so tests decide what the "user" picks.
class CommonDialog {
public:
    /// What a chooser is asked to show.
    struct OpenRequest {
        QWidget *owner = nullptr;
        /// The starting file; empty for none.
        QString fileName;
        /// The filter in QFileDialog's form ("Text (*.txt)").
        QString nameFilter;
    };
    /// The chosen path, or nothing when the user cancelled.
    using Chooser = std::function<std::optional<QString>(const OpenRequest &)>;

    CommonDialog();

    void setChooser(Chooser chooser);

    /// The filter as "description|pattern", patterns joined with ";".
    void setFilter(const QString &pipeFilter);
    void setFileName(const QString &fileName);
    QString fileName() const;

    /// Shows the dialog modally over `owner`. True when a file was chosen:
    /// fileName() then holds it. A typed name of a file that does not exist
    /// is accepted as it is.
    bool showOpen(QWidget *owner);

    /// The real dialog: QFileDialog, opening, any file name accepted.
    static std::optional<QString> showFileDialog(const OpenRequest &request);

private:
    Chooser m_chooser;
    QString m_filter;
    QString m_fileName;
};

} // namespace velmora
