#pragma once
#include <string>

namespace tarvelon {

enum class Icon { None, Error };

// Modal message boxes. Texts are single-byte Windows-1252 strings.
class Messages {
public:
    virtual ~Messages() = default;
    // A box with one OK button. An empty title means the program's title.
    virtual void show(const std::string& text, Icon icon, const std::string& title = {}) = 0;
    // A question with OK and Cancel and no icon; true only when OK was pressed. `erases`, when
    // given, names under the question what OK erases, and Cancel is then the default button.
    virtual bool askOkCancel(const std::string& text, const std::string& erases = {}) = 0;
};

} // namespace tarvelon
