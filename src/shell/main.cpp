#include "shell/program.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return tarvelon::runProgram(app);
}
