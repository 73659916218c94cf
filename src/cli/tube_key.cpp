#include "cli/tube_key.h"

#include "cli/command.h"
#include "cli/console.h"
#include "cli/library.h"
#include "cli/options.h"

namespace tarvelon::cli {

void addTubeOptions(QCommandLineParser& parser)
{
    for (const char* name : {"client", "site", "tube"})
        parser.addOption({QLatin1String(name), QStringLiteral("The tube's %1 (required).").arg(QLatin1String(name)),
                          QStringLiteral("TEXT")});
}

surveys::TubeKey tubeKeyOf(const QCommandLineParser& parser)
{
    const auto name = [&parser](const char* option) {
        return withoutTrailingBlanks(requiredValue(parser, QLatin1String(option))).toStdString();
    };
    return {name("client"), name("site"), name("tube")};
}

QString tubeName(const surveys::TubeKey& key)
{
    return QStringLiteral("client \"%1\", site \"%2\", tube \"%3\"")
        .arg(QString::fromStdString(key.client), QString::fromStdString(key.site), QString::fromStdString(key.tube));
}

std::vector<surveys::Survey> tubeReadouts(surveys::SurveyStore& store, const surveys::TubeKey& key)
{
    std::vector<surveys::Survey> all = store.tubeSurveys(key);
    if (damagedSaid(store))
        return {};
    if (all.empty())
        printMessage(QStringLiteral("Attention: the survey library holds no readout of ") + tubeName(key));
    return all;
}

std::optional<std::int64_t> readoutOf(surveys::SurveyStore& store, const surveys::TubeKey& key, const QString& number)
{
    const std::optional<std::int64_t> id = store.findReadout(key, number.toStdString());
    if (!id)
        printMessage(QStringLiteral("Attention: ") + tubeName(key) + QStringLiteral(" has no readout number ") + number);
    return id;
}

} // namespace tarvelon::cli
