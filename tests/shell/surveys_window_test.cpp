#include "shell/surveys/chart_view.h"
#include "shell/surveys/corrections_dialog.h"
#include "shell/surveys/survey_charts.h"
#include "shell/surveys/survey_library.h"
#include "shell/surveys/surveys_tree.h"
#include "shell/surveys/surveys_window.h"
#include "support/harness.h"
#include "surveys/library_engines.h"
#include "library/import.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QElapsedTimer>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QFile>
#include <QFileInfo>
#include <QTableWidget>
#include <QTreeWidget>
#include <QRegularExpression>
#include <QTabBar>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>
#include <functional>
#include <map>
#include <set>

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

// A block whose wake is refused at one row of readings is kept incomplete, its missing depth
// known; downloaded again whole, it completes the same survey without a word of conflict.
TEST(SurveyLibrary, DownloadWithARowNotReadIsCompletedByTheWholeOne)
{
    test::Harness h;
    h.startUp();
    h.unit.fillDemo();
    const fs::path out = h.dir.path() / "out";
    fs::create_directory(out);
    h.state.downloadFolder = out.string();
    h.form.setText("numblocco", "02");
    const std::string library = h.dir.file("surveys.sqlite");
    h.unit.faults.refusedWakes = {15};
    const DownloadedBlock partial = downloadBlock(h.ctx);
    const LibraryFeed first = addToLibrary(library, partial, "2024-04-01T08:00:00Z");
    ASSERT_EQ(first.error, "");
    EXPECT_TRUE(first.incomplete);
    h.unit.faults.refusedWakes.clear();
    const LibraryFeed whole = addToLibrary(library, downloadBlock(h.ctx), "2024-04-01T09:00:00Z");
    EXPECT_EQ(whole.error, "");
    EXPECT_FALSE(whole.incomplete);
    EXPECT_EQ(whole.surveyId, first.surveyId);

    SurveyStore store;
    ASSERT_TRUE(store.open(library));
    const Survey kept = *store.survey(first.surveyId);
    EXPECT_TRUE(kept.complete());
    EXPECT_EQ(kept.rows.size(), partial.records.size() - 1); // the column line and blank record, less the row missed
    EXPECT_EQ(store.list().size(), 1u);
}

struct Library {
    test::TempDir dir;
    std::string path = dir.file("surveys.sqlite");
    std::vector<std::int64_t> ids;
};

// Readouts 1 to 3 of tube I1 (3 misses 30.0 m), 4 of tube I2, stored newest first.
void fill(Library& l)
{
    SurveyStore store;
    ASSERT_TRUE(store.open(l.path));
    l.ids.resize(4);
    for (int n = 4; n >= 1; --n) {
        Survey s = readout(n == 4 ? "I2" : "I1", n);
        s.origin = n == 2 ? Origin::Import : Origin::Download;
        s.downloadedAt = "2024-05-0" + std::to_string(9 - n) + "T00:00:00Z";
        if (n == 1)
            s.missingTenths = {}; // whole
        l.ids[size_t(n - 1)] = store.add(s).id;
    }
    Survey part = readout("I1", 5);
    part.missingTenths = {295, 300};
    part.rows.resize(part.rows.size() - 2);
    ASSERT_EQ(store.add(part).status, AddStatus::Added);
}

QStringList labels(const QTreeWidgetItem* tube)
{
    QStringList out;
    for (int i = 0; i < tube->childCount(); ++i)
        out << tube->child(i)->text(0);
    return out;
}

// A readout compared with nothing computed is never left blank in the tree: it is marked, and its
// tooltip says why.
TEST(SurveysWindow, AReadoutWithNothingComputedIsMarkedInTheTreeWithWhy)
{
    Library l;
    fill(l);
    {
        SurveysWindow window({QString::fromStdString(l.path), {}});
        surveys::TubeSettings t;
        t.constant = 25000;
        t.alertMm = 1;
        t.fixedEnd = surveys::FixedEnd::Top; // and no top displacement surveyed with any readout
        ASSERT_TRUE(window.setTubeSettings({"GEOTECNA", "FRANA 12", "I1"}, t));
        window.setBase(l.ids[0]);
    }
    SurveysWindow again({QString::fromStdString(l.path), {}});
    const QTreeWidgetItem* readout = again.tree()->topLevelItem(0)->child(0)->child(0)->child(1);
    EXPECT_TRUE(readout->text(0).endsWith(QStringLiteral("not computed"))) << readout->text(0).toStdString();
    EXPECT_TRUE(readout->toolTip(0).contains(
        QStringLiteral("not computed: the tube is reduced from its top and the readout's top displacement is not entered")))
        << readout->toolTip(0).toStdString();
}

