#include "platform/qt/qt_messages.h"

#include "platform/qt/qt_text.h"

#include <QCoreApplication>
#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace tarvelon {

QString QtMessages::shown(const std::string& text) const
{
    return shown_ ? shown_(text) : fromText(text);
}

void QtMessages::show(const std::string& text, Icon icon, const std::string& title)
{
    // A long list (rows not read, commands refused) keeps its first lines in the box and the
    // whole in its details, so OK stays on the screen.
    constexpr qsizetype kLinesShown = 12;
    const QString whole = shown(text);
    QStringList lines = whole.split(QLatin1Char('\n'));
    const qsizetype more = lines.size() - kLinesShown;
    if (more > 0) {
        lines.resize(kLinesShown);
        lines << QCoreApplication::translate("Texts", "and %1 more lines: Show Details\u2026").arg(more);
    }
    QMessageBox box(icon == Icon::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                    title.empty() ? QString::fromLatin1(kProgramTitle) : fromText(title), lines.join(QLatin1Char('\n')),
                    QMessageBox::Ok, parent_);
    if (more > 0)
        box.setDetailedText(whole);
    box.exec();
}

bool QtMessages::askOkCancel(const std::string& text, const std::string& erases)
{
    // Enter alone never erases.
    return ask(Question{text, {}, erases, {}, {}, !erases.empty()}) == Answer::Ok;
}

Answer QtMessages::ask(const Question& q)
{
    QMessageBox box(QMessageBox::NoIcon, q.title.empty() ? QString::fromLatin1(kProgramTitle) : shown(q.title),
                    shown(q.text), QMessageBox::Ok | QMessageBox::Cancel, parent_);
    if (!q.erases.empty())
        box.setInformativeText(shown(q.erases));
    // The whole list stays out of the box's height, so OK and Cancel stay on the screen.
    if (!q.details.empty())
        box.setDetailedText(shown(q.details));
    QAbstractButton* extra = nullptr;
    if (!q.extra.empty())
        extra = box.addButton(shown(q.extra), QMessageBox::ActionRole);
    if (q.cancelDefault)
        box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    if (extra && box.clickedButton() == extra)
        return Answer::Extra;
    return answer == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

} // namespace tarvelon
