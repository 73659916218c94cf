#include "blocks/download.h"
#include "platform/translate.h"

#include "blocks/download_steps.h"
#include "blocks/header_read.h"
#include "link/block.h"

#include <cstdio>
#include <set>

namespace tarvelon {

using namespace download_steps;

namespace {

// The export base names a run has given out. Windows compares file names without regard to
// case, accented letters included, so the run does too.
class RunNames {
public:
    std::string take(const std::string& baseName, int block)
    {
        if (taken_.insert(folded(baseName)).second)
            return baseName;
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "block%02d-", block);
        const std::string renamed = baseName + suffix;
        taken_.insert(folded(renamed));
        renamed_.push_back(block);
        if (example_.empty())
            example_ = renamed;
        return renamed;
    }
    // One message for the whole run, naming the blocks kept under another name.
    void report(Context& c) const
    {
        if (renamed_.empty())
            return;
        const bool one = renamed_.size() == 1;
        c.messages.show(fillIn(one ? translate("Texts", "Attention: %1 has the export name of an earlier block of this run; "
                                                        "kept under a name with its block number, as \"%2\"")
                                   : translate("Texts", "Attention: %1 have the export name of an earlier block of this "
                                                        "run; kept under a name with its block number, as \"%2\""),
                               {blockList(renamed_), textFromPath(example_)}),
                        Icon::Error);
    }

private:
    // Names come from the unit's Windows-1252 texts, so folding the letters of that set is
    // folding them all: a to z, the accented Latin-1 letters (not the division sign), and
    // š, œ, ž and ÿ, each to its capital as Windows compares them.
    static std::string folded(const std::string& name)
    {
        std::string out;
        for (size_t i = 0; i < name.size(); ++i) {
            const auto c = static_cast<unsigned char>(name[i]);
            const auto next = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0u;
            if (c >= 'a' && c <= 'z') {
                out += static_cast<char>(c - 'a' + 'A');
            } else if (c == 0xC3 && next >= 0xA0 && next <= 0xBE && next != 0xB7) {
                out += {'\xC3', static_cast<char>(next - 0x20)};
                ++i;
            } else if (c == 0xC3 && next == 0xBF) {
                out += "\xC5\xB8"; // ÿ to Ÿ
                ++i;
            } else if (c == 0xC5 && (next == 0xA1 || next == 0x93 || next == 0xBE)) {
                out += {'\xC5', static_cast<char>(next - 1)};
                ++i;
            } else {
                out += static_cast<char>(c);
            }
        }
        return out;
    }

    std::set<std::string> taken_;
    std::vector<int> renamed_;
    std::string example_;
};

} // namespace

std::vector<BlockResult> downloadBlocks(Context& c, const std::vector<PlannedBlock>& plan,
                                        const std::function<void(const BlockResult&)>& onBlock)
{
    std::vector<BlockResult> results(plan.size());
    for (size_t i = 0; i < plan.size(); ++i)
        results[i].block = plan[i].block;
    // A block whose header gives the export name of an earlier block of this run (a header
    // copied and not changed, a readout number used again) must not write over its files.
    RunNames names;
    const ExportNamer namer = [&names](const std::string& baseName, int block) {
        return names.take(baseName, block);
    };
    const auto finish = [&] {
        c.form.setEnabled(kOkButton, true);
        c.form.setText("Text1", "");
        c.timer1.disable();
        c.loop.yield();
        names.report(c);
        std::vector<int> done, notDone;
        for (const BlockResult& r : results)
            (r.status == BlockResult::Downloaded ? done : notDone).push_back(r.block);
        reportStopped(c, done, QT_TRANSLATE_N_NOOP("Texts", "downloaded"), notDone, QT_TRANSLATE_N_NOOP("Texts", "not downloaded"));
        return results;
    };

    // 1. Somewhere to write, before the unit is woken for nothing.
    if (c.state.downloadFolder.empty()) {
        c.messages.show(translate("Texts", kNoFolder.data()), Icon::Error);
        return results;
    }
    if (!folderTakesFiles(c.state.downloadFolder)) {
        c.messages.show(fillIn(translate("Texts", "Attention: cannot write into the download folder %1"),
                               {textFromPath(c.state.downloadFolder)}),
                        Icon::Error);
        return results;
    }

    // 2. Busy, port open and the unit's first wake with the reply time limit.
    c.form.showWaitIndicator(true);
    c.form.setEnabled(kOkButton, false);
    c.loop.yield();
    Exchange ex(c);
    if (!ex.openPort())
        return finish();
    Wake wake = ex.handshake(Limit::ReplyTime);

    // 3. Each block in turn; its place in the run and the rows after it give the time left.
    int rowsAfter = 0;
    for (const PlannedBlock& p : plan)
        rowsAfter += static_cast<int>(kHeaderRows.size()) + p.readingRows;
    for (size_t i = 0; i < plan.size(); ++i) {
        rowsAfter -= static_cast<int>(kHeaderRows.size()) + plan[i].readingRows;
        if (i > 0)
            wake = ex.stopped() ? Wake::NoReply : ex.handshake(Limit::Silence);
        BlockRun run(plan[i].block);
        c.state.blockCode = *blockCode(plan[i].block);
        const Progress place{static_cast<int>(i) + 1, static_cast<int>(plan.size())};
        const Reading reading = wake == Wake::NoReply ? Reading::Ended
                                                      : readBlockRows(c, ex, wake, run, place,
                                                                      plan[i].readingRows, rowsAfter, namer);
        if (reading == Reading::Complete)
            exportBlock(c, run);
        if (reading == Reading::HeaderUnread)
            run.result.status = BlockResult::Failed;
        if (reading == Reading::Ended) {
            keepEarlierExports(run);
            // The block in progress and every later one are left; a silent unit is a failure.
            const bool stopped = c.form.stopRequested();
            run.result.status = stopped ? BlockResult::NotDownloaded : BlockResult::Failed;
            run.result.problems.insert(run.result.problems.begin(),
                                       translate("Texts", (stopped ? kStoppedBlock : kUnitSilent).data()));
            for (size_t later = i + 1; later < plan.size(); ++later)
                results[later].problems = {translate("Texts", (stopped ? kStoppedBefore : kUnitGone).data())};
        }
        results[i] = std::move(run.result);
        if (onBlock)
            onBlock(results[i]);
        if (reading == Reading::Ended)
            return finish();
    }

    // 4. Port closed and idle again.
    ex.end();
    return finish();
}

} // namespace tarvelon
