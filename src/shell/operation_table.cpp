#include "shell/operation_table.h"

#include "blocks/clear_blocks.h"
#include "blocks/download.h"
#include "blocks/header_entry.h"
#include "blocks/header_read.h"
#include "blocks/header_write.h"
#include "settings/clock.h"
#include "settings/delay.h"
#include "settings/zero_gain.h"
#include "shell/blocks_list_window.h"
#include "shell/main_window.h"
#include "shell/surveys/survey_library.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace tarvelon {
namespace {

enum class On {
    Click,        // a click runs the operation, unless another one is running
    ClickAnyTime, // a click runs it at once, also while another operation runs
    Leave,        // leaving the text box for another control of the window runs it
    Change,       // every change of the box's text runs it at once
};

struct Wiring {
    const char* control;
    On on;
    MainWindow::Operation operation;
};

} // namespace

void wireOperations(MainWindow& window)
{
    const auto about = [&window](Context&) { window.showAbout(); };
    const auto help = [&window](Context&) { window.showHelp(); };
    const auto chooseFolder = [&window](Context&) { window.showFolderChooser(); };
    auto* surveys = new SurveysLauncher(window);
    const auto downloadAndKeep = [surveys](Context& c) { surveys->downloadAndKeep(c); };
    const auto showSurveys = [surveys](Context&) { surveys->show(); };
    const auto listBlocks = [&window, surveys](Context& c) { BlocksListWindow::of(window, *surveys).list(c); };

    const Wiring table[] = {
        // Control panel
        {"Command7", On::Click, resetBlock},
        {"ssCommand8", On::Click, totalReset},
        {"Command6", On::Click, setBlock},
        {"sscommand6", On::Click, setAll},
        {"Command3", On::Click, readBlock},
        {"Command8", On::Click, readAllBlocks},
        {"Command11", On::ClickAnyTime, about},
        {"Command12", On::ClickAnyTime, help},
        // Header Data page (Text13 changes by a double-click, below)
        {"sscommand9", On::Click, previousHeader},
        {"sscommand10", On::Click, nextHeader},
        {"sscommand11", On::Click, copyData},
        {"Text2", On::Leave, leaveHeaderBlockNumber},
        {"Text3", On::Leave, [](Context& c) { leaveTextField(c, "Text3"); }},
        {"Text4", On::Leave, [](Context& c) { leaveTextField(c, "Text4"); }},
        {"Text5", On::Leave, [](Context& c) { leaveTextField(c, "Text5"); }},
        {"Text6", On::Leave, leaveDepthMetres},
        {"Text13", On::Leave, leaveDepthTenths},
        {"Text10", On::Leave, leaveReadoutNumber},
        // Download Data page
        {"Command2", On::Click, previousDownloadBlock},
        {"Command1", On::Click, nextDownloadBlock},
        {"numblocco", On::Leave, [](Context& c) { checkBlockNumber(c, "numblocco"); }},
        {"Command10", On::Click, chooseFolder},
        {"command3d1", On::Click, downloadAndKeep},
        {"cmdDownloadBlocks", On::Click, listBlocks},
        {"cmdSurveys", On::ClickAnyTime, showSurveys},
        // Setup page (the port options set the port number themselves)
        {"Command13", On::Click, settings::resetZeroGain},
        {"Text16rt", On::Change, [](Context& c) { settings::filterDelay(c.form); }},
        {"Command6scrivi", On::Click, settings::writeDelay},
        {"ssCommand3", On::Click, settings::readClock},
        {"ssCommand4", On::Click, settings::writeClock},
    };

    for (const Wiring& w : table) {
        switch (w.on) {
        case On::Click:
            window.connectOperation(w.control, w.operation);
            break;
        case On::ClickAnyTime:
            window.control(w.control)->setProperty(kUsableDuringOperations, true);
            QObject::connect(qobject_cast<QAbstractButton*>(window.control(w.control)), &QAbstractButton::clicked,
                             &window, [&window, op = w.operation] { op(window.context()); });
            break;
        case On::Leave:
            window.connectLeaveCheck(w.control, w.operation);
            break;
        case On::Change:
            QObject::connect(window.field(w.control), &QLineEdit::textChanged, &window,
                             [&window, op = w.operation] { op(window.context()); });
            break;
        }
    }
    QObject::connect(&window, &MainWindow::tenthsDoubleClicked, &window,
                     [&window] { window.runOperation(toggleDepthTenths); });
}

} // namespace tarvelon