TEST(SurveysWindow, TubeComparedWithItsBaseInMillimetres)
{
    Library l;
    fill(l);
    SurveysWindow window({QString::fromStdString(l.path), {}, {}, {}});
    window.resize(1100, 760);
    window.show();
    // The tree by the readouts' own dates, an incomplete one marked.
    const QTreeWidgetItem* tube = window.tree()->topLevelItem(0)->child(0)->child(0);
    EXPECT_EQ(labels(tube), (QStringList{"01/04/24 10:00  No. 01", "02/04/24 10:00  No. 02", "03/04/24 10:00  No. 03",
                                         "05/04/24 10:00  No. 05 (incomplete)"}));
    window.select({l.ids[1]});
    EXPECT_TRUE(window.statusText().startsWith(QStringLiteral("No base readout for tube I1"))) << window.statusText().toStdString();
    EXPECT_TRUE(window.findChild<QLabel*>("readoutHeader")->text().contains(QStringLiteral("Imported:")));

    surveys::TubeSettings t;
    t.constant = 25000;
    t.alertMm = 1;
    ASSERT_TRUE(window.setTubeSettings({"GEOTECNA", "FRANA 12", "I1"}, t));
    window.setBase(l.ids[0]);
    window.select({l.ids[1], l.ids[2]});
    EXPECT_EQ(window.table()->rowCount(), 60);
    EXPECT_EQ(window.table()->columnCount(), 9);
    // Readout 03 lacks the toe: summed from the deepest depth it shares with the base, said once.
    EXPECT_TRUE(window.statusText().contains(QStringLiteral(
        "No. 03: largest 38.09 mm at 0.5 m, azimuth 338.34°; rate 18.4 mm/day at 0.5 m; fixed end taken at 29.5 m, "
        "the deepest depth it shares with the base (nothing to compare at 30.0 m)")))
        << window.statusText().toStdString();
    // The base persists in the library, and readouts beyond the alert are flagged.
    SurveysWindow again({QString::fromStdString(l.path), {}, {}, {}});
    const QStringList marked = labels(again.tree()->topLevelItem(0)->child(0)->child(0));
    EXPECT_EQ(marked[0], QStringLiteral("01/04/24 10:00  No. 01 (base)"));
    EXPECT_TRUE(marked[1].endsWith(QStringLiteral("ALERT"))) << marked[1].toStdString();

    const QString folder = QStringLiteral(TARVELON_SCREENS_DIR "/surveys");
    QDir().mkpath(folder);
    QApplication::processEvents();
    EXPECT_TRUE(window.grab().save(folder + QStringLiteral("/surveys-comparison.png")));
    window.showTrend(150);
    QApplication::processEvents();
    EXPECT_TRUE(window.grab().save(folder + QStringLiteral("/surveys-time.png")));
    QString error;
    EXPECT_FALSE(window.exportChart(QString::fromStdString(l.dir.file("chart.jpg")), &error));
    EXPECT_EQ(error, QStringLiteral("The chart is exported as .png, .svg or .pdf"));
    for (const char* name : {"chart.png", "chart.svg", "chart.pdf", "table.csv", "report.pdf", "charts-time.svg"}) {
        const QString path = QString::fromStdString(l.dir.file(name));
        const QString suffix = QFileInfo(path).fileName();
        const bool ok = suffix == "table.csv"    ? window.exportTable(path, &error)
                        : suffix == "report.pdf" ? window.writeReport(path, &error)
                        : suffix.startsWith("charts") ? window.exportCharts(QString::fromStdString(l.dir.file("charts")), &error)
                                                      : window.exportChart(path, &error);
        EXPECT_TRUE(ok) << name << " " << error.toStdString();
        EXPECT_GT(QFileInfo(path).size(), 500) << name;
    }
    EXPECT_EQ(test::readFile(l.dir.file("table.csv")).substr(0, 40), "readout,date,time,depth_m,a_change,b_cha");

    // Readouts of another tube are not drawn with the current one, nor compared with its base.
    window.select({l.ids[1], l.ids[3]});
    EXPECT_EQ(window.table()->columnCount(), 3);
    EXPECT_EQ(window.table()->item(0, 1)->text(), QString::number(*bend(4)[0].readings[0]));

    // A file that is no library says why it cannot be opened, and is left as it was.
    test::writeFile(l.dir.file("damaged.sqlite"), std::string(4096, 'x'));
    SurveysWindow damaged({QString::fromStdString(l.dir.file("damaged.sqlite")), {}, {}, {}});
    EXPECT_TRUE(damaged.isReadOnly());
    EXPECT_EQ(damaged.statusText(), QStringLiteral("The survey library cannot be opened: it is not a survey library: "
                                                   "the file holds something else, and is left as it is"));
    EXPECT_EQ(test::readFile(l.dir.file("damaged.sqlite")), std::string(4096, 'x'));
}

