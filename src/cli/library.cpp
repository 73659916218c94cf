#include "cli/library.h"

#include "cli/console.h"
#include "platform/file_path.h"
#include "platform/qt/qt_file_message.h"

#include <filesystem>

namespace tarvelon::cli {

bool openExistingLibrary(const std::string& path, surveys::SurveyStore& store)
{
    std::error_code ec;
    if (!std::filesystem::exists(fsPath(path), ec)) {
        printMessage(QStringLiteral("Attention: no survey library at ") + nativePath(QString::fromStdString(path)));
        return false;
    }
    if (!store.open(path)) {
        printMessage(QStringLiteral("Attention: the survey library cannot be read: ") +
                     QString::fromStdString(store.error()));
        return false;
    }
    return true;
}

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

} // namespace tarvelon::cli
