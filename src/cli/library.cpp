#include "cli/library.h"

#include "cli/console.h"
#include "platform/file_path.h"
#include "surveys/download_feed.h"
#include "platform/qt/qt_file_message.h"

#include <filesystem>

namespace tarvelon::cli {
namespace {

// Another program holding the library makes this one wait: the person running it is told.
void sayLongWaits(surveys::SurveyStore& store)
{
    store.waitWhenBusy(std::chrono::seconds(20), [] {
        printMessage(QStringLiteral("waiting for the survey library: another program is using it"));
    });
}

// False, with the message said, when there is nothing at `path` to open.
bool libraryIsThere(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::exists(fsPath(path), ec))
        return true;
    printMessage(QStringLiteral("Attention: no survey library at ") + nativePath(QString::fromStdString(path)));
    return false;
}

} // namespace

bool openExistingLibrary(const std::string& path, surveys::SurveyStore& store)
{
    if (!libraryIsThere(path))
        return false;
    sayLongWaits(store);
    if (!store.open(path, surveys::SurveyStore::Access::Read)) {
        printMessage(QStringLiteral("Attention: the survey library cannot be read: ") +
                     QString::fromStdString(store.error()));
        return false;
    }
    return true;
}

bool openLibraryToWrite(const std::string& path, surveys::SurveyStore& store)
{
    sayLongWaits(store);
    if (!store.open(path) || store.readOnly()) {
        printMessage(QLatin1String(kLibraryCannotBeWritten.data(), qsizetype(kLibraryCannotBeWritten.size())) +
                     QString::fromStdString(store.error()));
        return false;
    }
    return true;
}

bool openExistingLibrary(const std::string& path, surveys::SurveyStore& store, bool toWrite)
{
    if (!toWrite)
        return openExistingLibrary(path, store);
    return libraryIsThere(path) && openLibraryToWrite(path, store);
}

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

} // namespace tarvelon::cli
