#pragma once
#include <QList>
#include <QString>

#include <initializer_list>
#include <string_view>

class QFontMetrics;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tarvelon {

// The caption as shown: a single "&" only marks the mnemonic letter, "&&" shows one "&".
QString withoutMnemonic(const QString& caption);
// The text without its control characters (tabs, line ends, escapes and the like).
QString withoutControlCharacters(const QString& text);

// A name or text of the operations (UTF-8 literals) as a QString.
QString toQString(std::string_view s);

// The pieces every room of the main window is built from, so the rooms look alike.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption);
QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, bool enabled = true);
// A narrow button for "-" and "+", still wide enough for its caption.
QPushButton* makeStepButton(QWidget* parent, const char* name, const char* caption);
// A button with some air around its caption, at least `minLines` wide.
void giveRoom(QPushButton* button, double minLines = 0);
// A length in lines of the widget's font, so buttons and gaps grow with a larger font as
// their captions do.
int lines(const QWidget* w, double n);
void hideAll(std::initializer_list<QWidget*> widgets);
// Enter presses the focused button of the window, as Space does; with `escapeCloses`, Esc
// closes the window as it closes a box. Either only when nothing in the window takes the key.
void useWindowKeys(QWidget* window, bool escapeCloses = true);
// Shows the window, in front and active, the way a second request for it should.
void bringForward(QWidget* window);
// The widgets side by side, pushed to the left.
QHBoxLayout* row(std::initializer_list<QWidget*> widgets);
// The named children of `parent`, in the order given (a room's tab order).
QList<QWidget*> childrenNamed(const QWidget* parent, std::initializer_list<const char*> names);

// Builds the text boxes of a page from kFields, with their labels' texts for accessibility.
class FieldBuilder {
public:
    explicit FieldBuilder(QWidget* page) : page_(page) {}

    // `unlimitedChars` sizes a box whose field has no maximum length.
    QLineEdit* box(std::string_view name, const QString& accessibleName, int unlimitedChars = 26);
    QLabel* label(const QString& name, const QString& caption) { return makeLabel(page_, name, caption); }

private:
    QWidget* page_;
};

} // namespace tarvelon
