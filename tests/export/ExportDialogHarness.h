#pragma once

// What the export dialog tests share: an open report on the recording
// engine, and message boxes answered by the test instead of a user.

#include "../support/RecordingEngine.h"
#include "export/MessageBoxRequest.h"
#include "export/frmCRExport.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <functional>

namespace velmora::testing {

/// The main window's side: the engine, its application and `glcrxReport`.
struct OpenReport {
    RecordingEngine engine;
    std::unique_ptr<EngineApplication> application = engine.createApplication();
    std::shared_ptr<EngineReport> glcrxReport = application->openReport(QStringLiteral("proves.rpt"));

    OpenReport() { engine.state().log.clear(); }
    const QStringList &calls() const { return engine.log(); }
    RecordingState &state() { return engine.state(); }
};

/// Records every message box asked for and answers each with `answer`.
struct MessageRecorder {
    QList<MessageBoxRequest> shown;
    QMessageBox::StandardButton answer = QMessageBox::Ok;

    MessageBoxFunction function()
    {
        return [this](QWidget *, const MessageBoxRequest &request) {
            shown.append(request);
            return answer;
        };
    }
    QStringList texts() const
    {
        QStringList result;
        for (const auto &request : shown)
            result.append(request.text);
        return result;
    }
};

/// A dialog on `report`, its message boxes going to `messages`.
inline std::unique_ptr<frmCRExport> loadDialog(OpenReport &report, MessageRecorder &messages)
{
    auto dialog = std::make_unique<frmCRExport>(report.glcrxReport);
    dialog->setMessageBoxFunction(messages.function());
    return dialog;
}

/// A loaded export dialog on an open report, its message boxes recorded.
struct DialogScene {
    OpenReport report;
    MessageRecorder messages;
    std::unique_ptr<frmCRExport> dialog = loadDialog(report, messages);

    /// Shows the dialog and waits until it has the keyboard.
    bool show()
    {
        dialog->show();
        return QTest::qWaitForWindowActive(dialog.get());
    }
};

/// Runs `action` on the first modal window of type W once it is shown, while
/// the caller sits in that window's modal loop.
template <typename W> void whenModalShown(std::function<void(W &)> action)
{
    QTimer::singleShot(10, qApp, [action] {
        if (auto *window = qobject_cast<W *>(QApplication::activeModalWidget()); window && window->isVisible())
            action(*window);
        else
            whenModalShown<W>(action);
    });
}

} // namespace velmora::testing
