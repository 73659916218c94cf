// The Surveys window's site view: a site's or a client's tubes at a glance, and its report.
#include "shell/surveys/surveys_window.h"

#include "report/site_report.h"
#include "shell/surveys/site_view.h"
#include "shell/surveys/survey_texts.h"
#include "shell/surveys/surveys_tree.h"

#include <QDate>
#include <QDateTime>
#include <QStackedWidget>

namespace tarvelon {
namespace {

// Now, on the clock the unit's dates are read on: the computer's local time.
double today()
{
    const QDateTime now = QDateTime::currentDateTime();
    return double(QDate(1970, 1, 1).daysTo(now.date())) + now.time().msecsSinceStartOfDay() / 86400000.0;
}

} // namespace

bool SurveysWindow::showingSite() const
{
    return pages_->currentWidget() == site_;
}

void SurveysWindow::showSiteIfChosen()
{
    const std::optional<SurveysTree::SiteChoice> chosen = store_.isOpen() ? tree_->currentSite() : std::nullopt;
    if (!chosen) {
        pages_->setCurrentIndex(0);
        site_->clear();
        return;
    }
    site_->showSite(surveys::loadSite(store_, chosen->client, chosen->site, today()),
                qs(chosen->client + (chosen->site ? " / " + *chosen->site : "")));
    pages_->setCurrentWidget(site_);
}

void SurveysWindow::openTube(const surveys::TubeKey& key)
{
    for (const auto& t : site_->site().tubes)
        if (t->key == key && !t->surveys.empty()) {
            select({t->surveys.back().id});
            pages_->setCurrentIndex(0);
            return;
        }
}

bool SurveysWindow::writeSiteReport(const QString& path, QString* error)
{
    report::SiteReportOptions options;
    options.title = site_->name();
    options.today = today();
    // The view read each tube's latest readouts; the report's charts against time draw them all.
    const std::optional<SurveysTree::SiteChoice> chosen = tree_->currentSite();
    if (!chosen)
        return report::writeSiteReport(path, site_->site(), options, error);
    return report::writeSiteReport(path, surveys::loadSite(store_, chosen->client, chosen->site, options.today, true),
                                   options, error);
}

} // namespace tarvelon
