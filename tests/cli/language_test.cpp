// The survey commands in Italian: what a person reads follows the language, what a script reads
// (CSV, exit status) stays byte for byte the same.
#include <gtest/gtest.h>

#include "support/child_process.h"
#include "support/harness.h"
#include "library/store.h"

namespace tarvelon::test {
namespace {

using namespace std::chrono_literals;

const std::vector<std::string> kEnglish{"LANGUAGE=", "LC_ALL=", "LC_MESSAGES=", "LANG=C.UTF-8"};
const std::vector<std::string> kItalian{"LANGUAGE=", "LC_ALL=", "LC_MESSAGES=", "LANG=it_IT.UTF-8"};

// Two readouts of a tube four depths deep, the second 700 reading units further at 1.5 m.
surveys::Survey readout(const std::string& number, const std::string& date, int at15)
{
    surveys::Survey s;
    s.client = "ACME";
    s.site = "Hill";
    s.tube = "T1";
    s.depth = 2.0;
    s.step = 0.5;
    s.readout = number;
    s.date = date;
    s.time = "10:00:00";
    s.downloadedAt = "2024-01-01T00:00:00Z";
    for (int tenths : {5, 10, 15, 20})
        s.rows.push_back({tenths, {100, -20}});
    s.rows[2].readings[0] = 100 + at15;
    return s;
}

struct Said {
    int status = -1;
    std::string out, err;
};

class CliLanguage : public testing::Test {
protected:
    Said run(std::vector<std::string> args, std::vector<std::string> environment)
    {
        environment.insert(environment.end(), {"HOME=" + home.file(""), "XDG_DATA_HOME=" + home.file("share"),
                                               "XDG_CONFIG_HOME=" + home.file("config")});
        ChildProcess p(TARVELON_CLI, std::move(args), environment);
        Said r;
        r.status = p.wait(60s);
        r.out = p.out;
        r.err = p.err;
        return r;
    }

    TempDir home;
    std::string library = home.file("lib.sqlite");
};

TEST_F(CliLanguage, SurveyCommandsSpeakItalianAndKeepTheirCsv)
{
    {
        surveys::SurveyStore store;
        ASSERT_TRUE(store.open(library));
        ASSERT_EQ(store.add(readout("01", "01/03/24", 0)).status, surveys::AddStatus::Added);
        ASSERT_EQ(store.add(readout("02", "11/03/24", 700)).status, surveys::AddStatus::Added);
        // A tube nobody chose a base for: its reason is said, and written in the CSV in English.
        surveys::Survey other = readout("01", "01/03/24", 0);
        other.tube = "T2";
        ASSERT_EQ(store.add(other).status, surveys::AddStatus::Added);
    }
    const std::vector<std::string> tube{"--library", library, "--client", "ACME", "--site", "Hill", "--tube", "T1"};
    const auto cmd = [&tube](std::vector<std::string> args) {
        args.insert(args.begin() + 1, tube.begin(), tube.end());
        return args;
    };
    // Thresholds that an ALARM and an alarm log follow from, set in English; the alarms command
    // then ends with status 3 in either language.
    const Said set = run(cmd({"tube", "--constant", "25000", "--base", "01", "--alert", "2", "--alarm", "5"}), kEnglish);
    ASSERT_EQ(set.status, 0) << set.err;

    const struct {
        std::vector<std::string> args;
        bool sameOutput;     // what a script reads: standard output identical in both languages
        const char* italian; // said in Italian, on either stream, and never in English
    } cases[] = {
        {{"surveys", "--library", library, "--csv"}, true, nullptr},
        {cmd({"displacement"}), true, nullptr},
        {cmd({"displacement", "--summary"}), true, nullptr},
        {{"site", "--library", library, "--client", "ACME", "--csv", "-"}, true, nullptr},
        {{"alarms", "--library", library, "--csv"}, true, nullptr},
        {cmd({"history", "--csv"}), true, nullptr},
        {{"surveys", "--library", library}, false, "Cliente"},
        {{"alarms", "--library", library}, false, "ALLARME"},
        {{"alarms", "--library", library}, false, "spostamento"},
        {{"site", "--library", library, "--client", "ACME"}, false, "Allarme previsto"},
        {{"site", "--library", library, "--client", "ACME"}, false, "non calcolata: nessuna lettura di riferimento"},
        {{"displacement", "--library", library, "--client", "ACME", "--site", "Hill", "--tube", "T2"}, false,
         "nessuna lettura di riferimento è scelta per il tubo"},
        {cmd({"tube", "--alert", "9"}), false,
         "la soglia di attenzione (--alert) supera quella di allarme (--alarm); nulla è cambiato"},
        {cmd({"delete", "--readout", "09"}), false, "non ha la lettura 09"},
        {cmd({"correct", "--readout", "02", "--switch", "maybe"}), false, "--switch vuole on o off, non \"maybe\""},
        {{"import", "--library", library}, false, "indicare i file di esportazione o le cartelle da importare"},
        {{"surveys", "--library", home.file("none.sqlite")}, false, "Attenzione: nessun archivio delle misure in"},
        {{"tube", "--help"}, false, "La costante della sonda K:"},
        {{"alarms", "--help"}, false, "Il registro degli allarmi"},
        {{"sync", "--help"}, false, "L'archivio di cui si inviano le misure (obbligatorio)."},
        {{"--help"}, false, "Le impostazioni di un tubo"},
    };
    for (const auto& c : cases) {
        const std::string name = c.args.front() + (c.args.size() > 1 ? " " + c.args[1] : "");
        const Said english = run(c.args, kEnglish);
        std::vector<std::string> asked{"--language", "it"};
        asked.insert(asked.end(), c.args.begin(), c.args.end());
        for (const Said& italian : {run(c.args, kItalian), run(asked, kEnglish)}) {
            EXPECT_EQ(italian.status, english.status) << name << "\n" << italian.err;
            if (c.sameOutput) {
                EXPECT_FALSE(english.out.empty()) << name;
                EXPECT_EQ(italian.out, english.out) << name;
            }
            if (c.italian) {
                EXPECT_NE((italian.out + italian.err).find(c.italian), std::string::npos)
                    << name << "\n" << italian.out << italian.err;
                EXPECT_EQ((english.out + english.err).find(c.italian), std::string::npos) << name;
            }
        }
    }
}

} // namespace
} // namespace tarvelon::test
