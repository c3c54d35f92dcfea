#pragma once

#include "wizard/generator/DatabaseCatalog.h"
#include "wizard/generator/WizardChoices.h"

#include <QString>

#include <memory>

namespace velmora::wizard {

/// What the steps share: the choices made so far, the open database's
/// catalog, and where the report goes when the wizard finishes.
struct WizardState {
    WizardChoices choices;
    std::shared_ptr<const DatabaseCatalog> catalog;
    QString password;
    QString outputPath;
    bool showInViewer = false;

    /// The fields of the chosen tables, in table order.
    std::vector<FieldName> availableFields() const
    {
        return catalog ? catalog->fieldsOf(choices.tables) : std::vector<FieldName>{};
    }
};

} // namespace velmora::wizard
