#include "platform/qt/qt_desktop.h"

#include "platform/qt/qt_text.h"

#include <QDesktopServices>
#include <QUrl>

namespace tarvelon {

bool QtDesktop::open(const std::string& address)
{
    return QDesktopServices::openUrl(QUrl(fromText(address)));
}

} // namespace tarvelon
