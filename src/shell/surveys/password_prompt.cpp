#include "shell/surveys/password_prompt.h"
#include "shell/texts.h"

#include "library/library_location.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include <map>
#include <string>

namespace tarvelon {
namespace {

std::map<std::string, std::string>& given()
{
    static std::map<std::string, std::string> passwords;
    return passwords;
}

} // namespace

void installPasswordPrompt()
{
    surveys::setPasswordPrompt([](const std::string& shown) -> std::optional<std::string> {
        if (const auto it = given().find(shown); it != given().end())
            return it->second;
        bool ok = false;
        const QString password = QInputDialog::getText(
            QApplication::activeWindow(), Texts::tr("Survey Library"),
            Texts::tr("Password for the survey library on\n%1:").arg(QString::fromStdString(shown)),
            QLineEdit::Password, QString(), &ok);
        if (!ok)
            return std::nullopt;
        return given()[shown] = password.toStdString();
    });
    // A connection in plain text is said once a run, in the window too; queued, since a sync
    // connects from a thread of its own.
    surveys::setConnectionNotice([](const std::string& text) {
        const QString said = QString::fromStdString(text);
        QMetaObject::invokeMethod(qApp, [said] {
            QMessageBox::warning(QApplication::activeWindow(), Texts::tr("Survey Library"),
                                 said.left(1).toUpper() + said.mid(1) + QLatin1Char('.'));
        }, Qt::QueuedConnection);
    });
}

void forgetPasswords()
{
    given().clear();
}

} // namespace tarvelon
