// The checks run when the operator leaves a box of the Header Data page, on whatever was typed
// or came from the unit. Input: the texts of the boxes (FuzzedDataProvider strings), then one
// byte choosing the check.
#include "blocks/header_entry.h"
#include "fuzz_check.h"
#include "link/block.h"
#include "link/fields.h"
#include "platform/cp1252.h"
#include "platform/virtual/virtual_time.h"
#include "sim/unit.h"
#include "sim/virtual_line.h"
#include "support/fake_form.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <clocale>
#include <cstdint>
#include <wctype.h>
#include <locale.h>
#include <string>

using namespace tarvelon;

namespace {

constexpr std::string_view kTypedBoxes[] = {"Text2", "numblocco", "Text3", "Text4", "Text5", "Text6", "Text13", "Text7", "Text10"};

// What the checks never touch: the line, the clock and the header file.
struct Machine {
    virt::Clock clock;
    virt::Loop loop{clock};
    ProgramState state;
    virt::VirtualTimer timer1{clock, [this] { state.onTick(); }};
    sim::Unit unit;
    sim::VirtualLine line{clock, unit};
    test::FakeDesktop desktop;
};

// Upper case of every byte from the C library's Unicode tables, through the code page: a
// letter whose upper case the code page lacks (ß, µ) stays as it is.
std::array<char, 256> upperCaseTable()
{
    const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    FUZZ_REQUIRE(unicode != locale_t{});
    std::array<char, 256> table;
    for (int b = 0; b < 256; ++b) {
        const auto upper = static_cast<char32_t>(towupper_l(static_cast<wint_t>(fromCp1252(static_cast<unsigned char>(b))), unicode));
        const char byte = toCp1252(upper);
        table[static_cast<size_t>(b)] = byte == '?' && upper != U'?' ? static_cast<char>(b) : byte;
    }
    freelocale(unicode);
    return table;
}

const std::array<char, 256> kUpper = upperCaseTable();

std::string upperByTable(const std::string& text)
{
    std::string out = text;
    for (char& ch : out)
        ch = kUpper[static_cast<unsigned char>(ch)];
    return out;
}

// The depth in tenths never passes the limit of the step when the operator leaves it.
void checkDepthLimit(const test::FakeForm& form)
{
    FUZZ_REQUIRE(form.text("Text6").size() == 3);
    const double depth = numericValue(form.text("Text6") + form.text("Text13"));
    const std::string step = form.text("Text7");
    if (step == "0")
        FUZZ_REQUIRE(depth <= 1000);
    if (step == "1")
        FUZZ_REQUIRE(depth <= 2000);
}

void checkUpperCase(const std::string& text)
{
    const std::string upper = upperCase(text);
    FUZZ_REQUIRE(upper == upperByTable(text));
    FUZZ_REQUIRE(upperCase(upper) == upper);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Machine m;
    FuzzedDataProvider in(data, size);
    test::FakeForm form;
    test::FakeMessages messages;
    Context c{m.state, form, m.line, m.loop, m.timer1, messages, m.desktop};

    for (std::string_view box : kTypedBoxes)
        form.setText(box, in.ConsumeRandomLengthString(16));
    const std::string untouched = in.ConsumeRandomLengthString(64);
    const int which = in.ConsumeIntegralInRange<int>(0, 8);

    switch (which) {
    case 0:
    case 1: {
        const std::string_view box = which == 0 ? "Text2" : "numblocco";
        const std::string typed = form.text(box);
        const bool ok = checkBlockNumber(c, box);
        FUZZ_REQUIRE(ok == blockNumberOf(typed).has_value());
        FUZZ_REQUIRE(messages.shown.size() == (ok ? 0u : 1u));
        FUZZ_REQUIRE(form.text(box) == typed); // a warning only, the box keeps its text
        break;
    }
    case 2:
    case 3:
    case 4: {
        const std::string_view box = kTypedBoxes[static_cast<size_t>(which)];
        std::string typed = form.text(box);
        leaveTextField(c, box);
        const std::string text = form.text(box);
        typed.resize(static_cast<size_t>(maxLengthOf(box)), ' ');
        FUZZ_REQUIRE(text == upperByTable(typed)); // the box's full width, upper case
        FUZZ_REQUIRE(messages.shown.empty());
        break;
    }
    case 5:
        leaveDepthMetres(c);
        checkDepthLimit(form);
        FUZZ_REQUIRE(messages.shown.size() <= 1);
        break;
    case 6:
        leaveDepthTenths(c);
        FUZZ_REQUIRE(form.text("Text13") == "0" || form.text("Text13") == "5");
        checkDepthLimit(form);
        FUZZ_REQUIRE(messages.shown.size() <= 2);
        break;
    case 7: {
        const std::string typed = form.text("Text10");
        leaveReadoutNumber(c);
        const std::string text = form.text("Text10");
        FUZZ_REQUIRE(text.size() == 2);
        FUZZ_REQUIRE(("00" + typed).compare(typed.size(), 2, text) == 0); // the last two, zero-filled
        break;
    }
    default:
        checkUpperCase(untouched);
        break;
    }
    for (const test::ShownMessage& shown : messages.shown)
        FUZZ_REQUIRE(shown.icon == Icon::Error);
    for (const FieldSpec& f : kFields)
        if (f.maxLength > 0)
            FUZZ_REQUIRE(form.text(f.name).size() <= static_cast<size_t>(f.maxLength));
    return 0;
}
