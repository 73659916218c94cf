// Rows of a survey library as another program or a damaged file could leave them, read back
// through the store and compared through the whole-tube analysis: any bytes become up to four
// surveys of one tube, each with its step, depth, missing depths and rows at any real value.
#include "fuzz_check.h"
#include "analysis/displacement.h"
#include "library/sql.h"
#include "library/store.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

using namespace tarvelon;

namespace {

struct Bytes {
    const uint8_t* data;
    size_t size;
    template <typename T> T take()
    {
        T v{};
        const size_t n = std::min(sizeof v, size);
        std::memcpy(&v, data, n);
        data += n;
        size -= n;
        return v;
    }
    std::string text(size_t most)
    {
        const size_t n = std::min<size_t>(take<uint8_t>() % (most + 1), size);
        std::string s(reinterpret_cast<const char*>(data), n);
        data += n;
        size -= n;
        return s;
    }
};

// One library for the whole run, its tables emptied for each input.
struct Library {
    Library()
    {
        char folder[] = "/tmp/library-rows-fuzz-XXXXXX";
        FUZZ_REQUIRE(mkdtemp(folder) != nullptr);
        path = std::string(folder) + "/surveys.sqlite";
        FUZZ_REQUIRE(store.open(path));
        FUZZ_REQUIRE(raw.open(path, sql::Database::Mode::ReadWrite));
        FUZZ_REQUIRE(raw.exec("PRAGMA synchronous = OFF"));
    }
    std::string path;
    surveys::SurveyStore store;
    sql::Database raw;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Library library;
    Bytes in{data, size};
    {
        sql::Transaction tx(library.raw);
        FUZZ_REQUIRE(tx.begun());
        FUZZ_REQUIRE(library.raw.exec("DELETE FROM readings; DELETE FROM tubes; DELETE FROM surveys"));
        const int surveys = 1 + in.take<uint8_t>() % 4;
        for (int s = 1; s <= surveys && in.size > 0; ++s) {
            sql::Statement survey(library.raw,
                                  "INSERT INTO surveys (id, client, site, tube, depth, step, guides, north, readout, "
                                  "date, time, downloaded_at, header_file, readings_file, missing_depths) "
                                  "VALUES (?, 'C', 'S', 'T', ?, ?, '2', ?, ?, ?, '10:00:00', '', '', '', ?)");
            survey.bind(1, std::int64_t(s)).bind(2, in.take<double>()).bind(3, in.take<double>());
            survey.bind(4, in.text(5)).bind(5, std::to_string(s)).bind(6, in.text(8)).bind(7, in.text(40));
            // A step SQLite turns into NULL (NaN) is refused by the table itself.
            if (!survey.run())
                continue;
            const int rows = in.take<uint8_t>() % 40;
            for (int r = 0; r < rows && in.size > 0; ++r) {
                sql::Statement row(library.raw, "INSERT OR IGNORE INTO readings (survey_id, depth, reading1, reading2, "
                                                "reading3, reading4) VALUES (?, ?, ?, ?, ?, ?)");
                row.bind(1, std::int64_t(s)).bind(2, in.take<double>());
                for (int j = 3; j <= 6; ++j)
                    row.bind(j, in.take<std::int64_t>());
                FUZZ_REQUIRE(row.run());
            }
        }
        FUZZ_REQUIRE(tx.commit());
    }

    surveys::TubeSettings settings;
    settings.baseId = 1 + in.take<uint8_t>() % 4;
    settings.constant = in.take<double>();
    settings.secondPass = in.take<uint8_t>() % 2;
    const std::vector<surveys::Survey> all = library.store.tubeSurveys({"C", "S", "T"});
    for (const surveys::Survey& s : all) {
        for (const surveys::SurveyRow& r : s.rows)
            FUZZ_REQUIRE(r.depthTenths >= 0 && r.depthTenths <= surveys::kDeepestTenths);
        for (int t : s.missingTenths)
            FUZZ_REQUIRE(t >= 0 && t <= surveys::kDeepestTenths);
    }
    const surveys::TubeResult tube = surveys::analyseTube(all, settings);
    for (const surveys::ReadoutResult& r : tube.readouts)
        FUZZ_REQUIRE(r.displacement.rows.size() <= size_t(surveys::kDeepestTenths) + 1);
    (void)surveys::displacementCsv(tube);
    (void)library.store.list();
    return 0;
}
