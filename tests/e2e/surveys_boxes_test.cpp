// The Surveys window's boxes during a download from a unit that wakes slowly: none opens while
// the unit is talked to; each opens once the download has ended, which it does whole.
#include "shell/folder_chooser.h"
#include "shell/surveys/survey_library.h"
#include "shell/surveys/surveys_window.h"
#include "library/store.h"
#include "window_fixture.h"

#include <QDir>
#include <QMenu>
#include <QPushButton>

using namespace tarvelon;
using namespace tarvelon::test;

namespace {

class SurveysBoxesDuringDownload : public WindowOnPty {
protected:
    void prepareUnit(sim::Unit& unit) override
    {
        unit.fillDemo();
        unit.faults.wakeDelayMs = 300;
    }
};

// A tube of two readouts with its base, so every button of the window is enabled.
std::vector<std::int64_t> libraryWithATube()
{
    QFile::remove(surveyLibraryPath());
    surveys::SurveyStore store;
    EXPECT_TRUE(store.open(QFile::encodeName(surveyLibraryPath()).toStdString()));
    std::vector<std::int64_t> ids;
    for (int n = 1; n <= 2; ++n) {
        surveys::Survey s;
        s.client = "C", s.site = "S", s.tube = "T", s.readout = std::to_string(n), s.date = "0" + std::to_string(n) + "/04/24";
        for (int t = 10; t <= 50; t += 10)
            s.rows.push_back({t, {std::int64_t(t * n), -std::int64_t(n)}});
        ids.push_back(store.add(s).id);
    }
    surveys::TubeSettings t;
    t.constant = 20000;
    t.baseId = ids[0];
    EXPECT_TRUE(store.setTubeSettings({"C", "S", "T"}, t));
    return ids;
}

} // namespace

TEST_F(SurveysBoxesDuringDownload, NoBoxOpensUntilTheDownloadHasEnded)
{
    const std::vector<std::int64_t> ids = libraryWithATube();
    click("Command10");
    QTest::mouseClick(window_->findChild<FolderChooser*>("Form6")->okButton(), Qt::LeftButton);
    click("cmdSurveys");
    auto* surveys = window_->findChild<SurveysWindow*>("Surveys");
    ASSERT_NE(surveys, nullptr);
    surveys->select({ids[1]});

    // Every box of the window asked for while the unit is being woken, held open 6 s if it opens.
    bool askedDuringDownload = false;
    int asked = 0;
    QTimer::singleShot(400, surveys, [&] {
        askedDuringDownload = window_->isBusy();
        for (const char* name : {"exportCharts", "exportTable", "report", "tubeSettings"}) {
            auto* button = surveys->findChild<QPushButton*>(QLatin1String(name));
            ASSERT_TRUE(button && button->isEnabled()) << name;
            button->click();
            ++asked;
        }
        for (QAction* action : surveys->findChild<QPushButton*>("import")->menu()->actions()) {
            action->trigger();
            ++asked;
        }
    });
    int opened = 0, openedDuringDownload = 0;
    QTimer boxes;
    QObject::connect(&boxes, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || box->property("seen").toBool())
            return;
        box->setProperty("seen", true);
        ++opened;
        if (window_->isBusy()) {
            ++openedDuringDownload;
            QTimer::singleShot(6000, box, [box] { box->close(); });
        } else {
            QTimer::singleShot(0, box, [box] { box->close(); });
        }
    });
    boxes.start(20);
    click("command3d1");
    QTRY_COMPARE_WITH_TIMEOUT(opened, asked, 10000);

    EXPECT_TRUE(askedDuringDownload);
    EXPECT_EQ(asked, 6);
    EXPECT_EQ(openedDuringDownload, 0);
    EXPECT_TRUE(messages_.shown.empty()) << messages_.shown[0].text;
    EXPECT_EQ(QDir(dir_.filePath("dati")).entryList(QDir::Files).size(), 3);
    expectIdle();
}
