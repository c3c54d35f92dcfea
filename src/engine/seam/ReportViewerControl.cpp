#include "engine/seam/ReportEngine.h"
#include "engine/seam/SeamErrors.h"

namespace velmora {

namespace {
void refuseNegative(int size, const char *what)
{
    if (size < 0)
        throw Failure(SeamErrors::NegativeSize,
                      QStringLiteral("Mida no vàlida per al visualitzador (%1 = %2): no pot ser negativa.")
                          .arg(QLatin1String(what))
                          .arg(size));
}
} // namespace

void ReportViewerControl::setTop(int top) { move(x(), top); }

void ReportViewerControl::setLeft(int left) { move(left, y()); }

void ReportViewerControl::setWidth(int width)
{
    refuseNegative(width, "Width");
    resize(width, height());
}

void ReportViewerControl::setHeight(int height)
{
    refuseNegative(height, "Height");
    resize(width(), height);
}

void ReportViewerControl::setFeatures(const ViewerFeatures &features)
{
    m_features = features;
    applyFeatures();
}

} // namespace velmora
