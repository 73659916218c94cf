// Sync as a three-way merge: each field against what the two libraries last agreed on, whatever
// either computer's clock says; deletions and corrections travel; conflicts are named.
#include "support/harness.h"
#include "surveys/library_engines.h"
#include "library/store.h"
#include "library/sync.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>

using namespace tarvelon;
using namespace tarvelon::surveys;
using tarvelon::test::TempDir;

namespace {

const TubeKey kTube{"C", "S", "T"};

Survey readout(const std::string& number, int offset = 0)
{
    Survey s;
    s.client = kTube.client;
    s.site = kTube.site;
    s.tube = kTube.tube;
    s.readout = number;
    s.date = "12/03/24";
    s.time = "10:" + number + ":00";
    s.step = 0.5;
    for (int t = 5; t <= 20; t += 5)
        s.rows.push_back({t, {t + offset, -t}});
    return s;
}

Correction bias(double value, bool on = true)
{
    return {CorrectionKind::Bias, 0, value, "entered", "2026-03-01T00:00:00Z", on};
}

// A library whose clock is set by the test: `day` is the hour its minutes are of.
struct Library {
    Library(const std::string& location, std::string day)
    {
        store.setClock([this, day] { return day + ":" + std::to_string(10 + ticks++ % 50) + ":00Z"; });
        EXPECT_TRUE(store.open(location)) << store.error();
    }
    std::int64_t id(const std::string& number) { return store.findReadout(kTube, number).value_or(0); }
    void set(const std::function<void(TubeSettings&)>& change)
    {
        TubeSettings t = store.tubeSettings(kTube);
        change(t);
        ASSERT_TRUE(store.setTubeSettings(kTube, t)) << store.error();
    }
    SurveyStore store;
    int ticks = 0;
};

// What a person sees of the tube: its settings (the base by readout), its readouts and their
// corrections.
struct Seen {
    TubeSettings settings;
    std::string base;
    std::vector<std::string> readouts;
    std::vector<std::vector<Correction>> corrections;
    bool operator==(const Seen&) const = default;
};

Seen seen(Library& l)
{
    Seen s;
    s.settings = l.store.tubeSettings(kTube);
    for (const Survey& r : l.store.tubeSurveys(kTube)) {
        if (r.id == s.settings.baseId)
            s.base = r.readout;
        s.readouts.push_back(r.readout);
        s.corrections.push_back(l.store.corrections(r.id));
    }
    s.settings.baseId = 0;
    return s;
}

struct MergeCase {
    const char* name;
    // Changes made on each side after they agreed, the laptop's clock set as the case says.
    std::function<void(Library& laptop, Library& office)> change;
    size_t conflicts;
    std::function<void(const Seen&)> check;
};

const MergeCase kMergeCases[] = {
    {"both sides edit different fields",
     [](Library& l, Library& o) {
         l.set([](TubeSettings& t) { t.alarmMm = 6.0; });
         o.set([](TubeSettings& t) { t.report.remarks = "read weekly"; });
     },
     0,
     [](const Seen& s) {
         EXPECT_EQ(s.settings.alarmMm, 6.0);
         EXPECT_EQ(s.settings.report.remarks, "read weekly");
     }},
    {"the reports' language travels with the other report fields",
     [](Library& l, Library& o) {
         l.set([](TubeSettings& t) { t.report.language = "it"; });
         o.set([](TubeSettings& t) { t.report.project = "Dam"; });
     },
     0,
     [](const Seen& s) {
         EXPECT_EQ(s.settings.report.language, "it");
         EXPECT_EQ(s.settings.report.project, "Dam");
     }},
    {"how rates are measured and where the sums start travel like any setting",
     [](Library& l, Library& o) {
         l.set([](TubeSettings& t) {
             t.fixedEnd = FixedEnd::Top;
             t.rateUnit = RateUnit::Year;
         });
         o.set([](TubeSettings& t) {
             t.minIntervalDays = 7;
             t.precisionMm = 0.2;
         });
     },
     0,
     [](const Seen& s) {
         EXPECT_EQ(s.settings.fixedEnd, FixedEnd::Top);
         EXPECT_EQ(s.settings.rateUnit, RateUnit::Year);
         EXPECT_EQ(s.settings.minIntervalDays, 7);
         EXPECT_EQ(s.settings.precisionMm, 0.2);
     }},
    {"both sides edit the same field",
     [](Library& l, Library& o) {
         l.set([](TubeSettings& t) { t.alarmMm = 6.0; });
         o.set([](TubeSettings& t) { t.alarmMm = 7.0; });
     },
     1, [](const Seen& s) { EXPECT_EQ(s.settings.alarmMm, 7.0); }},
    {"both sides make the same change",
     [](Library& l, Library& o) {
         l.set([](TubeSettings& t) { t.alarmMm = 6.0; });
         o.set([](TubeSettings& t) { t.alarmMm = 6.0; });
     },
     0, [](const Seen& s) { EXPECT_EQ(s.settings.alarmMm, 6.0); }},
    {"a laptop clock an hour ahead keeps not its old constant over the office's",
     [](Library& l, Library& o) {
         l.store.setClock([] { return std::string("2026-03-01T11:59:00Z"); });
         l.set([](TubeSettings& t) { t.report.location = "left bank"; });
         o.set([](TubeSettings& t) { t.constant = 24800; });
     },
     0,
     [](const Seen& s) {
         EXPECT_EQ(s.settings.constant, 24800);
         EXPECT_EQ(s.settings.report.location, "left bank");
     }},
    {"a laptop clock a year behind keeps its own edit",
     [](Library& l, Library&) {
         l.store.setClock([] { return std::string("2025-03-01T10:00:00Z"); });
         l.set([](TubeSettings& t) { t.alarmMm = 6.0; });
     },
     0, [](const Seen& s) { EXPECT_EQ(s.settings.alarmMm, 6.0); }},
    {"a delete at the office against the laptop's older copy",
     [](Library&, Library& o) { ASSERT_TRUE(o.store.remove(o.id("02"))) << o.store.error(); }, 0,
     [](const Seen& s) { EXPECT_EQ(s.readouts, std::vector<std::string>{"01"}); }},
    {"a delete on the laptop",
     [](Library& l, Library&) { ASSERT_TRUE(l.store.remove(l.id("02"))) << l.store.error(); }, 0,
     [](const Seen& s) { EXPECT_EQ(s.readouts, std::vector<std::string>{"01"}); }},
    {"a correction changed on the laptop",
     [](Library& l, Library&) { ASSERT_TRUE(l.store.setCorrections(l.id("02"), {bias(-2.0)})); }, 0,
     [](const Seen& s) { EXPECT_EQ(s.corrections.at(1), std::vector<Correction>{bias(-2.0)}); }},
    {"a correction cleared on the laptop",
     [](Library& l, Library&) { ASSERT_TRUE(l.store.setCorrections(l.id("02"), {})); }, 0,
     [](const Seen& s) { EXPECT_TRUE(s.corrections.at(1).empty()); }},
    {"a correction cleared at the office",
     [](Library&, Library& o) { ASSERT_TRUE(o.store.setCorrections(o.id("02"), {})); }, 0,
     [](const Seen& s) { EXPECT_TRUE(s.corrections.at(1).empty()); }},
    {"a correction switched off at the office, changed on the laptop",
     [](Library& l, Library& o) {
         ASSERT_TRUE(o.store.setCorrections(o.id("02"), {bias(1.0, false)}));
         ASSERT_TRUE(l.store.setCorrections(l.id("02"), {bias(3.0)}));
     },
     1, [](const Seen& s) { EXPECT_EQ(s.corrections.at(1), std::vector<Correction>{bias(1.0, false)}); }},
    {"the base moved on the laptop",
     [](Library& l, Library&) { l.set([&l](TubeSettings& t) { t.baseId = l.id("02"); }); }, 0,
     [](const Seen& s) { EXPECT_EQ(s.base, "02"); }},
};

class Merge : public testing::TestWithParam<std::tuple<MergeCase, tarvelon::test::LibraryEngine>> {};

} // namespace

