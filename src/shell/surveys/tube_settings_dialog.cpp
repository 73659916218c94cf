#include "shell/surveys/tube_settings_dialog.h"

#include "shell/help_texts.h"
#include "shell/surveys/survey_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>

namespace tarvelon {
namespace {

// A box whose lowest value stands for "not set".
QDoubleSpinBox* optionalBox(QWidget* parent, const char* name, double max, int decimals, const QString& unset,
                            const std::optional<double>& value, double unsetValue = 0)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(unsetValue, max);
    box->setDecimals(decimals);
    box->setSpecialValueText(unset);
    box->setValue(value.value_or(unsetValue));
    return box;
}

std::optional<double> valueOf(const QDoubleSpinBox* box)
{
    return box->value() == box->minimum() ? std::nullopt : std::optional<double>(box->value());
}

} // namespace

TubeSettingsDialog::TubeSettingsDialog(const surveys::TubeKey& tube, const surveys::TubeSettings& settings,
                                       QWidget* parent)
    : QDialog(parent), settings_(settings)
{
    setObjectName(QStringLiteral("TubeSettings"));
    setWindowTitle(QStringLiteral("Tube Settings"));
    auto* form = new QFormLayout(this);
    form->addRow(new QLabel(QStringLiteral("<b>%1 / %2 / tube %3</b>")
                                .arg(qs(tube.client).toHtmlEscaped(), qs(tube.site).toHtmlEscaped(),
                                     qs(tube.tube).toHtmlEscaped()),
                            this));
    constant_ = optionalBox(this, "probeConstant", 1e7, 0, QStringLiteral("not set"),
                            settings.constant > 0 ? std::optional<double>(settings.constant) : std::nullopt);
    form->addRow(QStringLiteral("Probe constant K:"), constant_);
    units_ = new QComboBox(this);
    units_->setObjectName(QStringLiteral("units"));
    units_->addItems({QStringLiteral("mm"), QStringLiteral("in")});
    units_->setCurrentIndex(settings.units == surveys::Units::Inches ? 1 : 0);
    form->addRow(QStringLiteral("Units:"), units_);
    north_ = optionalBox(this, "north", 360, 1, QStringLiteral("as the header says"), settings.north, -1);
    form->addRow(QStringLiteral("North of A0 (degrees):"), north_);
    const char* names[] = {"alertMm", "alarmMm", "alertMmPerDay", "alarmMmPerDay"};
    const QString labels[] = {QStringLiteral("Alert (mm):"), QStringLiteral("Alarm (mm):"),
                              QStringLiteral("Alert (mm/day):"), QStringLiteral("Alarm (mm/day):")};
    const std::optional<double> values[] = {settings.alertMm, settings.alarmMm, settings.alertMmPerDay,
                                            settings.alarmMmPerDay};
    for (size_t i = 0; i < 4; ++i) {
        limits_[i] = optionalBox(this, names[i], 1e5, 2, QStringLiteral("none"), values[i]);
        form->addRow(labels[i], limits_[i]);
    }
    secondPass_ = new QCheckBox(QStringLiteral("Readings 3 and 4 hold the 180-degree pass"), this);
    secondPass_->setObjectName(QStringLiteral("secondPass"));
    secondPass_->setChecked(settings.secondPass);
    form->addRow(secondPass_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    applyHelpTexts(*this);
}

surveys::TubeSettings TubeSettingsDialog::settings() const
{
    surveys::TubeSettings t = settings_;
    t.constant = valueOf(constant_).value_or(0);
    t.units = units_->currentIndex() == 1 ? surveys::Units::Inches : surveys::Units::Millimetres;
    t.north = valueOf(north_);
    t.alertMm = valueOf(limits_[0]);
    t.alarmMm = valueOf(limits_[1]);
    t.alertMmPerDay = valueOf(limits_[2]);
    t.alarmMmPerDay = valueOf(limits_[3]);
    t.secondPass = secondPass_->isChecked();
    return t;
}

} // namespace tarvelon