QTableWidget* historyOf(SurveysWindow& window)
{
    return window.findChild<QTableWidget*>(QStringLiteral("history"));
}

TEST(SurveysWindow, SyncAndDeleteShowInTheTreeAndTheTubesHistory)
{
    Library l;
    fill(l);
    // This computer's library holds a readout the other lacks and one that differs from it.
    const std::string here = QFile::encodeName(surveyLibraryPath()).toStdString();
    QFile::remove(surveyLibraryPath());
    {
        SurveyStore store;
        ASSERT_TRUE(store.open(here));
        Survey other = readout("I1", 2);
        other.rows[0].readings[0] = 1;
        for (const Survey& s : {readout("I1", 6), other})
            ASSERT_EQ(store.add(s).status, AddStatus::Added);
    }
    SurveysWindow window({QString::fromStdString(l.path), {}, {}, {}});
    bool failed = true;
    const QString said = window.syncWith(QString::fromStdString(l.path), &failed);
    EXPECT_FALSE(failed);
    EXPECT_TRUE(said.startsWith(QStringLiteral("Surveys sent: 1\n"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("tube \"I1\", readout 02 of 02/04/24 10:00:00"))) << said.toStdString();
    EXPECT_TRUE(labels(window.tree()->topLevelItem(0)->child(0)->child(0)).contains("06/04/24 10:00  No. 06"));

    SurveyStore check;
    ASSERT_TRUE(check.open(l.path));
    const std::int64_t synced = *check.findReadout({"GEOTECNA", "FRANA 12", "I1"}, "06");
    window.select({synced});
    EXPECT_TRUE(historyOf(window)->item(0, 2)->text().startsWith("survey 06 of 06/04/24 added (sync)"));
    // The question's default is Cancel: Enter keeps the survey.
    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            QTest::keyClick(box, Qt::Key_Return);
    });
    window.findChild<QPushButton*>(QStringLiteral("deleteSurvey"))->click();
    EXPECT_TRUE(check.survey(synced));
    EXPECT_TRUE(window.deleteSurvey(synced));
    EXPECT_FALSE(check.survey(synced));
    window.select({l.ids[0]});
    EXPECT_EQ(historyOf(window)->item(0, 2)->text(), QStringLiteral("survey 06 of 06/04/24 deleted"));
    window.resize(1100, 760);
    window.charts()->setCurrentWidget(historyOf(window));
    EXPECT_TRUE(window.grab().save(QStringLiteral(TARVELON_SCREENS_DIR "/surveys/surveys-history.png")));
    EXPECT_FALSE(labels(window.tree()->topLevelItem(0)->child(0)->child(0)).contains("06/04/24 10:00  No. 06"));

    // A library that is not there is said, and nothing is made in its place.
    const QString missing = QString::fromStdString(l.dir.file("typo.sqlite"));
    EXPECT_TRUE(window.syncWith(missing, &failed).startsWith(QStringLiteral("There is no survey library at")));
    EXPECT_TRUE(failed);
    EXPECT_FALSE(QFileInfo::exists(missing));
}

