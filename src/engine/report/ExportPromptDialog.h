#pragma once

#include "engine/seam/ReportEngine.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace velmora {

/// The engine's own small export dialog, shown when an export is asked for
/// with a prompt (the viewer control's export button): a format list and a
/// file name with a browse button. Accepting writes format, file name and
/// the disk-file destination into the export options; cancelling leaves
/// them as they were.
class ExportPromptDialog : public QDialog {
    Q_OBJECT
public:
    ExportPromptDialog(EngineExportOptions &options, QWidget *parent);

    /// Shows the dialog over the active window; false when the user cancels.
    /// Fails when the program has no windows to show it in.
    static bool ask(EngineExportOptions &options);

    void accept() override;

private:
    void buildControls();
    void presetFromOptions();
    void followFormatInFileName();
    void browse();
    void updateAcceptButton();
    bool mayWrite(const QString &path);
    qint32 chosenFormatType() const;

    EngineExportOptions &m_options;
    QComboBox *m_format = nullptr;
    QLineEdit *m_fileName = nullptr;
    QPushButton *m_accept = nullptr;
    QString m_confirmedPath; ///< the browse dialog has already asked about it
};

} // namespace velmora
