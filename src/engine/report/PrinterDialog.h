#pragma once

#include "engine/report/EngineServices.h"

class QPrinter;
class QWidget;

namespace velmora {

/// Qt's print dialog over `printer`, modal to `owner`. It speaks the
/// language of the translations the application has loaded. On a machine
/// with no printer it is still shown: it then offers printing to a PDF file.
/// Without a widget application (the batch exporter) nothing is shown and
/// the answer is "cancelled".
bool showPrinterDialog(QPrinter &printer, QWidget *owner, PrinterDialogPurpose purpose);

} // namespace velmora
