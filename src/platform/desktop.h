#pragma once
#include <string>

namespace tarvelon {

// Hands an address ("https://...", "mailto:...") to the desktop's default handler.
class Desktop {
public:
    virtual ~Desktop() = default;
    virtual bool open(const std::string& address) = 0;
};

} // namespace tarvelon
