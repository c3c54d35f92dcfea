#include "app/VelmoraApplication.h"

#include "app/UntrappedFailure.h"
#include "app/VersionInfo.h"

#include <QMessageBox>
#include <QScopedValueRollback>

namespace velmora {

VelmoraApplication::VelmoraApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool VelmoraApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportUntrappedFailure(std::current_exception());
        return false;
    }
}

void VelmoraApplication::showFailure(const UntrappedFailure &failure)
{
    if (m_showingFailure) {
        qWarning("%s", qUtf8Printable(failure.messageText()));
        return;
    }
    const QScopedValueRollback showing(m_showingFailure, true);
    QMessageBox box(QMessageBox::Critical, VersionInfo::current().productName,
                    failure.messageText(), QMessageBox::Ok, activeWindow());
    box.exec();
}

} // namespace velmora
