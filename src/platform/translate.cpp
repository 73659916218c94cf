#include "platform/translate.h"

#include "platform/cp1252.h"

#include <vector>

namespace tarvelon {

namespace {
Translator gTranslator = nullptr;
} // namespace

void setTranslator(Translator translator)
{
    gTranslator = translator;
}

Translator currentTranslator()
{
    return gTranslator;
}

std::string translate(const char* context, const char* source, const char* disambiguation, int count)
{
    if (gTranslator)
        return gTranslator(context, source, disambiguation, count);
    // Sources are UTF-8, like every literal of the program; the program's text is Windows-1252.
    std::string text = toCp1252(fromUtf8(source));
    if (count < 0)
        return text;
    // Without a catalogue (the core's own tests) only the count is filled in; the plural
    // forms, English ones included, come from the catalogues.
    for (std::size_t at = text.find("%n"); at != std::string::npos; at = text.find("%n", at))
        text.replace(at, 2, std::to_string(count));
    return text;
}

std::string fillIn(const std::string& text, std::initializer_list<std::string> values)
{
    return fillIn(text, std::vector<std::string>(values));
}

std::string fillIn(const std::string& text, const std::vector<std::string>& v)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '%' && next >= '1' && next <= '9' && std::size_t(next - '1') < v.size()) {
            out += v[std::size_t(next - '1')];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace tarvelon
