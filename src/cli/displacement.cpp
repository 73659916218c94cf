// tarvelon displacement: a tube's readouts in millimetres against its base, as CSV and as the
// tube report.
#include "cli/command.h"
#include "shell/texts.h"
#include "cli/console.h"
#include "cli/library.h"
#include "cli/options.h"
#include "platform/qt/qt_file_message.h"
#include "report/report_language.h"
#include "report/tube_charts.h"
#include "report/tube_report.h"
#include "analysis/displacement.h"
#include "library/download_feed.h"
#include "library/store.h"

#include <QGuiApplication>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace tarvelon::cli {
namespace {

void addOptions(QCommandLineParser& parser)
{
    addLibraryOption(parser);
    // The option's own name, said in the user's language.
    for (const char* name : {QT_TRANSLATE_NOOP("Texts", "client"), QT_TRANSLATE_NOOP("Texts", "site"),
                             QT_TRANSLATE_NOOP("Texts", "tube")})
        parser.addOption({QLatin1String(name), Texts::tr("The tube's %1 (required).").arg(Texts::tr(name)),
                          QStringLiteral("TEXT")});
    parser.addOption({QStringLiteral("base"),
                      Texts::tr("Compare with this readout number, and keep it as the tube's base."),
                      QStringLiteral("READOUT")});
    parser.addOption({QStringLiteral("constant"),
                      Texts::tr("The probe constant K (reading units for sin = 1), kept as the tube's."),
                      QStringLiteral("K")});
    parser.addOption({QStringLiteral("csv"),
                      Texts::tr("Write the displacements as CSV to FILE (\"-\": standard output). "
                                     "Without --csv and --pdf they go to standard output."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("pdf"), Texts::tr("Write the tube report (A4 PDF) to FILE."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("readouts"),
                      Texts::tr("The readouts the report's charts show, by number: 01,04-07 (all by default)."),
                      QStringLiteral("LIST")});
    parser.addOption({QStringLiteral("tables"),
                      Texts::tr("The report's depth tables: of the latest readout shown, or of all of them."),
                      QStringLiteral("latest|all")});
    parser.addOption({QStringLiteral("plan-depth"),
                      Texts::tr("The report's plan view (and chart against time) at this depth in metres, as the "
                                     "tables print it, beside the top (the largest movement's by default)."),
                      QStringLiteral("M")});
    for (const auto& [name, help] :
         {std::pair{"title", QT_TRANSLATE_NOOP("Texts", "The report's title (\"Inclinometer report\" by default).")},
          std::pair{"company", QT_TRANSLATE_NOOP("Texts", "The company named in the report.")},
          std::pair{"prepared-by", QT_TRANSLATE_NOOP("Texts", "Who prepared the report.")},
          std::pair{"checked-by", QT_TRANSLATE_NOOP("Texts", "Who checked the report.")}})
        parser.addOption({QLatin1String(name), Texts::tr(help), QStringLiteral("TEXT")});
    parser.addOption({QStringLiteral("language"),
                      Texts::tr("The report's language, en or it (the program's by default); the CSV is the same in both."),
                      QStringLiteral("en|it")});
    parser.addOption({QStringLiteral("summary"),
                      Texts::tr("One CSV line per readout (largest, rate, status) in place of the displacements.")});
}

// A tube's name as typed, as the library keeps it.
std::string nameOption(const QCommandLineParser& parser, const QString& option)
{
    return withoutTrailingBlanks(requiredValue(parser, option)).toStdString();
}

// Replaces FILE only once the whole text is written, as the export files are.
bool writeWhole(const QString& path, const std::string& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), qint64(text.size())) != qint64(text.size()) ||
        !file.commit()) {
        printMessage(cannotWriteFileMessage(path, file.errorString()));
        return false;
    }
    return true;
}

