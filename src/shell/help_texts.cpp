#include "shell/help_texts.h"

#include "shell/controls.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QWidget>

namespace tarvelon {
namespace {

constexpr HelpText kTexts[] = {
    // Main window
    {"Scaricodati", "Main window: pages", "TabStrip1", "Header Data, Download Data, Setup Tarvelon",
     "Choose the page: Header Data (block headers), Download Data (downloads and the survey library) or Setup "
     "Tarvelon (serial port, clock, delay, zero and gain)."},
    {"Scaricodati", "Header Data page", "sscommand9", "-",
     "Keep the header shown as this block's and show the previous block's header."},
    {"Scaricodati", "Header Data page", "Text2", "Block Number (01-30)",
     "The block whose header is shown, 01 to 30. Leaving it with another number keeps the header shown as the "
     "current block's and shows that block's header, as + and - do. Set Block, Read Block and Reset Block work on "
     "this block."},
    {"Scaricodati", "Header Data page", "sscommand10", "+",
     "Keep the header shown as this block's and show the next block's header."},
    {"Scaricodati", "Header Data page", "sscommand11", "Copy Data",
     "Keep the header shown as this block's and step on to the next block with the same header; press again to "
     "copy it into further blocks, then send them all with Set All."},
    {"Scaricodati", "Header Data page", "Text3", "Client", "Client, up to 8 characters, kept in upper case."},
    {"Scaricodati", "Header Data page", "Text4", "Site", "Site, up to 8 characters, kept in upper case."},
    {"Scaricodati", "Header Data page", "Text5", "Tube no", "Tube, up to 4 characters, kept in upper case."},
    {"Scaricodati", "Header Data page", "Text6", "Depth",
     "Depth of the tube in whole metres, digits without a decimal point: at most 100.0 m with 0.5 m steps, "
     "200.0 m with 1 m steps. Its tooltip, \"Inserire cifre senza punto decimale\", is Italian for \"enter "
     "digits without a decimal point\"."},
    {"Scaricodati", "Header Data page", "Text13", "Depth (tenths)",
     "Tenths of the depth, 0 or 5: type 0 or 5, or double-click it (or press Space on it) to switch between them."},
    {"Scaricodati", "Header Data page", "Text10", "Readout no", "Readout number, two digits."},
    {"Scaricodati", "Header Data page", "Text11", "Date",
     "Read-only: the block's date (DDMMYY), which Read Block fills from the unit; it cannot be typed."},
    {"Scaricodati", "Header Data page", "Text12", "Time",
     "Read-only: the block's time (HHMMSS), which Read Block fills from the unit; it cannot be typed."},
    {"Scaricodati", "Download Data page", "Command2", "-",
     "Put the previous block's number into Block Number; nothing is downloaded until Ok."},
    {"Scaricodati", "Download Data page", "numblocco", "Block Number (01-30)", "The block that Ok downloads, 01 to 30."},
    {"Scaricodati", "Download Data page", "Command1", "+",
     "Put the next block's number into Block Number; nothing is downloaded until Ok."},
    {"Scaricodati", "Download Data page", "Text1", "FILE NAME", "The export file being written during a download."},
    {"Scaricodati", "Download Data page", "Text17", "RAM Address",
     "The unit's memory address of the row being read during a download."},
    {"Scaricodati", "Download Data page", "Command10", "Folder",
     "Choose the folder the export files are written into; this enables Ok and Download Blocks."},
    {"Scaricodati", "Download Data page", "command3d1", "Ok",
     "Download the block in Block Number into its two export files in the chosen folder, and keep it in the "
     "survey library."},
    {"Scaricodati", "Download Data page", "cmdDownloadBlocks", "Download Blocks...",
     "List the unit's 30 blocks and download the checked ones in one go."},
    {"Scaricodati", "Download Data page", "cmdSurveys", "Surveys...",
     "Open the survey library: every download kept, with its charts and tables."},
    {"Scaricodati", "Download Data page", "lblSurveyAdded", "(the survey just kept)",
     "The survey of the last download is in the library: click to show it in the Surveys window."},
    {"Scaricodati", "Setup Tarvelon page", "Command13", "Reset G/Z",
     "Write the default gain and zero into all 30 blocks of the unit (asks first)."},
    {"Scaricodati", "Setup Tarvelon page", "Text16rt", "Delay for Automatic Cycle",
     "Delay of the unit's automatic measuring cycle, 3 to 9."},
    {"Scaricodati", "Setup Tarvelon page", "Command6scrivi", "Write", "Write the delay into the unit."},
    {"Scaricodati", "Setup Tarvelon page", "ssOption1_0", "Com 1", "Use COM1 (on Linux /dev/ttyS0)."},
    {"Scaricodati", "Setup Tarvelon page", "ssOption1_1", "Com 2", "Use COM2 (on Linux /dev/ttyS1)."},
    {"Scaricodati", "Setup Tarvelon page", "ssOption1_2", "Com 3", "Use COM3 (on Linux /dev/ttyS2)."},
    {"Scaricodati", "Setup Tarvelon page", "ssOption1_3", "Com 4", "Use COM4 (on Linux /dev/ttyS3)."},
    {"Scaricodati", "Setup Tarvelon page", "ssOption1_4", "Other:",
     "Use the port named in the list beside it, such as a USB adapter (/dev/ttyUSB0, COM5)."},
    {"Scaricodati", "Setup Tarvelon page", "cboPortName", "(port name)",
     "The serial ports of this computer and the names used before; a name can also be typed. Choosing one "
     "chooses Other:."},
    {"Scaricodati", "Setup Tarvelon page", "chkTraceLine", "Record the line to a file",
     "Record every character sent to the unit and received from it, with its time, in a text file you choose, "
     "until this is cleared or the program ends: the file to send when a unit misbehaves. Off at every start."},
    {"Scaricodati", "Setup Tarvelon page", "Text13a", "Date: DD", "Day of the unit's clock, two digits."},
    {"Scaricodati", "Setup Tarvelon page", "Text1a", "Date: MM", "Month of the unit's clock, two digits."},
    {"Scaricodati", "Setup Tarvelon page", "Text2a", "Date: YY", "Year of the unit's clock, two digits."},
    {"Scaricodati", "Setup Tarvelon page", "Text14a", "Time: hh", "Hour of the unit's clock, two digits."},
    {"Scaricodati", "Setup Tarvelon page", "Text3a", "Time: mm", "Minutes of the unit's clock, two digits."},
    {"Scaricodati", "Setup Tarvelon page", "Text4a", "Time: ss", "Seconds of the unit's clock, two digits."},
    {"Scaricodati", "Setup Tarvelon page", "ssCommand3", "Read Clock", "Read the unit's date and time into the boxes."},
    {"Scaricodati", "Setup Tarvelon page", "cmdPcTime", "PC Time",
     "Put this computer's date and time into the boxes; Write Clock then sets the unit to them."},
    {"Scaricodati", "Setup Tarvelon page", "ssCommand4", "Write Clock",
     "Write the date and time of the boxes into the unit's clock (asks first)."},
    {"Scaricodati", "Control Panel", "Command7", "Reset Block",
     "Clear the block in Block Number to its default header, on the PC and in the unit (asks first)."},
    {"Scaricodati", "Control Panel", "ssCommand8", "Total Reset",
     "Clear all 30 blocks to their default headers, on the PC and in the unit (asks first)."},
    {"Scaricodati", "Control Panel", "Command6", "Set Block",
     "Write the header shown into the unit as the header of the block in Block Number (asks first: the block's "
     "readings are lost)."},
    {"Scaricodati", "Control Panel", "sscommand6", "Set All",
     "Write the headers of all 30 blocks kept on the PC into the unit (asks first: all readings are lost)."},
    {"Scaricodati", "Control Panel", "Command3", "Read Block",
     "Read the header of the block in Block Number from the unit and show it."},
    {"Scaricodati", "Control Panel", "Command8", "Read All Blocks",
     "Read the headers of all 30 blocks from the unit and keep them on the PC; block 1 is shown."},
    {"Scaricodati", "Control Panel", "Command11", "About", "Who makes the program and the unit, and how to reach them."},
    {"Scaricodati", "Control Panel", "Command12", "Help",
     "Open this guide in the PDF viewer; where it is not installed, the maker's web site."},
    {"Scaricodati", "Below the pages", "prgOperation", "(progress bar)",
     "How far the running operation has come, and the time left."},
    {"Scaricodati", "Below the pages", "cmdStop", "Stop", "Stop the operation at the next row or block (Esc)"},
    {"Scaricodati", "Below the pages", "staStatus", "(status line)",
     "The serial port, the download folder and how the last job ended; a file just written is a link that opens "
     "it."},
    // Folder chooser
    {"Form6", "Folder window", "Drive1", "Drive", "The drive (on Linux, the file system) to choose the folder on."},
    {"Form6", "Folder window", "Dir1", "(folders)", "The folders of the drive: click one to choose it."},
    {"Form6", "Folder window", "Dir1Path", "(chosen folder)", "The folder the downloads will go to."},
    {"Form6", "Folder window", "command3d1", "Ok", "Download into this folder from now on."},
    {"Form6", "Folder window", "cmdCancel", "Cancel", "Close the window; the download folder stays as it was (Esc)."},
    {"Form6", "Folder window", "cmdNewFolder", "New Folder\u2026", "Make a folder in the chosen one and choose it."},
    // About box
    {"aboutus", "About box", "lblEmail", "Email", "Write to the maker's support."},
    {"aboutus", "About box", "lblWebsite", "Website", "Open the maker's web site."},
    {"aboutus", "About box", "lblLicences", "Licences",
     "Show the program's licence (GPL-3.0-or-later) and the notices of the libraries it is built with."},
    {"aboutus", "About box", "btnclose", "Close", "Close this box."},
    // Licences
    {"licences", "Licences window", "txtLicences", "(licences)",
     "The program's licence and the notices of the libraries it is built with, to read and copy."},
    {"licences", "Licences window", "btnclose", "Close", "Close this window."},
    // Download Blocks
    {"frmDownloadBlocks", "Download Blocks window", "tblBlocks", "(blocks)",
     "The unit's blocks: check the ones to download; blocks of depth 0 are greyed, blocks the survey library "
     "already keeps whole (In library: yes) start unchecked. After a download the Result column says how many "
     "rows were read and skipped, then the files written (their full paths when the mouse rests on it)."},
    {"frmDownloadBlocks", "Download Blocks window", "cmdSelectAll", "Select All",
     "Check every block that holds readings."},
    {"frmDownloadBlocks", "Download Blocks window", "cmdSelectNone", "Select None", "Uncheck every block."},
    {"frmDownloadBlocks", "Download Blocks window", "cmdDownload", "Download",
     "Download the checked blocks in block order into the chosen folder, and keep each in the survey library."},
    {"frmDownloadBlocks", "Download Blocks window", "cmdClose", "Close",
     "Close this window; a download that runs stops at the next block."},
    // Surveys
    {"Surveys", "Surveys window", "surveyTree", "(surveys)",
     "The library by client, site and tube, each tube's readouts by their own date: the base is marked (base), "
     "an incomplete readout (incomplete), one beyond a threshold ALERT or ALARM. Choose readouts of one tube to "
     "compare them with its base."},
    {"Surveys", "Surveys window", "markBase", "Mark as Base",
     "Make the chosen readout its tube's base, the one the others are compared with; on the base itself, unmark "
     "it. The base is kept in the library."},
    {"Surveys", "Surveys window", "tubeSettings", "Tube Settings...",
     "Set the tube's probe constant K, units, north and alert and alarm thresholds, kept in the library."},
    {"Surveys", "Surveys window", "proposeCorrections", "Propose corrections...",
     "Show the corrections of the probe's bias, rotation and depth that the chosen readout's own readings propose, "
     "with the evidence, and the corrections kept with it: accept some or all, switch one off, or clear them."},
    {"Surveys", "Surveys window", "readoutProbe", "Probe...",
     "Set the serial and constant of the probe that read the chosen readout (taken from the tube's settings when "
     "it was downloaded or imported); a readout read with another probe than its base is reduced with its own "
     "constant and says so."},
    {"Surveys", "Surveys window", "report", "Report...",
     "Save the tube report: an A4 PDF/A with the title block and the summary of every readout, the A and B charts "
     "and the chart against time of the chosen readouts (all when one or none is chosen), and the depth table of "
     "the latest of them. Its title, plan depth and tables are asked first."},
    {"Surveys", "Surveys window", "timeDepth", "(depth)", "The depth whose displacement against time is drawn."},
    {"Surveys", "Surveys window", "siteTable", "(site's tubes)",
     "Every tube of the site chosen in the tree (or of the client's sites), the most alarming and fastest first: its "
     "latest readout, how long ago, whether it is overdue, its largest displacement, rate, status with the criterion "
     "that set it, and when its alarm would be reached at the rate of its latest readouts. Double-click a tube to "
     "open it."},
    {"Surveys", "Surveys window", "planDepth", "Arrows at depth (m)",
     "The depth whose resultant each tube's arrow on the site plan shows: the top of each tube, or a depth chosen."},
    {"Surveys", "Surveys window", "siteReport", "Site Report...",
     "Write the site's report: its table and plan on the first page, then a page per tube with its charts."},
    {"Surveys", "Surveys window", "import", "Import...",
     "Add export files already on disk to the library: a header export file with its readings export file, or "
     "a folder of them."},
    {"Surveys", "Surveys window", "exportCharts", "Export Charts...",
     "Save each chart of the tube as a PNG picture, at 96, 150 or 300 dpi as chosen, and an SVG drawing."},
    {"Surveys", "Surveys window", "exportTable", "Export Table...",
     "Save the chosen readouts' displacements as a CSV table, one row per readout and depth."},
    {"Surveys", "Surveys window", "deleteSurvey", "Delete...",
     "Delete the chosen readout from the library, with its readings and corrections, after a question that names "
     "it; a tube whose base it was has no base afterwards."},
    {"Surveys", "Surveys window", "sync", "Sync...",
     "Sync this computer's library with another, a file or a server: the surveys and corrections it lacks are "
     "sent, and each tube's settings go whichever way they were changed last."},
    {"Surveys", "Surveys window", "acknowledgeAlarm", "Acknowledge...",
     "Acknowledge the alarm the strip shows, with a note of what was done about it; your name and the time are "
     "kept with it, and the event stays in the alarm log."},
    {"Surveys", "Surveys window", "alarmLog", "Alarm Log...",
     "Show the alarm log: each time a readout reached or left a threshold, by displacement or by rate, who caused "
     "it and who acknowledged it; acknowledge the chosen events there."},
    {"Surveys", "Surveys window", "Close", "Close", "Close this window."},
    // Corrections
    {"Corrections", "Corrections box", "zoneDeepest", "Deepest quiet stretch",
     "Propose from the deepest stretch, from the toe up, whose changes stay within the reading noise."},
    {"Corrections", "Corrections box", "zoneGiven", "From",
     "Propose from the stable zone between the two depths given, which the readout and the base must both hold."},
    {"Corrections", "Corrections box", "zoneFrom", "(from)", "The shallowest depth of the stable zone, in metres."},
    {"Corrections", "Corrections box", "zoneTo", "(to)", "The deepest depth of the stable zone, in metres."},
    {"Corrections", "Corrections box", "propose", "Propose",
     "Propose again from the stable zone chosen; nothing is kept until accepted."},
    {"Corrections", "Corrections box", "evidence", "(evidence)",
     "The stable zone, each axis's residual change over it as read and corrected, its offset against the base and "
     "in the readouts either side, and the checksums' move from the base's."},
    {"Corrections", "Corrections box", "proposed", "(proposed)",
     "The corrections proposed, each with what it does to the displacement at the top and where it moves most: "
     "those the evidence supports come checked; one it does not comes unchecked with the reason."},
    {"Corrections", "Corrections box", "insistReason", "Why keep a refused one",
     "Why you keep a proposal the program refused; kept with the correction and printed in the report."},
    {"Corrections", "Corrections box", "acceptProposed", "Accept Checked",
     "Keep the checked proposals with the readout, each in place of a kept one of its kind and axis; the window "
     "redraws corrected at once."},
    {"Corrections", "Corrections box", "kept", "(kept)",
     "The corrections kept with the readout: uncheck one to switch it off (kept, stated, not applied)."},
    {"Corrections", "Corrections box", "clearCorrections", "Clear All...",
     "Remove every correction kept with the readout, after a question."},
    {"Corrections", "Corrections box", "proposeAgain", "Clear and Propose Again",
     "Remove the corrections found for the other reduction of the second pass and propose again for this one."},
    {"Surveys", "Surveys window", "library", "Library...",
     "Choose the survey library: this computer's own file, or a firm's library on a PostgreSQL server. The choice "
     "is remembered; downloads are kept in the library chosen."},
    // Survey library
    {"LibraryDialog", "Survey Library box", "thisComputer", "This computer's file",
     "The survey library in a file of this computer, the default."},
    {"LibraryDialog", "Survey Library box", "server", "A server (PostgreSQL)",
     "The firm's survey library on a PostgreSQL server, given by the boxes below or by one connection line."},
    {"LibraryDialog", "Survey Library box", "host", "Host", "The server's name or address."},
    {"LibraryDialog", "Survey Library box", "port", "Port", "The server's port, 5432 unless the administrator says otherwise."},
    {"LibraryDialog", "Survey Library box", "database", "Database", "The database that holds the firm's library."},
    {"LibraryDialog", "Survey Library box", "user", "User", "Your login on the server; empty for your login name here."},
    {"LibraryDialog", "Survey Library box", "tlsMode", "TLS",
     "How the connection is protected: verify-full checks the server's certificate and name (the safe choice "
     "over any network)."},
    {"LibraryDialog", "Survey Library box", "connection", "or connection",
     "One connection line instead of the boxes: postgresql://host:port/database?sslmode=verify-full, or "
     "service=NAME from your pg_service.conf. A password typed here is not kept."},
    {"LibraryDialog", "Survey Library box", "rootCert", "Authority's certificate",
     "The certificate of the authority that signed the server's certificate (the firm's own, as a .crt or .pem "
     "file): kept as a path with the choice. Empty: the file PostgreSQL looks for in your folder."},
    {"LibraryDialog", "Survey Library box", "chooseRootCert", "Authority's certificate...",
     "Choose the file of the authority's certificate your administrator gave you."},
    // Tube settings
    {"TubeSettings", "Tube Settings box", "probeConstant", "Probe constant K",
     "Reading units for sin = 1, as the probe's certificate gives it (typically 20000 or 25000); without it no "
     "displacement in mm is worked out."},
    {"TubeSettings", "Tube Settings box", "units", "Units", "Millimetres or inches, for charts, tables, CSV and report."},
    {"TubeSettings", "Tube Settings box", "north", "North of A0 (degrees)",
     "Degrees clockwise from north of the A0 groove; B0 lies 90 degrees clockwise from A0."},
    {"TubeSettings", "Tube Settings box", "depthReference", "A reading's depth marks",
     "The point of the probe a reading's depth gives: its upper wheel (as this unit's depths are taken), its lower "
     "wheel or its centre. Every value is placed at the top of the interval the probe read."},
    {"TubeSettings", "Tube Settings box", "gauge", "Gauge length (m)",
     "The probe's wheel base, 0.5 m for most probes; a gauge other than the reading step is warned about."},
    {"TubeSettings", "Tube Settings box", "alertMm", "Alert (mm or in)",
     "Cumulative displacement that raises an alert, in the tube's units."},
    {"TubeSettings", "Tube Settings box", "alarmMm", "Alarm (mm or in)",
     "Cumulative displacement that raises an alarm, in the tube's units."},
    {"TubeSettings", "Tube Settings box", "alertMmPerDay", "Alert (per day)",
     "Speed of the movement since the readout before that raises an alert, in the tube's units per day."},
    {"TubeSettings", "Tube Settings box", "alarmMmPerDay", "Alarm (per day)",
     "Speed of the movement since the readout before that raises an alarm, in the tube's units per day."},
    {"TubeSettings", "Tube Settings box", "secondPass", "Readings 3 and 4 hold the 180-degree pass",
     "Check when the probe was also run turned by 180 degrees and the unit kept that pass in readings 3 and 4: "
     "A and B then come from both passes, and their checksums are shown."},
    {"TubeSettings", "Tube Settings box", "checksumTolerance", "Checksum tolerance (units)",
     "How far a readout's mean checksum may move from the base's before it is marked \"possible bias shift\"."},
    {"TubeSettings", "Tube Settings box", "rateUnit", "Rates given",
     "The time rates are given per, in the tables, charts, CSV and report; the rate thresholds are typed in it."},
    {"TubeSettings", "Tube Settings box", "fixedEnd", "Fixed end",
     "The end of the tube taken as not moving: the toe (the deepest depth shared with the base when a readout "
     "lacks the base's bottom rows), always the deepest depth shared, or the top, whose displacement is surveyed "
     "with each readout and entered with its corrections."},
    {"TubeSettings", "Tube Settings box", "minInterval", "Minimum rate interval (days)",
     "A readout closer than this to the one before has its rate measured against the latest readout at least this "
     "long before it: hours apart, a rate shows only the noise."},
    {"TubeSettings", "Tube Settings box", "precision", "Precision per interval",
     "The random error of one reading interval (the trade's 0.16 mm); the band grows with the square root of the "
     "intervals from the fixed end, and a rate raises an alert or alarm only beyond it."},
    {"ReadoutProbe", "Probe box", "probeSerial", "Serial",
     "The serial number of the probe that read this readout, as its certificate gives it."},
    {"ReadoutProbe", "Probe box", "readoutConstant", "Probe constant K",
     "The constant of the probe that read this readout, reading units for sin = 1; \"the tube's\" uses the tube's "
     "setting. Each readout is reduced with its own constant, the base's values taken into it."},
    {"TubeSettings", "Tube Settings box", "placed", "Placed on the site's plan",
     "Check to place the tube on its site's plan at the easting and northing below."},
    {"TubeSettings", "Tube Settings box", "easting", "Easting (m)",
     "Where the tube stands, metres east on the site's own grid, for the site's plan."},
    {"TubeSettings", "Tube Settings box", "northing", "Northing (m)",
     "Where the tube stands, metres north on the site's own grid, for the site's plan."},
    {"TubeSettings", "Tube Settings box", "readingInterval", "Read every (days)",
     "How often the tube should be read: the site's table marks it overdue when its latest readout is older; "
     "\"none\" at the lowest value."},
    {"TubeSettings", "Tube Settings box", "project", "Project", "The project's name, printed in the tube's report."},
    {"TubeSettings", "Tube Settings box", "projectNo", "Project number", "The project's number, printed in the report."},
    {"TubeSettings", "Tube Settings box", "location", "Location", "Where the tube is, as the report names it."},
    {"TubeSettings", "Tube Settings box", "topElevation", "Casing top elevation (m)",
     "The elevation of the casing's top, in metres, for the report; \"not set\" at the lowest value."},
    {"TubeSettings", "Tube Settings box", "probeSerial", "Probe serial", "The probe's serial number, for the report."},
    {"TubeSettings", "Tube Settings box", "remarks", "Remarks", "Remarks printed on the report's first page."},
    {"TubeSettings", "Tube Settings box", "reportCompany", "Company (every report)",
     "The company that writes the reports: kept by the program for every tube."},
    {"TubeSettings", "Tube Settings box", "reportPreparer", "Prepared by (every report)",
     "Who prepares the reports: kept by the program for every tube."},
    {"TubeSettings", "Tube Settings box", "reportChecker", "Checked by (every report)",
     "Who checks the reports, printed beside the preparer: kept by the program for every tube."},
    // The report's choices
    {"ReportChoices", "Tube Report box", "reportTitle", "Report title",
     "The title on the report's first page and running header; \"Inclinometer report\" when left empty."},
    {"ReportChoices", "Tube Report box", "planDepth", "Plan view at depth (m)",
     "The depth whose resultant the plan view draws beside the top's, also drawn against time; by default the "
     "depth of the largest movement."},
    {"ReportChoices", "Tube Report box", "reportAllTables", "A depth table for every readout shown",
     "Check for a depth table of every chosen readout in the report, not only of the latest."},
};

QString qs(const char* s)
{
    return QString::fromUtf8(s);
}

// The control by its object name; in a window whose controls have no names, the button with
// that caption.
QList<QWidget*> controlsFor(QWidget& window, const QString& key)
{
    QList<QWidget*> found = window.findChildren<QWidget*>(key);
    if (!found.isEmpty())
        return found;
    for (QAbstractButton* b : window.findChildren<QAbstractButton*>())
        if (b->objectName().isEmpty() && withoutMnemonic(b->text()) == key)
            found.append(b);
    return found;
}

} // namespace

std::span<const HelpText> helpTexts()
{
    return kTexts;
}

void applyHelpTexts(QWidget& window)
{
    const QString name = window.objectName();
    for (const HelpText& h : kTexts) {
        if (name != QLatin1String(h.window))
            continue;
        for (QWidget* w : controlsFor(window, qs(h.control))) {
            w->setWhatsThis(qs(h.text));
            if (w->toolTip().isEmpty())
                w->setToolTip(qs(h.text));
        }
    }
}

QString controlsChapter()
{
    QString md = QStringLiteral(
        "# The controls\n\n"
        "What every control does, in the words the program shows when the mouse rests on the control and when "
        "Shift+F1 is pressed on it.\n");
    QString room;
    for (const HelpText& h : kTexts) {
        if (room != qs(h.room)) {
            room = qs(h.room);
            md += QStringLiteral("\n## %1\n\n| Control | What it does |\n|---|---|\n").arg(room);
        }
        QString caption = qs(h.caption);
        // A caption in brackets names a control without one; the rest are shown as captions.
        if (!caption.startsWith(QLatin1Char('(')))
            caption = QStringLiteral("\"%1\"").arg(caption);
        md += QStringLiteral("| %1 | %2 |\n").arg(caption.replace(QLatin1Char('|'), QStringLiteral("\\|")), qs(h.text));
    }
    return md;
}

QStringList guideFolders()
{
    const QString program = QCoreApplication::applicationDirPath();
    QStringList folders{program};
#ifdef TARVELON_GUIDE_FROM_PROGRAM
    folders << QDir::cleanPath(program + QLatin1Char('/') + QStringLiteral(TARVELON_GUIDE_FROM_PROGRAM));
#endif
    folders.removeDuplicates();
    return folders;
}

QString guideNotOpened(const QString& guide)
{
    const QFileInfo file(guide);
    return QStringLiteral("The user guide cannot be opened: no program on this computer opens PDF files.\n\n"
                          "The guide is the file \"%1\" in the folder\n%2")
        .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath()));
}

QString siteNotOpened(const QString& address)
{
    return QStringLiteral("The user guide is not installed with the program, and no web browser could be opened "
                          "for it.\n\nThe guide is at\n%1")
        .arg(address);
}

} // namespace tarvelon