// The library may be changed by another program while the window is open (its tables are
// documented for that): a base deleted there leaves the readouts drawn, uncompared.
TEST(SurveysWindow, BaseDeletedByAnotherProgramIsNotCompared)
{
    Library l;
    fill(l);
    SurveysWindow window({QString::fromStdString(l.path), {}, {}, {}});
    window.setBase(l.ids[0]);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(l.path.c_str(), &other), SQLITE_OK);
    const std::string del = "DELETE FROM readings WHERE survey_id = " + std::to_string(l.ids[0]) +
                            "; DELETE FROM surveys WHERE id = " + std::to_string(l.ids[0]) + ";";
    EXPECT_EQ(sqlite3_exec(other, del.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
    window.reload();
    window.select({l.ids[1]});
    EXPECT_EQ(window.table()->rowCount(), 60);
    EXPECT_EQ(window.table()->columnCount(), 3);
}

// The simulated unit's demo tube (blocks 25 to 30), downloaded into a library: its base first,
// its readout with a bias shift fourth.
std::vector<std::int64_t> demoTube(const std::string& library)
{
    test::Harness h;
    h.startUp();
    h.unit.fillDemo();
    h.state.downloadFolder = h.dir.file("");
    std::vector<std::int64_t> ids;
    for (int block = 25; block <= 30; ++block) {
        h.form.setText("numblocco", std::to_string(block));
        ids.push_back(addToLibrary(library, downloadBlock(h.ctx), "2024-07-01T08:00:00Z").surveyId);
    }
    return ids;
}

const TubeKey kDemo{"ACME SRL", "FRANA 12", "I1"};

// The top's A cumulative as the window's table shows it, and as the analysis works it out from
// what the library keeps.
struct TopA {
    QString shown, kept;
};

TopA topA(const SurveysWindow& window, const std::string& library, std::int64_t id)
{
    SurveyStore store;
    store.open(library, SurveyStore::Access::Read);
    const std::vector<Survey> all = store.tubeSurveys(kDemo);
    const TubeResult tube = analyseTube(all, store.tubeSettings(kDemo), store.corrections(kDemo));
    QString kept;
    for (const ReadoutResult& r : tube.readouts)
        if (r.survey->id == id)
            kept = QString::fromStdString(lengthText(r.displacement.rows.front().cumulative[0], Units::Millimetres));
    return {window.table()->item(0, 5)->text(), kept};
}

// Proposed, accepted, switched off and on, cleared: each step is kept in the library at once
// and the table behind the box shows the readout as the kept corrections make it.
TEST(SurveysWindow, CorrectionsProposedAcceptedSwitchedAndCleared)
{
    test::TempDir dir;
    const std::string library = dir.file("surveys.sqlite");
    const std::vector<std::int64_t> ids = demoTube(library);
    SurveysWindow window({QString::fromStdString(library), {}, {}, {}});
    TubeSettings t;
    t.constant = 25000;
    t.baseId = ids[0];
    ASSERT_TRUE(window.setTubeSettings(kDemo, t));
    window.select({ids[0]});
    EXPECT_FALSE(window.correctionsDialog()) << "the base takes no correction";
    window.select({ids[3]});
    EXPECT_TRUE(window.findChild<QPushButton*>("proposeCorrections")->isEnabled());
    const std::unique_ptr<CorrectionsDialog> dialog = window.correctionsDialog();
    ASSERT_TRUE(dialog);
    ASSERT_FALSE(dialog->proposal().proposed.empty()) << dialog->proposal().reason.english();
    // What the evidence does not support is kept only with the engineer's reason.
    dialog->insistReason()->setText(QStringLiteral("the toe is set in rock"));
    EXPECT_TRUE(dialog->kept().empty()) << "nothing applies itself";
    const QString asRead = topA(window, library, ids[3]).shown;
    const auto biasA = [](const CorrectionsDialog& d) {
        for (int row = 0; row < d.keptTable()->rowCount(); ++row)
            if (d.keptTable()->item(row, 1)->text() == QStringLiteral("bias A"))
                return row;
        return -1;
    };

    const struct {
        const char* what;
        std::function<void(CorrectionsDialog&)> act;
        size_t kept;
        bool corrected; // the bias A is on
    } steps[] = {
        {"all but the first proposal accepted",
         [](CorrectionsDialog& d) {
             for (int row = 0; row < d.proposedTable()->rowCount(); ++row)
                 d.proposedTable()->item(row, 0)->setCheckState(row ? Qt::Checked : Qt::Unchecked);
             d.acceptChosen();
         },
         dialog->proposal().proposed.size() - 1, false},
        {"all accepted", [](CorrectionsDialog& d) {
             d.proposedTable()->item(0, 0)->setCheckState(Qt::Checked);
             d.acceptChosen();
         },
         dialog->proposal().proposed.size(), true},
        {"the bias A switched off by its box",
         [&biasA](CorrectionsDialog& d) { d.keptTable()->item(biasA(d), 0)->setCheckState(Qt::Unchecked); },
         dialog->proposal().proposed.size(), false},
        {"switched on again", [&biasA](CorrectionsDialog& d) { d.switchKept(biasA(d), true); },
         dialog->proposal().proposed.size(), true},
        {"cleared", [](CorrectionsDialog& d) { d.clearKept(); }, 0, false},
    };
    ASSERT_EQ(dialog->proposal().proposed[0].correction.kind, CorrectionKind::Bias);
    ASSERT_EQ(dialog->proposal().proposed[0].correction.axis, 0);
    for (const auto& step : steps) {
        step.act(*dialog);
        SurveyStore store;
        ASSERT_TRUE(store.open(library, SurveyStore::Access::Read));
        EXPECT_EQ(store.corrections(ids[3]), dialog->kept()) << step.what;
        EXPECT_EQ(dialog->kept().size(), step.kept) << step.what;
        EXPECT_EQ(dialog->keptTable()->rowCount(), int(step.kept)) << step.what;
        const TopA top = topA(window, library, ids[3]);
        EXPECT_EQ(top.shown, top.kept) << step.what;
        EXPECT_EQ(top.shown != asRead, step.corrected) << step.what << ": " << top.shown.toStdString();
    }

    // Accepted with the second pass off, then read with it: said in the window and in the box.
    // The window and the box are pictured at each stage as a 1280 x 720 screen shows them.
    const QString folder = QStringLiteral(TARVELON_SCREENS_DIR "/surveys");
    QDir().mkpath(folder);
    window.resize(1280, 720);
    window.show();
    dialog->show();
    dialog->acceptChosen();
    QApplication::processEvents();
    EXPECT_TRUE(window.grab().save(folder + QStringLiteral("/surveys-corrected.png")));
    EXPECT_TRUE(dialog->grab().save(folder + QStringLiteral("/corrections-accepted.png")));
    t.secondPass = true;
    ASSERT_TRUE(window.setTubeSettings(kDemo, t));
    EXPECT_TRUE(window.statusText().contains(QStringLiteral("the accepted bias is for the other reduction")))
        << window.statusText().toStdString();
    const std::unique_ptr<CorrectionsDialog> again = window.correctionsDialog();
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->findChild<QLabel*>("reductionWarning")->text().contains(QStringLiteral("second pass off")));

    again->show();
    window.table()->horizontalScrollBar()->setValue(window.table()->horizontalScrollBar()->maximum());
    QApplication::processEvents();
    EXPECT_TRUE(window.grab().save(folder + QStringLiteral("/surveys-corrections.png")));
    EXPECT_TRUE(again->grab().save(folder + QStringLiteral("/corrections-box.png")));
}

