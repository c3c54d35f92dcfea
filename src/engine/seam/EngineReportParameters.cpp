#include "engine/seam/ParameterErrors.h"
#include "engine/seam/ReportEngine.h"

// What an engine report without parameters answers; the engine's own report
// overrides all four.

namespace velmora {

void EngineReport::setParameterValue(const QString &name, const QString & /*text*/)
{
    throw Failure(ParameterErrors::UnknownParameter,
                  QStringLiteral("L'informe no té cap paràmetre anomenat «%1».").arg(name));
}

QStringList EngineReport::parameterList() const { return {}; }

bool EngineReport::askParameterValues(QWidget * /*owner*/) { return true; }

bool EngineReport::hasParameters() const { return false; }

} // namespace velmora