// Each case: the two agree after a first sync; each changes what the case says; a sync from
// the laptop leaves both sides the same, a conflict said for each field changed on both to
// different values; a second sync finds nothing to do.
TEST_P(Merge, EveryCaseEndsWithBothSidesEqualAndNothingLostUnsaid)
{
    const MergeCase& c = std::get<0>(GetParam());
    if (std::get<1>(GetParam()) == tarvelon::test::LibraryEngine::PostgreSQL && tarvelon::test::testServer().empty())
        GTEST_SKIP() << tarvelon::test::kNoServer;
    TempDir dir;
    tarvelon::test::TestLibrary officeLibrary(std::get<1>(GetParam()));
    Library laptop(dir.file("laptop.sqlite"), "2026-03-01T10"), office(officeLibrary.location(), "2026-03-01T10");
    laptop.store.add(readout("01"));
    laptop.store.add(readout("02", 3));
    laptop.set([&](TubeSettings& t) {
        t.constant = 25000;
        t.baseId = laptop.id("01");
        t.alarmMm = 5.0;
    });
    ASSERT_TRUE(laptop.store.setCorrections(laptop.id("02"), {bias(1.0)}));
    const SyncResult first = syncLibraries(laptop.store, office.store);
    ASSERT_EQ(first.error, "");
    ASSERT_TRUE(first.settingConflicts.empty()) << first.settingConflicts.front();
    ASSERT_EQ(seen(laptop), seen(office));

    c.change(laptop, office);
    const SyncResult r = syncLibraries(laptop.store, office.store);
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.settingConflicts.size(), c.conflicts);
    for (const std::string& conflict : r.settingConflicts)
        EXPECT_NE(conflict.find("changed on both sides"), std::string::npos) << conflict;
    const Seen l = seen(laptop), o = seen(office);
    EXPECT_EQ(l, o);
    c.check(o);
    const SyncResult again = syncLibraries(laptop.store, office.store);
    EXPECT_EQ(again.sent + again.settingsSent + again.settingsReceived + again.deletedHere + again.deletedThere, 0);
    EXPECT_TRUE(again.settingConflicts.empty());
    EXPECT_EQ(seen(laptop), o);
}

