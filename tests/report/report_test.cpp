#include "report/tube_charts.h"
#include "report/tube_report.h"
#include "support/harness.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>

#include <gtest/gtest.h>

using namespace tarvelon;
using namespace tarvelon::surveys;

namespace {

// A tube of `readouts` readouts of 120 depths, each moving 2 units more at 10 m and below it.
std::vector<Survey> tube(int readouts)
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
        s.date = (n < 10 ? "0" : "") + std::to_string(n) + "/04/24";
        s.time = "09:30:00";
        for (int t = 5; t <= 600; t += 5)
            s.rows.push_back({t, {std::int64_t(t <= 100 ? 2 * n : 0) + 1000, std::int64_t(-n) - 300}});
        out.push_back(s);
    }
    out[2].rows.erase(out[2].rows.begin() + 40); // 20.5 m not read in readout 3
    return out;
}

// Each page's text, as a reader of the PDF gets it.
std::vector<std::string> pageTexts(const std::string& pdf)
{
    QProcess run;
    run.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QString::fromStdString(pdf), QStringLiteral("-")});
    EXPECT_TRUE(run.waitForFinished(20000)) << "pdftotext (poppler-utils) is needed";
    std::vector<std::string> pages;
    const QByteArray all = run.readAllStandardOutput();
    for (const QByteArray& page : all.split('\f'))
        if (!page.trimmed().isEmpty())
            pages.push_back(page.toStdString());
    return pages;
}

TEST(TubeReport, EveryPageCarriesTheTubesHeaderAndTheTablesTheNumbers)
{
    test::TempDir dir;
    const std::vector<Survey> surveys = tube(4);
    std::vector<const Survey*> readouts;
    for (const Survey& s : surveys)
        readouts.push_back(&s);
    TubeSettings settings;
    settings.constant = 25000;
    settings.alertMm = 0.5;
    const struct {
        Units units;
        const char* unit;
        const char* value; // cumulative A of readout 4 at 0.5 m: 20 depths x 0.5 m x change 6 / 25000
    } cases[] = {{Units::Millimetres, "mm", " 2.40 "}, {Units::Inches, "in", " 0.094 "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unit);
        settings.units = c.units;
        const TubeResult result = analyseTube(&surveys[0], readouts, settings);
        const std::string pdf = dir.file(std::string("report-") + c.unit + ".pdf");
        QString error;
        ASSERT_TRUE(report::writeTubeReport(QString::fromStdString(pdf), result, {QStringLiteral("05/05/2024"), {}},
                                            &error))
            << error.toStdString();
        const std::vector<std::string> pages = pageTexts(pdf);
        // Charts, time chart, and two pages of 120 depths for each of the three readouts.
        ASSERT_EQ(pages.size(), 8u);
        for (size_t n = 0; n < pages.size(); ++n) {
            const std::string page = pages[n];
            for (const std::string& field :
                 {std::string("Client: GEOTECNA"), std::string("Site: FRANA 12"), std::string("Tube: I7"),
                  std::string("North: 45 deg"), std::string("Probe constant K: 25000"),
                  std::string("Base readout: 01/04/24 No. 01 at 09:30:00"), std::string("Units: ") + c.unit,
                  std::string("Report date: 05/05/2024"),
                  "Page " + std::to_string(n + 1) + " of " + std::to_string(pages.size())})
                EXPECT_NE(page.find(field), std::string::npos) << "page " << n + 1 << " lacks " << field;
        }
        EXPECT_NE(pages[0].find("A cumulative displacement"), std::string::npos);
        EXPECT_NE(pages[1].find("Resultant displacement against time"), std::string::npos);
        EXPECT_NE(pages[1].find("alert"), std::string::npos);
        EXPECT_NE(pages[6].find(std::string(" 0.5 ")), std::string::npos);
        EXPECT_NE(pages[6].find(c.value), std::string::npos) << pages[6];
        // The gap of readout 3 is named on its table, once.
        EXPECT_NE(pages[4].find("at 20.5 m"), std::string::npos) << pages[4];
    }

    QStringList written;
    QString error;
    const QString base = QString::fromStdString(dir.file("I7"));
    ASSERT_TRUE(report::writeChartImages(base, report::tubeCharts(analyseTube(&surveys[0], readouts, settings)),
                                         QSize(600, 700), &written, &error))
        << error.toStdString();
    EXPECT_EQ(written.size(), 10);
    for (const QString& file : written)
        EXPECT_GT(QFileInfo(file).size(), 2000) << file.toStdString();
    EXPECT_NE(test::readFile(dir.file("I7-b-incremental.svg")).find("<polyline"), std::string::npos);
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
