#include "platform/qt/qt_messages.h"

#include "platform/qt/qt_text.h"

#include <QMessageBox>

namespace tarvelon {

QString QtMessages::shown(const std::string& text) const
{
    return shown_ ? shown_(text) : fromText(text);
}

void QtMessages::show(const std::string& text, Icon icon, const std::string& title)
{
    QMessageBox box(icon == Icon::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                    title.empty() ? QString::fromLatin1(kProgramTitle) : fromText(title), shown(text),
                    QMessageBox::Ok, parent_);
    box.exec();
}

bool QtMessages::askOkCancel(const std::string& text, const std::string& erases)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kProgramTitle), shown(text),
                    QMessageBox::Ok | QMessageBox::Cancel, parent_);
    if (!erases.empty()) {
        // Enter alone never erases.
        box.setInformativeText(shown(erases));
        box.setDefaultButton(QMessageBox::Cancel);
    }
    return box.exec() == QMessageBox::Ok;
}

} // namespace tarvelon
