// Tarvelon Manager with a simulated unit on "Com 1", so every button can be tried without
// hardware. The window is the program's own; only the name of port 1 differs.
#include "shell/program.h"
#include "sim/unit_on_pty.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    tarvelon::sim::UnitOnPty unit;
    unit.unit.fillDemo();
    if (!unit.start()) {
        std::fprintf(stderr, "tarvelon-demo: cannot open a pseudo-terminal for the simulated unit\n");
        return 1;
    }
    std::printf("Simulated TARVELON unit on %s, chosen as \"Com 1\"\n", unit.path().c_str());
    std::fflush(stdout);

    tarvelon::MainWindowOptions options;
    const QString unitPath = QString::fromStdString(unit.path());
    options.portName = [unitPath](int n) { return n == 1 ? unitPath : tarvelon::defaultPortName(n); };
    return tarvelon::runProgram(app, options);
}
