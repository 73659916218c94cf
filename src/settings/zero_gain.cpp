#include "settings/zero_gain.h"
#include "platform/translate.h"

#include "link/block.h"
#include "link/commands.h"
#include "link/exchange.h"
#include "link/header_file.h"
#include "link/header_record.h"
#include "link/progress.h"
#include "link/shown_block.h"

#include <string>

namespace tarvelon::settings {
namespace {

struct DefaultValue {
    std::string_view box;
    std::string_view value;
};

// The hidden zero/gain boxes in the order the zero/gain line carries them.
constexpr DefaultValue kDefaults[] = {
    {"Text18", "+1.0000"}, // gain 1
    {"Text20", "+0.0000"}, // zero 1
    {"Text19", "+1.0000"}, // gain 2
    {"Text21", "+0.0000"}, // zero 2
    {"Text22", "0"},       // point
};

void storePage(Context& c)
{
    windowToRecord(c.form, c.state.record, FieldSet::All);
    HeaderFile(c.state.headerFilePath).write(c.state.currentBlock, c.state.record);
}

void showDefaults(Form& form)
{
    for (const DefaultValue& d : kDefaults)
        form.setText(d.box, d.value);
}

std::string zeroGainText(const Form& form)
{
    std::string text;
    for (const DefaultValue& d : kDefaults)
        text += form.text(d.box);
    return text;
}

// Every way out leaves block 1 as the current block, so no later block operation works on
// a record number outside 1 to 30, and shows it with its header; the zero/gain boxes keep
// what the run put there.
void finish(Context& c)
{
    showBlock(c, 1, FieldSet::Header);
}

} // namespace

void resetZeroGain(Context& c)
{
    // 1. Keep what the page shows, also when the operator then cancels.
    storePage(c);
    // 2. Overwriting every block's zero and gain needs the operator's OK.
    //    Enter alone never rewrites them.
    const Question q{translate("Texts", kDefaultZeroGainQuestion.data()), translate("Texts", "Reset G/Z"),
                     translate("Texts", "Gain and zero of blocks 01 to 30 are rewritten with the default values "
                                        "(gain +1.0000, zero +0.0000, both channels).")};
    if (c.messages.ask(q) != Answer::Ok)
        return finish(c);
    Exchange ex(c);
    // 3. Show the wait indicator and open the port.
    if (!ex.begin())
        return finish(c);
    // 4. The defaults go into the hidden boxes, from which the lines are built.
    showDefaults(c.form);
    c.loop.yield();
    // 5. One zero/gain line per block, each after its own wake; a block whose wake is not
    //    answered with exactly "!" is skipped and named at the end, a silent unit ends the
    //    run, and so does a stop between blocks.
    constexpr int kSettle = 2;
    // The wake and its answer, "D", the address, the zero/gain text and the carriage return.
    const double blockSeconds = lineSeconds(2 + 6 + zeroGainText(c.form).size() + 1) + (kSettle + 0.5) / 10;
    Refused refused;
    const auto end = [&c, &refused](int n) {
        finish(c);
        reportRun(c, refused, n, QT_TRANSLATE_N_NOOP("Texts", "set to the default zero and gain"),
                  QT_TRANSLATE_N_NOOP("Texts", "not changed"));
    };
    for (int n = 1; n <= kBlockCount; ++n) {
        if (ex.stopped())
            return end(n);
        c.form.showProgress({n, kBlockCount, 0, 0, (kBlockCount - n + 1) * blockSeconds});
        const Wake wake = ex.handshake(Limit::ReplyTime);
        if (wake == Wake::NoReply)
            return end(n);
        if (wake == Wake::Refused) {
            refused.blocks.push_back(n);
            continue;
        }
        ex.send(cmd::writeZeroGain(*blockCode(n), zeroGainText(c.form)));
        ex.settleWait(kSettle);
    }
    // 6. Close the port; block 1 shown as the current block.
    ex.end();
    c.form.showOutcome(translate("Texts", "Default zero and gain written to blocks 01 to 30"));
    end(kBlockCount + 1);
}

} // namespace tarvelon::settings
