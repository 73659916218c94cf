#include "link/startup.h"
#include "platform/translate.h"

#include "link/block.h"
#include "link/header_file.h"

namespace tarvelon {

void startUp(Context& c, const std::string& headerFilePath)
{
    c.state.currentBlock = 1;
    c.state.downloadBlock = 1;
    for (const char* button : {"sscommand9", "sscommand10", "sscommand6", "Command3", "Command6", "Command7"})
        c.form.setEnabled(button, true);
    c.form.setText("Text2", twoDigits(c.state.currentBlock));
    c.state.headerFilePath = headerFilePath;
    c.form.setText("Text15", textFromPath(headerFilePath));
    c.state.portNumber = 1;
    // Rebuilt at every start, so no header survives from one run to the next.
    const HeaderFile file(headerFilePath);
    if (!file.writeDefaults()) {
        // Every header the operator prepares would be lost: say so at once.
        c.messages.show(fillIn(translate("Texts", "Attention: cannot write header file %1"), {file.path()}), Icon::Error);
        // The page still shows block 1's defaults to work from.
        c.state.record = defaultHeader(c.state.currentBlock);
    } else {
        file.read(c.state.currentBlock, c.state.record);
    }
    recordToWindow(c.state.record, c.form, FieldSet::All);
}

} // namespace tarvelon
