#include "engine/layout/ChartPlacement.h"

#include "engine/chart/ChartDrawing.h"
#include "engine/layout/ChartGathering.h"

namespace velmora {

namespace {

class MeasurerMetrics : public ChartTextMetrics {
public:
    explicit MeasurerMetrics(TextMeasurer &measurer) : m_measurer(measurer) {}
    Twips width(const FontSpec &font, const QString &text) override { return m_measurer.width(font, text); }
    Twips lineHeight(const FontSpec &font) override { return m_measurer.lineMetrics(font).height; }
    Twips ascent(const FontSpec &font) override { return m_measurer.lineMetrics(font).ascent; }

private:
    TextMeasurer &m_measurer;
};

} // namespace

void placeChart(const ReportObject &object, const ObjectPlan &plan, int sectionLevel, RecordContext &context,
                TextMeasurer &measurer, Band &band)
{
    if (!object.chart || !plan.chart)
        return;
    const PreparedRecords &prepared = context.prepared();
    const ChartScope scope = chartScope(prepared, sectionLevel, context.position());
    const ChartValues values = gatherChartValues(*object.chart, *plan.chart, context, prepared, scope);
    if (object.format.background) {
        BoxItem back;
        back.rect = object.rect;
        back.borderWidth = 0;
        back.filled = true;
        back.fillColor = *object.format.background;
        band.items.emplace_back(back);
    }
    MeasurerMetrics metrics(measurer);
    for (PageItem &item : drawChart(*object.chart, values, object.rect, metrics))
        band.items.push_back(std::move(item));
}

} // namespace velmora
