#include "shell/surveys/library_dialog.h"

#include "shell/help_texts.h"
#include "shell/remembered_choices.h"
#include "shell/surveys/password_prompt.h"
#include "shell/surveys/survey_library.h"
#include "shell/texts.h"
#include "library/library_location.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QUrl>

namespace tarvelon {
namespace {

bool isServer(const QString& location)
{
    return surveys::isServerLocation(location.toStdString());
}

} // namespace

QString withoutPassword(const QString& location, bool* removed)
{
    // The library's one way, so the window hides what the command line and messages hide.
    return QString::fromStdString(surveys::withoutPassword(location.toStdString(), removed));
}

QString rootCertificateOf(const QString& location, QString* rest)
{
    QString found, without = location;
    if (location.contains(QLatin1String("://"))) {
        // A URI's parameter, percent-encoded.
        const qsizetype q = location.indexOf(QLatin1Char('?'));
        if (q >= 0) {
            QStringList params = location.mid(q + 1).split(QLatin1Char('&'), Qt::SkipEmptyParts);
            for (qsizetype i = params.size() - 1; i >= 0; --i)
                if (params[i].startsWith(QLatin1String("sslrootcert="))) {
                    found = QUrl::fromPercentEncoding(params[i].mid(12).toUtf8());
                    params.removeAt(i);
                }
            without = location.left(q) + (params.isEmpty() ? QString() : QLatin1Char('?') + params.join(QLatin1Char('&')));
        }
    } else if (isServer(location)) {
        // A keyword, its value perhaps quoted, a backslash escaping the next character.
        static const QRegularExpression keyword(QStringLiteral("\\s*\\bsslrootcert\\s*=\\s*('((?:[^'\\\\]|\\\\.)*)'|(\\S+))"));
        const QRegularExpressionMatch m = keyword.match(location);
        if (m.hasMatch()) {
            found = m.captured(2).isNull() ? m.captured(3) : m.captured(2);
            found.replace(QRegularExpression(QStringLiteral("\\\\(.)")), QStringLiteral("\\1"));
            without = (location.left(m.capturedStart()) + location.mid(m.capturedEnd())).trimmed();
        }
    }
    if (rest)
        *rest = without;
    return QDir::toNativeSeparators(found);
}

QString withRootCertificate(const QString& location, const QString& file)
{
    if (file.trimmed().isEmpty())
        return location;
    // libpq reads a backslash as an escape: forward slashes serve on every system.
    const QString path = QDir::fromNativeSeparators(file.trimmed());
    if (location.contains(QLatin1String("://")))
        return location + (location.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?')) +
               QStringLiteral("sslrootcert=") + QString::fromLatin1(QUrl::toPercentEncoding(path, "/:"));
    QString quoted = path;
    quoted.replace(QLatin1String("\\"), QLatin1String("\\\\")).replace(QLatin1String("'"), QLatin1String("\\'"));
    return location + QStringLiteral(" sslrootcert='") + quoted + QLatin1Char('\'');
}

QString defaultRootCertificate()
{
#ifdef Q_OS_WIN
    return QStringLiteral("%APPDATA%\\postgresql\\root.crt");
#else
    return QStringLiteral("~/.postgresql/root.crt");
#endif
}

QString libraryShownName(const QString& location)
{
    if (location.isEmpty())
        return Texts::tr("this computer");
    return isServer(location) ? withoutPassword(location) : QDir::toNativeSeparators(location);
}

LibraryDialog::LibraryDialog(const QString& location, const QString& defaultFile, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("LibraryDialog"));
    setWindowTitle(Texts::tr("Survey Library"));
    auto* form = new QFormLayout(this);
    file_ = new QRadioButton(Texts::tr("This &computer's file: %1").arg(QDir::toNativeSeparators(defaultFile)), this);
    file_->setObjectName(QStringLiteral("thisComputer"));
    server_ = new QRadioButton(Texts::tr("A &server (PostgreSQL):"), this);
    server_->setObjectName(QStringLiteral("server"));
    form->addRow(file_);
    form->addRow(server_);

    host_ = new QLineEdit(this);
    host_->setObjectName(QStringLiteral("host"));
    port_ = new QSpinBox(this);
    port_->setObjectName(QStringLiteral("port"));
    port_->setRange(1, 65535);
    port_->setValue(5432);
    database_ = new QLineEdit(QStringLiteral("tarvelon"), this);
    database_->setObjectName(QStringLiteral("database"));
    user_ = new QLineEdit(this);
    user_->setObjectName(QStringLiteral("user"));
    user_->setPlaceholderText(Texts::tr("your login name"));
    tls_ = new QComboBox(this);
    tls_->setObjectName(QStringLiteral("tlsMode"));
    // Checking the server's certificate and name is the default; the weaker modes are there for
    // a server on this computer or a trusted network.
    tls_->addItems({QStringLiteral("verify-full"), QStringLiteral("verify-ca"), QStringLiteral("require"),
                    QStringLiteral("prefer"), QStringLiteral("disable")});
    connection_ = new QLineEdit(this);
    connection_->setObjectName(QStringLiteral("connection"));
    connection_->setPlaceholderText(Texts::tr("postgresql://host:5432/tarvelon?sslmode=verify-full or service=NAME"));
    form->addRow(Texts::tr("&Host:"), host_);
    form->addRow(Texts::tr("&Port:"), port_);
    form->addRow(Texts::tr("&Database:"), database_);
    form->addRow(Texts::tr("&User:"), user_);
    form->addRow(Texts::tr("&TLS:"), tls_);
    form->addRow(Texts::tr("or c&onnection:"), connection_);
    // The firm's own authority: a file chosen (or typed), kept with the choice as its path.
    rootCert_ = new QLineEdit(this);
    rootCert_->setObjectName(QStringLiteral("rootCert"));
    rootCert_->setPlaceholderText(Texts::tr("empty: %1").arg(defaultRootCertificate()));
    chooseRootCert_ = new QPushButton(Texts::tr("&Authority's certificate..."), this);
    chooseRootCert_->setObjectName(QStringLiteral("chooseRootCert"));
    connect(chooseRootCert_, &QPushButton::clicked, this, &LibraryDialog::chooseRootCertificate);
    auto* rootRow = new QHBoxLayout;
    rootRow->addWidget(rootCert_, 1);
    rootRow->addWidget(chooseRootCert_);
    form->addRow(Texts::tr("Authority:"), rootRow);
    auto* rootWhere = new QLabel(Texts::tr("The server's certificate is checked against the authority's certificate "
                                           "chosen here; when empty, against %1.")
                                     .arg(defaultRootCertificate()),
                                 this);
    rootWhere->setObjectName(QStringLiteral("rootCertDefault"));
    rootWhere->setWordWrap(true);
    form->addRow(rootWhere);
    auto* passwords = new QLabel(Texts::tr("No password is kept: it comes from your password file "
                                           "(pgpass) or is asked for once while the program runs."),
                                 this);
    passwords->setWordWrap(true);
    form->addRow(passwords);
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("problem"));
    problem_->setWordWrap(true);
    problem_->hide();
    form->addRow(problem_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &LibraryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);

