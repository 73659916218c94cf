#include "shell/surveys/survey_tables.h"

#include "report/write_failure.h"
#include "shell/local_time.h"
#include "shell/surveys/survey_texts.h"
#include "shell/texts.h"

#include <QHeaderView>
#include <QLabel>
#include <QSaveFile>
#include <QTableWidget>

#include <algorithm>

namespace tarvelon {

SurveyTables::SurveyTables(QLabel* header, QTableWidget* table) : header_(header), table_(table)
{
    header_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    header_->setWordWrap(true);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
}

void SurveyTables::clear()
{
    header_->clear();
    table_->clear();
    table_->setRowCount(0);
    table_->setColumnCount(0);
    csv_.clear();
}

int SurveyTables::headerHeight()
{
    surveys::Survey sample;
    sample.client = sample.site = "CLIENT 1";
    sample.missingTenths = {10};
    showHeader(sample);
    const int height = header_->sizeHint().height();
    header_->clear();
    header_->setToolTip({});
    return height;
}

void SurveyTables::showHeader(const surveys::Survey& s)
{
    const QString depth = s.depth ? QString::number(*s.depth, 'f', 1) + QStringLiteral(" m") : QStringLiteral("-");
    QString missing;
    if (!s.complete()) {
        QStringList depths;
        for (int t : s.missingTenths)
            depths << depthText(t);
        missing = Texts::tr("<tr><td colspan=4><b>Incomplete:</b> rows not read at %1 m</td></tr>")
                      .arg(depths.join(QStringLiteral(", ")));
    }
    header_->setText(Texts::tr("<table cellspacing=2>"
                                    "<tr><td><b>Client:</b> %1</td><td><b>Site:</b> %2</td><td><b>Tube:</b> %3</td>"
                                    "<td><b>Readout:</b> %4</td></tr>"
                                    "<tr><td><b>Depth:</b> %5</td><td><b>Step:</b> %6 m</td><td><b>Guides:</b> %7</td>"
                                    "<td><b>North:</b> %8</td></tr>"
                                    "<tr><td><b>Date:</b> %9</td><td><b>Time:</b> %10</td>"
                                    "<td colspan=2><b>%11</b> %12</td></tr>%13</table>")
                         .arg(qs(s.client).toHtmlEscaped(), qs(s.site).toHtmlEscaped(), qs(s.tube).toHtmlEscaped(),
                              qs(s.readout).toHtmlEscaped(), depth, QString::number(s.step, 'f', 1),
                              qs(s.guides).toHtmlEscaped(), qs(s.north).toHtmlEscaped(), qs(s.date).toHtmlEscaped())
                         .arg(qs(s.time).toHtmlEscaped(), keptLabel(s.origin), localTimeShown(s.downloadedAt).toHtmlEscaped(),
                              missing));
    header_->setToolTip(qs(s.headerFile) + QLatin1Char('\n') + qs(s.readingsFile));
}

void SurveyTables::fill(const QStringList& labels, const std::vector<QStringList>& rows)
{
    table_->setUpdatesEnabled(false);
    table_->clear();
    table_->setColumnCount(int(labels.size()));
    table_->setHorizontalHeaderLabels(labels);
    table_->setRowCount(int(rows.size()));
    for (int i = 0; i < int(rows.size()); ++i)
        for (int c = 0; c < rows[size_t(i)].size(); ++c) {
            auto* item = new QTableWidgetItem(rows[size_t(i)][c]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(i, c, item);
        }
    table_->resizeColumnsToContents();
    table_->setUpdatesEnabled(true);
}

void SurveyTables::showSurvey(const surveys::Survey& s)
{
    showHeader(s);
    int channels = 2;
    for (const surveys::SurveyRow& r : s.rows)
        for (int j = 0; j < surveys::kChannels; ++j)
            if (r.readings[size_t(j)])
                channels = std::max(channels, j + 1);
    QStringList labels{Texts::tr("Depth (m)")};
    for (int j = 1; j <= channels; ++j)
        labels << Texts::tr("Reading %1").arg(j);
    std::vector<QStringList> rows;
    for (const surveys::SurveyRow& r : s.rows) {
        QStringList cells{depthText(r.depthTenths)};
        for (int j = 0; j < channels; ++j)
            cells << (r.readings[size_t(j)] ? QString::number(*r.readings[size_t(j)]) : QString());
        rows.push_back(std::move(cells));
    }
    fill(labels, rows);
    csv_ = surveys::surveyCsv(s);
}

void SurveyTables::showDisplacement(const surveys::ReadoutResult& readout, const surveys::TubeResult& tube)
{
    showHeader(*readout.survey);
    const QString u = qs(surveys::unitName(tube.settings.units));
    QStringList labels{Texts::tr("Depth (m)"),        Texts::tr("A change"),
                       Texts::tr("B change"),         Texts::tr("A incremental (%1)").arg(u),
                       Texts::tr("B incremental (%1)").arg(u), Texts::tr("A cumulative (%1)").arg(u),
                       Texts::tr("B cumulative (%1)").arg(u),  Texts::tr("Resultant (%1)").arg(u),
                       Texts::tr("Azimuth (deg)")};
    if (tube.settings.secondPass)
        labels << Texts::tr("Sum A (1 + 3)") << Texts::tr("Sum B (2 + 4)") << Texts::tr("Sum A - base")
               << Texts::tr("Sum B - base") << Texts::tr("Sum A - base (%1)").arg(u)
               << Texts::tr("Sum B - base (%1)").arg(u);
    std::vector<QStringList> rows;
    for (const surveys::DisplacementRow& r : readout.displacement.rows) {
        QStringList cells;
        for (const std::string& cell : surveys::displacementCells(r, tube.settings, true))
            cells << qs(cell);
        rows.push_back(std::move(cells));
    }
    fill(labels, rows);
    csv_ = surveys::displacementCsv(tube);
}

bool SurveyTables::exportTable(const QString& path, QString* error) const
{
    QSaveFile file(path);
    if (csv_.empty() || !file.open(QIODevice::WriteOnly) ||
        file.write(csv_.data(), qint64(csv_.size())) != qint64(csv_.size()) || !file.commit()) {
        if (error)
            *error = csv_.empty() ? Texts::tr("No readout is chosen")
                                  : report::cannotBeWritten(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace tarvelon
