#include "shell/surveys/tube_settings_dialog.h"

#include "shell/help_texts.h"
#include "shell/surveys/survey_texts.h"
#include "shell/surveys/tube_report_box.h"
#include "shell/texts.h"
#include "analysis/displacement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QTabWidget>
#include <QVBoxLayout>

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
    : QDialog(parent), settings_(settings), shownRateUnit_(settings.rateUnit)
{
    setObjectName(QStringLiteral("TubeSettings"));
    setWindowTitle(Texts::tr("Tube Settings"));
    // The probe and thresholds on one tab, the report's fields on another: each fits a small
    // screen whole, OK and Cancel always in view.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Texts::tr("<b>%1 / %2 / tube %3</b>")
                                     .arg(qs(tube.client).toHtmlEscaped(), qs(tube.site).toHtmlEscaped(),
                                          qs(tube.tube).toHtmlEscaped()),
                                 this));
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tubeSettingsTabs"));
    layout->addWidget(tabs);
    auto* probe = new QWidget(tabs);
    auto* form = new QFormLayout(probe);
    tabs->addTab(probe, Texts::tr("&Probe and thresholds"));
    constant_ = optionalBox(this, "probeConstant", 1e7, 0, Texts::tr("not set"),
                            settings.constant > 0 ? std::optional<double>(settings.constant) : std::nullopt);
    form->addRow(Texts::tr("Probe &constant K:"), constant_);
    units_ = new QComboBox(this);
    units_->setObjectName(QStringLiteral("units"));
    units_->addItems({QStringLiteral("mm"), QStringLiteral("in")});
    units_->setCurrentIndex(settings.units == surveys::Units::Inches ? 1 : 0);
    form->addRow(Texts::tr("&Units:"), units_);
    north_ = optionalBox(this, "north", 360, 1, Texts::tr("as the header says"), settings.north, -1);
    form->addRow(Texts::tr("&North of A0 (degrees):"), north_);
    reference_ = new QComboBox(this);
    reference_->setObjectName(QStringLiteral("depthReference"));
    reference_->addItems({Texts::tr("the probe's upper wheel"), Texts::tr("the probe's lower wheel"),
                          Texts::tr("the probe's centre")});
    reference_->setCurrentIndex(int(settings.depthReference));
    form->addRow(Texts::tr("A reading's &depth marks:"), reference_);
    gauge_ = new QDoubleSpinBox(this);
    gauge_->setObjectName(QStringLiteral("gauge"));
    gauge_->setRange(0.05, 10);
    gauge_->setDecimals(3);
    gauge_->setSingleStep(0.5);
    gauge_->setValue(settings.gaugeM);
    form->addRow(Texts::tr("&Gauge length (m):"), gauge_);
    rateUnit_ = new QComboBox(this);
    rateUnit_->setObjectName(QStringLiteral("rateUnit"));
    rateUnit_->addItems({Texts::tr("per day"), Texts::tr("per month"), Texts::tr("per year")});
    rateUnit_->setCurrentIndex(int(settings.rateUnit));
    // Thresholds are kept in millimetres per day and typed in the tube's units.
    const char* names[] = {"alertMm", "alarmMm", "alertMmPerDay", "alarmMmPerDay"};
    const std::optional<double> values[] = {settings.alertMm, settings.alarmMm, settings.alertMmPerDay,
                                            settings.alarmMmPerDay};
    for (size_t i = 0; i < 4; ++i) {
        const auto shown = !values[i] ? std::nullopt
                           : i < 2    ? std::optional<double>(surveys::inUnits(*values[i], settings.units))
                                      : std::optional<double>(surveys::rateInUnits(*values[i], settings));
        limits_[i] = optionalBox(this, names[i], 1e5, 3, Texts::tr("none"), shown);
        limitLabels_[i] = new QLabel(this);
        limitLabels_[i]->setBuddy(limits_[i]);
        form->addRow(limitLabels_[i], limits_[i]);
    }
    labelLimits();
    connect(units_, &QComboBox::currentIndexChanged, this, [this] {
        const bool inches = units_->currentIndex() == 1;
        for (QDoubleSpinBox* box : limits_)
            if (box->value() != box->minimum())
                box->setValue(inches ? box->value() / 25.4 : box->value() * 25.4);
        precision_->setValue(inches ? precision_->value() / 25.4 : precision_->value() * 25.4);
        labelLimits();
    });
    // A rate threshold keeps its speed when the time it is given per changes.
    connect(rateUnit_, &QComboBox::currentIndexChanged, this, [this] {
        for (size_t i = 2; i < 4; ++i)
            if (limits_[i]->value() != limits_[i]->minimum()) {
                surveys::TubeSettings was = settings_, now = settings_;
                was.rateUnit = shownRateUnit_;
                now.rateUnit = surveys::RateUnit(rateUnit_->currentIndex());
                was.units = now.units = surveys::Units::Millimetres;
                limits_[i]->setValue(surveys::rateInUnits(surveys::rateMmPerDay(limits_[i]->value(), was), now));
            }
        shownRateUnit_ = surveys::RateUnit(rateUnit_->currentIndex());
        labelLimits();
    });
    secondPass_ = new QCheckBox(Texts::tr("Readings 3 and 4 hold the &180-degree pass"), this);
    secondPass_->setObjectName(QStringLiteral("secondPass"));
    secondPass_->setChecked(settings.secondPass);
    form->addRow(secondPass_);
    tolerance_ = optionalBox(this, "checksumTolerance", 1e5, 1, Texts::tr("none"), settings.checksumTolerance);
    form->addRow(Texts::tr("Checksum &tolerance (units):"), tolerance_);
    // How rates are given and told from noise, and where the sums start, on a tab of their own
    // so the probe's tab fits a small screen at a large font.
    auto* rates = new QWidget(tabs);
    auto* ratesForm = new QFormLayout(rates);
    tabs->addTab(rates, Texts::tr("Fi&xed end and rates"));
    ratesForm->addRow(Texts::tr("Rates gi&ven:"), rateUnit_);
    fixedEnd_ = new QComboBox(this);
    fixedEnd_->setObjectName(QStringLiteral("fixedEnd"));
    fixedEnd_->addItems({Texts::tr("the toe"), Texts::tr("the deepest depth shared with the base"),
                         Texts::tr("the top (surveyed per readout)")});
    fixedEnd_->setCurrentIndex(int(settings.fixedEnd));
    ratesForm->addRow(Texts::tr("&Fixed end:"), fixedEnd_);
    minInterval_ = new QDoubleSpinBox(this);
    minInterval_->setObjectName(QStringLiteral("minInterval"));
    minInterval_->setRange(0, 3650);
    minInterval_->setDecimals(2);
    minInterval_->setValue(settings.minIntervalDays);
    ratesForm->addRow(Texts::tr("Minimum rate &interval (days):"), minInterval_);
    precision_ = new QDoubleSpinBox(this);
    precision_->setObjectName(QStringLiteral("precision"));
    precision_->setRange(0, 100);
    precision_->setDecimals(3);
    precision_->setSingleStep(0.01);
    precision_->setValue(surveys::inUnits(settings.precisionMm, settings.units));
    precisionLabel_ = new QLabel(this);
    precisionLabel_->setBuddy(precision_);
    ratesForm->addRow(precisionLabel_, precision_);
    labelLimits();
    // The tube's place on its site, on a tab of its own: the probe's tab fits a small screen.
    auto* sitePage = new QWidget(tabs);
    auto* siteLayout = new QFormLayout(sitePage);
    addSiteBox(siteLayout, settings);
    report_ = new TubeReportBox(settings.report, tabs);
    report_->setTitle(QString());
    report_->setFlat(true);
    tabs->addTab(report_, Texts::tr("R&eport"));
    tabs->addTab(sitePage, Texts::tr("S&ite"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        const surveys::TubeSettings t = this->settings();
        if ((t.alertMm && t.alarmMm && *t.alertMm > *t.alarmMm) ||
            (t.alertMmPerDay && t.alarmMmPerDay && *t.alertMmPerDay > *t.alarmMmPerDay)) {
            QMessageBox::warning(this, windowTitle(), Texts::tr("The alert exceeds the alarm: nothing is kept."));
            return;
        }
        report_->keepAuthor();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    applyHelpTexts(*this);
}

surveys::TubeSettings TubeSettingsDialog::settings() const
{
    surveys::TubeSettings t = settings_;
    t.constant = valueOf(constant_).value_or(0);
    t.units = units_->currentIndex() == 1 ? surveys::Units::Inches : surveys::Units::Millimetres;
    t.north = valueOf(north_);
    std::optional<double>* limits[] = {&t.alertMm, &t.alarmMm, &t.alertMmPerDay, &t.alarmMmPerDay};
    t.rateUnit = surveys::RateUnit(rateUnit_->currentIndex());
    for (size_t i = 0; i < 4; ++i) {
        *limits[i] = valueOf(limits_[i]);
        if (*limits[i] && i >= 2)
            **limits[i] = surveys::rateMmPerDay(**limits[i], t);
        else if (*limits[i] && t.units == surveys::Units::Inches)
            **limits[i] *= 25.4;
    }
    t.secondPass = secondPass_->isChecked();
    t.depthReference = surveys::DepthReference(reference_->currentIndex());
    t.gaugeM = gauge_->value();
    t.checksumTolerance = valueOf(tolerance_);
    t.fixedEnd = surveys::FixedEnd(fixedEnd_->currentIndex());
    t.minIntervalDays = minInterval_->value();
    t.precisionMm = precision_->value() * (t.units == surveys::Units::Inches ? 25.4 : 1);
    t.rateUnit = surveys::RateUnit(rateUnit_->currentIndex());
    t.report = report_->fields();
    t.easting = easting_->isChecked() ? std::optional<double>(coordinates_[0]->value()) : std::nullopt;
    t.northing = easting_->isChecked() ? std::optional<double>(coordinates_[1]->value()) : std::nullopt;
    t.readingIntervalDays = valueOf(interval_);
    return t;
}

void TubeSettingsDialog::addSiteBox(QFormLayout* form, const surveys::TubeSettings& settings)
{
    // Where the tube stands on the site's plan, checked when it is placed at all: 0 is a coordinate.
    auto* box = new QGroupBox(Texts::tr("Site plan and readings"), form->parentWidget());
    auto* siteForm = new QFormLayout(box);
    easting_ = new QCheckBox(Texts::tr("Placed on t&he site's plan"), box);
    easting_->setObjectName(QStringLiteral("placed"));
    easting_->setChecked(settings.easting && settings.northing);
    siteForm->addRow(easting_);
    const char* names[] = {"easting", "northing"};
    const QString labels[] = {Texts::tr("E&asting (m):"), Texts::tr("N&orthing (m):")};
    const std::optional<double> values[] = {settings.easting, settings.northing};
    for (size_t i = 0; i < 2; ++i) {
        coordinates_[i] = new QDoubleSpinBox(box);
        coordinates_[i]->setObjectName(QLatin1String(names[i]));
        coordinates_[i]->setRange(-1e8, 1e8);
        coordinates_[i]->setDecimals(3);
        coordinates_[i]->setValue(values[i].value_or(0));
        coordinates_[i]->setEnabled(easting_->isChecked());
        connect(easting_, &QCheckBox::toggled, coordinates_[i], &QWidget::setEnabled);
        siteForm->addRow(labels[i], coordinates_[i]);
    }
    interval_ = optionalBox(box, "readingInterval", 3650, 1, Texts::tr("none"), settings.readingIntervalDays);
    siteForm->addRow(Texts::tr("Read e&very (days):"), interval_);
    form->addRow(box);
}

void TubeSettingsDialog::labelLimits()
{
    const QString u = units_->currentIndex() == 1 ? QStringLiteral("in") : QStringLiteral("mm");
    surveys::TubeSettings t = settings_;
    t.units = units_->currentIndex() == 1 ? surveys::Units::Inches : surveys::Units::Millimetres;
    t.rateUnit = surveys::RateUnit(rateUnit_->currentIndex());
    const QString rate = qs(surveys::rateUnitName(t));
    const QString labels[] = {Texts::tr("A&lert (%1):").arg(u), Texts::tr("Ala&rm (%1):").arg(u),
                              Texts::tr("&Alert (%1):").arg(rate), Texts::tr("Alar&m (%1):").arg(rate)};
    for (size_t i = 0; i < 4; ++i)
        limitLabels_[i]->setText(labels[i]);
    if (precisionLabel_)
        precisionLabel_->setText(Texts::tr("Precisi&on per interval (%1):").arg(u));
}

} // namespace tarvelon
