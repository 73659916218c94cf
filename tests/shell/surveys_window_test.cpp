#include "shell/survey_library.h"
#include "shell/surveys_window.h"
#include "support/harness.h"
#include "surveys/import.h"

#include <QApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QSettings>
#include <QTableWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>

using namespace tarvelon;
using namespace tarvelon::surveys;
namespace fs = std::filesystem;

namespace {

std::vector<SurveyRow> bend(int readout)
{
    std::vector<SurveyRow> rows;
    for (int t = 5; t <= 300; t += 5)
        rows.push_back({t, {std::lround(800 * std::sin(t / 60.0) + readout * t / 10.0),
                            std::lround(-400 * std::cos(t / 90.0) - readout * t / 25.0)}});
    return rows;
}

Survey readout(const std::string& tube, int n)
{
    Survey s;
    s.client = "GEOTECNA";
    s.site = "FRANA 12";
    s.tube = tube;
    s.depth = 30.0;
    s.step = 0.5;
    s.readout = "0" + std::to_string(n);
    s.date = "0" + std::to_string(n) + "/04/24";
    s.time = "10:00:00";
    s.rows = bend(n);
    if (n == 3)
        s.rows.pop_back(); // 30.0 m not read: left out of the comparison
    return s;
}

// A complete download from the simulated unit, its files imported into another library: the
// same depths and readings 1 and 2, and the fed library takes the import as already there.
TEST(SurveyLibrary, DownloadFeedAndImportOfItsFilesAgree)
{
    test::Harness h;
    h.startUp();
    h.unit.fillDemo();
    const fs::path out = h.dir.path() / "out";
    fs::create_directory(out);
    h.state.downloadFolder = out.string();
    h.form.setText("numblocco", "02"); // four guides: eight readings a row
    const DownloadedBlock block = downloadBlock(h.ctx);
    ASSERT_TRUE(block.complete);

    const LibraryFeed fed = addToLibrary(h.dir.file("fed.sqlite"), block, "2024-04-01T08:00:00Z");
    ASSERT_EQ(fed.error, "");
    SurveyStore fedStore, importStore;
    ASSERT_TRUE(fedStore.open(h.dir.file("fed.sqlite")));
    ASSERT_TRUE(importStore.open(h.dir.file("imported.sqlite")));
    const ImportReport imported = importExportFiles(importStore, {out.string()});
    ASSERT_EQ(imported.added, 1) << (imported.messages.empty() ? "" : imported.messages[0]);

    const Survey a = *fedStore.survey(fed.surveyId), b = *importStore.survey(imported.addedIds[0]);
    EXPECT_EQ(a.client, b.client);
    EXPECT_EQ(a.date, b.date);
    ASSERT_EQ(a.rows.size(), b.rows.size());
    ASSERT_GT(a.rows.size(), 30u);
    for (size_t i = 0; i < a.rows.size(); ++i) {
        EXPECT_EQ(a.rows[i].depthTenths, b.rows[i].depthTenths);
        EXPECT_EQ(a.rows[i].readings[0], b.rows[i].readings[0]);
        EXPECT_EQ(a.rows[i].readings[1], b.rows[i].readings[1]);
        EXPECT_TRUE(a.rows[i].readings[7].has_value());
        EXPECT_FALSE(b.rows[i].readings[2].has_value());
    }
    EXPECT_EQ(importExportFiles(fedStore, {out.string()}).skipped, 1);
}

TEST(SurveysWindow, OverlayAndBaseComparisonAt96Dpi)
{
    test::TempDir dir;
    const std::string library = dir.file("surveys.sqlite");
    std::vector<std::int64_t> ids;
    {
        SurveyStore store;
        ASSERT_TRUE(store.open(library));
        for (int n = 1; n <= 3; ++n)
            ids.push_back(store.add(readout("I1", n)).id);
        ids.push_back(store.add(readout("I2", 4)).id);
    }
    QSettings settings(QString::fromStdString(dir.file("settings.ini")), QSettings::IniFormat);
    SurveysWindow window({QString::fromStdString(library), &settings});
    window.resize(1100, 720);
    window.show();
    window.setBase(ids[0]);
    window.select({ids[1], ids[2]});
    EXPECT_FALSE(window.isReadOnly());
    EXPECT_EQ(window.tree()->topLevelItemCount(), 1);
    EXPECT_EQ(window.table()->rowCount(), 59);
    EXPECT_TRUE(window.statusText().contains(QStringLiteral("1 (No. 03  03/04/24)"))) << window.statusText().toStdString();
    window.setScaleFactor(0.5);
    QString error;
    EXPECT_FALSE(window.exportChart(QString::fromStdString(dir.file("chart.jpg")), &error));
    EXPECT_EQ(error, QStringLiteral("The chart is exported as .png, .svg or .pdf"));

    const QString folder = QStringLiteral(TARVELON_SCREENS_DIR "/surveys");
    QDir().mkpath(folder);
    QApplication::processEvents();
    EXPECT_TRUE(window.grab().save(folder + QStringLiteral("/surveys-comparison.png")));
    for (const char* name : {"chart.png", "chart.svg", "chart.pdf", "table.csv"}) {
        const QString path = QString::fromStdString(dir.file(name));
        QString error;
        EXPECT_TRUE(QFileInfo(path).suffix() == QLatin1String("csv") ? window.exportTable(path, &error)
                                                                      : window.exportChart(path, &error))
            << name << " " << error.toStdString();
        EXPECT_GT(QFileInfo(path).size(), 500) << name;
    }
    EXPECT_EQ(test::readFile(dir.file("table.csv")).substr(0, 100),
              "depth_m,base_reading1,base_reading2,reading1,reading2,change1,change2,cumulative1_mm,cumulative2_mm\n");
    window.showTrend(150);
    QApplication::processEvents();
    EXPECT_TRUE(window.grab().save(folder + QStringLiteral("/surveys-trend.png")));

    // Readouts of another tube are not drawn with the current one, nor compared with its base.
    window.select({ids[1], ids[3]});
    EXPECT_EQ(window.table()->columnCount(), 3);
    EXPECT_EQ(window.table()->item(0, 1)->text(), QString::number(*bend(4)[0].readings[0])); // tube I2's readout

    // The scale factor is remembered; a damaged library says why it cannot be opened.
    test::writeFile(dir.file("damaged.sqlite"), std::string(4096, 'x'));
    SurveysWindow again({QString::fromStdString(dir.file("damaged.sqlite")), &settings});
    EXPECT_EQ(again.findChild<QDoubleSpinBox*>()->value(), 0.5);
    EXPECT_TRUE(again.isReadOnly());
    EXPECT_EQ(again.statusText(), QStringLiteral("The survey library cannot be opened: file is not a database"));
}

// The library may be changed by another program while the window is open (its tables are
// documented for that): a base deleted there leaves the profiles drawn, uncompared.
TEST(SurveysWindow, BaseDeletedByAnotherProgramIsNotCompared)
{
    test::TempDir dir;
    const std::string library = dir.file("surveys.sqlite");
    std::vector<std::int64_t> ids;
    {
        SurveyStore store;
        ASSERT_TRUE(store.open(library));
        for (int n = 1; n <= 2; ++n)
            ids.push_back(store.add(readout("I1", n)).id);
    }
    QSettings settings(QString::fromStdString(dir.file("settings.ini")), QSettings::IniFormat);
    SurveysWindow window({QString::fromStdString(library), &settings});
    window.setBase(ids[0]);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(library.c_str(), &other), SQLITE_OK);
    const std::string del = "DELETE FROM readings WHERE survey_id = " + std::to_string(ids[0]) +
                            "; DELETE FROM surveys WHERE id = " + std::to_string(ids[0]) + ";";
    EXPECT_EQ(sqlite3_exec(other, del.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
    window.select({ids[1]});
    EXPECT_EQ(window.table()->rowCount(), 60);
    EXPECT_EQ(window.table()->columnCount(), 3);
}

} // namespace
