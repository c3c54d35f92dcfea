#pragma once

#include "wizard/generator/WizardChoices.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace velmora::wizard {

/// The <wizard> element: what the wizard keeps beside the tables and links
/// the report itself holds.
void writeChoicesElement(QXmlStreamWriter &xml, const WizardChoices &choices, const QString &databaseText);
/// Reads the element `xml` stands on into `choices`; returns the database
/// as written. Throws Failure (WizardErrors::BadWizardChoices).
QString readChoicesElement(QXmlStreamReader &xml, WizardChoices &choices);

} // namespace velmora::wizard
