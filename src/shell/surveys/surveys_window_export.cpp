// The Surveys window's exports: the charts as pictures, the table as CSV, the tube's report.
#include "shell/surveys/surveys_window.h"

#include "report/tube_report.h"
#include "shell/file_boxes.h"
#include "shell/remembered_choices.h"
#include "shell/surveys/site_view.h"
#include "shell/surveys/survey_charts.h"
#include "shell/surveys/survey_library.h"
#include "shell/surveys/survey_tables.h"
#include "shell/surveys/survey_texts.h"
#include "shell/texts.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include <algorithm>

namespace tarvelon {

void offerWritten(QWidget* parent, const QString& title, const QString& path)
{
    QMessageBox box(QMessageBox::Information, title,
                    Texts::tr("Written: %1").arg(QDir::toNativeSeparators(path)), QMessageBox::Close, parent);
    QPushButton* open = box.addButton(Texts::tr("&Open"), QMessageBox::ActionRole);
    QPushButton* folder = box.addButton(Texts::tr("Show in &Folder"), QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Close);
    box.exec();
    if (box.clickedButton() == open)
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    else if (box.clickedButton() == folder)
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}

bool SurveysWindow::exportChart(const QString& path, QString* error)
{
    return charts_->exportChart(path, error);
}

bool SurveysWindow::exportCharts(const QString& pathBase, QString* error)
{
    QString base = pathBase;
    for (const QString& suffix : {QStringLiteral(".png"), QStringLiteral(".svg")})
        if (base.endsWith(suffix, Qt::CaseInsensitive))
            base.chop(suffix.size());
    // A picture seen apart from the window says whose readouts it shows.
    std::vector<report::ChartSpec> charts = charts_->charts();
    QStringList readouts;
    for (const surveys::Survey& s : tubeSurveys_)
        if (std::find(chosen_.begin(), chosen_.end(), s.id) != chosen_.end())
            readouts << Texts::tr("No. %1").arg(qs(surveys::readoutNumber(s.readout)));
    if (tube_)
        for (report::ChartSpec& c : charts)
            c.title = QStringLiteral("%1 / %2 / %3, %4: %5")
                          .arg(qs(tube_->client), qs(tube_->site), qs(tube_->tube), readouts.join(QStringLiteral(", ")), c.title);
    return report::writeChartImages(base, charts, QSize(800, 900), nullptr, error, chartDpi_);
}

bool SurveysWindow::exportTable(const QString& path, QString* error)
{
    return tables_->exportTable(path, error);
}

bool SurveysWindow::writeReport(const QString& path, QString* error)
{
    // The whole tube in the summary; the charts and tables of the readouts chosen, as Export
    // Table and Export Charts take them.
    const surveys::TubeResult tube =
        tube_ ? surveys::analyseTube(tubeSurveys_, settings_, corrections_) : surveys::analyseTube(nullptr, {}, settings_);
    report::ReportOptions options;
    options.readoutIds = chosen_;
    options.allTables = reportChoices_.allTables;
    options.title = reportChoices_.title;
    options.planDepthTenths = reportChoices_.planDepthTenths;
    options.language = reportChoices_.language;
    const RememberedChoices choices;
    options.company = choices.reportCompany();
    options.preparedBy = choices.reportPreparer();
    options.checkedBy = choices.reportChecker();
    return report::writeTubeReport(path, tube, options, error);
}

QString SurveysWindow::startFolder() const
{
    return fileBoxFolder(downloadFolder_ ? downloadFolder_() : QString());
}

// Asks where, offering the tube's name with `ending`, then writes there and says so; the
// title names both the dialog and its failure message.
void SurveysWindow::chooseExport(const QString& title, const QString& filter, const QString& ending,
                                 bool (SurveysWindow::*write)(const QString&, QString*))
{
    whenIdle([this, title, filter, ending, write] {
        const std::vector<surveys::SiteRow>& rows = site_->site().rows;
        const QString name = showingSite() && !rows.empty()
                                 ? suggestedFileName(qs(rows.front().key.client), qs(rows.front().key.site), {}, ending)
                             : tube_ ? suggestedFileName(qs(tube_->client), qs(tube_->site), qs(tube_->tube), ending)
                                     : suggestedFileName({}, {}, {}, ending);
        const QString path = saveFileBox(this, title, QDir(startFolder()).filePath(name), filter);
        if (path.isEmpty())
            return;
        QString error;
        if (!(this->*write)(path, &error))
            return whenIdle([this, title, error] { QMessageBox::critical(this, title, error); });
        // The charts are several files: their folder is what there is to open.
        const bool charts = write == &SurveysWindow::exportCharts;
        const bool report = write == &SurveysWindow::writeReport || write == &SurveysWindow::writeSiteReport;
        const QString written = report                               ? Texts::tr("Report written:")
                                : charts                             ? Texts::tr("Charts written into:")
                                                                     : Texts::tr("Table written:");
        const QString shown = charts ? QFileInfo(path).absolutePath() : path;
        writtenLine_ = written + QLatin1Char(' ') + QDir::toNativeSeparators(shown);
        updateStatus();
        if (written_)
            written_(written, shown);
        if (report)
            whenIdle([this, path, title] { offerWritten(this, title, path); });
    });
}

} // namespace tarvelon
