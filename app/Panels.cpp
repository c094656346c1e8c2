#include "Panels.h"

QString PanelFolding::settingDataSummary(const QString& folder, const QString& language,
                                         const QString& version)
{
    return QStringLiteral("SETTING DATA :: ") + folder + QStringLiteral(" | ") + language +
           QStringLiteral(" | ver.data ") + version;
}

QString PanelFolding::exportPricesSummary(const QString& supplier, const QString& factor)
{
    return QStringLiteral("EXPORT PRICES :: ") + supplier + QStringLiteral(" | factor ") + factor;
}

PanelFolding::Captions PanelFolding::toggleList(Captions captions, ListPanel panel)
{
    if (isOpen(captions[panel])) {
        captions[panel] = closedCaption();
        return captions;
    }
    for (QString& caption : captions)
        caption = closedCaption();
    captions[panel] = openCaption();
    return captions;
}

PanelFolding::Layout PanelFolding::arrange(const Captions& captions, int workAreaHeight)
{
    Layout layout;
    for (int i = 0; i < ListPanelCount; ++i) {
        layout.heights[i] = ClosedHeight;
        layout.partShown[i] = false;
        if (isOpen(captions[i])) {
            layout.heights[i] = workAreaHeight - OpenListReserve;
            layout.partShown[i] = true;
        }
    }
    return layout;
}

std::optional<int> PanelFolding::innerHeight(int panelHeight)
{
    if (panelHeight == ClosedHeight)
        return std::nullopt;
    return panelHeight - InnerReserve;
}

QString PanelFolding::countTitle(const QString& title, int ticked)
{
    return title + QStringLiteral(" [") + QString::number(ticked) + QStringLiteral("]");
}

QList<bool> PanelFolding::toggleAll(QList<bool> ticks, int selected)
{
    if (ticks.isEmpty())
        return ticks;
    const int reference = selected >= 0 && selected < ticks.size() ? selected : 0;
    const bool target = !ticks[reference];
    for (bool& tick : ticks)
        tick = target;
    return ticks;
}
