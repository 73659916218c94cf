#include "shell/surveys/probe_dialog.h"

#include "analysis/displacement.h"
#include "shell/help_texts.h"
#include "shell/surveys/survey_texts.h"
#include "shell/texts.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace tarvelon {

ProbeDialog::ProbeDialog(const surveys::Survey& readout, const surveys::TubeSettings& settings, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ReadoutProbe"));
    setWindowTitle(Texts::tr("Probe"));
    auto* form = new QFormLayout(this);
    form->addRow(new QLabel(Texts::tr("<b>Readout %1 of %2, tube %3</b>")
                                .arg(qs(surveys::readoutNumber(readout.readout)), qs(readout.date),
                                     qs(readout.tube).toHtmlEscaped()),
                            this));
    serial_ = new QLineEdit(qs(readout.probeSerial), this);
    serial_->setObjectName(QStringLiteral("probeSerial"));
    form->addRow(Texts::tr("&Serial:"), serial_);
    constant_ = new QDoubleSpinBox(this);
    constant_->setObjectName(QStringLiteral("readoutConstant"));
    constant_->setRange(0, 1e7);
    constant_->setDecimals(0);
    // The lowest value stands for the tube's own constant, named with it when set.
    constant_->setSpecialValueText(settings.constant > 0
                                       ? Texts::tr("the tube's (%1)").arg(settings.constant, 0, 'g', 10)
                                       : Texts::tr("the tube's (not set)"));
    constant_->setValue(readout.probeConstant.value_or(0));
    form->addRow(Texts::tr("Probe &constant K:"), constant_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    applyHelpTexts(*this);
}

std::string ProbeDialog::serial() const
{
    return serial_->text().trimmed().toStdString();
}

std::optional<double> ProbeDialog::constant() const
{
    return constant_->value() > 0 ? std::optional<double>(constant_->value()) : std::nullopt;
}

} // namespace tarvelon