    if (location.isEmpty()) {
        file_->setChecked(true);
    } else {
        server_->setChecked(true);
        QString rest;
        rootCert_->setText(rootCertificateOf(withoutPassword(location), &rest));
        connection_->setText(rest);
    }
    connect(server_, &QRadioButton::toggled, this, &LibraryDialog::updateFields);
    updateFields();
    applyHelpTexts(*this);
}

void LibraryDialog::updateFields()
{
    for (QWidget* w : std::initializer_list<QWidget*>{host_, port_, database_, user_, tls_, connection_, rootCert_,
                                                      chooseRootCert_})
        w->setEnabled(server_->isChecked());
}

void LibraryDialog::chooseRootCertificate()
{
    const QString current = rootCert_->text().trimmed();
    const QString file = QFileDialog::getOpenFileName(
        this, Texts::tr("Authority's certificate"), current.isEmpty() ? QString() : QFileInfo(current).absolutePath(),
        Texts::tr("Certificates (*.crt *.pem *.cer);;All files (*)"));
    if (!file.isEmpty())
        rootCert_->setText(QDir::toNativeSeparators(file));
}

QString LibraryDialog::serverLocation(QString* problem) const
{
    const QString authority = rootCert_->text().trimmed();
    if (!authority.isEmpty() && !QFileInfo(authority).isFile()) {
        *problem = Texts::tr("The authority's certificate file %1 does not exist.").arg(QDir::toNativeSeparators(authority));
        return {};
    }
    QString line = connection_->text().trimmed();
    if (!line.isEmpty()) {
        if (!isServer(line))
            *problem = Texts::tr("A connection is a postgresql:// address or service=NAME (a service of your "
                                 "pg_service.conf).");
        // One authority: the box's, when the line names one too.
        if (!authority.isEmpty())
            rootCertificateOf(line, &line);
        return withRootCertificate(line, authority);
    }
    const QString host = host_->text().trimmed();
    const QString database = database_->text().trimmed();
    if (host.isEmpty() || database.isEmpty()) {
        *problem = Texts::tr("Give the server's host and database, or one connection line.");
        return {};
    }
    const auto part = [](const QString& s) { return QString::fromLatin1(QUrl::toPercentEncoding(s)); };
    // A numeric IPv6 address goes in brackets, as in any URI.
    const QString shownHost = host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : part(host);
    const QString user = user_->text().trimmed();
    return withRootCertificate(QStringLiteral("postgresql://%1%2:%3/%4?sslmode=%5")
                                   .arg(user.isEmpty() ? QString() : part(user) + QLatin1Char('@'), shownHost)
                                   .arg(port_->value())
                                   .arg(part(database), tls_->currentText()),
                               authority);
}

