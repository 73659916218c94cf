#include "shell/header_page.h"
#include "shell/texts.h"

#include "shell/controls.h"

#include <QEvent>
#include <QKeyEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvelon {

HeaderPage::HeaderPage(QWidget* parent) : QGroupBox(Texts::tr("Blocks Header"), parent)
{
    setObjectName(QStringLiteral("Frame1"));
    FieldBuilder b(this);
    auto* g = new QGridLayout(this);
    g->setHorizontalSpacing(10);
    g->setVerticalSpacing(6);
    g->setColumnStretch(3, 1);

    struct Line {
        const char* box;
        const char* caption;
        const char* hint; // empty: none
        bool shown;
    };
    // Top to bottom as the operator reads a header; the hidden rows carry fields the
    // operations still fill and read.
    static constexpr Line kLines[] = {
        {"Text3", QT_TRANSLATE_NOOP("Texts", "Client  :"), "", true},
        {"Text4", QT_TRANSLATE_NOOP("Texts", "Site :"), "", true},
        {"Text5", QT_TRANSLATE_NOOP("Texts", "Tube no :"), "", true},
        {"Text6", QT_TRANSLATE_NOOP("Texts", "Depth  :"), QT_TRANSLATE_NOOP("Texts", "Max.  100.0 mt.     Max.  200.0 mt.  "), true},
        {"Text10", QT_TRANSLATE_NOOP("Texts", "Readout no  :"), "", true},
        {"Text11", QT_TRANSLATE_NOOP("Texts", "Date  :"), QT_TRANSLATE_NOOP("Texts", "DDMMYY"), true},
        {"Text12", QT_TRANSLATE_NOOP("Texts", "Time  :"), QT_TRANSLATE_NOOP("Texts", "HHMMSS"), true},
        {"Text7", QT_TRANSLATE_NOOP("Texts", "Step  :"), QT_TRANSLATE_NOOP("Texts", "0 = 0,5 mt.          1 = 1 mt"), false},
        {"Text8", QT_TRANSLATE_NOOP("Texts", "Guides no  :"), "2 - 4", false},
        {"Text9", QT_TRANSLATE_NOOP("Texts", "North  :"), QT_TRANSLATE_NOOP("Texts", "from ±000° to ±360°"), false},
        {"Text15", QT_TRANSLATE_NOOP("Texts", "FILE NAME :"), "", false},
    };

    const QString blockCaption = Texts::tr("Block  Number (01-30)  :");
    QLabel* blockLabel = b.label(QStringLiteral("lblText2"), blockCaption);
    QPushButton* minus = makeStepButton(this, "sscommand9", "-");
    QLineEdit* text2 = b.box("Text2", blockCaption.trimmed());
    QPushButton* plus = makeStepButton(this, "sscommand10", "+");
    g->addWidget(blockLabel, 0, 0);
    g->addLayout(row({minus, text2, plus}), 0, 1);
    QPushButton* copy = makeButton(this, "sscommand11", QT_TRANSLATE_NOOP("Texts", "&Copy Data"));
    giveRoom(copy);
    g->addWidget(copy, 0, 2, Qt::AlignLeft);
    g->setRowMinimumHeight(1, lines(this, 0.6));

    int r = 2;
    for (const Line& line : kLines) {
        const QString caption = Texts::tr(line.caption);
        QLabel* label = b.label(QStringLiteral("lbl") + QLatin1String(line.box), caption);
        QLineEdit* edit = b.box(line.box, caption.trimmed());
        g->addWidget(label, r, 0);
        QLabel* hint = nullptr;
        if (*line.hint) {
            hint = b.label(QStringLiteral("hint") + QLatin1String(line.box), Texts::tr(line.hint));
            g->addWidget(hint, r, 2);
        }
        if (hint && QLatin1String(line.box) == QLatin1String("Text6"))
            hint->setToolTip(Texts::tr("The deepest a block may be, in metres (mt.):\n"
                                       "Max. 100.0 mt. for a block read every 0.5 m (step 0),\n"
                                       "Max. 200.0 mt. for a block read every 1 m (step 1)."));
        if (QLatin1String(line.box) == QLatin1String("Text6")) {
            edit->setToolTip(QStringLiteral("Inserire cifre senza punto decimale"));
            // The fourth depth digit, tenths, follows the whole metres.
            QLineEdit* tenths = b.box("Text13", Texts::tr("%1 tenths").arg(caption.trimmed()));
            tenths->setReadOnly(true);
            tenths->installEventFilter(this);
            tenths_ = tenths;
            g->addLayout(row({edit, tenths}), r, 1);
        } else {
            g->addWidget(edit, r, 1, Qt::AlignLeft);
        }
        if (!line.shown) {
            hideAll({label, edit});
            if (hint)
                hint->hide();
        }
        ++r;
    }
    for (const char* name : {"Text11", "Text12", "Text15"})
        findChild<QLineEdit*>(QLatin1String(name))->setReadOnly(true);
    // Date and time come from the unit: they look as boxes that take no typing do (their
    // tooltips say so).
    for (const char* name : {"Text11", "Text12"})
        findChild<QLineEdit*>(QLatin1String(name))->setStyleSheet(QStringLiteral("QLineEdit { background: palette(window); }"));
    g->setRowStretch(r, 1);
}

QList<QWidget*> HeaderPage::tabOrder() const
{
    return childrenNamed(this, {"sscommand9", "Text2", "sscommand10", "sscommand11", "Text3", "Text4", "Text5", "Text6",
                                "Text13", "Text10"});
}

bool HeaderPage::eventFilter(QObject* watched, QEvent* event)
{
    // A disabled box (while an operation runs) takes no double-click, nor Space.
    if (watched == tenths_ && tenths_->isEnabled()) {
        if (event->type() == QEvent::MouseButtonDblClick)
            emit tenthsDoubleClicked();
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
            emit tenthsDoubleClicked();
            return true;
        }
        // The two values it takes may be typed too; any other key leaves it as it is.
        if (event->type() == QEvent::KeyPress) {
            const QString typed = static_cast<QKeyEvent*>(event)->text();
            if (typed == QStringLiteral("0") || typed == QStringLiteral("5")) {
                static_cast<QLineEdit*>(tenths_)->setText(typed);
                return true;
            }
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace tarvelon
