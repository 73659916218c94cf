#include "shell/about_box.h"
#include "shell/texts.h"

#include "platform/desktop.h"
#include "shell/controls.h"
#include "shell/help_texts.h"
#include "shell/maker.h"
#include "shell/notices_window.h"
#include "shell/splash_screen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>
#include <string>
#include <string_view>

// The build's commit, written at every build.
#include "build_id.h"

#ifndef TARVELON_VERSION
#define TARVELON_VERSION "unknown"
#endif
#ifndef TARVELON_BUILD_DATE
#define TARVELON_BUILD_DATE ""
#endif

namespace tarvelon {

QString programVersion()
{
    const QString date = QStringLiteral(TARVELON_BUILD_DATE);
    if (date.isEmpty())
        return Texts::tr("Program version %1, build %2").arg(QStringLiteral(TARVELON_VERSION), QStringLiteral(TARVELON_BUILD));
    return Texts::tr("Program version %1, build %2 of %3")
        .arg(QStringLiteral(TARVELON_VERSION), QStringLiteral(TARVELON_BUILD), date);
}

AboutBox::AboutBox(Desktop& desktop, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("aboutus");
    setWindowTitle(Texts::tr("About"));
    setAttribute(Qt::WA_DeleteOnClose);
    useWindowKeys(this);

    auto* grid = new QGridLayout;
    auto caption = [](const char* text) {
        auto* label = new QLabel(Texts::tr(text));
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        return label;
    };
    const char* pairs[][2] = {
        {QT_TRANSLATE_NOOP("Texts", "Application :"), "Tarvelon Manager "},
        {QT_TRANSLATE_NOOP("Texts", "Version :"), "1.0"},
        {QT_TRANSLATE_NOOP("Texts", "Description :"),
         QT_TRANSLATE_NOOP("Texts", "Communication software with incremental readout unit Tarvelon")},
        {QT_TRANSLATE_NOOP("Texts", "Software :"), maker::kAuthor},
    };
    int row = 0;
    for (const auto& pair : pairs) {
        QLabel* label = caption(pair[0]);
        auto* value = new QLabel(Texts::tr(pair[1]));
        value->setWordWrap(true);
        grid->addWidget(label, row, 0, Qt::AlignTop);
        grid->addWidget(value, row, 1);
        ++row;
        // The fixed "1.0" stays; the program's own version and build follow on a line of their own.
        if (std::string_view(pair[0]) == "Version :") {
            auto* build = new QLabel(programVersion());
            build->setObjectName("lblBuild");
            build->setTextInteractionFlags(Qt::TextSelectableByMouse);
            // The commit's name varies in width from build to build: the line wraps, never cuts.
            build->setWordWrap(true);
            grid->addWidget(build, row++, 1);
        }
    }

    auto* logo = new QLabel;
    logo->setObjectName("Image1");
    logo->setPixmap(splashPicture(QSize(600, 400)).scaled(150, 100, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    auto* maker = new QLabel(QString(maker::kName) + "\nTel. " + maker::kTelephone);

    auto link = [](const QString& shown, const char* name, std::function<void()> action) {
        auto* l = new QLabel("<a href=\"#\">" + shown.toHtmlEscaped() + "</a>");
        l->setObjectName(name);
        l->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        l->setAccessibleName(shown);
        QObject::connect(l, &QLabel::linkActivated, l, std::move(action));
        return l;
    };
    auto open = [&desktop](std::string address) { return [&desktop, address] { desktop.open(address); }; };
    // The logo and the maker side by side across both columns, so the logo does not widen
    // the caption column.
    auto* makerRow = new QHBoxLayout;
    makerRow->addWidget(logo, 0, Qt::AlignTop);
    makerRow->addSpacing(fontMetrics().height());
    makerRow->addWidget(maker, 0, Qt::AlignTop);
    makerRow->addStretch(1);
    grid->setRowMinimumHeight(row++, fontMetrics().height() / 2);
    grid->addLayout(makerRow, row++, 0, 1, 2);
    grid->setRowMinimumHeight(row++, fontMetrics().height() / 2);
    grid->addWidget(caption(QT_TRANSLATE_NOOP("Texts", "Email:")), row, 0);
    grid->addWidget(link(maker::kSupportMail, "lblEmail", open(std::string("mailto:") + maker::kSupportMail)), row, 1);
    ++row;
    grid->addWidget(caption(QT_TRANSLATE_NOOP("Texts", "Website:")), row, 0);
    grid->addWidget(link(maker::kWebSite, "lblWebsite", open(maker::kWebSite)), row, 1);
    ++row;
    // The program is distributed under the GPL with other people's software inside: both
    // licences travel with it and are one click away.
    grid->addWidget(caption(QT_TRANSLATE_NOOP("Texts", "Licences:")), row, 0);
    grid->addWidget(link(Texts::tr("GPL-3.0-or-later, third-party notices"), "lblLicences",
                         [this] { (new NoticesWindow(this))->show(); }),
                    row, 1);

    auto* close = new QPushButton(Texts::tr("&Close"));
    close->setObjectName("btnclose");
    close->setAccessibleName(Texts::tr("Close"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(close, 0, Qt::AlignRight);
    // Wide enough that the description wraps once at most, in any font size.
    setMinimumWidth(fontMetrics().height() * 34);
    applyHelpTexts(*this);
}

} // namespace tarvelon