void LibraryDialog::accept()
{
    QString problem;
    const QString chosen = file_->isChecked() ? QString() : serverLocation(&problem);
    if (!problem.isEmpty()) {
        problem_->setText(problem);
        problem_->show();
        return;
    }
    bool removed = false;
    location_ = withoutPassword(chosen, &removed);
    note_ = removed ? Texts::tr("The password in the connection was not kept: it is asked for when the "
                                "library opens, or comes from your password file.")
                    : QString();
    QDialog::accept();
}

bool LibraryDialog::choose(QWidget* parent, const std::function<QString(const QString& location)>& open)
{
    RememberedChoices choices;
    const QString before = choices.library();
    LibraryDialog dialog(before, defaultSurveyLibraryPath(), parent);
    // After a refusal the box comes back as it was left, so one wrong field is put right
    // without typing the rest again.
    while (dialog.exec() == QDialog::Accepted) {
        const QString chosen = dialog.location().isEmpty() ? defaultSurveyLibraryPath() : dialog.location();
        if (const QString error = open(chosen); !error.isEmpty()) {
            // A password typed wrong may be typed again at the next try.
            forgetPasswords();
            QMessageBox::critical(parent, Texts::tr("Survey Library"),
                                  Texts::tr("The survey library on %1 cannot be opened: %2\n\n"
                                            "Nothing has changed: the window stays on %3. The box comes back "
                                            "with what you typed, to put right or cancel.")
                                      .arg(libraryShownName(dialog.location()), error, libraryShownName(before)));
            continue;
        }
        choices.useLibrary(dialog.location());
        if (!dialog.note().isEmpty())
            QMessageBox::information(parent, Texts::tr("Survey Library"), dialog.note());
        return true;
    }
    return false;
}

} // namespace tarvelon