// A readout whose checksum mean moved beyond the tube's tolerance is marked in the tree, and
// its tooltip says by how much; without the second pass or a tolerance nothing is.
TEST(SurveysWindow, PossibleBiasShiftIsMarkedInTheTree)
{
    test::TempDir dir;
    const std::string library = dir.file("surveys.sqlite");
    const std::vector<std::int64_t> ids = demoTube(library);
    const struct {
        const char* what;
        bool secondPass;
        std::optional<double> tolerance;
        std::set<size_t> marked;
    } cases[] = {
        {"second pass, tolerance 10 units", true, 10.0, {3}},
        {"second pass off: no checksums", false, 10.0, {}},
        {"no tolerance", true, std::nullopt, {}},
    };
    for (const auto& c : cases) {
        TubeSettings t;
        t.constant = 25000;
        t.baseId = ids[0];
        t.secondPass = c.secondPass;
        t.checksumTolerance = c.tolerance;
        {
            SurveyStore store;
            ASSERT_TRUE(store.open(library));
            ASSERT_TRUE(store.setTubeSettings(kDemo, t));
        }
        // A window opened afresh marks the tube before any readout is chosen.
        SurveysWindow window({QString::fromStdString(library), {}, {}, {}});
        const QTreeWidgetItem* tube = window.tree()->topLevelItem(0)->child(0)->child(0);
        ASSERT_EQ(tube->childCount(), int(ids.size()));
        for (int i = 0; i < tube->childCount(); ++i) {
            const bool marked = c.marked.count(size_t(i)) > 0;
            EXPECT_EQ(tube->child(i)->text(0).contains(QStringLiteral("possible bias shift")), marked)
                << c.what << ": " << tube->child(i)->text(0).toStdString();
            EXPECT_EQ(tube->child(i)->toolTip(0).contains(QStringLiteral("beyond the tube's tolerance of 10.00 units")), marked)
                << c.what << ": " << tube->child(i)->toolTip(0).toStdString();
            // The Corrections box opens on the evidence the tree flagged, and never says there
            // is nothing to correct beside the flag.
            window.select({ids[0], ids[size_t(i)]});
            const std::unique_ptr<CorrectionsDialog> box = window.correctionsDialog();
            EXPECT_TRUE(box || !marked) << "a flagged readout is compared with its base";
            if (box) {
                const QString evidence = box->findChild<QLabel*>(QStringLiteral("evidence"))->text();
                EXPECT_EQ(evidence.startsWith(QStringLiteral("Possible bias shift: ")), marked) << evidence.toStdString();
                if (marked) {
                    EXPECT_FALSE(evidence.contains(QStringLiteral("Nothing to correct"))) << evidence.toStdString();
                }
            }
        }
    }
}

