// A second start of the program, as far as asking the running copy to come forward:
// second_start FOLDER MILLISECONDS exits 0 when it came, 1 when none answered.
#include "shell/running_copy.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const auto wait = std::chrono::milliseconds(QString::fromLocal8Bit(argv[2]).toInt());
    return tarvelon::RunningCopy::askToComeForward(QString::fromLocal8Bit(argv[1]), wait) ? 0 : 1;
}
