#pragma once

#include "engine/report/ParameterPrompt.h"

#include <QDialog>

class QLabel;

namespace velmora {

class ParameterRowEditor;

/// The engine's parameter prompt: one row per parameter, in the report's
/// order, with its question and an editor fit for it. "Acceptar" takes the
/// values only when every row holds one the engine can use; otherwise the
/// dialog stays open, says which parameter and what it needs, and puts the
/// focus on it. "Cancel·lar" leaves the rows as they were.
class ParameterDialog : public QDialog {
    Q_OBJECT
public:
    ParameterDialog(std::vector<PromptRow> &rows, QWidget *parent);

    /// Shows the dialog over `owner` (or the active window); false when the
    /// user cancels. Fails when the program has no windows to show it in.
    static bool ask(std::vector<PromptRow> &rows, QWidget *owner);

    void accept() override;

private:
    void buildControls();

    std::vector<PromptRow> &m_rows;
    std::vector<ParameterRowEditor *> m_editors;
    QLabel *m_problem = nullptr;
};

} // namespace velmora
