#pragma once
#include "analysis/said.h"

#include <string>
#include <vector>

namespace tarvelon::surveys {

// Why something could not be done, kept as its marked source texts and their values: the files
// write it in English, as scripts read them, while the window and the reports say it in their
// language at the moment they show it. Its parts are joined by "; ".
class Reason {
public:
    Reason() = default;
    // One part: a text marked with QT_TRANSLATE_NOOP("Texts", ...) and its values for %1 to %9.
    Reason(const char* source, std::vector<std::string> values = {});

    Reason& add(const Reason& more);
    bool empty() const { return parts_.empty(); }
    std::string english() const;
    // In the program's language now (or a report's, while one is written), UTF-8.
    std::string shown() const;
    bool operator==(const Reason&) const = default;

private:
    struct Part {
        const char* source = nullptr; // none: values[0] as it stands
        std::vector<std::string> values{};
        // A part quoting another reason inside it, said in the same language as the part.
        std::vector<Reason> inner{};
        bool operator==(const Part& other) const;
    };
    std::vector<Part> parts_;

public:
    // A part whose %1, %2... are other reasons, said in the same language: "...(%1): nothing to carry on".
    static Reason quoting(const char* source, std::vector<Reason> inner);
    // A text that is the same in every language: a name, a number, a probe's serial.
    static Reason verbatim(std::string text);
};

} // namespace tarvelon::surveys
