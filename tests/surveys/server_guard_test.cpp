// The server guards what it holds, whatever client a role uses: the statements a person could
// type in psql, sent through libpq as each role, and the history the server writes itself.
#include "surveys/library_engines.h"
#include "library/sql.h"
#include "library/store.h"

#include <gtest/gtest.h>

#include <thread>

using namespace tarvelon;
using namespace tarvelon::surveys;
using tarvelon::test::LibraryEngine;
using tarvelon::test::onServer;
using tarvelon::test::testServer;
using tarvelon::test::TestLibrary;

namespace {

const TubeKey kTube{"C", "S", "T"};

Survey surveyOf(const std::string& readout, std::int64_t first = 1)
{
    Survey s;
    s.client = kTube.client;
    s.site = kTube.site;
    s.tube = kTube.tube;
    s.readout = readout;
    s.date = "12/03/24";
    s.step = 0.5;
    s.rows = {{5, {first, 2}}, {10, {3, 4}}};
    return s;
}

class ServerGuard : public tarvelon::test::OnServerWithPeople {
protected:
    void SetUp() override
    {
        OnServerWithPeople::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(owner_.open(location())) << owner_.error();
        ASSERT_TRUE(owner_.initServerRoles()) << owner_.error();
        const AddResult added = owner_.add(surveyOf("01"));
        ASSERT_EQ(added.status, AddStatus::Added) << added.error;
        survey_ = added.id;
        TubeSettings t;
        t.constant = 25000;
        t.baseId = survey_;
        ASSERT_TRUE(owner_.setTubeSettings(kTube, t)) << owner_.error();
    }
    std::int64_t readingAt5()
    {
        return owner_.survey(survey_)->rows.at(0).readings[0].value_or(-1);
    }

    SurveyStore owner_;
    std::int64_t survey_ = 0;
};

} // namespace

// What a role could type in psql: the server refuses what the role may not do, and what it may
// do is in the history, with the role and the server's time.
TEST_F(ServerGuard, EachRoleIsRefusedByTheServerWhatItMayNotDo)
{
    const std::string reader = person("re", "tarvelon_reader"), editor = person("ed", "tarvelon_editor"),
                      manager = person("ma", "tarvelon_manager"), nobody = person("no", "");
    const std::string id = std::to_string(survey_);
    const std::string history = "INSERT INTO history (at, who, client, site, tube, what) VALUES "
                                "('2024-01-01T00:00:00Z', 'someone', 'C', 'S', 'T', 'nothing happened')";
    const struct {
        std::string user;
        std::string sql;
        bool allowed;
    } cases[] = {
        {editor, "UPDATE readings SET reading1 = reading1 + 500", false},
        {editor, "DELETE FROM readings", false},
        {editor, "UPDATE surveys SET client = 'HIDDEN'", false},
        {editor, "DELETE FROM surveys", false},
        {editor, history, false},
        {editor, "UPDATE history SET who = 'someone'", false},
        {editor, "DELETE FROM history", false},
        {editor, "SELECT tarvelon_delete_survey(" + id + ")", false},
        {editor, "SELECT pg_advisory_lock(7461727665)", true}, // takes nothing from a writer now
        {manager, "UPDATE readings SET reading1 = 0", false},
        {manager, "DELETE FROM readings", false},
        {manager, history, false},
        {manager, "DELETE FROM history", false},
        {reader, "LOCK TABLE library_lock IN EXCLUSIVE MODE", false},
        {reader, "SELECT tarvelon_record('C', 'S', 'T', NULL, 'nothing happened')", false},
        {reader, "UPDATE tubes SET probe_constant = 1", false},
        {nobody, "SELECT count(*) FROM surveys", false},
        {nobody, "SELECT count(*) FROM history", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.user + ": " + c.sql);
        sql::Database db;
        ASSERT_TRUE(db.connect(as(c.user))) << db.error();
        ASSERT_TRUE(db.exec("BEGIN"));
        EXPECT_EQ(db.exec(c.sql), c.allowed) << db.error();
        if (!c.allowed) {
            EXPECT_TRUE(db.refused()) << db.error();
        }
        db.exec(c.allowed ? "COMMIT" : "ROLLBACK");
    }
    EXPECT_EQ(readingAt5(), 1);
    EXPECT_EQ(owner_.list().size(), 1u);
    for (const HistoryEntry& h : owner_.history(kTube))
        EXPECT_NE(h.what, "nothing happened");

    // What an editor may change outside the program is recorded by the server, with its time.
    sql::Database db;
    ASSERT_TRUE(db.connect(as(editor))) << db.error();
    ASSERT_TRUE(db.exec("UPDATE tubes SET probe_constant = 1, changed_at = '9999-12-31T00:00:00Z'"));
    EXPECT_EQ(owner_.tubeSettings(kTube).constant, 1);
    EXPECT_LT(owner_.tubeSettingsChangedAt().at(kTube), "9999");
    const std::vector<HistoryEntry> lines = owner_.history(kTube);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().who, editor);
    EXPECT_NE(lines.back().what.find("probe_constant 25000 -> 1"), std::string::npos) << lines.back().what;
    EXPECT_EQ(lines.back().at, owner_.tubeSettingsChangedAt().at(kTube));

    // A manager deletes a survey with its readings, through the program's way only.
    SurveyStore managing;
    ASSERT_TRUE(managing.open(as(manager))) << managing.error();
    EXPECT_EQ(managing.rights(), SurveyStore::Rights::Manage);
    EXPECT_TRUE(managing.remove(survey_)) << managing.error();
    EXPECT_TRUE(owner_.list().empty());
    EXPECT_EQ(owner_.history(kTube).back().what, "survey 01 of 12/03/24 deleted; the tube has no base now");
    EXPECT_EQ(owner_.history(kTube).back().who, manager);
}

