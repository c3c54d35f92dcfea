#include "export/WindowDesign.h"

#include "export/DesignFont.h"
#include "export/Twips.h"

namespace velmora {

void WindowDesign::describe(QDialog *window, const QString &name, const QString &caption, Qt::WindowType frame,
                            QSize clientTwips)
{
    window->setObjectName(name);
    window->setWindowTitle(caption);
    window->setFont(designFont());
    window->setWindowFlags(frame | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window->setFixedSize(Twips::toPixels(clientTwips.width()), Twips::toPixels(clientTwips.height()));
}

} // namespace velmora
