#pragma once
#include <string_view>

namespace tarvelon {

// Every text box of the main window with its maximum length (0: no limit) and the text it
// holds when the window is created. The window and the test form are both built from it.
struct FieldSpec {
    std::string_view name;
    int maxLength;
    std::string_view initial;
};

inline constexpr FieldSpec kFields[] = {
    // Header Data page
    {"Text2", 2, "01"},
    {"Text3", 8, ""},
    {"Text4", 8, ""},
    {"Text5", 4, ""},
    {"Text6", 3, ""},
    {"Text13", 1, "0"},
    {"Text10", 2, ""},
    {"Text11", 6, ""},
    {"Text12", 6, ""},
    {"Text7", 1, ""},
    {"Text8", 1, "2"},
    {"Text9", 4, ""},
    {"Text15", 0, ""},
    // Download Data page
    {"numblocco", 2, "01"},
    {"Text1", 0, ""},
    {"Text17", 0, ""},
    {"Text18", 7, ""},
    {"Text19", 7, ""},
    {"Text20", 7, ""},
    {"Text21", 7, ""},
    {"Text22", 1, ""},
    // Setup page
    {"Text16rt", 6, "3"},
    {"Text13a", 2, ""},
    {"Text1a", 2, ""},
    {"Text2a", 2, ""},
    {"Text14a", 2, ""},
    {"Text3a", 2, ""},
    {"Text4a", 2, ""},
};

// The maximum length of a text box, 0 for one without a limit or an unknown name.
constexpr int maxLengthOf(std::string_view name)
{
    for (const FieldSpec& f : kFields)
        if (f.name == name)
            return f.maxLength;
    return 0;
}

} // namespace tarvelon