int run(const QCommandLineParser& parser)
{
    const surveys::TubeKey key{nameOption(parser, QStringLiteral("client")), nameOption(parser, QStringLiteral("site")),
                               nameOption(parser, QStringLiteral("tube"))};
    std::optional<double> constant;
    if (parser.isSet(QStringLiteral("constant"))) {
        bool ok = false;
        const double k = parser.value(QStringLiteral("constant")).toDouble(&ok);
        if (!ok || !(k > 0))
            throw UsageError{Texts::tr("--constant takes a positive number of reading units, not \"%1\"")
                                 .arg(parser.value(QStringLiteral("constant")))};
        constant = k;
    }
    const QString csvPath = parser.value(QStringLiteral("csv"));
    const QString pdfPath = parser.value(QStringLiteral("pdf"));
    if (parser.isSet(QStringLiteral("csv")) && csvPath.isEmpty())
        throw UsageError{Texts::tr("--csv needs a file name, or \"-\" for standard output")};
    if (parser.isSet(QStringLiteral("pdf")) && pdfPath.isEmpty())
        throw UsageError{Texts::tr("--pdf needs a file name")};
    const QString language = parser.value(QStringLiteral("language"));
    if (parser.isSet(QStringLiteral("language")) && report::knownReportLanguage(language).isEmpty())
        throw UsageError{Texts::tr("--language takes en or it, not \"%1\"").arg(language)};

    std::optional<std::vector<int>> chosen;
    if (parser.isSet(QStringLiteral("readouts"))) {
        QString why;
        chosen = report::parseReadoutList(parser.value(QStringLiteral("readouts")), &why);
        if (!chosen)
            throw UsageError{Texts::tr("--readouts: %1").arg(why)};
    }
    const QString tables = parser.value(QStringLiteral("tables"));
    if (parser.isSet(QStringLiteral("tables")) && tables != QLatin1String("latest") && tables != QLatin1String("all"))
        throw UsageError{Texts::tr("--tables takes latest or all, not \"%1\"").arg(tables)};

    std::optional<double> planDepth;
    if (parser.isSet(QStringLiteral("plan-depth"))) {
        bool ok = false;
        planDepth = parser.value(QStringLiteral("plan-depth")).toDouble(&ok);
        if (!ok || !std::isfinite(*planDepth))
            throw UsageError{Texts::tr("--plan-depth takes a depth in metres, not \"%1\"")
                                 .arg(parser.value(QStringLiteral("plan-depth")))};
    }

    const std::string library = *libraryOf(parser);
    surveys::SurveyStore store;
    if (!openExistingLibrary(library, store))
        return kFailed;
    const std::vector<surveys::Survey> all = store.tubeSurveys(key);
    if (damagedSaid(store))
        return kFailed;
    const QString tubeName = Texts::tr("client \"%1\", site \"%2\", tube \"%3\"")
                                 .arg(QString::fromStdString(key.client), QString::fromStdString(key.site),
                                      QString::fromStdString(key.tube));
    if (all.empty()) {
        printMessage(Texts::tr("Attention: the survey library holds no readout of %1").arg(tubeName));
        return kFailed;
    }

    // A base or a constant given here is the tube's from now on, as if set in the window.
    surveys::TubeSettings settings = store.tubeSettings(key);
    const surveys::TubeSettings stored = settings;
    if (parser.isSet(QStringLiteral("base"))) {
        const std::optional<std::int64_t> id = store.findReadout(key, parser.value(QStringLiteral("base")).toStdString());
        if (!id) {
            printMessage(Texts::tr("Attention: %1 has no readout number %2").arg(tubeName, parser.value(QStringLiteral("base"))));
            return kFailed;
        }
        settings.baseId = *id;
    }
    if (constant)
        settings.constant = *constant;
    // The library was opened only to read; it is opened to write only for settings to keep.
    if (!(settings == stored)) {
        surveys::SurveyStore writer;
        if (!openLibraryToWrite(library, writer))
            return kFailed;
        if (!writer.setTubeSettings(key, settings)) {
            printMessage(Texts::tr(kLibraryCannotBeWritten.data()) + QString::fromStdString(writer.error()));
            return kFailed;
        }
    }

    const surveys::CorrectionsById corrections = store.corrections(key);
    if (damagedSaid(store))
        return kFailed;
    const surveys::TubeResult tube = surveys::analyseTube(all, settings, corrections);
    if (!tube.base) {
        printMessage(Texts::tr("Attention: nothing compared for %1: %2 (choose one with --base)")
                         .arg(tubeName, QString::fromStdString(tube.reason.shown())));
        return kFailed;
    }
    if (!tube.warning.empty())
        printMessage(Texts::tr("Note: %1").arg(QString::fromStdString(tube.warning)));
    // Every readout whose values are not all computed, or are corrected, is named, with why.
    for (const surveys::ReadoutResult& r : tube.readouts) {
        std::string said = r.displacement.reason.shown();
        if (const std::string applied = surveys::correctionsText(r.corrections); !applied.empty())
            said = Texts::tr("corrected: %1").arg(QString::fromStdString(applied)).toStdString() +
                   (said.empty() ? "" : "; " + said);
        if (r.possibleBiasShift)
            said = Texts::tr("possible bias shift").toStdString() + (said.empty() ? "" : "; " + said);
        if (!said.empty())
            printMessage((r.displacement.compared ? Texts::tr("Readout %1: %2") : Texts::tr("Left out: %1: %2"))
                             .arg(report::readoutName(*r.survey), QString::fromStdString(said)));
    }

    bool ok = true;
    const std::string csv =
        parser.isSet(QStringLiteral("summary")) ? surveys::summaryCsv(tube) : surveys::displacementCsv(tube);
    if (csvPath == QLatin1String("-") || (csvPath.isEmpty() && pdfPath.isEmpty()))
        printText(QString::fromStdString(csv));
    else if (!csvPath.isEmpty())
        ok = writeWhole(csvPath, csv) && ok;
    if (!pdfPath.isEmpty()) {
        QString error;
        report::ReportOptions options;
        options.allTables = tables == QLatin1String("all");
        options.company = parser.value(QStringLiteral("company"));
        options.preparedBy = parser.value(QStringLiteral("prepared-by"));
        options.checkedBy = parser.value(QStringLiteral("checked-by"));
        options.title = parser.value(QStringLiteral("title")).trimmed();
        // The tube's own language unless one is asked for; the program's without either.
        options.language = language.isEmpty() ? QString::fromStdString(tube.settings.report.language) : language;
        if (planDepth) {
            options.planDepthTenths = report::depthTenthsAt(tube, *planDepth, &error);
            if (!options.planDepthTenths) {
                printMessage(Texts::tr("Attention: --plan-depth: %1").arg(error));
                return kFailed;
            }
        }
        for (const int n : chosen.value_or(std::vector<int>{})) {
            const auto it = std::find_if(all.begin(), all.end(), [n](const surveys::Survey& s) {
                bool ok = false;
                return QString::fromStdString(s.readout).trimmed().toInt(&ok) == n && ok;
            });
            if (it == all.end()) {
                printMessage(Texts::tr("Attention: %1 has no readout number %2").arg(tubeName, QString::number(n)));
                return kFailed;
            }
            options.readoutIds.push_back(it->id);
        }
        if (!report::writeTubeReport(pdfPath, tube, options, &error)) {
            // The report's own words name the file already; here only its reason follows.
            const QString named = nativePath(pdfPath) + QStringLiteral(" cannot be written: ");
            printMessage(Texts::tr("Attention: cannot write the tube report %1: %2")
                             .arg(nativePath(pdfPath), error.startsWith(named) ? error.mid(named.size()) : error));
            ok = false;
        }
    }
    return ok ? kSucceeded : kFailed;
}

} // namespace

extern const Command kDisplacementCommand{
    "displacement",
    "[--library FILE] --client C --site S --tube T [--base READOUT] [--constant K] [--summary] [--csv FILE] "
    "[--pdf FILE [--readouts LIST] [--tables latest|all] [--plan-depth M] [--title TEXT] [--company TEXT] "
    "[--prepared-by TEXT] [--checked-by TEXT] [--language en|it]]",
    QT_TRANSLATE_NOOP("Texts", "A tube's displacements in mm against its base, as CSV and as the tube report."),
    addOptions, run};

} // namespace tarvelon::cli