INSTANTIATE_TEST_SUITE_P(Cases, Merge,
                         testing::Combine(testing::ValuesIn(kMergeCases),
                                          testing::Values(tarvelon::test::LibraryEngine::SQLite,
                                                          tarvelon::test::LibraryEngine::PostgreSQL)),
                         [](const auto& info) {
                             std::string name;
                             for (const char* p = std::get<0>(info.param).name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name + (std::get<1>(info.param) == tarvelon::test::LibraryEngine::SQLite
                                                ? "_file"
                                                : "_server");
                         });

// Two laptops that change the same field in the same second converge on the office's value,
// the second to sync told of the conflict.
TEST(MergeThree, TwoLaptopsInTheSameSecondConverge)
{
    TempDir dir;
    Library a(dir.file("a.sqlite"), "2026-03-01T10"), b(dir.file("b.sqlite"), "2026-03-01T10"),
        office(dir.file("office.sqlite"), "2026-03-01T10");
    a.store.add(readout("01"));
    a.set([](TubeSettings& t) { t.alarmMm = 5.0; });
    ASSERT_EQ(syncLibraries(a.store, office.store).error, "");
    ASSERT_EQ(syncLibraries(office.store, b.store).error, "");
    ASSERT_EQ(seen(b), seen(office));
    for (Library* l : {&a, &b})
        l->store.setClock([] { return std::string("2026-03-01T12:00:00Z"); });
    a.set([](TubeSettings& t) { t.alarmMm = 6.0; });
    b.set([](TubeSettings& t) { t.alarmMm = 8.0; });
    EXPECT_TRUE(syncLibraries(a.store, office.store).settingConflicts.empty());
    const SyncResult second = syncLibraries(b.store, office.store);
    ASSERT_EQ(second.settingConflicts.size(), 1u);
    EXPECT_NE(second.settingConflicts[0].find("alarm changed on both sides (8 in the source, 6 in the target)"),
              std::string::npos)
        << second.settingConflicts[0];
    EXPECT_TRUE(syncLibraries(a.store, office.store).settingConflicts.empty());
    EXPECT_EQ(seen(a), seen(office));
    EXPECT_EQ(seen(b), seen(office));
    EXPECT_EQ(office.store.tubeSettings(kTube).alarmMm, 6.0);
}

// A source that can only be read (a read-only file) is synced one way: the target gets what it
// lacks, nothing is written to the source.
TEST(MergeThree, ASourceThatCanOnlyBeReadIsSyncedOneWay)
{
    TempDir dir;
    {
        Library laptop(dir.file("laptop.sqlite"), "2026-03-01T10");
        laptop.store.add(readout("01"));
        laptop.set([](TubeSettings& t) { t.alarmMm = 5.0; });
    }
    const std::string before = tarvelon::test::readFile(dir.file("laptop.sqlite"));
    SurveyStore source;
    ASSERT_TRUE(source.open(dir.file("laptop.sqlite"), SurveyStore::Access::Read)) << source.error();
    Library office(dir.file("office.sqlite"), "2026-03-01T10");
    office.set([](TubeSettings& t) { t.report.remarks = "office"; });
    const SyncResult r = syncLibraries(source, office.store);
    EXPECT_EQ(r.error, "");
    EXPECT_TRUE(r.sourceReadOnly);
    EXPECT_EQ(r.sent, 1);
    EXPECT_EQ(office.store.tubeSettings(kTube).alarmMm, 5.0);
    EXPECT_EQ(office.store.tubeSettings(kTube).report.remarks, "office");
    source = SurveyStore();
    EXPECT_EQ(tarvelon::test::readFile(dir.file("laptop.sqlite")), before);
}
