#include "link/shown_block.h"

#include "link/block.h"
#include "link/header_file.h"

namespace tarvelon {

void showBlock(Context& c, int block, FieldSet fields)
{
    c.state.currentBlock = block;
    c.form.setText("Text2", twoDigits(block));
    if (HeaderFile(c.state.headerFilePath).read(block, c.state.record))
        recordToWindow(c.state.record, c.form, fields);
}

void showBlockOne(Context& c)
{
    showBlock(c, 1, FieldSet::All);
}

} // namespace tarvelon
