// tarvelon clock: the unit's clock read, or set.
#include "cli/command.h"
#include "shell/texts.h"
#include "cli/console.h"
#include "cli/options.h"
#include "cli/session.h"
#include "settings/clock.h"

#include <QCoreApplication>
#include <QDateTime>

#include <array>

namespace tarvelon::cli {
namespace {

// The boxes of the Setup page in the order of the clock text YYMMDDhhmmss.
constexpr std::array<std::string_view, 6> kClockBoxes = {"Text2a", "Text1a", "Text13a", "Text14a", "Text3a", "Text4a"};

void addOptions(QCommandLineParser& parser)
{
    addPortOption(parser);
    parser.addOption({QStringLiteral("set"),
                      Texts::tr("Set the clock: \"now\" (this computer's local time) or YYMMDDhhmmss."),
                      QStringLiteral("now|YYMMDDhhmmss")});
}

// The clock text --set asks for; wrong usage unless it is a date and time that exist.
QString clockToSet(const QString& value)
{
    if (value == QLatin1String("now"))
        return QDateTime::currentDateTime().toString(QStringLiteral("yyMMddHHmmss"));
    bool digits = value.size() == 12;
    for (const QChar ch : value)
        digits = digits && ch.isDigit() && ch.unicode() < 128;
    const auto two = [&value](int at) { return value.mid(at, 2).toInt(); };
    if (!digits || !QDate(2000 + two(0), two(2), two(4)).isValid() || !QTime(two(6), two(8), two(10)).isValid())
        throw UsageError{Texts::tr("--set needs \"now\" or a date and time as YYMMDDhhmmss, not \"%1\"").arg(value)};
    return value;
}

// "DD/MM/YY hh:mm:ss", as the export files write the date and time.
QString shown(const QString& clock)
{
    return QStringLiteral("%1/%2/%3 %4:%5:%6")
        .arg(clock.mid(4, 2), clock.mid(2, 2), clock.mid(0, 2), clock.mid(6, 2), clock.mid(8, 2), clock.mid(10, 2));
}

int run(const QCommandLineParser& parser)
{
    const PortChoice port = portOf(parser);
    const bool set = parser.isSet(QStringLiteral("set"));
    const QString wanted = set ? clockToSet(parser.value(QStringLiteral("set"))) : QString();
    Session session(port, true);
    Form& form = session.context().form;
    if (set) {
        for (size_t i = 0; i < kClockBoxes.size(); ++i)
            form.setText(kClockBoxes[i], wanted.mid(static_cast<qsizetype>(2 * i), 2).toStdString());
        settings::writeClock(session.context());
    } else {
        settings::readClock(session.context());
    }
    QString clock;
    for (const std::string_view box : kClockBoxes)
        clock += QString::fromStdString(form.text(box));
    if (session.exitStatus() == kSucceeded && clock.size() == 12)
        printResult(shown(clock));
    return session.exitStatus();
}

} // namespace

extern const Command kClockCommand{"clock", "--port NAME [--set now|YYMMDDhhmmss]",
                                   QT_TRANSLATE_NOOP("Texts", "Read the unit's clock, or set it."), addOptions, run};

} // namespace tarvelon::cli
