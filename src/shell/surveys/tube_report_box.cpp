#include "shell/surveys/tube_report_box.h"

#include "shell/remembered_choices.h"
#include "shell/surveys/survey_texts.h"
#include "shell/texts.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>

namespace tarvelon {
namespace {

QLineEdit* line(QWidget* parent, const char* name, const QString& text)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

} // namespace

TubeReportBox::TubeReportBox(const surveys::TubeReportFields& f, QWidget* parent)
    : QGroupBox(Texts::tr("Report"), parent)
{
    setObjectName(QStringLiteral("tubeReport"));
    auto* form = new QFormLayout(this);
    project_ = line(this, "project", qs(f.project));
    form->addRow(Texts::tr("Project:"), project_);
    projectNo_ = line(this, "projectNo", qs(f.projectNo));
    form->addRow(Texts::tr("Project number:"), projectNo_);
    location_ = line(this, "location", qs(f.location));
    form->addRow(Texts::tr("Location:"), location_);
    // The lowest value stands for "not set": no casing is that deep.
    topElevation_ = new QDoubleSpinBox(this);
    topElevation_->setObjectName(QStringLiteral("topElevation"));
    topElevation_->setRange(-11000, 9000);
    topElevation_->setDecimals(3);
    topElevation_->setSpecialValueText(Texts::tr("not set"));
    topElevation_->setValue(f.topElevation.value_or(-11000));
    form->addRow(Texts::tr("Casing top elevation (m):"), topElevation_);
    probeSerial_ = line(this, "probeSerial", qs(f.probeSerial));
    form->addRow(Texts::tr("Probe serial:"), probeSerial_);
    remarks_ = new QPlainTextEdit(qs(f.remarks), this);
    remarks_->setObjectName(QStringLiteral("remarks"));
    remarks_->setFixedHeight(remarks_->fontMetrics().lineSpacing() * 4);
    form->addRow(Texts::tr("Remarks:"), remarks_);
    // Languages by their own names, as the Setup page offers them.
    language_ = new QComboBox(this);
    language_->setObjectName(QStringLiteral("reportLanguage"));
    language_->addItem(Texts::tr("The program's"), QString());
    language_->addItem(QStringLiteral("English"), QStringLiteral("en"));
    language_->addItem(QStringLiteral("Italiano"), QStringLiteral("it"));
    language_->setCurrentIndex(std::max(0, language_->findData(qs(f.language))));
    form->addRow(Texts::tr("Reports in:"), language_);
    const RememberedChoices choices;
    company_ = line(this, "reportCompany", choices.reportCompany());
    form->addRow(Texts::tr("Company (every report):"), company_);
    preparer_ = line(this, "reportPreparer", choices.reportPreparer());
    form->addRow(Texts::tr("Prepared by (every report):"), preparer_);
    checker_ = line(this, "reportChecker", choices.reportChecker());
    form->addRow(Texts::tr("Checked by (every report):"), checker_);
}

surveys::TubeReportFields TubeReportBox::fields() const
{
    surveys::TubeReportFields f;
    f.project = project_->text().trimmed().toStdString();
    f.projectNo = projectNo_->text().trimmed().toStdString();
    f.location = location_->text().trimmed().toStdString();
    f.probeSerial = probeSerial_->text().trimmed().toStdString();
    f.remarks = remarks_->toPlainText().trimmed().toStdString();
    f.language = language_->currentData().toString().toStdString();
    if (topElevation_->value() != topElevation_->minimum())
        f.topElevation = topElevation_->value();
    return f;
}

void TubeReportBox::keepAuthor() const
{
    RememberedChoices().setReportAuthor(company_->text().trimmed(), preparer_->text().trimmed(),
                                        checker_->text().trimmed());
}

} // namespace tarvelon
