#include "shell/notices_window.h"
#include "shell/texts.h"

#include "shell/controls.h"
#include "shell/help_texts.h"

#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvelon {

namespace {

QString resourceText(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

QString NoticesWindow::text()
{
    return resourceText(QStringLiteral(":/THIRD-PARTY-NOTICES.txt")) + QLatin1Char('\n')
           + resourceText(QStringLiteral(":/LICENSE"));
}

NoticesWindow::NoticesWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("licences"));
    setWindowTitle(Texts::tr("Licences"));
    setAttribute(Qt::WA_DeleteOnClose);
    useWindowKeys(this);

    auto* view = new QPlainTextEdit(text());
    view->setObjectName(QStringLiteral("txtLicences"));
    view->setReadOnly(true);
    // The texts are laid out in columns of fixed-width characters.
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* close = new QPushButton(Texts::tr("&Close"));
    close->setObjectName(QStringLiteral("btnclose"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view);
    layout->addWidget(close, 0, Qt::AlignRight);
    const QFontMetrics metrics(view->font());
    resize(metrics.horizontalAdvance(QLatin1Char('x')) * 100, metrics.height() * 36);
    applyHelpTexts(*this);
}

} // namespace tarvelon