// An open window on a server's library shows a colleague's survey within 2 seconds, unasked.
TEST(SurveysWindow, ColleaguesSurveyOnTheServerShowsWithinTwoSeconds)
{
    if (test::testServer().empty())
        GTEST_SKIP() << test::kNoServer;
    const test::TestLibrary library(test::LibraryEngine::PostgreSQL);
    SurveyStore colleague;
    ASSERT_TRUE(colleague.open(library.location())) << colleague.error();
    SurveysWindow window({QString::fromStdString(library.location()), {}, {}, {}});
    ASSERT_EQ(window.tree()->topLevelItemCount(), 0);
    ASSERT_EQ(colleague.add(readout("I7", 1)).status, AddStatus::Added);
    QElapsedTimer waited;
    waited.start();
    while (window.tree()->topLevelItemCount() == 0 && waited.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_EQ(window.tree()->topLevelItemCount(), 1);
    EXPECT_EQ(window.tree()->topLevelItem(0)->child(0)->child(0)->text(0), QStringLiteral("I7"));
}

} // namespace

namespace {

// Where each control of the window stands: its buttons, tabs, tree, table, header and
// message area, by their names and captions; the insides of the lists are not controls.
std::map<std::string, QRect> controlPlaces(QWidget& window)
{
    std::map<std::string, QRect> places;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window))
            continue;
        bool inside = false;
        for (QWidget* p = w->parentWidget(); p && p != &window; p = p->parentWidget())
            inside = inside || qobject_cast<QAbstractItemView*>(p) || qobject_cast<QTabBar*>(p);
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QTabBar*>(w) ||
                             qobject_cast<QAbstractItemView*>(w) || w->objectName() == QStringLiteral("readoutHeader") ||
                             w->objectName() == QStringLiteral("statusArea");
        if (inside || !control)
            continue;
        const auto* button = qobject_cast<QAbstractButton*>(w);
        // A button is known by its name, or by its caption; the base button's caption changes.
        const QString name = !w->objectName().isEmpty() ? w->objectName() : button ? button->text() : w->metaObject()->className();
        places[name.toStdString()] = QRect(w->mapTo(&window, QPoint(0, 0)), w->size());
    }
    return places;
}

} // namespace

