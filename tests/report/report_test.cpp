#include "report/report_language.h"
#include "report/tube_charts.h"
#include "report/tube_report.h"
#include "report/write_failure.h"
#include "pdf_pages.h"
#include "platform/translate.h"
#include "support/harness.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <regex>
#include <set>

using namespace tarvelon;
using namespace tarvelon::surveys;
using tarvelon::test::layoutFaults;
using tarvelon::test::pageTexts;

namespace {

// A tube `metres` deep read every 0.5 m: `readouts` weekly readouts from 01/04/2024, moving
// toward A0 above 10 m and toward B0 less, a little more each week.
std::vector<Survey> tube(int readouts, int metres = 60)
{
    std::vector<Survey> out;
    for (int n = 1; n <= readouts; ++n) {
        Survey s;
        s.id = n;
        s.client = "GEOTECNA";
        s.site = "FRANA 12";
        s.tube = "I7";
        s.step = 0.5;
        s.north = "+045";
        s.readout = std::to_string(n);
        s.date = QDate(2024, 4, 1).addDays(7 * (n - 1)).toString(QStringLiteral("dd/MM/yy")).toStdString();
        s.time = "09:30:00";
        for (int t = 5; t <= metres * 10; t += 5)
            s.rows.push_back({t, {std::int64_t(t <= 100 ? 2 * n : 0) + 1000, std::int64_t(t <= 100 ? -n : 0) - 300}});
        out.push_back(s);
    }
    if (readouts > 2 && out[2].rows.size() > 40)
        out[2].rows.erase(out[2].rows.begin() + 40); // 20.5 m not read in readout 3
    return out;
}

std::vector<const Survey*> pointers(const std::vector<Survey>& surveys)
{
    std::vector<const Survey*> out;
    for (const Survey& s : surveys)
        out.push_back(&s);
    return out;
}

report::ReportOptions options()
{
    report::ReportOptions o;
    o.reportDate = QStringLiteral("05/05/2024");
    o.company = QStringLiteral("Geotecna Srl");
    o.preparedBy = QStringLiteral("A. Rossi");
    return o;
}

// What a tube report says, in each of its languages.
struct ReportWords {
    const char* language;
    const char* page;      // "Page %1 of %2"
    std::vector<const char*> firstPage;
    const char *sums, *readout, *continued;
};

const ReportWords kReportWords[] = {
    {"en", "Page %1 of %2",
     {"Inclinometer report", "Geotecna Srl", "Diga di Rocca (No. P-2024-17)", "Left abutment", "312.450 m", "SN 4411",
      "Gauge length:", "Probe constant K:", "Base readout:", "01/04/2024 No. 01", "Corrections applied:", "Prepared by:",
      "A. Rossi", "Checked by:", "Report date:", "05/05/2024", "Summary", "not computed", "Tube flushed"},
     ", sums A ", "Readout ", "(continued)"},
    {"it", "Pagina %1 di %2",
     {"Rapporto inclinometrico", "Geotecna Srl", "Diga di Rocca (n. P-2024-17)", "Left abutment", "312,450 m", "SN 4411",
      "Lunghezza di base:", "Lettura di riferimento:", "01/04/2024 n. 01", "Correzioni applicate:", "Redatto da:",
      "A. Rossi", "Verificato da:", "Data del rapporto:", "05/05/2024", "Riepilogo", "non calcolata", "Tube flushed"},
     ", somme A ", "Lettura ", "(segue)"},
};

// A figure as the language prints it: the decimal comma in Italian.
QString figure(const std::string& cell, const char* language)
{
    QString s = QString::fromStdString(cell);
    if (std::string(language) == "it")
        s.replace(QRegularExpression(QStringLiteral("(\\d)\\.(\\d)")), QStringLiteral("\\1,\\2"));
    return s;
}

// Reports of 10 m and 80 m tubes, short and long, in both units and both languages: every page
// clean, the 80 m tube of 14 readouts in at most 12 pages, and what the client reads where it
// belongs, in the client's language whatever the program's.
TEST(TubeReport, PagesAreCleanAndSayWhatTheClientNeeds)
{
    test::TempDir dir;
    for (const ReportWords& words : kReportWords) {
        SCOPED_TRACE(words.language);
        const struct {
            const char* what;
            int readouts, metres;
            Units units;
            bool secondPass, allTables;
            size_t mostPages;
            std::optional<int> planDepth;
        } cases[] = {
            {"10 m, 3 readouts", 3, 10, Units::Millimetres, false, false, 4, {}},
            {"80 m, 14 readouts", 14, 80, Units::Millimetres, false, false, 12, {}},
            {"80 m, 14 readouts, inches, second pass", 14, 80, Units::Inches, true, false, 12, {}},
            {"30 m, 6 readouts, every table, plan at 5 m", 6, 30, Units::Millimetres, false, true, 12, 50},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            std::vector<Survey> surveys = tube(c.readouts, c.metres);
            if (c.secondPass)
                for (Survey& s : surveys)
                    for (SurveyRow& r : s.rows)
                        r.readings[2] = -*r.readings[0] + 40, r.readings[3] = -*r.readings[1] - 40;
            surveys[1].step = 1.0; // taken at another step: a line of the summary, no page
            TubeSettings settings;
            settings.constant = 25000;
            settings.alertMm = 0.5;
            settings.units = c.units;
            settings.secondPass = c.secondPass;
            settings.report = {"Diga di Rocca", "P-2024-17", "Left abutment", "SN 4411",
                               "Tube flushed before readout 5; readings of 20.5 m on 15/04/2024 were not taken.", 312.45};
            const TubeResult result = analyseTube(&surveys[0], pointers(surveys), settings);
            report::ReportOptions o = options();
            o.language = QString::fromLatin1(words.language);
            o.allTables = c.allTables;
            o.planDepthTenths = c.planDepth;
            const std::string pdf = dir.file(std::string("report-") + words.language + std::to_string(&c - cases) + ".pdf");
            QString error;
            ASSERT_TRUE(report::writeTubeReport(QString::fromStdString(pdf), result, o, &error)) << error.toStdString();
            // REPORT_TEST_PAGES=folder keeps the reports to look at.
            if (const QString keep = qEnvironmentVariable("REPORT_TEST_PAGES"); !keep.isEmpty())
                QFile::copy(QString::fromStdString(pdf),
                            keep + QStringLiteral("/report-%1%2.pdf").arg(QLatin1String(words.language)).arg(&c - cases));

            for (const std::string& fault : layoutFaults(pdf))
                ADD_FAILURE() << fault;
            const std::vector<std::string> pages = pageTexts(pdf);
            ASSERT_GE(pages.size(), 3u);
            EXPECT_LE(pages.size(), c.mostPages);
            for (size_t n = 0; n < pages.size(); ++n)
                EXPECT_NE(pages[n].find(QString::fromLatin1(words.page).arg(n + 1).arg(pages.size()).toStdString()),
                          std::string::npos);
            for (const char* field : words.firstPage)
                EXPECT_NE(pages[0].find(field), std::string::npos) << "page 1 lacks " << field << "\n" << pages[0];
            EXPECT_NE(pages[1].find("I7, FRANA 12, GEOTECNA"), std::string::npos) << pages[1];
            // Headings that carry the checksums' numbers are printed whole, never cut with an ellipsis.
            if (c.secondPass) {
                for (const std::string& page : pages)
                    for (size_t at = page.find(words.sums); at != std::string::npos; at = page.find(words.sums, at + 1))
                        EXPECT_NE(page.substr(at, page.find('\n', at) - at).find(", B "), std::string::npos)
                            << page.substr(at, 80);
            }
            // Every compared readout in the summary with its largest value's depth: 0.5 m, the top.
            const report::ReportLanguage language(QString::fromLatin1(words.language));
            const std::string latest = report::readoutName(surveys.back()).toStdString();
            // The longer Italian notes may carry the summary over onto a second page, which goes on with it.
            EXPECT_TRUE(pages[0].find(latest) != std::string::npos || pages[1].find(latest) != std::string::npos)
                << latest << "\n" << pages[0];
            size_t tables = 0;
            for (const std::string& page : pages)
                tables += page.find(words.readout + report::readoutName(surveys[surveys.size() - 2]).toStdString()) !=
                          std::string::npos;
            EXPECT_EQ(tables > 0, c.allTables);
            EXPECT_NE(pages.back().find(words.readout + latest), std::string::npos);
            // Every row of every depth table printed, with the figures of the displacement: a table
            // that lost a row (its deepest, say) or a cell fails here.
            std::vector<QStringList> lines;
            for (const std::string& page : pages)
                for (const QString& line : QString::fromStdString(page).split(QLatin1Char('\n')))
                    lines.push_back(line.split(QLatin1Char(' '), Qt::SkipEmptyParts));
            size_t lastCompared = 0;
            for (size_t i = 0; i < result.readouts.size(); ++i)
                if (result.readouts[i].displacement.compared)
                    lastCompared = i;
            for (size_t i = 0; i < result.readouts.size(); ++i) {
                if (!result.readouts[i].displacement.compared || (!c.allTables && i != lastCompared))
                    continue;
                const auto& rows = result.readouts[i].displacement.rows;
                ASSERT_FALSE(rows.empty());
                for (const DisplacementRow& row : rows) {
                    QStringList cells;
                    for (const std::string& cell : displacementCells(row, settings))
                        if (!cell.empty())
                            cells << figure(cell, words.language);
                    EXPECT_NE(std::count(lines.begin(), lines.end(), cells), 0)
                        << "readout " << i << ": no line " << cells.join(QLatin1Char(' ')).toStdString();
                }
            }
            if (c.metres >= 80) {
                EXPECT_NE(pages.back().find(words.continued), std::string::npos) << pages.back();
            }
        }
    }
}

// The summary gives the largest displacement and the fastest rate each at its own depth; a base
// carried on and a readout read with another probe are said on page 1.
TEST(TubeReport, SummaryPutsEachValueAtItsOwnDepthAndSaysTheProbeAndTheBaseCarriedOn)
{
    test::TempDir dir;
    // At 1.0 m A moves back, so the largest stays at 1.5 m while readout 04 moves fastest at 0.5 m.
    std::vector<Survey> surveys = tube(4, 2);
    const std::map<std::string, std::map<int, int>> moves{{"3", {{15, 100}, {10, -50}}}, {"4", {{15, 100}, {10, -20}}}};
    for (Survey& s : surveys)
        for (SurveyRow& r : s.rows) {
            const auto m = moves.find(s.readout);
            const int at = m == moves.end() || !m->second.count(r.depthTenths) ? 0 : m->second.at(r.depthTenths);
            r.readings[0] = 1000 + at;
            r.readings[1] = -300;
        }
    surveys[1].probeSerial = "P1";
    surveys[3].probeSerial = "P2";
    TubeSettings settings;
    settings.constant = 25000;
    settings.north = 0;
    const struct {
        const char* what;
        std::int64_t base, previous;
        std::vector<const char*> said, unsaid;
    } cases[] = {
        {"one base", 1, 0, {"Base readout"}, {"carries on from", "Previous base", "probe changed"}},
        {"a new base carried on", 2, 1,
         {"Previous base", "carrying on from", "carries on from base 01 of 01/04/24", "probe changed since the base"},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        settings.baseId = c.base;
        settings.continuedFromId = c.previous;
        const TubeResult result = analyseTube(&surveys[size_t(c.base - 1)], pointers(surveys), settings);
        const std::string pdf = dir.file(std::string("summary-") + std::to_string(c.base) + ".pdf");
        QString error;
        ASSERT_TRUE(report::writeTubeReport(QString::fromStdString(pdf), result, options(), &error)) << error.toStdString();
        const std::vector<std::string> pages = pageTexts(pdf);
        ASSERT_FALSE(pages.empty());
        std::string page = pages[0];
        for (char& ch : page)
            ch = ch == '\n' ? ' ' : ch;
        // Readout 04: 2.00 mm at 1.5 m; 0.6 mm in 7 days at 0.5 m.
        EXPECT_TRUE(std::regex_search(page, std::regex(R"(No\. 04\s+09:30:00\s+2\.00\s+1\.5\s+\d+\s+0\.0857\s+0\.5\s)")))
            << page;
        for (const char* text : c.said)
            EXPECT_NE(page.find(text), std::string::npos) << text << "\n" << page;
        for (const char* text : c.unsaid)
            EXPECT_EQ(page.find(text), std::string::npos) << text << "\n" << page;
    }
}

// The values the charts draw at a depth are the displacements of the table: cumulative in the
// cumulative charts, incremental in the incremental ones. The window draws these same charts.
TEST(TubeCharts, DrawTheTablesValuesOnOneScaleWithDistinctLegends)
{
    std::vector<Survey> surveys = tube(4, 20);
    // The latest readout moves faster than those before it: its rate is no older one's.
    for (SurveyRow& r : surveys[3].rows)
        if (r.depthTenths <= 100)
            *r.readings[0] += 10;
    TubeSettings settings;
    settings.constant = 25000;
    const TubeResult result = analyseTube(&surveys[0], pointers(surveys), settings);
    const std::vector<report::ChartSpec> charts = report::tubeCharts(result);
    ASSERT_EQ(charts.size(), 7u); // and the plan, and the rate
    const auto rowAt = [&](size_t readout, int tenths) {
        for (const DisplacementRow& r : result.readouts[readout].displacement.rows)
            if (r.depthTenths == tenths)
                return r;
        return DisplacementRow{};
    };
    const struct {
        size_t chart;
        bool cumulative;
        size_t axis;
    } drawn[] = {{0, true, 0}, {1, true, 1}, {2, false, 0}, {3, false, 1}};
    for (const auto& d : drawn)
        for (int tenths : {5, 100, 105, 200}) {
            SCOPED_TRACE(charts[d.chart].title.toStdString() + " at " + std::to_string(tenths));
            const std::vector<double> values = report::valuesAt(charts[d.chart], tenths / 10.0);
            ASSERT_EQ(values.size(), result.readouts.size());
            for (size_t i = 0; i < values.size(); ++i) {
                const DisplacementRow r = rowAt(i, tenths);
                const std::optional<double> v = d.cumulative ? r.cumulative[d.axis] : r.incremental[d.axis];
                if (v)
                    EXPECT_DOUBLE_EQ(values[i], *v);
                else
                    EXPECT_TRUE(std::isnan(values[i]));
            }
        }
    // A and B of one kind share their scale, and it holds every value with room to spare.
    // Two empty ranges are equal too: each must hold something.
    for (size_t i = 0; i < 4; ++i) {
        ASSERT_TRUE(charts[i].valueRange) << charts[i].title.toStdString();
        EXPECT_LT(charts[i].valueRange->first, charts[i].valueRange->second);
    }
    EXPECT_EQ(charts[0].valueRange, charts[1].valueRange);
    EXPECT_EQ(charts[2].valueRange, charts[3].valueRange);
    const double largest = *rowAt(2, 5).cumulative[0];
    EXPECT_GT(charts[0].valueRange->second, largest);

    // The time chart's legend gives the latest readout's rate at each depth, not an older one's;
    // the cumulative charts shade the precision band, widening from the toe up.
    for (const report::ChartSeries& series : charts[4].series) {
        if (!series.name.contains(QStringLiteral(" resultant")))
            continue;
        const int tenths = int(std::lround(series.name.section(QLatin1Char(' '), 0, 0).toDouble() * 10));
        std::optional<double> latestRate;
        for (const TimePoint& p : history(result, tenths))
            if (p.rateMmPerDay)
                latestRate = p.rateMmPerDay;
        ASSERT_TRUE(latestRate) << series.name.toStdString();
        EXPECT_TRUE(series.name.endsWith(QStringLiteral("latest rate %1 mm/day")
                                             .arg(QString::fromStdString(rateText(latestRate, settings)))))
            << series.name.toStdString();
    }
    ASSERT_GE(charts[0].band.size(), 2);
    EXPECT_GT(charts[0].band.front().x(), charts[0].band.back().x());
    EXPECT_NEAR(charts[0].band.back().x(), 0.16, 1e-12);

    // Forty-eight readouts: no two drawn alike, the latest heavier.
    std::set<std::pair<QRgb, int>> looks;
    for (size_t i = 0; i < 48; ++i)
        EXPECT_TRUE(looks.insert({report::seriesStyle(i).color.rgb(), int(report::seriesStyle(i).style)}).second) << i;
    EXPECT_TRUE(charts[0].series.back().heavy);
    EXPECT_FALSE(charts[0].series.front().heavy);
}

// A readout not compared has no line, so it is not in the legend either; images of every chart.
TEST(TubeCharts, LeaveOutWhatIsNotDrawnAndExportEveryChart)
{
    test::TempDir dir;
    std::vector<Survey> surveys = tube(4, 20);
    surveys[2].step = 1.0;
    TubeSettings settings;
    settings.constant = 25000;
    const TubeResult result = analyseTube(&surveys[0], pointers(surveys), settings);
    const std::vector<report::ChartSpec> charts = report::tubeCharts(result);
    EXPECT_EQ(report::valuesAt(charts[0], 1.0).size(), 2u);
    EXPECT_NE(charts[0].note.indexOf(QStringLiteral("No. 03")), -1);
    // The time chart: A, B and resultant at each depth, and the projection's line when the
    // displacement rises; its axis from the base's day.
    ASSERT_FALSE(charts[4].series.empty());
    EXPECT_TRUE(charts[4].series.back().name.startsWith(QStringLiteral("Projection at ")));
    EXPECT_EQ((charts[4].series.size() - 1) % 3, 0u);
    EXPECT_DOUBLE_EQ(charts[4].timeOrigin, *surveyDays(surveys[0].date, surveys[0].time));

    QStringList written;
    QString error;
    ASSERT_TRUE(report::writeChartImages(QString::fromStdString(dir.file("I7")), charts, QSize(600, 700), &written,
                                         &error))
        << error.toStdString();
    EXPECT_EQ(written.size(), 14);
    for (const QString& file : written)
        EXPECT_GT(QFileInfo(file).size(), 2000) << file.toStdString();
    EXPECT_NE(test::readFile(dir.file("I7-b-incremental.svg")).find("<polyline"), std::string::npos);
}

// Thresholds are drawn on the charts of their own quantity only: the resultant's on the time chart,
// the rate's on the rate chart, none on the A and B charts, whose components may be inside them
// while the resultant is past them.
TEST(TubeCharts, ThresholdsOnlyOnChartsOfTheirQuantity)
{
    const std::vector<Survey> surveys = tube(4, 20);
    TubeSettings settings;
    settings.constant = 25000;
    settings.alertMm = 5;
    settings.alarmMm = 10;
    settings.alertMmPerDay = 0.2;
    settings.alarmMmPerDay = 0.5;
    const TubeResult result = analyseTube(&surveys[0], pointers(surveys), settings);
    const std::vector<report::ChartSpec> charts = report::tubeCharts(result);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_TRUE(charts[i].limits.empty()) << charts[i].title.toStdString();
    ASSERT_EQ(charts[report::kTimeChart].limits.size(), 2u);
    EXPECT_EQ(charts[report::kTimeChart].limits[1].value, 10);
    const report::ChartSpec* rate = report::chartNamed(charts, QStringLiteral("rate"));
    ASSERT_TRUE(rate);
    ASSERT_EQ(rate->limits.size(), 2u);
    EXPECT_EQ(rate->limits[0].name, QStringLiteral("Alert 0.200 mm/day"));
    EXPECT_EQ(rate->limits[1].value, 0.5);
    // The rate per readout at each depth of the time chart, as the readouts measured it.
    ASSERT_FALSE(rate->series.empty());
    const std::vector<TimePoint> top = history(result, 5);
    size_t rated = 0;
    for (const TimePoint& p : top)
        if (p.rateMmPerDay) {
            ASSERT_LT(rated, size_t(rate->series[0].points.size()));
            EXPECT_DOUBLE_EQ(rate->series[0].points[qsizetype(rated)].y(), *p.rateMmPerDay);
            EXPECT_DOUBLE_EQ(rate->series[0].points[qsizetype(rated)].x(), p.days);
            ++rated;
        }
    EXPECT_EQ(rated, size_t(rate->series[0].points.size()));
    EXPECT_GT(rated, 0u);
    ASSERT_TRUE(rate->valueRange);
    EXPECT_EQ(rate->valueRange->first, 0);
}

// A depth typed as the tables print it, by the tube's depth reference; one the tube was not read
// at is refused with the depths it has.
TEST(TubeCharts, PlanAtAChosenDepthDrawsTheLatestDisplacementThere)
{
    const std::vector<Survey> surveys = tube(4, 20);
    TubeSettings settings;
    settings.constant = 25000;
    const struct {
        DepthReference reference;
        double metres;
        std::optional<int> tenths;
    } cases[] = {
        {DepthReference::UpperWheel, 10.0, 100}, {DepthReference::UpperWheel, 10.004, 100},
        {DepthReference::UpperWheel, 0.5, 5},    {DepthReference::UpperWheel, 10.25, std::nullopt},
        {DepthReference::UpperWheel, 20.5, std::nullopt}, {DepthReference::UpperWheel, NAN, std::nullopt},
        {DepthReference::LowerWheel, 10.0, 105},  {DepthReference::Centre, 10.25, 105},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.metres) + " m, reference " + std::to_string(int(c.reference)));
        settings.depthReference = c.reference;
        const TubeResult result = analyseTube(&surveys[0], pointers(surveys), settings);
        QString error;
        EXPECT_EQ(report::depthTenthsAt(result, c.metres, &error), c.tenths);
        EXPECT_EQ(error.contains(QStringLiteral("every 0.5 m")), !c.tenths) << error.toStdString();
        if (!c.tenths)
            continue;
        // The plan's line at that depth ends at the latest readout's A and B there.
        const report::ChartSpec plan = report::tubeCharts(result, {}, {5, *c.tenths})[5];
        ASSERT_EQ(plan.series.size(), 2u);
        const QPointF last = plan.series[1].points.back();
        for (const DisplacementRow& r : result.readouts.back().displacement.rows)
            if (r.depthTenths == *c.tenths) {
                EXPECT_DOUBLE_EQ(last.x(), *r.cumulative[1]);
                EXPECT_DOUBLE_EQ(last.y(), *r.cumulative[0]);
            }
    }
}

