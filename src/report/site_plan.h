#pragma once
#include "library/site.h"

#include <QColor>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QPainter;

// A site's plan: each tube placed by its easting and northing, its latest readout's resultant
// drawn from it as an arrow (at the top, or at a chosen depth), coloured by its status; north up,
// a scale bar of metres and one of the arrows' millimetres. The window and the site report draw
// the same picture.
namespace tarvelon::report {

struct PlanTube {
    QString name;
    double easting = 0, northing = 0; // metres on the site's grid
    std::optional<double> eastMm, northMm; // the resultant's components; none when not computed
    surveys::Level level = surveys::Level::None;
    bool computed = false;                 // the latest readout was compared with the base
};

struct SitePlan {
    std::vector<PlanTube> placed;
    QStringList unplaced;                  // tubes without coordinates, as named beside the plan
    std::optional<int> depthTenths;        // the arrows' depth; none: each tube's top
};

// The plan of the site's rows; `depthTenths` the arrows' depth (each tube's top when none).
SitePlan sitePlan(const std::vector<surveys::SiteRow>& rows, std::optional<int> depthTenths = std::nullopt);

// The colour of a status on the plan and in the site table: red, amber, green; grey when nothing
// was compared.
QColor levelColor(surveys::Level level, bool computed);

// What the plan's scales are drawn with, for checks: metres per point of the plan, and the
// millimetres an arrow of one point stands for.
struct PlanScales {
    double metresPerPoint = 0, mmPerPoint = 0;
    double barMetres = 0, barMm = 0; // the round lengths the two scale bars show
};

// The plan in `area`, its text in `points` points (at least 8); the scales used.
PlanScales drawSitePlan(QPainter& painter, const QRectF& area, const SitePlan& plan, double points);

} // namespace tarvelon::report
