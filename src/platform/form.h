#pragma once
#include <string>
#include <string_view>

namespace tarvelon {

// How far a long operation has come: the block and the row it is at (1-based; 0 of 0 where
// it does not count that way), and the time still needed on the line.
struct Progress {
    int block = 0, blocks = 0;
    int row = 0, rows = 0;
    double secondsLeft = 0;
    // The first rows that are a block's header: counted by the bar, told apart in the text, so
    // the rows told are the readings the block holds.
    int headerRows = 0;
};

// The window's controls as the operations see them, by control name ("Text2", "command3d1").
// Texts are single-byte Windows-1252 strings; a text box never holds more than its maximum
// length, also when the program fills it.
class Form {
public:
    virtual ~Form() = default;
    virtual std::string text(std::string_view field) const = 0;
    virtual void setText(std::string_view field, std::string_view text) = 0;
    virtual void setEnabled(std::string_view control, bool enabled) = 0;
    virtual bool isEnabled(std::string_view control) const = 0;
    // The wait indicator: Label34 and Shape1, always shown and hidden together.
    virtual void showWaitIndicator(bool shown) = 0;
    virtual bool waitIndicatorShown() const = 0;
    // Shown beside the wait indicator until the operation ends.
    virtual void showProgress(const Progress&) {}
    // The operator asked the running operation to stop (Stop or Esc); it ends at its next
    // row or block and says what it did and did not do.
    virtual bool stopRequested() const { return false; }
    // How a job ended well, on the window's status line ("Block 05 written"); a job that
    // ends in a message box leaves that message there instead.
    virtual void showOutcome(std::string_view) {}
    // Puts the keyboard focus in a box, its text chosen, for the operator to correct it.
    virtual void focus(std::string_view) {}
};

} // namespace tarvelon
