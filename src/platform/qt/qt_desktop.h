#pragma once
#include "platform/desktop.h"

namespace tarvelon {

// Opens addresses and mail links with the desktop's default handler.
class QtDesktop : public Desktop {
public:
    bool open(const std::string& address) override;
};

} // namespace tarvelon