// Nothing moves under the mouse as the choice goes from none to one to five readouts: the
// messages keep their height and scroll, the header keeps its, the base button its width.
TEST(Layout, SurveysWindowStaysStillAsTheChoiceGrows)
{
    Library l;
    {
        SurveyStore store;
        ASSERT_TRUE(store.open(l.path));
        for (int n = 1; n <= 5; ++n)
            l.ids.push_back(store.add(readout("I1", n)).id);
        TubeSettings t;
        t.constant = 25000;
        t.alertMm = 0.5; // readouts flagged, so the messages are many
        t.baseId = l.ids[0];
        ASSERT_TRUE(store.setTubeSettings({"GEOTECNA", "FRANA 12", "I1"}, t));
    }
    SurveysWindow window({QString::fromStdString(l.path), {}});
    window.resize(1100, 760);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const std::vector<std::vector<std::int64_t>> choices = {{}, {l.ids[1]}, l.ids, {l.ids[0]}};
    std::map<std::string, QRect> first;
    for (const std::vector<std::int64_t>& chosen : choices) {
        window.select(chosen);
        QApplication::processEvents();
        const std::map<std::string, QRect> places = controlPlaces(window);
        if (first.empty()) {
            first = places;
            EXPECT_GT(first.size(), 10u);
            EXPECT_TRUE(first.count("qt_tabwidget_tabbar")) << "the tabs are among the controls";
            EXPECT_TRUE(first.count("markBase"));
            continue;
        }
        for (const auto& [name, place] : first) {
            const auto it = places.find(name);
            ASSERT_NE(it, places.end()) << name << " went with " << chosen.size() << " chosen";
            EXPECT_EQ(it->second, place) << name << " moved with " << chosen.size() << " chosen";
        }
    }
    // Five readouts say more than the message area holds: it scrolls instead of growing.
    window.select(l.ids);
    EXPECT_GT(window.statusText().count(QLatin1Char('\n')), 2) << window.statusText().toStdString();
}

