#include "shell/surveys/report_choices_dialog.h"

#include "report/report_language.h"
#include "shell/help_texts.h"
#include "shell/language.h"
#include "shell/surveys/survey_texts.h"
#include "shell/texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace tarvelon {

ReportChoicesDialog::ReportChoicesDialog(const surveys::TubeResult& tube, const ReportChoices& last, QWidget* parent,
                                         size_t tubeReadouts)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ReportChoices"));
    setWindowTitle(Texts::tr("Tube Report"));
    auto* form = new QFormLayout(this);
    // The readouts that go in, by the rule the exports follow.
    QStringList chosen;
    for (const surveys::ReadoutResult& r : tube.readouts)
        chosen << Texts::tr("No. %1").arg(qs(surveys::readoutNumber(r.survey->readout)));
    auto* readouts = new QLabel(
        Texts::tr("%1\nThe charts and tables hold the readouts chosen in the tree, as Export Table and Export "
                  "Charts do; the summary lists all %2 readouts of the tube.")
            .arg(chosen.isEmpty() ? Texts::tr("No readout chosen") : chosen.join(QStringLiteral(", ")))
            .arg(std::max(tubeReadouts, size_t(tube.readouts.size()))),
        this);
    readouts->setObjectName(QStringLiteral("reportReadouts"));
    readouts->setWordWrap(true);
    form->addRow(Texts::tr("Readouts:"), readouts);
    title_ = new QLineEdit(last.title, this);
    title_->setObjectName(QStringLiteral("reportTitle"));
    form->addRow(Texts::tr("Report &title:"), title_);
    planDepth_ = new QComboBox(this);
    planDepth_->setObjectName(QStringLiteral("planDepth"));
    planDepth_->addItem(Texts::tr("of the largest movement"), -1);
    // The depths as the tables print them, by the tube's depth reference.
    if (tube.base)
        for (const surveys::SurveyRow& r : tube.base->rows)
            planDepth_->addItem(qs(surveys::depthText(r.depthTenths / 10.0 - surveys::topOffsetM(tube.settings))),
                                r.depthTenths);
    const int at = last.planDepthTenths ? planDepth_->findData(*last.planDepthTenths) : 0;
    planDepth_->setCurrentIndex(std::max(at, 0));
    form->addRow(Texts::tr("&Plan view at depth (m):"), planDepth_);
    allTables_ = new QCheckBox(Texts::tr("A depth table for &every readout shown, not only the latest"), this);
    allTables_->setObjectName(QStringLiteral("reportAllTables"));
    allTables_->setChecked(last.allTables);
    form->addRow(allTables_);
    // The client's language, whatever the window's: the tube's default, else the program's.
    language_ = new QComboBox(this);
    language_->setObjectName(QStringLiteral("reportLanguage"));
    language_->addItem(QStringLiteral("English"), QStringLiteral("en"));
    language_->addItem(QStringLiteral("Italiano"), QStringLiteral("it"));
    const QString tubeLanguage = qs(tube.settings.report.language);
    language_->setCurrentIndex(std::max(0, language_->findData(tubeLanguage.isEmpty() ? usedLanguage() : tubeLanguage)));
    form->addRow(Texts::tr("Report &language:"), language_);
    // The default title as the report will print it, in the language chosen.
    const auto showDefaultTitle = [this] {
        const report::ReportLanguage language(language_->currentData().toString());
        title_->setPlaceholderText(report::translate("Texts", "Inclinometer report"));
    };
    showDefaultTitle();
    connect(language_, &QComboBox::currentIndexChanged, this, showDefaultTitle);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    applyHelpTexts(*this);
}

ReportChoices ReportChoicesDialog::choices() const
{
    ReportChoices c;
    c.title = title_->text().trimmed();
    if (const int tenths = planDepth_->currentData().toInt(); tenths >= 0)
        c.planDepthTenths = tenths;
    c.allTables = allTables_->isChecked();
    c.language = language_->currentData().toString();
    return c;
}

} // namespace tarvelon
