#pragma once
#include "link/program_state.h"
#include "platform/desktop.h"
#include "platform/event_loop.h"
#include "platform/form.h"
#include "platform/messages.h"
#include "platform/serial_port.h"

namespace tarvelon {

// Everything an operation works with: the program state, the window and the machine.
struct Context {
    ProgramState& state;
    Form& form;
    SerialPort& port;
    EventLoop& loop;
    Timer& timer1;
    Messages& messages;
    Desktop& desktop;
};

} // namespace tarvelon