// A PNG at a resolution holds the same picture: its pixels and its type grow together, and the
// file says its resolution.
TEST(TubeCharts, PngAtAChosenResolution)
{
    test::TempDir dir;
    const std::vector<Survey> surveys = tube(4, 20);
    TubeSettings settings;
    settings.constant = 25000;
    const report::ChartSpec chart = report::tubeCharts(analyseTube(&surveys[0], pointers(surveys), settings))[0];
    const auto ink = [](const QImage& image) {
        qint64 dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        return double(dark) / double(image.width()) / double(image.height());
    };
    double inkAt96 = 0;
    for (int dpi : {96, 150, 300, 20}) {
        SCOPED_TRACE(dpi);
        const QString path = QString::fromStdString(dir.file("chart-" + std::to_string(dpi) + ".png"));
        QString error;
        const bool written = report::writeChart(path, chart, QSize(400, 450), &error, dpi);
        EXPECT_EQ(written, dpi >= 36) << error.toStdString();
        if (!written)
            continue;
        const QImage image(path);
        EXPECT_EQ(image.size(), QSize(qRound(400.0 * dpi / 96), qRound(450.0 * dpi / 96)));
        EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, dpi, 1);
        // Text and lines scaled with the pixels cover about the same share of the picture.
        if (dpi == 96)
            inkAt96 = ink(image);
        else
            EXPECT_NEAR(ink(image) / inkAt96, 1, 0.35);
    }
}

