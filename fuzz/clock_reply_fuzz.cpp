// The unit's clock reply, whatever it holds, into the six clock boxes: through the pure split
// and through the whole Read Clock on a port whose unit answers with the fuzz bytes.
#include "fuzz_check.h"
#include "platform/virtual/virtual_time.h"
#include "settings/clock.h"
#include "support/fake_form.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>

using namespace tarvelon;

namespace {

// YY, MM, DD, hh, mm, ss.
constexpr std::string_view kBoxes[] = {"Text2a", "Text1a", "Text13a", "Text14a", "Text3a", "Text4a"};

// A unit that answers the wake with "!" and the clock command with the fuzz bytes.
class ReplyingPort : public SerialPort {
public:
    explicit ReplyingPort(std::string reply) : reply_(std::move(reply)) {}
    void selectPort(int) override {}
    bool open() override { return open_ = true; }
    void close() override
    {
        open_ = false;
        waiting_.clear();
    }
    bool isOpen() const override { return open_; }
    bool write(std::string_view bytes) override
    {
        if (bytes == "}")
            waiting_ += "!";
        else if (bytes == "H\r")
            waiting_ += reply_;
        return open_;
    }
    int waitingCount() override { return open_ ? static_cast<int>(waiting_.size()) : 0; }
    std::string readAll() override { return std::exchange(waiting_, {}); }
    std::string portName() const override { return "COM1"; }

private:
    std::string reply_;
    std::string waiting_;
    bool open_ = false;
};

struct NoDesktop : Desktop {
    bool open(const std::string&) override { return false; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string reply(reinterpret_cast<const char*>(data), size);

    // The split never reads past the reply and loses none of its first twelve characters.
    const auto fields = settings::clockFields(reply);
    std::string joined;
    for (const std::string& f : fields) {
        FUZZ_REQUIRE(f.size() <= 2);
        joined += f;
    }
    FUZZ_REQUIRE(joined == reply.substr(0, std::min<size_t>(12, reply.size())));

    // Read Clock: a complete reply of twelve digits fills the boxes; a broken one leaves them and
    // says the clock could not be read, a short one leaves them and reports silence.
    virt::Clock clock;
    virt::Loop loop(clock);
    ProgramState state;
    virt::VirtualTimer timer1(clock, [&state] { state.onTick(); });
    loop.addSource(&timer1);
    ReplyingPort port(reply);
    test::FakeForm form;
    test::FakeMessages messages;
    NoDesktop desktop;
    Context c{state, form, port, loop, timer1, messages, desktop};
    settings::readClock(c);

    const bool complete = reply.size() >= 14;
    const bool digits = complete && std::all_of(reply.begin(), reply.begin() + 12, [](char ch) {
        return ch >= '0' && ch <= '9';
    });
    for (size_t i = 0; i < std::size(kBoxes); ++i)
        FUZZ_REQUIRE(form.text(kBoxes[i]) == (digits ? fields[i] : std::string()));
    FUZZ_REQUIRE(messages.shown.size() == (digits ? 0u : 1u));
    FUZZ_REQUIRE(complete == digits || messages.shown[0].text == settings::kClockNotRead);
    FUZZ_REQUIRE(!port.isOpen());
    FUZZ_REQUIRE(!form.waitIndicatorShown());
    return 0;
}