// With nothing chosen the charts say what to do instead of drawing empty axes; the History
// says who changed what by the login name, when in the program's one date form; the tube's
// own line opens its settings.
TEST(SurveysWindow, EmptyChartsHistoryAndTheTubesOwnLine)
{
    // A program started without the usual variables still knows whose login it runs under.
    const QByteArray saved[] = {qgetenv("USER"), qgetenv("USERNAME"), qgetenv("LOGNAME")};
    for (const char* name : {"USER", "USERNAME", "LOGNAME"})
        qunsetenv(name);
    Library l;
    fill(l);
    SurveysWindow window({QString::fromStdString(l.path), {}});
    window.select({});
    for (ChartView* view : window.charts()->findChildren<ChartView*>())
        EXPECT_EQ(view->placeholder(), QStringLiteral("Choose a readout in the tree"));
    window.setBase(l.ids[0]);
    const char* names[] = {"USER", "USERNAME", "LOGNAME"};
    for (size_t i = 0; i < 3; ++i)
        if (!saved[i].isNull())
            qputenv(names[i], saved[i]);
    window.select({l.ids[1]});
    QTableWidget* history = historyOf(window);
    ASSERT_GT(history->rowCount(), 0);
    EXPECT_EQ(history->horizontalHeaderItem(0)->text(), QStringLiteral("When"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d$"))
                    .match(history->item(0, 0)->text())
                    .hasMatch())
        << history->item(0, 0)->text().toStdString();
    EXPECT_NE(history->item(0, 1)->text(), QStringLiteral("unknown"));
    EXPECT_FALSE(history->item(0, 1)->text().isEmpty());

    // The tube's line, no readout under it chosen.
    window.select({});
    QTreeWidgetItem* tube = window.tree()->topLevelItem(0)->child(0)->child(0);
    window.tree()->setCurrentItem(tube);
    EXPECT_TRUE(window.findChild<QPushButton*>(QStringLiteral("tubeSettings"))->isEnabled());
}

// The Report box says which readouts go in, by the rule of the exports; once a report is
// written, the message offers to open it or its folder.
TEST(SurveysWindow, ReportSaysItsReadoutsAndOffersTheFileWritten)
{
    Library l;
    fill(l);
    SurveysWindow window({QString::fromStdString(l.path), {}});
    TubeSettings t;
    t.constant = 25000;
    t.baseId = l.ids[0];
    ASSERT_TRUE(window.setTubeSettings({"GEOTECNA", "FRANA 12", "I1"}, t));
    const auto modal = [](const std::function<void(QWidget&)>& look) {
        QTimer::singleShot(20, [look] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                look(*box);
                box->close();
            }
        });
    };
    for (const auto& [chosen, said] : std::vector<std::pair<std::vector<std::int64_t>, QString>>{
             {{l.ids[1]}, QStringLiteral("No. 02\n")}, {{l.ids[1], l.ids[2]}, QStringLiteral("No. 02, No. 03\n")}}) {
        window.select(chosen);
        QString text;
        modal([&](QWidget& box) { text = box.findChild<QLabel*>(QStringLiteral("reportReadouts"))->text(); });
        window.findChild<QPushButton*>(QStringLiteral("report"))->click();
        EXPECT_TRUE(text.startsWith(said)) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("as Export Table and Export Charts do"))) << text.toStdString();
    }
    // A chart picture seen apart from the window says whose readouts it shows.
    window.select({l.ids[1], l.ids[2]});
    QString error;
    const QString base = QString::fromStdString(l.dir.file("tube"));
    ASSERT_TRUE(window.exportCharts(base, &error)) << error.toStdString();
    QFile svg(base + QStringLiteral("-a-cumulative.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly)) << svg.fileName().toStdString();
    EXPECT_TRUE(QString::fromUtf8(svg.readAll()).contains(QStringLiteral("GEOTECNA / FRANA 12 / I1, No. 02, No. 03: ")));

    QStringList buttons;
    QString defaultButton;
    modal([&](QWidget& w) {
        auto& box = static_cast<QMessageBox&>(w);
        for (QAbstractButton* b : box.buttons())
            buttons << b->text();
        defaultButton = box.defaultButton() ? box.defaultButton()->text() : QString();
    });
    offerWritten(&window, QStringLiteral("Tube Report"), QString::fromStdString(l.dir.file("report.pdf")));
    EXPECT_TRUE(buttons.contains(QStringLiteral("&Open"))) << buttons.join(QLatin1Char(',')).toStdString();
    EXPECT_TRUE(buttons.contains(QStringLiteral("Show in &Folder")));
    EXPECT_FALSE(defaultButton.contains(QStringLiteral("Open"))) << "Enter opens nothing";
}

namespace {

// Runs `look` on the modal box the next click opens.
void onModal(const std::function<void(QWidget&)>& look)
{
    QTimer::singleShot(20, [look] {
        if (QWidget* box = QApplication::activeModalWidget())
            look(*box);
    });
}

} // namespace

// Marking a new base can carry on from the present one; a readout read with another probe keeps
// it and says so.
TEST(SurveysWindow, ANewBaseCarriesOnWhenAskedAndEachReadoutKeepsItsProbe)
{
    Library l;
    fill(l);
    SurveysWindow window({QString::fromStdString(l.path), {}});
    TubeSettings t;
    t.constant = 25000;
    t.baseId = l.ids[0];
    const TubeKey key{"GEOTECNA", "FRANA 12", "I1"};
    ASSERT_TRUE(window.setTubeSettings(key, t));
    SurveyStore store;
    ASSERT_TRUE(store.open(l.path));
    const auto markBase = [&](std::int64_t id, bool carryOn) {
        window.select({id});
        bool offered = false;
        onModal([&](QWidget& w) {
            auto& box = static_cast<QMessageBox&>(w);
            auto* carry = box.findChild<QCheckBox*>(QStringLiteral("continueFromBase"));
            offered = carry != nullptr;
            if (carry)
                carry->setChecked(carryOn);
            box.button(QMessageBox::Ok)->click();
        });
        window.findChild<QPushButton*>(QStringLiteral("markBase"))->click();
        EXPECT_TRUE(offered) << "the box offers to carry on from the present base";
    };
    markBase(l.ids[1], true);
    EXPECT_EQ(store.tubeSettings(key).baseId, l.ids[1]);
    EXPECT_EQ(store.tubeSettings(key).continuedFromId, l.ids[0]);
    window.select({l.ids[2]});
    EXPECT_TRUE(window.statusText().contains(QStringLiteral("carries on from base 01 of 01/04/24"))) << window.statusText().toStdString();

    onModal([](QWidget& w) {
        w.findChild<QLineEdit*>(QStringLiteral("probeSerial"))->setText(QStringLiteral("P2"));
        w.findChild<QDoubleSpinBox*>(QStringLiteral("readoutConstant"))->setValue(20000);
        static_cast<QDialog&>(w).accept();
    });
    window.findChild<QPushButton*>(QStringLiteral("readoutProbe"))->click();
    ASSERT_TRUE(store.survey(l.ids[2]));
    EXPECT_EQ(store.survey(l.ids[2])->probeSerial, "P2");
    EXPECT_EQ(store.survey(l.ids[2])->probeConstant, 20000.0);
    EXPECT_TRUE(window.statusText().contains(QStringLiteral("probe changed since the base: read with P2, K 20000")))
        << window.statusText().toStdString();

    markBase(l.ids[2], false);
    EXPECT_EQ(store.tubeSettings(key).baseId, l.ids[2]);
    EXPECT_EQ(store.tubeSettings(key).continuedFromId, 0);
}
