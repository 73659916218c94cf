#include "shell/language.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The survey library, the settings and the files kept in the home folder go to a folder of
// the test's own, never the user's, and a fresh one for every test: what one test leaves there
// (a library with its downloads, remembered window sizes) cannot change what the next sees,
// whatever order they run in.
void useHome(const QTemporaryDir& home)
{
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", home.filePath(QStringLiteral("cache")).toLocal8Bit());
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, home.filePath(QStringLiteral("config")));
}

class HomePerTest : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        home_ = std::make_unique<QTemporaryDir>();
        useHome(*home_);
    }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        // The windows of a test are gone by now; the next test gets a home of its own.
        home_.reset();
    }
    std::unique_ptr<QTemporaryDir> home_;
};

} // namespace

int main(int argc, char* argv[])
{
    // Listing the tests at build time runs this program too, without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A home for what is made before the first test (the application object's own settings).
    QTemporaryDir start;
    useHome(start);
    QApplication app(argc, argv);
    useHome(start);
    QApplication::setApplicationName(QStringLiteral("Tarvelon Manager"));
    // The layout runs again in each language the program speaks.
    if (const QString language = qEnvironmentVariable("TARVELON_TEST_LANGUAGE"); !language.isEmpty())
        tarvelon::useLanguage(app, language);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new HomePerTest);
    return RUN_ALL_TESTS();
}
