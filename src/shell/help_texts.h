#pragma once
#include <QString>

#include <span>

class QWidget;

namespace tarvelon {

// What one control does, in the words of the user guide: shown as its tooltip and its
// What's This text, and listed in the guide's chapter on the controls.
struct HelpText {
    const char* window;  // object name of the window holding the control
    const char* room;    // the part of the window, as the guide's chapter heads it
    const char* control; // object name; for a window whose controls have no names, the caption
    const char* caption; // what the operator sees on or beside the control
    const char* text;
};

std::span<const HelpText> helpTexts();

// Gives the controls of `window` (already built) their texts: What's This always, the tooltip
// unless the control has one of its own.
void applyHelpTexts(QWidget& window);

// The guide's chapter on the controls, in Markdown, from the same table.
QString controlsChapter();

// The folders where Help looks for the installed guide: beside the program, then the
// documentation folder of its installation.
QStringList guideFolders();

// Help's box when the desktop opened nothing: the guide's file and its folder, with the
// system's separators; or the web address when no guide is installed.
QString guideNotOpened(const QString& guide);
QString siteNotOpened(const QString& address);

} // namespace tarvelon
