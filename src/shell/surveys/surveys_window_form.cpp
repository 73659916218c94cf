// The Surveys window's controls and their layout.
#include "shell/surveys/surveys_window.h"

#include "report/tube_report.h"
#include "shell/controls.h"
#include "shell/file_boxes.h"
#include "shell/remembered_choices.h"
#include "shell/help_texts.h"
#include "shell/surveys/alarm_bar.h"
#include "shell/surveys/corrections_dialog.h"
#include "shell/surveys/library_dialog.h"
#include "shell/surveys/history_view.h"
#include "shell/surveys/survey_charts.h"
#include "shell/surveys/survey_library.h"
#include "shell/surveys/survey_tables.h"
#include "shell/surveys/survey_texts.h"
#include "shell/surveys/surveys_tree.h"
#include "shell/surveys/library_boxes.h"
#include "shell/surveys/site_view.h"
#include "shell/surveys/sync_box.h"
#include "shell/surveys/tube_settings_dialog.h"
#include "shell/texts.h"

#include <QBoxLayout>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSocketNotifier>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include <algorithm>
#include <set>

namespace tarvelon {

void SurveysWindow::buildUi()
{
    auto* layout = new QVBoxLayout(this);
    // The messages keep one height and scroll, so nothing under them moves as they change.
    auto* statusArea = new QScrollArea(this);
    statusArea->setObjectName(QStringLiteral("statusArea"));
    statusArea->setWidgetResizable(true);
    statusArea->setFrameShape(QFrame::NoFrame);
    statusArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    status_ = new QLabel(statusArea);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusArea->setWidget(status_);
    statusArea->setFixedHeight(status_->fontMetrics().lineSpacing() * 3 + 6);
    layout->addWidget(statusArea);
    // After an acknowledgement the tube's history, which records it, is read again.
    alarmBar_ = new AlarmBar(store_, [this] { reload(); }, this);
    layout->addWidget(alarmBar_);

    auto* split = new QSplitter(Qt::Horizontal, this);
    layout->addWidget(split, 1);
    tree_ = new SurveysTree(split);
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &SurveysWindow::onSelectionChanged);
    // A tube's own line chooses no readout, and still names the tube whose settings to edit.
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] {
        settingsButton_->setEnabled(!isReadOnly() && tree_->currentTube());
        showSiteIfChosen();
    });

    pages_ = new QStackedWidget(split);
    auto* right = new QWidget(pages_);
    pages_->addWidget(right);
    site_ = new SiteView(pages_);
    pages_->addWidget(site_);
    connect(site_, &SiteView::tubeOpened, this, &SurveysWindow::openTube);
    connect(site_, &SiteView::reportAsked, this, [this] {
        chooseExport(Texts::tr("Site Report"), Texts::tr("PDF document (*.pdf)"),
                     QStringLiteral("-site-report.pdf"), &SurveysWindow::writeSiteReport);
    });
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    auto* header = new QLabel(right);
    header->setObjectName(QStringLiteral("readoutHeader"));
    header->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    rightLayout->addWidget(header);

    auto* tools = new QHBoxLayout;
    baseButton_ = new QPushButton(Texts::tr("Mark as &Base"), right);
    baseButton_->setObjectName(QStringLiteral("markBase"));
    connect(baseButton_, &QPushButton::clicked, this, [this] { whenIdle([this] { askToSetBase(); }); });
    settingsButton_ = new QPushButton(Texts::tr("Tube &Settings..."), right);
    settingsButton_->setObjectName(QStringLiteral("tubeSettings"));
    connect(settingsButton_, &QPushButton::clicked, this, [this] { whenIdle([this] { editTubeSettings(); }); });
    correctButton_ = new QPushButton(Texts::tr("&Propose corrections..."), right);
    correctButton_->setObjectName(QStringLiteral("proposeCorrections"));
    connect(correctButton_, &QPushButton::clicked, this, [this] {
        whenIdle([this] {
            if (const std::unique_ptr<CorrectionsDialog> dialog = correctionsDialog())
                dialog->exec();
        });
    });
    probeButton_ = new QPushButton(Texts::tr("Pr&obe..."), right);
    probeButton_->setObjectName(QStringLiteral("readoutProbe"));
    connect(probeButton_, &QPushButton::clicked, this, [this] { whenIdle([this] { editProbe(); }); });
    reportButton_ = new QPushButton(Texts::tr("&Report..."), right);
    reportButton_->setObjectName(QStringLiteral("report"));
    connect(reportButton_, &QPushButton::clicked, this, [this] {
        whenIdle([this] {
            ReportChoicesDialog box(result_, reportChoices_, this, tubeSurveys_.size());
            if (box.exec() != QDialog::Accepted)
                return;
            reportChoices_ = box.choices();
            chooseExport(Texts::tr("Tube Report"), Texts::tr("PDF document (*.pdf)"),
                         QStringLiteral("-report.pdf"), &SurveysWindow::writeReport);
        });
    });
    deleteButton_ = new QPushButton(Texts::tr("&Delete..."), right);
    deleteButton_->setObjectName(QStringLiteral("deleteSurvey"));
    connect(deleteButton_, &QPushButton::clicked, this, [this] { whenIdle([this] { askToDelete(); }); });
    for (QPushButton* b : {baseButton_, settingsButton_, correctButton_, probeButton_, reportButton_, deleteButton_})
        tools->addWidget(b);
    tools->addStretch(1);
    rightLayout->addLayout(tools);

    auto* vsplit = new QSplitter(Qt::Vertical, right);
    rightLayout->addWidget(vsplit, 1);
    charts_ = new SurveyCharts(vsplit);
    history_ = new HistoryView(charts_);
    charts_->addTab(history_, Texts::tr("History"));
    tables_ = std::make_unique<SurveyTables>(header, new QTableWidget(vsplit));
    // The header keeps the height of its longest form, an incomplete readout's four rows.
    header->setFixedHeight(tables_->headerHeight());
    // Either caption fits, so the buttons after it stay where they are.
    baseButton_->setMinimumWidth(std::max(baseButton_->sizeHint().width(),
                                          QPushButton(Texts::tr("Clear &Base")).sizeHint().width()));
    vsplit->setStretchFactor(0, 3);
    vsplit->setStretchFactor(1, 2);
    split->setStretchFactor(1, 3);
    split->setSizes({370, 730}); // room for a readout's marks: "No. 04  possible bias shift"

    auto* buttons = new QHBoxLayout;
    importButton_ = new QPushButton(Texts::tr("&Import..."), this);
    importButton_->setObjectName(QStringLiteral("import"));
    auto* importMenu = new QMenu(importButton_);
    importMenu->addAction(Texts::tr("&Export Files..."), this, [this] { chooseImport(false); });
    importMenu->addAction(Texts::tr("&Folder..."), this, [this] { chooseImport(true); });
    importButton_->setMenu(importMenu);
    auto* chartButton = new QPushButton(Texts::tr("Export &Charts..."), this);
    chartButton->setObjectName(QStringLiteral("exportCharts"));
    connect(chartButton, &QPushButton::clicked, this, [this] {
        whenIdle([this] {
            // For the screen, a document, a print: the same picture with more pixels.
            const QStringList resolutions{QStringLiteral("96 dpi"), QStringLiteral("150 dpi"), QStringLiteral("300 dpi")};
            bool ok = false;
            const QString chosen = QInputDialog::getItem(
                this, Texts::tr("Export Charts"), Texts::tr("Resolution of the PNG images:"), resolutions,
                std::max(0, int(resolutions.indexOf(QStringLiteral("%1 dpi").arg(chartDpi_)))), false, &ok);
            if (!ok)
                return;
            chartDpi_ = chosen.section(QLatin1Char(' '), 0, 0).toInt();
            chooseExport(Texts::tr("Export Charts"), Texts::tr("PNG and SVG of each chart (*.png *.svg)"),
                         QStringLiteral("-charts.png"), &SurveysWindow::exportCharts);
        });
    });
    auto* tableButton = new QPushButton(Texts::tr("Export &Table..."), this);
    tableButton->setObjectName(QStringLiteral("exportTable"));
    connect(tableButton, &QPushButton::clicked, this, [this] {
        chooseExport(Texts::tr("Export Table"), Texts::tr("CSV table (*.csv)"), QStringLiteral("-table.csv"),
                     &SurveysWindow::exportTable);
    });
    auto* libraryButton = new QPushButton(Texts::tr("&Library..."), this);
    libraryButton->setObjectName(QStringLiteral("library"));
    connect(libraryButton, &QPushButton::clicked, this, [this] {
        whenIdle([this] { LibraryDialog::choose(this, [this](const QString& l) { return useLibrary(l); }); });
    });
    syncButton_ = new QPushButton(Texts::tr("S&ync..."), this);
    syncButton_->setObjectName(QStringLiteral("sync"));
    connect(syncButton_, &QPushButton::clicked, this, [this] { whenIdle([this] { chooseSync(); }); });
    auto* closeButton = new QPushButton(Texts::tr("&Close"), this);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    for (QPushButton* b : {importButton_, chartButton, tableButton, libraryButton, syncButton_})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    resize(1100, 760);
}

} // namespace tarvelon
