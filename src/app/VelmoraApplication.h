#pragma once

#include <QApplication>

namespace velmora {

struct UntrappedFailure;

/// The application object. It is the last stop for a failure that nothing
/// trapped: such a failure is shown to the user in a message box and the
/// event loop goes on, so no exception ever crosses it.
class VelmoraApplication : public QApplication {
    Q_OBJECT
public:
    VelmoraApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    /// Shows the failure over the active window. While one failure is on
    /// screen, a further one (say from painting behind the message box) is
    /// logged rather than stacked on top of it.
    void showFailure(const UntrappedFailure &failure);

private:
    bool m_showingFailure = false;
};

} // namespace velmora
