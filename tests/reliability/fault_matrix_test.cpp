// Every operation that talks to the unit, against every way the simulated unit or its line can
// misbehave. Each cell runs on the virtual clock and is compared with the same operation
// against a healthy unit.
#include "blocks/clear_blocks.h"
#include "blocks/download.h"
#include "blocks/export_files.h"
#include "blocks/header_read.h"
#include "blocks/header_write.h"
#include "link/exchange.h"
#include "link/fields.h"
#include "reliability/bench.h"
#include "settings/clock.h"
#include "settings/delay.h"
#include "settings/zero_gain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <random>

using namespace tarvelon;
using namespace tarvelon::test;

namespace {

struct Operation {
    const char* name;
    void (*run)(Context&);
    // What a write says when the unit refuses every wake; the reads name their rows below.
    const char* allRefused = nullptr;
};

const Operation kOperations[] = {
    {"SetBlock", setBlock, "Attention: the unit refused 2 commands: block 1 not written; closing command not sent"},
    {"SetAll", setAll,
     "Attention: the unit refused 31 commands: blocks 1 to 30 not written; closing command not sent"},
    {"ReadBlock", readBlock},
    {"ReadAllBlocks", readAllBlocks},
    {"ResetBlock", resetBlock,
     "Attention: the unit refused 2 commands: block 1 not cleared in the unit; closing command not sent"},
    {"TotalReset", totalReset,
     "Attention: the unit refused 31 commands: blocks 1 to 30 not cleared in the unit; closing command not sent"},
    {"Download", download},
    {"ReadClock", settings::readClock, "Attention: the unit refused the command: clock not read"},
    {"WriteClock", settings::writeClock, "Attention: the unit refused the command: clock not written"},
    {"WriteDelay", settings::writeDelay, "Attention: the unit refused the command: delay not written"},
    {"ResetZeroGain", settings::resetZeroGain, "Attention: the unit refused 30 commands: blocks 1 to 30 not changed"},
};

// What an operation left behind.
struct Outcome {
    std::vector<std::string> log;
    std::vector<std::string> messages;
    std::string headerFile;
    std::map<std::string, std::string> boxes;
    std::map<std::string, std::string> files;
};

Outcome capture(const Bench& b)
{
    Outcome o;
    o.log = b.h.unit.log();
    for (const ShownMessage& m : b.h.messages.shown)
        o.messages.push_back(m.text);
    o.headerFile = b.headerFileBytes();
    // Every box but the header file's path, which names the test's own folder.
    for (const FieldSpec& f : kFields)
        if (f.name != "Text15")
            o.boxes[std::string(f.name)] = b.h.form.text(f.name);
    o.files = filesIn(b.out);
    return o;
}

// The operation against a healthy unit, run once per operation.
const Outcome& healthy(size_t op)
{
    static std::map<size_t, Outcome> done;
    if (!done.count(op)) {
        Bench b;
        kOperations[op].run(b.h.ctx);
        done[op] = capture(b);
    }
    return done.at(op);
}

bool isRowRead(const std::string& line)
{
    return line[0] == 'a';
}

bool wantsReply(const std::string& line)
{
    return line[0] == 'a' || line[0] == 'H';
}

// What a cell must come to, judged from the healthy run's log.
struct Expect {
    enum Kind {
        Completes, // as against a healthy unit, to the byte
        Stops,     // the unit received the first `lines` lines of the healthy run; said so
        Refused,   // every wake refused: each command skipped and named, no row read and every one named
        Unread,    // every reply broken: the same, with every command sent
    } kind;
    size_t lines = 0;
};

Expect stopsAt(std::optional<size_t> lines)
{
    return lines ? Expect{Expect::Stops, *lines} : Expect{Expect::Completes};
}

// The number of lines up to and including the w-th wake.
std::optional<size_t> throughWake(const std::vector<std::string>& log, int w)
{
    for (size_t i = 0; i < log.size(); ++i)
        if (log[i] == "}" && --w == 0)
            return i + 1;
    return std::nullopt;
}

struct Fault {
    std::string name;
    std::function<void(Bench&)> apply;
    std::function<Expect(const std::vector<std::string>& healthyLog)> expect;
    int minutes = 10; // virtual time after which the cell counts as hanging
    std::string message = std::string(kNotConnected); // what an operation that stops says
};

Fault silentAfter(int k)
{
    return {"SilentAfter" + std::to_string(k) + "Wakes", [k](Bench& b) { b.h.unit.faults.answerWakes = k; },
            [k](const auto& log) { return stopsAt(throughWake(log, k + 1)); }};
}

Fault unpluggedAfter(size_t n)
{
    return {"UnpluggedAfter" + std::to_string(n) + "Lines",
            [n](Bench& b) {
                Harness& h = b.h;
                h.loop.onYield = [&h, n] {
                    if (h.unit.log().size() >= n)
                        h.line.unplug();
                };
            },
            [n](const auto& log) {
                // The reply to a line sent just before the cable came out is lost with it.
                const bool lost = n < log.size() || (n == log.size() && wantsReply(log.back()));
                return stopsAt(lost ? std::optional<size_t>(n) : std::nullopt);
            }};
}

// The USB adapter pulled out: the port says so at once, and that is what the operator reads.
Fault pulledOutAfter(size_t n)
{
    Fault f = unpluggedAfter(n);
    f.name = "PulledOutAfter" + std::to_string(n) + "Lines";
    f.apply = [n](Bench& b) {
        Harness& h = b.h;
        h.loop.onYield = [&h, n] {
            if (h.unit.log().size() >= n && !h.line.pulledOutAt)
                h.line.pullOut();
        };
    };
    // Pulled out after the last line, in the pause that follows it, is still said.
    f.expect = [n](const auto& log) { return stopsAt(n <= log.size() ? std::optional<size_t>(n) : std::nullopt); };
    f.message = std::string(kPortLostBefore) + "COM1" + std::string(kPortLostAfter);
    return f;
}

std::string seededNoise()
{
    std::mt19937 random(20240611);
    std::string noise;
    for (int i = 0; i < 7; ++i)
        noise.push_back(static_cast<char>(random() % 256));
    return noise;
}

std::vector<Fault> faults()
{
    const auto completes = [](const auto&) { return Expect{Expect::Completes}; };
    std::vector<Fault> all = {
        {"Silent", [](Bench& b) { b.h.unit.faults.silent = true; }, [](const auto&) { return stopsAt(1); }},
        silentAfter(1),
        silentAfter(2),
        silentAfter(7),
        silentAfter(25),
        {"WakeAnsweredAfter400ms", [](Bench& b) { b.h.unit.faults.wakeDelayMs = 400; }, completes},
        {"WakeAnsweredAfter700ms", [](Bench& b) { b.h.unit.faults.wakeDelayMs = 700; },
         [](const auto&) { return stopsAt(1); }},
        {"WakeAnsweredWithNoise", [](Bench& b) { b.h.unit.faults.wakeExtra = "\x13#"; },
         [](const auto&) { return Expect{Expect::Refused}; }},
        {"ReplyCutShort", [](Bench& b) { b.h.unit.faults.cutReplyAt = 10; },
         [](const auto& log) {
             const auto it = std::find_if(log.begin(), log.end(), wantsReply);
             return stopsAt(it == log.end() ? std::nullopt : std::optional<size_t>(it - log.begin() + 1));
         }},
        {"ReplyInThreePartsWith300msGaps",
         [](Bench& b) { b.h.unit.faults.splitParts = 3, b.h.unit.faults.splitGapMs = 300; }, completes},
        {"ReplyInThreePartsWith4sGaps",
         [](Bench& b) { b.h.unit.faults.splitParts = 3, b.h.unit.faults.splitGapMs = 4000; }, completes, 60},
        // A chatty unit or a noisy line: what comes between a reply and the next wake is
        // never taken for the wake's answer.
        {"StrayCharacterAfterEachReply", [](Bench& b) { b.h.unit.faults.noiseAfterReply = "5"; }, completes},
        {"NoiseBetweenReplies", [](Bench& b) { b.h.unit.faults.noiseAfterReply = seededNoise(); }, completes},
        {"NoiseInsideEachReply", [](Bench& b) { b.h.unit.faults.noiseInReplyAt = 5; },
         [](const auto& log) {
             const bool replies = std::any_of(log.begin(), log.end(), wantsReply);
             return Expect{replies ? Expect::Unread : Expect::Completes};
         }},
        unpluggedAfter(1),
        unpluggedAfter(2),
        unpluggedAfter(5),
        unpluggedAfter(21),
        pulledOutAfter(1),
        pulledOutAfter(2),
        pulledOutAfter(5),
        pulledOutAfter(21),
    };
    return all;
}

const std::vector<Fault>& allFaults()
{
    static const std::vector<Fault> f = faults();
    return f;
}

const std::vector<std::string> kHeaderBoxes = {"Text3", "Text4", "Text5",  "Text6",  "Text13", "Text7",
                                               "Text8", "Text9", "Text10", "Text11", "Text12"};
const std::vector<std::string> kClockBoxList(std::begin(kClockBoxes), std::end(kClockBoxes));
// The ten header fields take the first 48 characters of a record.
constexpr size_t kHeaderFieldsLength = 48;
const std::string kWorkFile(kWorkFileName);

std::string record(const std::string& file, int n)
{
    return file.substr(size_t(n - 1) * HeaderRecord::kLength, HeaderRecord::kLength);
}

bool isWake(const std::string& line)
{
    return line == "}";
}

size_t count(const std::vector<std::string>& log, bool (*which)(const std::string&))
{
    return size_t(std::count_if(log.begin(), log.end(), which));
}

// Rows whose reply reached the program: every row asked for but one whose reply was lost.
size_t rowsFetched(const std::vector<std::string>& log)
{
    return count(log, isRowRead) - (!log.empty() && isRowRead(log.back()) ? 1 : 0);
}

// The first n records of a fixed-length file.
std::string firstRecords(const std::string& file, size_t n, size_t length)
{
    return file.substr(0, std::min(file.size(), n * length));
}

void expectSameBoxes(const Outcome& after, const Outcome& before, const std::vector<std::string>& boxes)
{
    for (const std::string& box : boxes)
        EXPECT_EQ(after.boxes.at(box), before.boxes.at(box)) << box << " is left as it was";
}

// Export files of block 6 from an earlier download, which only a complete download replaces.
std::map<std::string, std::string> earlierExports(const Outcome& healthyDownload)
{
    std::map<std::string, std::string> files;
    for (const auto& [name, bytes] : healthyDownload.files)
        if (name != kWorkFile)
            files[name] = "yesterday's " + name + "\r ";
    return files;
}

class FaultMatrix : public ::testing::TestWithParam<std::tuple<size_t, size_t>> {
protected:
    const Operation& op() const { return kOperations[std::get<0>(GetParam())]; }
    const Fault& fault() const { return allFaults()[std::get<1>(GetParam())]; }
    const Outcome& reference() const { return healthy(std::get<0>(GetParam())); }
    bool is(void (*run)(Context&)) const { return op().run == run; }

