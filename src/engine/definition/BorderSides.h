#pragma once

#include "engine/definition/ReportDefinition.h"

#include <optional>

namespace velmora {

/// The sides of a border as the file writes them: "all", or some of
/// "left top right bottom" separated by blanks; "" for none.
QString borderSidesText(const BorderSpec &border);
/// `border` with the sides `text` names (and no others); nullopt when a
/// word is not a side. `badWord` receives the first word that is not.
std::optional<BorderSpec> withBorderSides(BorderSpec border, QStringView text, QString *badWord = nullptr);

} // namespace velmora
