#include "shell/remembered_choices.h"

#include <QDir>
#include <QSettings>

namespace tarvelon {

namespace {
const QString kPortNames = QStringLiteral("SerialPort/recentNames");
const QString kFolder = QStringLiteral("Download/folder");
const QString kCompany = QStringLiteral("Report/company");
const QString kPreparer = QStringLiteral("Report/preparedBy");
const QString kChecker = QStringLiteral("Report/checkedBy");
const QString kLibrary = QStringLiteral("Surveys/library");
const QString kLanguage = QStringLiteral("Window/language");
} // namespace

RememberedChoices::RememberedChoices(const QString& file)
    : settings_(file.isEmpty()
                    ? std::make_unique<QSettings>(QStringLiteral("Tarvelon Instruments"), QStringLiteral("Tarvelon Manager"))
                    : std::make_unique<QSettings>(file, QSettings::IniFormat))
{
}

RememberedChoices::~RememberedChoices() = default;

QStringList RememberedChoices::portNames() const
{
    return settings_->value(kPortNames).toStringList();
}

void RememberedChoices::usePortName(const QString& name)
{
    QStringList names = portNames();
    names.removeAll(name);
    names.prepend(name);
    settings_->setValue(kPortNames, names.mid(0, kMostNames));
    settings_->sync();
}

QString RememberedChoices::language() const
{
    return settings_->value(kLanguage).toString();
}

void RememberedChoices::useLanguage(const QString& language)
{
    settings_->setValue(kLanguage, language);
    settings_->sync();
}

QString RememberedChoices::folder() const
{
    const QString folder = settings_->value(kFolder).toString();
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QString();
}

void RememberedChoices::useFolder(const QString& folder)
{
    settings_->setValue(kFolder, folder);
    settings_->sync();
}

QString RememberedChoices::reportCompany() const
{
    return settings_->value(kCompany).toString();
}

QString RememberedChoices::reportPreparer() const
{
    return settings_->value(kPreparer).toString();
}

QString RememberedChoices::reportChecker() const
{
    return settings_->value(kChecker).toString();
}

void RememberedChoices::setReportAuthor(const QString& company, const QString& preparer, const QString& checker)
{
    settings_->setValue(kCompany, company);
    settings_->setValue(kPreparer, preparer);
    settings_->setValue(kChecker, checker);
    settings_->sync();
}

QString RememberedChoices::library() const
{
    return settings_->value(kLibrary).toString();
}

void RememberedChoices::useLibrary(const QString& location)
{
    if (location.isEmpty())
        settings_->remove(kLibrary);
    else
        settings_->setValue(kLibrary, location);
    settings_->sync();
}

QByteArray RememberedChoices::layout(const QString& name) const
{
    return settings_->value(QStringLiteral("Layout/") + name).toByteArray();
}

void RememberedChoices::keepLayout(const QString& name, const QByteArray& state)
{
    settings_->setValue(QStringLiteral("Layout/") + name, state);
    settings_->sync();
}

} // namespace tarvelon
