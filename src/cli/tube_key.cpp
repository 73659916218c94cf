#include "cli/tube_key.h"

#include "cli/command.h"
#include "shell/texts.h"
#include "cli/console.h"
#include "cli/library.h"
#include "cli/options.h"

namespace tarvelon::cli {

void addTubeOptions(QCommandLineParser& parser)
{
    // The option's own name, said in the user's language.
    for (const char* name : {QT_TRANSLATE_NOOP("Texts", "client"), QT_TRANSLATE_NOOP("Texts", "site"),
                             QT_TRANSLATE_NOOP("Texts", "tube")})
        parser.addOption({QLatin1String(name), Texts::tr("The tube's %1 (required).").arg(Texts::tr(name)),
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
    return Texts::tr("client \"%1\", site \"%2\", tube \"%3\"")
        .arg(QString::fromStdString(key.client), QString::fromStdString(key.site), QString::fromStdString(key.tube));
}

std::vector<surveys::Survey> tubeReadouts(surveys::SurveyStore& store, const surveys::TubeKey& key)
{
    std::vector<surveys::Survey> all = store.tubeSurveys(key);
    if (damagedSaid(store))
        return {};
    if (all.empty())
        printMessage(Texts::tr("Attention: the survey library holds no readout of %1").arg(tubeName(key)));
    return all;
}

std::optional<std::int64_t> readoutOf(surveys::SurveyStore& store, const surveys::TubeKey& key, const QString& number)
{
    const std::optional<std::int64_t> id = store.findReadout(key, number.toStdString());
    if (!id)
        printMessage(Texts::tr("Attention: %1 has no readout number %2").arg(tubeName(key), number));
    return id;
}

} // namespace tarvelon::cli
