#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

namespace tarvelon {

// What the program offers again at the next start: the port names used under "Other:" and
// the download folder chosen last, the company and preparer of the tube reports. Kept with QSettings ("Tarvelon Instruments", "Tarvelon
// Manager"), or in `file` when one is given.
class RememberedChoices {
public:
    explicit RememberedChoices(const QString& file = {});
    ~RememberedChoices();

    // Most recent first.
    QStringList portNames() const;
    void usePortName(const QString& name);
    // Empty when none was chosen or the folder is gone.
    QString folder() const;
    void useFolder(const QString& folder);
    // Who writes the tube reports: the company, the preparer and the checker, printed in every report.
    QString reportCompany() const;
    QString reportPreparer() const;
    QString reportChecker() const;
    void setReportAuthor(const QString& company, const QString& preparer, const QString& checker);
    // The survey library chosen with "Library...": a server's connection without password;
    // empty for this computer's own file.
    QString library() const;
    void useLibrary(const QString& location);
    // The language chosen on the Setup Tarvelon page: "" for the system's, "en" or "it".
    QString language() const;
    void useLanguage(const QString& language);
    // A window's geometry or a splitter's sizes, by name; empty when never kept.
    QByteArray layout(const QString& name) const;
    void keepLayout(const QString& name, const QByteArray& state);

    static constexpr int kMostNames = 10;

private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace tarvelon
