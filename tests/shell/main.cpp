#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    // Listing the tests at build time runs this program too, without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvelon Manager"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
