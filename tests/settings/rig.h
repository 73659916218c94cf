#pragma once
#include "support/harness.h"

#include <string>
#include <vector>

namespace tarvelon::test {

// The harness's line with every write and close noted on the virtual clock, so a test can
// check the exact bytes sent (carriage returns included) and the pauses between them.
class RecordingPort : public SerialPort {
public:
    explicit RecordingPort(Harness& h) : h_(h) {}

    struct Write {
        double at;
        std::string bytes;
    };
    std::vector<Write> writes;
    std::vector<double> closes;

    void selectPort(int number) override { h_.line.selectPort(number); }
    bool open() override { return h_.line.open(); }
    void close() override
    {
        closes.push_back(h_.seconds());
        h_.line.close();
    }
    bool isOpen() const override { return h_.line.isOpen(); }
    bool write(std::string_view bytes) override
    {
        writes.push_back({h_.seconds(), std::string(bytes)});
        return h_.line.write(bytes);
    }
    int waitingCount() override { return h_.line.waitingCount(); }
    std::string readAll() override { return h_.line.readAll(); }
    std::string portName() const override { return h_.line.portName(); }

    // Every write but the wakes, as sent.
    std::vector<std::string> lines() const
    {
        std::vector<std::string> out;
        for (const Write& w : writes)
            if (w.bytes != "}")
                out.push_back(w.bytes);
        return out;
    }

private:
    Harness& h_;
};

struct Rig {
    Harness h;
    RecordingPort port{h};
    Context ctx{h.state, h.form, port, h.loop, h.timer1, h.messages, h.desktop};
};

} // namespace tarvelon::test
