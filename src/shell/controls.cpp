#include "shell/controls.h"

#include "link/fields.h"
#include "platform/qt/qt_text.h"
#include "shell/texts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <string>

namespace tarvelon {
namespace {

// Wide enough for maxLength of the widest letter, so no text the box may hold is cut.
int boxWidth(const QFontMetrics& fm, int maxLength, int unlimitedChars)
{
    const int chars = maxLength > 0 ? maxLength : unlimitedChars;
    return std::max(36, fm.horizontalAdvance(QString(chars, QLatin1Char('W'))) + 14);
}

// Control characters typed or pasted by the operator would end a command line early on the
// unit's side; they never reach a box.
void dropControlCharacters(QLineEdit* box)
{
    QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString& text) {
        const QString clean = withoutControlCharacters(text);
        if (clean.size() == text.size())
            return;
        const int cursor = box->cursorPosition() - int(text.left(box->cursorPosition()).size() -
                                                       withoutControlCharacters(text.left(box->cursorPosition())).size());
        box->setText(clean);
        box->setCursorPosition(cursor);
    });
}

} // namespace

QString withoutMnemonic(const QString& caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && ++i == caption.size())
            break;
        shown.append(caption.at(i));
    }
    return shown;
}

QString withoutControlCharacters(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar ch : text)
        if (ch.category() != QChar::Other_Control)
            out.append(ch);
    return out;
}

QString toQString(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Captions keep their leading and doubled blanks, so labels must not be read as rich text.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, bool enabled)
{
    auto* button = new QPushButton(Texts::tr(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(withoutMnemonic(button->text()).trimmed());
    button->setEnabled(enabled);
    button->setAutoDefault(false);
    return button;
}

int lines(const QWidget* w, double n)
{
    return qRound(n * w->fontMetrics().height());
}

QPushButton* makeStepButton(QWidget* parent, const char* name, const char* caption)
{
    QPushButton* button = makeButton(parent, name, caption, false);
    button->setFixedWidth(
        std::max(lines(button, 2.0), button->fontMetrics().horizontalAdvance(button->text()) + lines(button, 1.3)));
    return button;
}

void giveRoom(QPushButton* button, double minLines)
{
    button->setMinimumWidth(std::max(button->sizeHint().width() + lines(button, 1.0), lines(button, minLines)));
}

namespace {

class WindowKeys : public QObject {
public:
    WindowKeys(QWidget* window, bool escapeCloses) : QObject(window), escapeCloses_(escapeCloses) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && mods == Qt::NoModifier) {
            auto* button = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
            if (button && button->window() == watched && button->isEnabled()) {
                button->click();
                return true;
            }
        }
        if (escapeCloses_ && key->key() == Qt::Key_Escape && mods == Qt::NoModifier) {
            static_cast<QWidget*>(watched)->close();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool escapeCloses_;
};

} // namespace

void useWindowKeys(QWidget* window, bool escapeCloses)
{
    window->installEventFilter(new WindowKeys(window, escapeCloses));
}

void bringForward(QWidget* window)
{
    window->show();
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
}

void hideAll(std::initializer_list<QWidget*> widgets)
{
    for (QWidget* w : widgets)
        w->hide();
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets)
{
    auto* h = new QHBoxLayout;
    h->setSpacing(4);
    for (QWidget* w : widgets)
        h->addWidget(w);
    h->addStretch(1);
    return h;
}

QList<QWidget*> childrenNamed(const QWidget* parent, std::initializer_list<const char*> names)
{
    QList<QWidget*> found;
    for (const char* name : names) {
        QWidget* child = parent->findChild<QWidget*>(QLatin1String(name));
        Q_ASSERT_X(child, "childrenNamed", name);
        if (child)
            found.append(child);
    }
    return found;
}

QLineEdit* FieldBuilder::box(std::string_view name, const QString& accessibleName, int unlimitedChars)
{
    auto* edit = new QLineEdit(page_);
    edit->setObjectName(toQString(name));
    for (const FieldSpec& f : kFields) {
        if (f.name != name)
            continue;
        if (f.maxLength > 0)
            edit->setMaxLength(f.maxLength);
        edit->setText(fromText(std::string(f.initial)));
        edit->setFixedWidth(boxWidth(edit->fontMetrics(), f.maxLength, unlimitedChars));
    }
    edit->setAccessibleName(accessibleName);
    edit->setAccessibleDescription(toQString(name));
    dropControlCharacters(edit);
    return edit;
}

} // namespace tarvelon
