// tarvelon delete: one survey out of the library, with its readings and corrections.
#include "cli/command.h"
#include "shell/texts.h"
#include "cli/console.h"
#include "cli/library.h"
#include "cli/options.h"
#include "cli/tube_key.h"
#include "analysis/displacement.h"

namespace tarvelon::cli {
namespace {

void addOptions(QCommandLineParser& parser)
{
    addLibraryOption(parser);
    addTubeOptions(parser);
    parser.addOption({QStringLiteral("readout"), Texts::tr("The readout's number (required)."), QStringLiteral("NN")});
    parser.addOption({QStringLiteral("date"),
                      Texts::tr("The readout's date, when several of the tube share its number."),
                      QStringLiteral("DD/MM/YY")});
}

int run(const QCommandLineParser& parser)
{
    const std::string library = *libraryOf(parser);
    const surveys::TubeKey key = tubeKeyOf(parser);
    const std::string number = surveys::readoutNumber(requiredValue(parser, QStringLiteral("readout")).toStdString());
    const std::string date = parser.value(QStringLiteral("date")).trimmed().toStdString();
    surveys::SurveyStore store;
    if (!openExistingLibrary(library, store, true))
        return kFailed;
    // Said by the program before anything is tried, not left to the server's refusal.
    if (store.rights() != surveys::SurveyStore::Rights::Manage) {
        printMessage(Texts::tr("Attention: the survey cannot be deleted: %1").arg(Texts::tr(kManagersOnly.data())));
        return kFailed;
    }
    // Deleting cannot be undone, so a number that names several readouts names none.
    std::vector<surveys::Survey> found;
    for (surveys::Survey& s : tubeReadouts(store, key))
        if (surveys::readoutNumber(s.readout) == number && (date.empty() || s.date == date))
            found.push_back(std::move(s));
    const QString readout = QString::fromStdString(number);
    if (found.empty()) {
        printMessage(date.empty() ? Texts::tr("Attention: %1 has no readout %2").arg(tubeName(key), readout)
                                  : Texts::tr("Attention: %1 has no readout %2 of %3")
                                        .arg(tubeName(key), readout, QString::fromStdString(date)));
        return kFailed;
    }
    if (found.size() > 1) {
        QStringList dates;
        for (const surveys::Survey& s : found)
            dates << QString::fromStdString(s.date + " " + s.time);
        throw UsageError{Texts::tr("%1 has several readout %2 (%3): name one with --date")
                             .arg(tubeName(key), readout, dates.join(QStringLiteral(", ")))};
    }
    if (!store.remove(found.front().id)) {
        printMessage(Texts::tr("Attention: the survey cannot be deleted: %1").arg(QString::fromStdString(store.error())));
        return kFailed;
    }
    printResult(Texts::tr("deleted: readout %1 of %2 %3")
                    .arg(readout, QString::fromStdString(found.front().date), QString::fromStdString(found.front().time)));
    return kSucceeded;
}

} // namespace

extern const Command kDeleteCommand{"delete", "[--library FILE] --client C --site S --tube T --readout NN [--date DD/MM/YY]",
                                    QT_TRANSLATE_NOOP("Texts", "Deletes one survey of the library, its readings and "
                                                               "corrections with it."),
                                    addOptions, run};

} // namespace tarvelon::cli