// News of a change names rows by id only: a login with no role hears that something changed,
// never which tube; the program's roles look the tube up.
TEST_F(ServerGuard, NewsNamesRowsByIdOnly)
{
    const std::string nobody = person("no", ""), reader = person("re", "tarvelon_reader");
    sql::Database listener;
    ASSERT_TRUE(listener.connect(as(nobody))) << listener.error();
    ASSERT_GE(listener.notificationSocket(), 0);
    SurveyStore colleague, mine;
    ASSERT_TRUE(mine.open(as(reader), SurveyStore::Access::Read)) << mine.error();
    ASSERT_GE(mine.notificationSocket(), 0);
    ASSERT_TRUE(colleague.open(location())) << colleague.error();
    Survey secret = surveyOf("02");
    secret.tube = "Secret tube";
    ASSERT_EQ(colleague.add(secret).status, AddStatus::Added);
    std::vector<std::string> heard, heardByRole;
    for (int i = 0; i < 100 && (heard.empty() || heardByRole.empty()); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        for (const std::string& n : listener.takeNotifications())
            heard.push_back(n);
        for (const std::string& n : mine.takeNotifications())
            heardByRole.push_back(n);
    }
    ASSERT_FALSE(heard.empty());
    for (const std::string& n : heard)
        EXPECT_EQ(n.find("Secret"), std::string::npos) << n;
    EXPECT_EQ(heardByRole, std::vector<std::string>{"C\tS\tSecret tube"});
}

// Every kind of change the program makes is described by the program itself: none leaves the
// server's own line of a change made some other way (a change without its line would).
TEST_F(ServerGuard, EveryKindOfChangeIsDescribedByTheProgram)
{
    const auto withBias = [](double value, bool on) {
        return std::vector<Correction>{{CorrectionKind::Bias, 0, value, "entered", "2026-03-01T00:00:00Z", on}};
    };
    const std::int64_t second = owner_.add(surveyOf("02", 7)).id;
    const struct {
        const char* what;
        std::function<bool()> change;
    } changes[] = {
        {"a survey added", [&] { return owner_.add(surveyOf("03")).status == AddStatus::Added; }},
        {"settings", [&] {
             TubeSettings t = owner_.tubeSettings(kTube);
             t.alarmMm = 6.0;
             return owner_.setTubeSettings(kTube, t);
         }},
        {"report fields", [&] {
             TubeSettings t = owner_.tubeSettings(kTube);
             t.report.remarks = "read weekly";
             return owner_.setTubeSettings(kTube, t);
         }},
        {"correction accepted", [&] { return owner_.setCorrections(second, withBias(-2.0, true)); }},
        {"correction switched off", [&] { return owner_.setCorrections(second, withBias(-2.0, false)); }},
        {"correction removed", [&] { return owner_.setCorrections(second, {}); }},
        {"survey deleted", [&] { return owner_.remove(second); }},
    };
    size_t lines = owner_.history(kTube).size();
    for (const auto& c : changes) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(c.change()) << owner_.error();
        const std::vector<HistoryEntry> h = owner_.history(kTube);
        ASSERT_EQ(h.size(), lines + 1);
        EXPECT_EQ(h.back().what.find("on the server"), std::string::npos) << h.back().what;
        lines = h.size();
    }
}
