#pragma once
#include <string>

namespace tarvelon {

enum class Icon { None, Error };

// A question before an act that erases or overwrites: the described words, then what the act
// loses, with what does not fit on the screen behind the box's details.
struct Question {
    std::string text;
    std::string title{};   // names the act ("Set All"); empty means the program's title
    std::string erases{};  // a few lines under the question
    std::string details{}; // the whole list, behind "Show Details..."
    std::string extra{};   // caption of a third button beside OK and Cancel; empty for none
    bool cancelDefault = true; // Enter alone never erases
};

enum class Answer { Cancel, Ok, Extra };

// Modal message boxes. Texts are single-byte Windows-1252 strings.
class Messages {
public:
    virtual ~Messages() = default;
    // A box with one OK button. An empty title means the program's title.
    virtual void show(const std::string& text, Icon icon, const std::string& title = {}) = 0;
    // A question with OK and Cancel and no icon; true only when OK was pressed. `erases`, when
    // given, names under the question what OK erases, and Cancel is then the default button.
    virtual bool askOkCancel(const std::string& text, const std::string& erases = {}) = 0;
    // A question with its title, details and third button; boxes that know no more than OK
    // and Cancel ask it as askOkCancel does.
    virtual Answer ask(const Question& q)
    {
        return askOkCancel(q.text, q.erases) ? Answer::Ok : Answer::Cancel;
    }
};

} // namespace tarvelon
