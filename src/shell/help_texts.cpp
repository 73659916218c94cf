#include "shell/help_texts.h"

#include "shell/controls.h"
#include "shell/texts.h"

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
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Main window: pages"), "TabStrip1", QT_TRANSLATE_NOOP("Texts", "Header Data, Download Data, Setup Tarvelon"),
     QT_TRANSLATE_NOOP("Texts", "Choose the page: Header Data (block headers), Download Data (downloads and the survey library) or Setup "
     "Tarvelon (serial port, clock, delay, zero and gain).")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Header Data page"), "sscommand9", QT_TRANSLATE_NOOP("Texts", "-"),
     QT_TRANSLATE_NOOP("Texts", "Keep the header shown as this block's and show the previous block's header.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Header Data page"), "Text2", QT_TRANSLATE_NOOP("Texts", "Block Number (01-30)"),
     QT_TRANSLATE_NOOP("Texts", "The block whose header is shown, 01 to 30. Leaving it with another number keeps the header shown as the "
     "current block's and shows that block's header, as + and - do. Set Block, Read Block and Reset Block work on "
     "this block.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Header Data page"), "sscommand10", QT_TRANSLATE_NOOP("Texts", "+"),
     QT_TRANSLATE_NOOP("Texts", "Keep the header shown as this block's and show the next block's header.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Header Data page"), "sscommand11", QT_TRANSLATE_NOOP("Texts", "Copy Data"),
     QT_TRANSLATE_NOOP("Texts", "Keep the header shown as this block's and step on to the next block with the same header; press again to "
     "copy it into further blocks, then send them all with Set All.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Header Data page"), "Text3", QT_TRANSLATE_NOOP("Texts", "Client"), QT_TRANSLATE_NOOP("Texts", "Client, up to 8 characters, kept in upper case.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Header Data page"), "Text4", QT_TRANSLATE_NOOP("Texts", "Site"), QT_TRANSLATE_NOOP("Texts", "Site, up to 8 characters, kept in upper case.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Header Data page"), "Text5", QT_TRANSLATE_NOOP("Texts", "Tube no"), QT_TRANSLATE_NOOP("Texts", "Tube, up to 4 characters, kept in upper case.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Header Data page"), "Text6", QT_TRANSLATE_NOOP("Texts", "Depth"),
     QT_TRANSLATE_NOOP("Texts", "Depth of the tube in whole metres, digits without a decimal point: at most 100.0 m with 0.5 m steps, "
     "200.0 m with 1 m steps. Its tooltip, \"Inserire cifre senza punto decimale\", is Italian for \"enter "
     "digits without a decimal point\".")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Header Data page"), "Text13", QT_TRANSLATE_NOOP("Texts", "Depth (tenths)"),
     QT_TRANSLATE_NOOP("Texts", "Tenths of the depth, 0 or 5: type 0 or 5, or double-click it (or press Space on it) to switch between them.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Header Data page"), "Text10", QT_TRANSLATE_NOOP("Texts", "Readout no"), QT_TRANSLATE_NOOP("Texts", "Readout number, two digits.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Header Data page"), "Text11", QT_TRANSLATE_NOOP("Texts", "Date"),
     QT_TRANSLATE_NOOP("Texts", "Read-only: the block's date (DDMMYY), which Read Block fills from the unit; it cannot be typed.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Header Data page"), "Text12", QT_TRANSLATE_NOOP("Texts", "Time"),
     QT_TRANSLATE_NOOP("Texts", "Read-only: the block's time (HHMMSS), which Read Block fills from the unit; it cannot be typed.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Download Data page"), "Command2", QT_TRANSLATE_NOOP("Texts", "-"),
     QT_TRANSLATE_NOOP("Texts", "Put the previous block's number into Block Number; nothing is downloaded until Ok.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Download Data page"), "numblocco", QT_TRANSLATE_NOOP("Texts", "Block Number (01-30)"), QT_TRANSLATE_NOOP("Texts", "The block that Ok downloads, 01 to 30.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Download Data page"), "Command1", QT_TRANSLATE_NOOP("Texts", "+"),
     QT_TRANSLATE_NOOP("Texts", "Put the next block's number into Block Number; nothing is downloaded until Ok.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Download Data page"), "Text1", QT_TRANSLATE_NOOP("Texts", "FILE NAME"), QT_TRANSLATE_NOOP("Texts", "The export file being written during a download.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Download Data page"), "Text17", QT_TRANSLATE_NOOP("Texts", "RAM Address"),
     QT_TRANSLATE_NOOP("Texts", "The unit's memory address of the row being read during a download.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Download Data page"), "Command10", QT_TRANSLATE_NOOP("Texts", "Folder"),
     QT_TRANSLATE_NOOP("Texts", "Choose the folder the export files are written into; this enables Ok and Download Blocks.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Download Data page"), "command3d1", QT_TRANSLATE_NOOP("Texts", "Ok"),
     QT_TRANSLATE_NOOP("Texts", "Download the block in Block Number into its two export files in the chosen folder, and keep it in the "
     "survey library.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Download Data page"), "cmdDownloadBlocks", QT_TRANSLATE_NOOP("Texts", "Download Blocks..."),
     QT_TRANSLATE_NOOP("Texts", "List the unit's 30 blocks and download the checked ones in one go.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Download Data page"), "cmdSurveys", QT_TRANSLATE_NOOP("Texts", "Surveys..."),
     QT_TRANSLATE_NOOP("Texts", "Open the survey library: every download kept, with its charts and tables.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Download Data page"), "lblSurveyAdded", QT_TRANSLATE_NOOP("Texts", "(the survey just kept)"),
     QT_TRANSLATE_NOOP("Texts", "The survey of the last download is in the library: click to show it in the Surveys window.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "Command13", QT_TRANSLATE_NOOP("Texts", "Reset G/Z"),
     QT_TRANSLATE_NOOP("Texts", "Write the default gain and zero into all 30 blocks of the unit (asks first).")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "Text16rt", QT_TRANSLATE_NOOP("Texts", "Delay for Automatic Cycle"),
     QT_TRANSLATE_NOOP("Texts", "Delay of the unit's automatic measuring cycle, 3 to 9.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "Command6scrivi", QT_TRANSLATE_NOOP("Texts", "Write"), QT_TRANSLATE_NOOP("Texts", "Write the delay into the unit.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "cboLanguage", QT_TRANSLATE_NOOP("Texts", "Language"),
     QT_TRANSLATE_NOOP("Texts", "The language of the program from its next start: the system's, English or Italian. "
                                "The files written for the unit and the export files are the same in every language.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "ssOption1_0", QT_TRANSLATE_NOOP("Texts", "Com 1"), QT_TRANSLATE_NOOP("Texts", "Use COM1 (on Linux /dev/ttyS0).")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "ssOption1_1", QT_TRANSLATE_NOOP("Texts", "Com 2"), QT_TRANSLATE_NOOP("Texts", "Use COM2 (on Linux /dev/ttyS1).")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "ssOption1_2", QT_TRANSLATE_NOOP("Texts", "Com 3"), QT_TRANSLATE_NOOP("Texts", "Use COM3 (on Linux /dev/ttyS2).")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "ssOption1_3", QT_TRANSLATE_NOOP("Texts", "Com 4"), QT_TRANSLATE_NOOP("Texts", "Use COM4 (on Linux /dev/ttyS3).")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "ssOption1_4", QT_TRANSLATE_NOOP("Texts", "Other:"),
     QT_TRANSLATE_NOOP("Texts", "Use the port named in the list beside it, such as a USB adapter (/dev/ttyUSB0, COM5).")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "cboPortName", QT_TRANSLATE_NOOP("Texts", "(port name)"),
     QT_TRANSLATE_NOOP("Texts", "The serial ports of this computer and the names used before; a name can also be typed. Choosing one "
     "chooses Other:.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "chkTraceLine", QT_TRANSLATE_NOOP("Texts", "Record the line to a file"),
     QT_TRANSLATE_NOOP("Texts", "Record every character sent to the unit and received from it, with its time, in a text file you choose, "
     "until this is cleared or the program ends: the file to send when a unit misbehaves. Off at every start.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "Text13a", QT_TRANSLATE_NOOP("Texts", "Date: DD"), QT_TRANSLATE_NOOP("Texts", "Day of the unit's clock, two digits.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "Text1a", QT_TRANSLATE_NOOP("Texts", "Date: MM"), QT_TRANSLATE_NOOP("Texts", "Month of the unit's clock, two digits.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "Text2a", QT_TRANSLATE_NOOP("Texts", "Date: YY"), QT_TRANSLATE_NOOP("Texts", "Year of the unit's clock, two digits.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "Text14a", QT_TRANSLATE_NOOP("Texts", "Time: hh"), QT_TRANSLATE_NOOP("Texts", "Hour of the unit's clock, two digits.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "Text3a", QT_TRANSLATE_NOOP("Texts", "Time: mm"), QT_TRANSLATE_NOOP("Texts", "Minutes of the unit's clock, two digits.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "Text4a", QT_TRANSLATE_NOOP("Texts", "Time: ss"), QT_TRANSLATE_NOOP("Texts", "Seconds of the unit's clock, two digits.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "ssCommand3", QT_TRANSLATE_NOOP("Texts", "Read Clock"), QT_TRANSLATE_NOOP("Texts", "Read the unit's date and time into the boxes.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "cmdPcTime", QT_TRANSLATE_NOOP("Texts", "PC Time"),
     QT_TRANSLATE_NOOP("Texts", "Put this computer's date and time into the boxes; Write Clock then sets the unit to them.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Setup Tarvelon page"), "ssCommand4", QT_TRANSLATE_NOOP("Texts", "Write Clock"),
     QT_TRANSLATE_NOOP("Texts", "Write the date and time of the boxes into the unit's clock (asks first).")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Control Panel"), "Command7", QT_TRANSLATE_NOOP("Texts", "Reset Block"),
     QT_TRANSLATE_NOOP("Texts", "Clear the block in Block Number to its default header, on the PC and in the unit (asks first).")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Control Panel"), "ssCommand8", QT_TRANSLATE_NOOP("Texts", "Total Reset"),
     QT_TRANSLATE_NOOP("Texts", "Clear all 30 blocks to their default headers, on the PC and in the unit (asks first).")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Control Panel"), "Command6", QT_TRANSLATE_NOOP("Texts", "Set Block"),
     QT_TRANSLATE_NOOP("Texts", "Write the header shown into the unit as the header of the block in Block Number (asks first: the block's "
     "readings are lost).")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Control Panel"), "sscommand6", QT_TRANSLATE_NOOP("Texts", "Set All"),
     QT_TRANSLATE_NOOP("Texts", "Write the headers of all 30 blocks kept on the PC into the unit (asks first: all readings are lost).")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Control Panel"), "Command3", QT_TRANSLATE_NOOP("Texts", "Read Block"),
     QT_TRANSLATE_NOOP("Texts", "Read the header of the block in Block Number from the unit and show it.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Control Panel"), "Command8", QT_TRANSLATE_NOOP("Texts", "Read All Blocks"),
     QT_TRANSLATE_NOOP("Texts", "Read the headers of all 30 blocks from the unit and keep them on the PC; block 1 is shown.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Control Panel"), "Command11", QT_TRANSLATE_NOOP("Texts", "About"), QT_TRANSLATE_NOOP("Texts", "Who makes the program and the unit, and how to reach them.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Control Panel"), "Command12", QT_TRANSLATE_NOOP("Texts", "Help"),
     QT_TRANSLATE_NOOP("Texts", "Open this guide in the PDF viewer; where it is not installed, the maker's web site.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Below the pages"), "prgOperation", QT_TRANSLATE_NOOP("Texts", "(progress bar)"),
     QT_TRANSLATE_NOOP("Texts", "How far the running operation has come, and the time left.")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Below the pages"), "cmdStop", QT_TRANSLATE_NOOP("Texts", "Stop"), QT_TRANSLATE_NOOP("Texts", "Stop the operation at the next row or block (Esc)")},
    {"Scaricodati", QT_TRANSLATE_NOOP("Texts", "Below the pages"), "staStatus", QT_TRANSLATE_NOOP("Texts", "(status line)"),
     QT_TRANSLATE_NOOP("Texts", "The serial port, the download folder and how the last job ended; a file just written is a link that opens "
     "it.")},
    // Folder chooser
    {"Form6", QT_TRANSLATE_NOOP("Texts", "Folder window"), "Drive1", QT_TRANSLATE_NOOP("Texts", "Drive"), QT_TRANSLATE_NOOP("Texts", "The drive (on Linux, the file system) to choose the folder on.")},
    {"Form6", QT_TRANSLATE_NOOP("Texts", "Folder window"), "Dir1", QT_TRANSLATE_NOOP("Texts", "(folders)"), QT_TRANSLATE_NOOP("Texts", "The folders of the drive: click one to choose it.")},
    {"Form6", QT_TRANSLATE_NOOP("Texts", "Folder window"), "Dir1Path", QT_TRANSLATE_NOOP("Texts", "(chosen folder)"), QT_TRANSLATE_NOOP("Texts", "The folder the downloads will go to. The one offered at first is named \"dati\", Italian for \"data\".")},
    {"Form6", QT_TRANSLATE_NOOP("Texts", "Folder window"), "command3d1", QT_TRANSLATE_NOOP("Texts", "Ok"), QT_TRANSLATE_NOOP("Texts", "Download into this folder from now on.")},
    {"Form6", QT_TRANSLATE_NOOP("Texts", "Folder window"), "cmdCancel", QT_TRANSLATE_NOOP("Texts", "Cancel"), QT_TRANSLATE_NOOP("Texts", "Close the window; the download folder stays as it was (Esc).")},
    {"Form6", QT_TRANSLATE_NOOP("Texts", "Folder window"), "cmdNewFolder", QT_TRANSLATE_NOOP("Texts", "New Folder\u2026"), QT_TRANSLATE_NOOP("Texts", "Make a folder in the chosen one and choose it.")},
    // About box
    {"aboutus", QT_TRANSLATE_NOOP("Texts", "About box"), "lblEmail", QT_TRANSLATE_NOOP("Texts", "Email"), QT_TRANSLATE_NOOP("Texts", "Write to the maker's support.")},
    {"aboutus", QT_TRANSLATE_NOOP("Texts", "About box"), "lblWebsite", QT_TRANSLATE_NOOP("Texts", "Website"), QT_TRANSLATE_NOOP("Texts", "Open the maker's web site.")},
    {"aboutus", QT_TRANSLATE_NOOP("Texts", "About box"), "lblLicences", QT_TRANSLATE_NOOP("Texts", "Licences"),
     QT_TRANSLATE_NOOP("Texts", "Show the program's licence (GPL-3.0-or-later) and the notices of the libraries it is built with.")},
    {"aboutus", QT_TRANSLATE_NOOP("Texts", "About box"), "btnclose", QT_TRANSLATE_NOOP("Texts", "Close"), QT_TRANSLATE_NOOP("Texts", "Close this box.")},
    // Licences
    {"licences", QT_TRANSLATE_NOOP("Texts", "Licences window"), "txtLicences", QT_TRANSLATE_NOOP("Texts", "(licences)"),
     QT_TRANSLATE_NOOP("Texts", "The program's licence and the notices of the libraries it is built with, to read and copy.")},
    {"licences", QT_TRANSLATE_NOOP("Texts", "Licences window"), "btnclose", QT_TRANSLATE_NOOP("Texts", "Close"), QT_TRANSLATE_NOOP("Texts", "Close this window.")},
    // Download Blocks
    {"frmDownloadBlocks", QT_TRANSLATE_NOOP("Texts", "Download Blocks window"), "tblBlocks", QT_TRANSLATE_NOOP("Texts", "(blocks)"),
     QT_TRANSLATE_NOOP("Texts", "The unit's blocks: check the ones to download; blocks of depth 0 are greyed, blocks the survey library "
     "already keeps whole (In library: yes) start unchecked. After a download the Result column says how many "
     "rows were read and skipped, then the files written (their full paths when the mouse rests on it).")},
    {"frmDownloadBlocks", QT_TRANSLATE_NOOP("Texts", "Download Blocks window"), "cmdSelectAll", QT_TRANSLATE_NOOP("Texts", "Select All"),
     QT_TRANSLATE_NOOP("Texts", "Check every block that holds readings.")},
    {"frmDownloadBlocks", QT_TRANSLATE_NOOP("Texts", "Download Blocks window"), "cmdSelectNone", QT_TRANSLATE_NOOP("Texts", "Select None"), QT_TRANSLATE_NOOP("Texts", "Uncheck every block.")},
    {"frmDownloadBlocks", QT_TRANSLATE_NOOP("Texts", "Download Blocks window"), "cmdDownload", QT_TRANSLATE_NOOP("Texts", "Download"),
     QT_TRANSLATE_NOOP("Texts", "Download the checked blocks in block order into the chosen folder, and keep each in the survey library.")},
    {"frmDownloadBlocks", QT_TRANSLATE_NOOP("Texts", "Download Blocks window"), "cmdClose", QT_TRANSLATE_NOOP("Texts", "Close"),
     QT_TRANSLATE_NOOP("Texts", "Close this window; a download that runs stops at the next block.")},
    // Surveys
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "surveyTree", QT_TRANSLATE_NOOP("Texts", "(surveys)"),
     QT_TRANSLATE_NOOP("Texts", "The library by client, site and tube, each tube's readouts by their own date: the base is marked (base), "
     "an incomplete readout (incomplete), one beyond a threshold ALERT or ALARM. Choose readouts of one tube to "
     "compare them with its base.")},
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "markBase", QT_TRANSLATE_NOOP("Texts", "Mark as Base"),
     QT_TRANSLATE_NOOP("Texts", "Make the chosen readout its tube's base, the one the others are compared with; on the base itself, unmark "
     "it. The base is kept in the library.")},
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "tubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings..."),
     QT_TRANSLATE_NOOP("Texts", "Set the tube's probe constant K, units, north and alert and alarm thresholds, kept in the library.")},
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "proposeCorrections", QT_TRANSLATE_NOOP("Texts", "Propose corrections..."),
     QT_TRANSLATE_NOOP("Texts", "Show the corrections of the probe's bias, rotation and depth that the chosen readout's own readings propose, "
     "with the evidence, and the corrections kept with it: accept some or all, switch one off, or clear them.")},
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "readoutProbe", QT_TRANSLATE_NOOP("Texts", "Probe..."),
     QT_TRANSLATE_NOOP("Texts", "Set the serial and constant of the probe that read the chosen readout (taken from the tube's settings when "
     "it was downloaded or imported); a readout read with another probe than its base is reduced with its own "
     "constant and says so.")},
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "report", QT_TRANSLATE_NOOP("Texts", "Report..."),
     QT_TRANSLATE_NOOP("Texts", "Save the tube report: an A4 PDF/A with the title block and the summary of every readout, the A and B charts "
     "and the chart against time of the chosen readouts (all when one or none is chosen), and the depth table of "
     "the latest of them. Its title, plan depth and tables are asked first.")},
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "timeDepth", QT_TRANSLATE_NOOP("Texts", "(depth)"), QT_TRANSLATE_NOOP("Texts", "The depth whose displacement against time is drawn.")},
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "siteTable", QT_TRANSLATE_NOOP("Texts", "(site's tubes)"),
     QT_TRANSLATE_NOOP("Texts", "Every tube of the site chosen in the tree (or of the client's sites), the most alarming and fastest first: its "
     "latest readout, how long ago, whether it is overdue, its largest displacement, rate, status with the criterion "
     "that set it, and when its alarm would be reached at the rate of its latest readouts. Double-click a tube to "
     "open it.")},
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "planDepth", QT_TRANSLATE_NOOP("Texts", "Arrows at depth (m)"),
     QT_TRANSLATE_NOOP("Texts", "The depth whose resultant each tube's arrow on the site plan shows: the top of each tube, or a depth chosen.")},
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "siteReport", QT_TRANSLATE_NOOP("Texts", "Site Report..."),
     QT_TRANSLATE_NOOP("Texts", "Write the site's report: its table and plan on the first page, then a page per tube with its charts.")},
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "import", QT_TRANSLATE_NOOP("Texts", "Import..."),
     QT_TRANSLATE_NOOP("Texts", "Add export files already on disk to the library: a header export file with its readings export file, or "
     "a folder of them.")},
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "exportCharts", QT_TRANSLATE_NOOP("Texts", "Export Charts..."),
     QT_TRANSLATE_NOOP("Texts", "Save each chart of the tube as a PNG picture, at 96, 150 or 300 dpi as chosen, and an SVG drawing.")},
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "exportTable", QT_TRANSLATE_NOOP("Texts", "Export Table..."),
     QT_TRANSLATE_NOOP("Texts", "Save the chosen readouts' displacements as a CSV table, one row per readout and depth.")},
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "deleteSurvey", QT_TRANSLATE_NOOP("Texts", "Delete..."),
     QT_TRANSLATE_NOOP("Texts", "Delete the chosen readout from the library, with its readings and corrections, after a question that names "
     "it; a tube whose base it was has no base afterwards.")},
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "sync", QT_TRANSLATE_NOOP("Texts", "Sync..."),
     QT_TRANSLATE_NOOP("Texts", "Sync this computer's library with another, a file or a server: the surveys and corrections it lacks are "
     "sent, and each tube's settings go whichever way they were changed last.")},
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "acknowledgeAlarm", QT_TRANSLATE_NOOP("Texts", "Acknowledge..."),
     QT_TRANSLATE_NOOP("Texts", "Acknowledge the alarm the strip shows, with a note of what was done about it; your name and the time are "
     "kept with it, and the event stays in the alarm log.")},
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "alarmLog", QT_TRANSLATE_NOOP("Texts", "Alarm Log..."),
     QT_TRANSLATE_NOOP("Texts", "Show the alarm log: each time a readout reached or left a threshold, by displacement or by rate, who caused "
     "it and who acknowledged it; acknowledge the chosen events there.")},
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "Close", QT_TRANSLATE_NOOP("Texts", "Close"), QT_TRANSLATE_NOOP("Texts", "Close this window.")},
    // Corrections
    {"Corrections", QT_TRANSLATE_NOOP("Texts", "Corrections box"), "zoneDeepest", QT_TRANSLATE_NOOP("Texts", "Deepest quiet stretch"),
     QT_TRANSLATE_NOOP("Texts", "Propose from the deepest stretch, from the toe up, whose changes stay within the reading noise.")},
    {"Corrections", QT_TRANSLATE_NOOP("Texts", "Corrections box"), "zoneGiven", QT_TRANSLATE_NOOP("Texts", "From"),
     QT_TRANSLATE_NOOP("Texts", "Propose from the stable zone between the two depths given, which the readout and the base must both hold.")},
    {"Corrections", QT_TRANSLATE_NOOP("Texts", "Corrections box"), "zoneFrom", QT_TRANSLATE_NOOP("Texts", "(from)"), QT_TRANSLATE_NOOP("Texts", "The shallowest depth of the stable zone, in metres.")},
    {"Corrections", QT_TRANSLATE_NOOP("Texts", "Corrections box"), "zoneTo", QT_TRANSLATE_NOOP("Texts", "(to)"), QT_TRANSLATE_NOOP("Texts", "The deepest depth of the stable zone, in metres.")},
    {"Corrections", QT_TRANSLATE_NOOP("Texts", "Corrections box"), "propose", QT_TRANSLATE_NOOP("Texts", "Propose"),
     QT_TRANSLATE_NOOP("Texts", "Propose again from the stable zone chosen; nothing is kept until accepted.")},
    {"Corrections", QT_TRANSLATE_NOOP("Texts", "Corrections box"), "evidence", QT_TRANSLATE_NOOP("Texts", "(evidence)"),
     QT_TRANSLATE_NOOP("Texts", "The stable zone, each axis's residual change over it as read and corrected, its offset against the base and "
     "in the readouts either side, and the checksums' move from the base's.")},
    {"Corrections", QT_TRANSLATE_NOOP("Texts", "Corrections box"), "proposed", QT_TRANSLATE_NOOP("Texts", "(proposed)"),
     QT_TRANSLATE_NOOP("Texts", "The corrections proposed, each with what it does to the displacement at the top and where it moves most: "
     "those the evidence supports come checked; one it does not comes unchecked with the reason.")},
    {"Corrections", QT_TRANSLATE_NOOP("Texts", "Corrections box"), "insistReason", QT_TRANSLATE_NOOP("Texts", "Why keep a refused one"),
     QT_TRANSLATE_NOOP("Texts", "Why you keep a proposal the program refused; kept with the correction and printed in the report.")},
    {"Corrections", QT_TRANSLATE_NOOP("Texts", "Corrections box"), "acceptProposed", QT_TRANSLATE_NOOP("Texts", "Accept Checked"),
     QT_TRANSLATE_NOOP("Texts", "Keep the checked proposals with the readout, each in place of a kept one of its kind and axis; the window "
     "redraws corrected at once.")},
    {"Corrections", QT_TRANSLATE_NOOP("Texts", "Corrections box"), "kept", QT_TRANSLATE_NOOP("Texts", "(kept)"),
     QT_TRANSLATE_NOOP("Texts", "The corrections kept with the readout: uncheck one to switch it off (kept, stated, not applied).")},
    {"Corrections", QT_TRANSLATE_NOOP("Texts", "Corrections box"), "clearCorrections", QT_TRANSLATE_NOOP("Texts", "Clear All..."),
     QT_TRANSLATE_NOOP("Texts", "Remove every correction kept with the readout, after a question.")},
    {"Corrections", QT_TRANSLATE_NOOP("Texts", "Corrections box"), "proposeAgain", QT_TRANSLATE_NOOP("Texts", "Clear and Propose Again"),
     QT_TRANSLATE_NOOP("Texts", "Remove the corrections found for the other reduction of the second pass and propose again for this one.")},
    {"Surveys", QT_TRANSLATE_NOOP("Texts", "Surveys window"), "library", QT_TRANSLATE_NOOP("Texts", "Library..."),
     QT_TRANSLATE_NOOP("Texts", "Choose the survey library: this computer's own file, or a firm's library on a PostgreSQL server. The choice "
     "is remembered; downloads are kept in the library chosen.")},
    // Survey library
    {"LibraryDialog", QT_TRANSLATE_NOOP("Texts", "Survey Library box"), "thisComputer", QT_TRANSLATE_NOOP("Texts", "This computer's file"),
     QT_TRANSLATE_NOOP("Texts", "The survey library in a file of this computer, the default.")},
    {"LibraryDialog", QT_TRANSLATE_NOOP("Texts", "Survey Library box"), "server", QT_TRANSLATE_NOOP("Texts", "A server (PostgreSQL)"),
     QT_TRANSLATE_NOOP("Texts", "The firm's survey library on a PostgreSQL server, given by the boxes below or by one connection line.")},
    {"LibraryDialog", QT_TRANSLATE_NOOP("Texts", "Survey Library box"), "host", QT_TRANSLATE_NOOP("Texts", "Host"), QT_TRANSLATE_NOOP("Texts", "The server's name or address.")},
    {"LibraryDialog", QT_TRANSLATE_NOOP("Texts", "Survey Library box"), "port", QT_TRANSLATE_NOOP("Texts", "Port"), QT_TRANSLATE_NOOP("Texts", "The server's port, 5432 unless the administrator says otherwise.")},
    {"LibraryDialog", QT_TRANSLATE_NOOP("Texts", "Survey Library box"), "database", QT_TRANSLATE_NOOP("Texts", "Database"), QT_TRANSLATE_NOOP("Texts", "The database that holds the firm's library.")},
    {"LibraryDialog", QT_TRANSLATE_NOOP("Texts", "Survey Library box"), "user", QT_TRANSLATE_NOOP("Texts", "User"), QT_TRANSLATE_NOOP("Texts", "Your login on the server; empty for your login name here.")},
    {"LibraryDialog", QT_TRANSLATE_NOOP("Texts", "Survey Library box"), "tlsMode", QT_TRANSLATE_NOOP("Texts", "TLS"),
     QT_TRANSLATE_NOOP("Texts", "How the connection is protected: verify-full checks the server's certificate and name (the safe choice "
     "over any network).")},
    {"LibraryDialog", QT_TRANSLATE_NOOP("Texts", "Survey Library box"), "connection", QT_TRANSLATE_NOOP("Texts", "or connection"),
     QT_TRANSLATE_NOOP("Texts", "One connection line instead of the boxes: postgresql://host:port/database?sslmode=verify-full, or "
     "service=NAME from your pg_service.conf. A password typed here is not kept.")},
    {"LibraryDialog", QT_TRANSLATE_NOOP("Texts", "Survey Library box"), "rootCert", QT_TRANSLATE_NOOP("Texts", "Authority's certificate"),
     QT_TRANSLATE_NOOP("Texts", "The certificate of the authority that signed the server's certificate (the firm's own, as a .crt or .pem "
     "file): kept as a path with the choice. Empty: the file PostgreSQL looks for in your folder.")},
    {"LibraryDialog", QT_TRANSLATE_NOOP("Texts", "Survey Library box"), "chooseRootCert", QT_TRANSLATE_NOOP("Texts", "Authority's certificate..."),
     QT_TRANSLATE_NOOP("Texts", "Choose the file of the authority's certificate your administrator gave you.")},
    // Tube settings
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "probeConstant", QT_TRANSLATE_NOOP("Texts", "Probe constant K"),
     QT_TRANSLATE_NOOP("Texts", "Reading units for sin = 1, as the probe's certificate gives it (typically 20000 or 25000); without it no "
     "displacement in mm is worked out.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "units", QT_TRANSLATE_NOOP("Texts", "Units"), QT_TRANSLATE_NOOP("Texts", "Millimetres or inches, for charts, tables, CSV and report.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "north", QT_TRANSLATE_NOOP("Texts", "North of A0 (degrees)"),
     QT_TRANSLATE_NOOP("Texts", "Degrees clockwise from north of the A0 groove; B0 lies 90 degrees clockwise from A0.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "depthReference", QT_TRANSLATE_NOOP("Texts", "A reading's depth marks"),
     QT_TRANSLATE_NOOP("Texts", "The point of the probe a reading's depth gives: its upper wheel (as this unit's depths are taken), its lower "
     "wheel or its centre. Every value is placed at the top of the interval the probe read.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "gauge", QT_TRANSLATE_NOOP("Texts", "Gauge length (m)"),
     QT_TRANSLATE_NOOP("Texts", "The probe's wheel base, 0.5 m for most probes; a gauge other than the reading step is warned about.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "alertMm", QT_TRANSLATE_NOOP("Texts", "Alert (mm or in)"),
     QT_TRANSLATE_NOOP("Texts", "Cumulative displacement that raises an alert, in the tube's units.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "alarmMm", QT_TRANSLATE_NOOP("Texts", "Alarm (mm or in)"),
     QT_TRANSLATE_NOOP("Texts", "Cumulative displacement that raises an alarm, in the tube's units.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "alertMmPerDay", QT_TRANSLATE_NOOP("Texts", "Alert (per day)"),
     QT_TRANSLATE_NOOP("Texts", "Speed of the movement since the readout before that raises an alert, in the tube's units per day.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "alarmMmPerDay", QT_TRANSLATE_NOOP("Texts", "Alarm (per day)"),
     QT_TRANSLATE_NOOP("Texts", "Speed of the movement since the readout before that raises an alarm, in the tube's units per day.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "secondPass", QT_TRANSLATE_NOOP("Texts", "Readings 3 and 4 hold the 180-degree pass"),
     QT_TRANSLATE_NOOP("Texts", "Check when the probe was also run turned by 180 degrees and the unit kept that pass in readings 3 and 4: "
     "A and B then come from both passes, and their checksums are shown.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "checksumTolerance", QT_TRANSLATE_NOOP("Texts", "Checksum tolerance (units)"),
     QT_TRANSLATE_NOOP("Texts", "How far a readout's mean checksum may move from the base's before it is marked \"possible bias shift\".")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "rateUnit", QT_TRANSLATE_NOOP("Texts", "Rates given"),
     QT_TRANSLATE_NOOP("Texts", "The time rates are given per, in the tables, charts, CSV and report; the rate thresholds are typed in it.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "fixedEnd", QT_TRANSLATE_NOOP("Texts", "Fixed end"),
     QT_TRANSLATE_NOOP("Texts", "The end of the tube taken as not moving: the toe (the deepest depth shared with the base when a readout "
     "lacks the base's bottom rows), always the deepest depth shared, or the top, whose displacement is surveyed "
     "with each readout and entered with its corrections.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "minInterval", QT_TRANSLATE_NOOP("Texts", "Minimum rate interval (days)"),
     QT_TRANSLATE_NOOP("Texts", "A readout closer than this to the one before has its rate measured against the latest readout at least this "
     "long before it: hours apart, a rate shows only the noise.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "precision", QT_TRANSLATE_NOOP("Texts", "Precision per interval"),
     QT_TRANSLATE_NOOP("Texts", "The random error of one reading interval (the trade's 0.16 mm); the band grows with the square root of the "
     "intervals from the fixed end, and a rate raises an alert or alarm only beyond it.")},
    {"ReadoutProbe", QT_TRANSLATE_NOOP("Texts", "Probe box"), "probeSerial", QT_TRANSLATE_NOOP("Texts", "Serial"),
     QT_TRANSLATE_NOOP("Texts", "The serial number of the probe that read this readout, as its certificate gives it.")},
    {"ReadoutProbe", QT_TRANSLATE_NOOP("Texts", "Probe box"), "readoutConstant", QT_TRANSLATE_NOOP("Texts", "Probe constant K"),
     QT_TRANSLATE_NOOP("Texts", "The constant of the probe that read this readout, reading units for sin = 1; \"the tube's\" uses the tube's "
     "setting. Each readout is reduced with its own constant, the base's values taken into it.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "placed", QT_TRANSLATE_NOOP("Texts", "Placed on the site's plan"),
     QT_TRANSLATE_NOOP("Texts", "Check to place the tube on its site's plan at the easting and northing below.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "easting", QT_TRANSLATE_NOOP("Texts", "Easting (m)"),
     QT_TRANSLATE_NOOP("Texts", "Where the tube stands, metres east on the site's own grid, for the site's plan.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "northing", QT_TRANSLATE_NOOP("Texts", "Northing (m)"),
     QT_TRANSLATE_NOOP("Texts", "Where the tube stands, metres north on the site's own grid, for the site's plan.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "readingInterval", QT_TRANSLATE_NOOP("Texts", "Read every (days)"),
     QT_TRANSLATE_NOOP("Texts", "How often the tube should be read: the site's table marks it overdue when its latest readout is older; "
     "\"none\" at the lowest value.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "project", QT_TRANSLATE_NOOP("Texts", "Project"), QT_TRANSLATE_NOOP("Texts", "The project's name, printed in the tube's report.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "projectNo", QT_TRANSLATE_NOOP("Texts", "Project number"), QT_TRANSLATE_NOOP("Texts", "The project's number, printed in the report.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "location", QT_TRANSLATE_NOOP("Texts", "Location"), QT_TRANSLATE_NOOP("Texts", "Where the tube is, as the report names it.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "topElevation", QT_TRANSLATE_NOOP("Texts", "Casing top elevation (m)"),
     QT_TRANSLATE_NOOP("Texts", "The elevation of the casing's top, in metres, for the report; \"not set\" at the lowest value.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "probeSerial", QT_TRANSLATE_NOOP("Texts", "Probe serial"), QT_TRANSLATE_NOOP("Texts", "The probe's serial number, for the report.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "remarks", QT_TRANSLATE_NOOP("Texts", "Remarks"), QT_TRANSLATE_NOOP("Texts", "Remarks printed on the report's first page.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "reportLanguage", QT_TRANSLATE_NOOP("Texts", "Reports in"),
     QT_TRANSLATE_NOOP("Texts", "The language the tube's reports are written in by default, for a client who reads "
     "another than the program's; the Tube Report box and the command line's --language choose for one report.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "reportCompany", QT_TRANSLATE_NOOP("Texts", "Company (every report)"),
     QT_TRANSLATE_NOOP("Texts", "The company that writes the reports: kept by the program for every tube.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "reportPreparer", QT_TRANSLATE_NOOP("Texts", "Prepared by (every report)"),
     QT_TRANSLATE_NOOP("Texts", "Who prepares the reports: kept by the program for every tube.")},
    {"TubeSettings", QT_TRANSLATE_NOOP("Texts", "Tube Settings box"), "reportChecker", QT_TRANSLATE_NOOP("Texts", "Checked by (every report)"),
     QT_TRANSLATE_NOOP("Texts", "Who checks the reports, printed beside the preparer: kept by the program for every tube.")},
    // The report's choices
    {"ReportChoices", QT_TRANSLATE_NOOP("Texts", "Tube Report box"), "reportTitle", QT_TRANSLATE_NOOP("Texts", "Report title"),
     QT_TRANSLATE_NOOP("Texts", "The title on the report's first page and running header; \"Inclinometer report\" when left empty.")},
    {"ReportChoices", QT_TRANSLATE_NOOP("Texts", "Tube Report box"), "planDepth", QT_TRANSLATE_NOOP("Texts", "Plan view at depth (m)"),
     QT_TRANSLATE_NOOP("Texts", "The depth whose resultant the plan view draws beside the top's, also drawn against time; by default the "
     "depth of the largest movement.")},
    {"ReportChoices", QT_TRANSLATE_NOOP("Texts", "Tube Report box"), "reportLanguage", QT_TRANSLATE_NOOP("Texts", "Report language"),
     QT_TRANSLATE_NOOP("Texts", "The language this report is written in, whatever the window's: its texts, dates and "
     "numbers (Italiano: decimal comma). First offered: the tube's own, from Tube Settings, else the program's.")},
    {"ReportChoices", QT_TRANSLATE_NOOP("Texts", "Tube Report box"), "reportAllTables", QT_TRANSLATE_NOOP("Texts", "A depth table for every readout shown"),
     QT_TRANSLATE_NOOP("Texts", "Check for a depth table of every chosen readout in the report, not only of the latest.")},
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
        if (b->objectName().isEmpty() &&
            (withoutMnemonic(b->text()) == key || withoutMnemonic(b->text()) == Texts::tr(key.toUtf8().constData())))
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
            w->setWhatsThis(Texts::tr(h.text));
            if (w->toolTip().isEmpty())
                w->setToolTip(Texts::tr(h.text));
        }
    }
}

QString controlsChapter()
{
    QString md = Texts::tr("# The controls\n\n"
                           "What every control does, in the words the program shows when the mouse rests on the "
                           "control and when Shift+F1 is pressed on it.\n");
    QString room;
    for (const HelpText& h : kTexts) {
        if (room != Texts::tr(h.room)) {
            room = Texts::tr(h.room);
            md += Texts::tr("\n## %1\n\n| Control | What it does |\n|---|---|\n").arg(room);
        }
        QString caption = Texts::tr(h.caption);
        // A caption in brackets names a control without one; the rest are shown as captions.
        if (!caption.startsWith(QLatin1Char('(')))
            caption = QStringLiteral("\"%1\"").arg(caption);
        md += QStringLiteral("| %1 | %2 |\n").arg(caption.replace(QLatin1Char('|'), QStringLiteral("\\|")), Texts::tr(h.text));
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
    return Texts::tr("The user guide cannot be opened: no program on this computer opens PDF files.\n\n"
                     "The guide is the file \"%1\" in the folder\n%2")
        .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath()));
}

QString siteNotOpened(const QString& address)
{
    return Texts::tr("The user guide is not installed with the program, and no web browser could be opened "
                     "for it.\n\nThe guide is at\n%1")
        .arg(address);
}

} // namespace tarvelon