    void checkStops(const Bench& b, const Outcome& before, const Outcome& after, size_t lines) const;
    void checkNothingRead(const Outcome& before, const Outcome& after, bool commandsSent) const;
};

void FaultMatrix::checkStops(const Bench& b, const Outcome& before, const Outcome& after, size_t lines) const
{
    const Outcome& ok = reference();
    ASSERT_LE(lines, ok.log.size());
    EXPECT_EQ(after.log, std::vector<std::string>(ok.log.begin(), ok.log.begin() + long(lines)));

    const size_t rows = rowsFetched(after.log);
    std::vector<std::string> told{fault().message};
    if (is(readAllBlocks)) {
        // A block is stored once its ten rows are in; the others keep the operator's headers.
        for (int n = 1; n <= kBlockCount; ++n) {
            const bool stored = size_t(n) <= rows / 10;
            EXPECT_EQ(record(after.headerFile, n), record(stored ? ok.headerFile : before.headerFile, n)) << n;
        }
        EXPECT_EQ(after.boxes.at("Text3"), record(after.headerFile, 1).substr(0, 8)) << "block 1 shown";
    } else {
        EXPECT_EQ(after.headerFile, ok.headerFile);
    }
    if (is(download)) {
        // The earlier exports stay as they were; the work file keeps every row read.
        std::map<std::string, std::string> files = before.files;
        if (rows >= 10) {
            files[kWorkFile] = firstRecords(ok.files.at(kWorkFile), 2 + rows - 10, kReadingsLength);
            std::string replaced;
            for (const auto& [name, bytes] : before.files)
                replaced += (replaced.empty() ? "" : ", ") + (b.out / name).string();
            told.push_back(std::string(kNotReplaced) + replaced);
        }
        EXPECT_EQ(after.files, files);
    }
    // The operation did not finish, and that is said.
    EXPECT_EQ(after.messages, told);
    if (is(readBlock))
        expectSameBoxes(after, before, kHeaderBoxes);
    if (is(settings::readClock))
        expectSameBoxes(after, before, kClockBoxList);
}

void FaultMatrix::checkNothingRead(const Outcome& before, const Outcome& after, bool commandsSent) const
{
    const Outcome& ok = reference();
    // A download ends once its header is known to be incomplete.
    const size_t lines = is(download) ? 20 : ok.log.size();
    std::vector<std::string> log(ok.log.begin(), ok.log.begin() + long(lines));
    if (!commandsSent)
        log.erase(std::remove_if(log.begin(), log.end(), [](const auto& l) { return !isWake(l); }), log.end());
    EXPECT_EQ(after.log, log);

    // No row read is stored, and every one is named; a write names every command it skipped.
    std::vector<std::string> told;
    if (op().allRefused && !commandsSent)
        told = {op().allRefused};
    if (is(readBlock))
        told = {"Attention: 10 header rows could not be read: block 1 whole header"};
    if (is(readAllBlocks))
        told = {"Attention: 300 header rows could not be read: blocks 1 to 30 whole header"};
    if (is(download))
        told = {"Attention: 10 header rows could not be read: block 6 whole header; nothing was downloaded"};
    if (is(settings::readClock) && commandsSent)
        told = {std::string(settings::kClockNotRead)};
    EXPECT_EQ(after.messages, told);

    if (is(readAllBlocks)) {
        for (int n = 1; n <= kBlockCount; ++n) {
            EXPECT_EQ(record(after.headerFile, n).substr(0, kHeaderFieldsLength),
                      record(before.headerFile, n).substr(0, kHeaderFieldsLength)) << "block " << n << " as it was";
            EXPECT_EQ(record(after.headerFile, n).substr(kHeaderFieldsLength),
                      record(before.headerFile, 1).substr(kHeaderFieldsLength)) << "zero and gain from the page";
        }
    } else {
        EXPECT_EQ(after.headerFile, ok.headerFile);
    }
    if (is(download)) {
        EXPECT_EQ(after.files, before.files);
    }
    if (is(readBlock))
        expectSameBoxes(after, before, kHeaderBoxes);
    if (is(settings::readClock))
        expectSameBoxes(after, before, kClockBoxList);
}

TEST_P(FaultMatrix, EndsCleanlyAndSaysWhatHappened)
{
    Bench b;
    Harness& h = b.h;
    if (is(download))
        for (const auto& [name, bytes] : earlierExports(reference()))
            writeFile((b.out / name).string(), bytes);
    const Outcome before = capture(b);
    fault().apply(b);
    h.loop.limit = h.clock.now() + int64_t(fault().minutes) * 60 * 1000 * 1000;

    // A hang throws out of the virtual loop at the limit.
    ASSERT_NO_THROW(op().run(h.ctx));
    const Outcome after = capture(b);

    // Whatever happened, the program is idle and consistent again.
    EXPECT_FALSE(h.line.isOpen());
    EXPECT_FALSE(h.form.waitIndicatorShown());
    EXPECT_TRUE(h.form.isEnabled("command3d1"));
    EXPECT_EQ(headerFileFault(after.headerFile), "");
    EXPECT_GE(h.state.currentBlock, 1);
    EXPECT_LE(h.state.currentBlock, kBlockCount);
    EXPECT_EQ(after.boxes.at("Text2"), twoDigits(h.state.currentBlock)) << "page and block number agree";
    for (const ShownMessage& m : h.messages.shown) {
        EXPECT_EQ(m.text.rfind("Attention: ", 0), 0u) << m.text;
        EXPECT_EQ(m.icon, Icon::Error);
    }
    if (h.line.pulledOutAt) {
        EXPECT_LT(h.clock.now() - *h.line.pulledOutAt, 200'000) << "a port that went away ends the operation at once";
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(h.dir.path()), {}), 2)
        << "nothing written beside the header file and the download folder";

    const Expect expect = fault().expect(reference().log);
    switch (expect.kind) {
    case Expect::Completes:
        EXPECT_EQ(after.log, reference().log);
        EXPECT_TRUE(after.messages.empty());
        EXPECT_EQ(after.headerFile, reference().headerFile);
        EXPECT_EQ(after.boxes, reference().boxes);
        EXPECT_EQ(after.files, reference().files);
        break;
    case Expect::Stops:
        checkStops(b, before, after, expect.lines);
        break;
    case Expect::Refused:
        checkNothingRead(before, after, false);
        break;
    case Expect::Unread:
        checkNothingRead(before, after, true);
        break;
    }
}

std::string cellName(const ::testing::TestParamInfo<std::tuple<size_t, size_t>>& info)
{
    return std::string(kOperations[std::get<0>(info.param)].name) + "_" + allFaults()[std::get<1>(info.param)].name;
}

INSTANTIATE_TEST_SUITE_P(EveryOperationAgainstEveryFault, FaultMatrix,
                         ::testing::Combine(::testing::Range(size_t(0), std::size(kOperations)),
                                            ::testing::Range(size_t(0), allFaults().size())),
                         cellName);

} // namespace
