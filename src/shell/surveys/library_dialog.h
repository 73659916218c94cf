#pragma once
#include <QDialog>
#include <QString>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tarvelon {

// A server's connection with any password taken out: the ":secret" of a postgresql:// URI's
// user, a "password" parameter or keyword. `removed` (may be null) says whether one was.
QString withoutPassword(const QString& location, bool* removed = nullptr);
// The authority's certificate a connection names (sslrootcert), with the system's separators;
// `rest` (may be null) gets the connection without it.
QString rootCertificateOf(const QString& location, QString* rest = nullptr);
// The connection with the authority's certificate named in it (nothing added when empty).
QString withRootCertificate(const QString& location, const QString& file);
// Where PostgreSQL looks for the authority's certificate when the connection names none.
QString defaultRootCertificate();

// The library as the window names it: "this computer" for the default file, the file's path
// in the system's way, or the server's connection without password.
QString libraryShownName(const QString& location);

// "Library...": which survey library this computer uses, its own file (the default) or a
// firm's server, given as host, port, database, user and TLS mode or as one connection line
// (a postgresql:// URI or "service=NAME"), and the authority's certificate the server's is
// checked against (a file, kept as its path). The choice holds no password.
class LibraryDialog : public QDialog {
    Q_OBJECT
public:
    // `location`: the current choice, empty for this computer's file at `defaultFile`.
    LibraryDialog(const QString& location, const QString& defaultFile, QWidget* parent = nullptr);

    // The chosen library, empty for this computer's file; never a password.
    QString location() const { return location_; }
    // Said when a password typed in was left out of the choice; empty otherwise.
    QString note() const { return note_; }

    void accept() override;

    // The whole choice: asks, then has `open` try the library chosen (its error, empty when it
    // opened). A library that opened is remembered; one that did not is said in a box, nothing
    // changes, and the box comes back with what was typed. True when the library changed.
    static bool choose(QWidget* parent, const std::function<QString(const QString& location)>& open);

private:
    void updateFields();
    void chooseRootCertificate();
    QString serverLocation(QString* problem) const;

    QString location_, note_;
    QRadioButton* file_ = nullptr;
    QRadioButton* server_ = nullptr;
    QLineEdit* host_ = nullptr;
    QSpinBox* port_ = nullptr;
    QLineEdit* database_ = nullptr;
    QLineEdit* user_ = nullptr;
    QComboBox* tls_ = nullptr;
    QLineEdit* connection_ = nullptr;
    QLineEdit* rootCert_ = nullptr;
    QPushButton* chooseRootCert_ = nullptr;
    QLabel* problem_ = nullptr;
};

} // namespace tarvelon