// A file that cannot be written is named with the system's separators and the system's reason;
// asking the reason empties no file and leaves none behind.
TEST(WriteFailure, NamesTheFileAndTheSystemsReason)
{
    test::TempDir dir;
    const std::vector<Survey> surveys = tube(4, 20);
    TubeSettings settings;
    settings.constant = 25000;
    const TubeResult result = analyseTube(&surveys[0], pointers(surveys), settings);
    const report::ChartSpec chart = report::tubeCharts(result)[0];
    const QString missing = QString::fromStdString(dir.file("gone"));
    for (const char* name : {"chart.png", "chart.svg", "chart.pdf", "report.pdf"}) {
        SCOPED_TRACE(name);
        const QString path = missing + "/" + name;
        QString error;
        const bool written = QString(name).startsWith("report")
                                 ? report::writeTubeReport(path, result, report::ReportOptions{}, &error)
                                 : report::writeChart(path, chart, QSize(400, 450), &error);
        EXPECT_FALSE(written);
        const QString named = QDir::toNativeSeparators(path) + " cannot be written: ";
        EXPECT_TRUE(error.startsWith(named) && error.size() > named.size()) << error.toStdString();
    }
    const QString kept = QString::fromStdString(dir.file("kept.csv")), absent = QString::fromStdString(dir.file("new.csv"));
    QFile file(kept);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("depth;A\n");
    file.close();
    EXPECT_EQ(report::cannotBeWritten(kept), QDir::toNativeSeparators(kept) + " cannot be written");
    EXPECT_EQ(QFileInfo(kept).size(), 8);
    report::cannotBeWritten(absent);
    EXPECT_FALSE(QFile::exists(absent));
}

