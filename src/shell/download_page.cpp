#include "shell/download_page.h"
#include "shell/texts.h"

#include "shell/controls.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvelon {

DownloadPage::DownloadPage(QWidget* parent) : QGroupBox(Texts::tr("Download Data"), parent)
{
    setObjectName(QStringLiteral("Frame2"));
    FieldBuilder b(this);
    auto* g = new QGridLayout(this);
    g->setHorizontalSpacing(10);
    g->setVerticalSpacing(6);
    g->setColumnStretch(2, 1);

    const QString blockCaption = Texts::tr("Block Number (01-30)  :");
    g->addWidget(b.label(QStringLiteral("lblnumblocco"), blockCaption), 0, 0);
    QPushButton* minus = makeStepButton(this, "Command2", "-");
    QPushButton* plus = makeStepButton(this, "Command1", "+");
    minus->setEnabled(true);
    plus->setEnabled(true);
    g->addLayout(row({minus, b.box("numblocco", blockCaption.trimmed()), plus}), 0, 1);
    g->setRowMinimumHeight(1, lines(this, 0.6));

    const QString fileCaption = Texts::tr("FILE NAME :");
    g->addWidget(b.label(QStringLiteral("lblText1"), fileCaption), 2, 0);
    QLineEdit* fileName = b.box("Text1", fileCaption.trimmed(), 30);
    g->addWidget(fileName, 2, 1, 1, 2, Qt::AlignLeft);

    const QString addressCaption = Texts::tr("RAM Address");
    g->addWidget(b.label(QStringLiteral("lblText17"), addressCaption), 3, 0);
    QLineEdit* address = b.box("Text17", addressCaption, 8);
    g->addWidget(address, 3, 1, Qt::AlignLeft);
    g->setRowMinimumHeight(4, lines(this, 0.6));

    QPushButton* folder = makeButton(this, "Command10", QT_TRANSLATE_NOOP("Texts", "&Folder"));
    QPushButton* ok = makeButton(this, "command3d1", QT_TRANSLATE_NOOP("Texts", "&Ok"), false);
    QPushButton* surveys = makeButton(this, "cmdSurveys", QT_TRANSLATE_NOOP("Texts", "S&urveys..."));
    // Every measured block in one go; like "Ok", once a folder is chosen.
    QPushButton* blocks = makeButton(this, "cmdDownloadBlocks", QT_TRANSLATE_NOOP("Texts", "&Download Blocks..."), false);
    for (QPushButton* button : {folder, ok, surveys, blocks})
        giveRoom(button, 6.5);
    g->addLayout(row({folder, ok, blocks, surveys}), 5, 1, 1, 2);
    // After a download: its survey is in the library, and a click shows it.
    auto* added = new QLabel(this);
    added->setObjectName(QStringLiteral("lblSurveyAdded"));
    added->hide();
    g->addWidget(added, 6, 1, 1, 2);

    // The zero/gain fields carry the header record's last five fields; never shown.
    struct Hidden {
        const char* box;
        const char* caption;
    };
    static constexpr Hidden kHidden[] = {
        {"Text18", "Gain 1\u00B0 Canale"}, {"Text19", "Gain 2\u00B0 Canale"}, {"Text20", "Zero 1\u00B0 Canale"},
        {"Text21", "Zero 2\u00B0 Canale"}, {"Text22", "Punto"},
    };
    int r = 7;
    for (const Hidden& h : kHidden) {
        const QString caption = QString::fromUtf8(h.caption);
        QLabel* label = b.label(QStringLiteral("lbl") + QLatin1String(h.box), caption);
        QLineEdit* edit = b.box(h.box, caption);
        edit->setEnabled(false);
        g->addWidget(label, r, 0);
        g->addWidget(edit, r, 1, Qt::AlignLeft);
        hideAll({label, edit});
        ++r;
    }
    g->setRowStretch(r, 1);
}

QList<QWidget*> DownloadPage::tabOrder() const
{
    return childrenNamed(this, {"Command2", "numblocco", "Command1", "Text1", "Text17", "Command10", "command3d1",
                               "cmdDownloadBlocks", "cmdSurveys"});
}

} // namespace tarvelon
