#include "analysis/said.h"

#include "platform/cp1252.h"

namespace tarvelon::surveys {

std::string said(const char* source)
{
    return toUtf8(fromCp1252(translate("Texts", source)));
}

std::string said(const char* source, std::initializer_list<std::string> values)
{
    return fillIn(said(source), values);
}

} // namespace tarvelon::surveys