TEST(TubeReport, ReadoutListsAsTyped)
{
    const struct {
        const char* text;
        std::vector<int> numbers; // empty: refused
    } cases[] = {{"01,04-07", {1, 4, 5, 6, 7}}, {"3", {3}}, {" 2 , 9 ", {2, 9}}, {"7-4", {}}, {"a", {}},
                 {"1-2-3", {}}, {"", {}}};
    for (const auto& c : cases) {
        QString error;
        const auto got = report::parseReadoutList(QString::fromLatin1(c.text), &error);
        EXPECT_EQ(got.value_or(std::vector<int>{}), c.numbers) << c.text;
        EXPECT_EQ(error.isEmpty(), !c.numbers.empty()) << c.text;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// While a report is written its language holds: the analysis' texts (through the hook) and the
// report's own follow it, numbers and dates are written its way, and the program's comes back
// after, an outer report's after an inner one.
TEST(ReportLanguage, HoldsWhileAReportIsWrittenAndGivesBackThePrograms)
{
    const auto said = [] { return QString::fromStdString(tarvelon::translate("Texts", "Tube")); };
    const QString before = said();
    EXPECT_EQ(report::writingLanguage(), QString());
    {
        const report::ReportLanguage italian(QStringLiteral("it"));
        EXPECT_EQ(said(), QStringLiteral("Tubo"));
        EXPECT_EQ(report::translate("Texts", "Page %1 of %2"), QStringLiteral("Pagina %1 di %2"));
        {
            const report::ReportLanguage english(QStringLiteral("en"));
            EXPECT_EQ(said(), QStringLiteral("Tube"));
            EXPECT_EQ(report::localNumbers(QStringLiteral("1.25")), QStringLiteral("1.25"));
        }
        EXPECT_EQ(said(), QStringLiteral("Tubo"));
        EXPECT_EQ(report::writingLanguage(), QStringLiteral("it"));
    }
    EXPECT_EQ(said(), before);
    EXPECT_EQ(report::writingLanguage(), QString());

    const struct {
        const char* language;
        const char *text, *numbers, *dates;
    } cases[] = {
        // Only a point between two digits is a decimal point; names and abbreviations keep theirs.
        {"it", "-1.25 mm at 3.5 m, No. 3, A. Rossi", "-1,25 mm at 3,5 m, No. 3, A. Rossi", nullptr},
        {"it", "from 2024-04-26 to 2024-05-03", nullptr, "from 26/04/2024 to 03/05/2024"},
        {"it", "12345-06-078", nullptr, "12345-06-078"},
        {"en", "-1.25 mm on 2024-04-26", "-1.25 mm on 2024-04-26", "-1.25 mm on 2024-04-26"},
        {"", "-1.25 mm on 2024-04-26", "-1.25 mm on 2024-04-26", "-1.25 mm on 2024-04-26"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::optional<report::ReportLanguage> scope;
        if (*c.language)
            scope.emplace(QString::fromLatin1(c.language));
        if (c.numbers) {
            EXPECT_EQ(report::localNumbers(QString::fromLatin1(c.text)), QString::fromLatin1(c.numbers));
        }
        if (c.dates) {
            EXPECT_EQ(report::localDates(QString::fromLatin1(c.text)), QString::fromLatin1(c.dates));
        }
    }
    // Anything but a known language is the program's, English in these tests.
    const report::ReportLanguage unknown(QStringLiteral("fr"));
    EXPECT_EQ(unknown.language(), QStringLiteral("en"));
}
