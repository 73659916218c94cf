#include "shell/status_line.h"
#include "shell/texts.h"

#include "shell/controls.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>

namespace tarvelon {

StatusLine::StatusLine(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("staStatus"));
    setAccessibleName(Texts::tr("Status"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    port_ = makeLabel(this, QStringLiteral("lblStatusPort"), {});
    folderLabel_ = makeLabel(this, QStringLiteral("lblStatusFolder"), {});
    resultLabel_ = makeLabel(this, QStringLiteral("lblStatusResult"), {});
    resultLabel_->setTextFormat(Qt::RichText);
    // A click opens the file; Tab passes the line by.
    resultLabel_->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(resultLabel_, &QLabel::linkActivated, this, [this] { emit fileActivated(file_); });
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 6, 2);
    row->setSpacing(lines(this, 1));
    // The line never widens the window: long texts are shortened in the middle instead.
    for (QLabel* l : {port_, folderLabel_, resultLabel_}) {
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        l->setMinimumWidth(0);
    }
    row->addWidget(port_, 2);
    row->addWidget(folderLabel_, 5);
    row->addWidget(resultLabel_, 8);
    setFolder({});
}

void StatusLine::setPort(const QString& port)
{
    portText_ = Texts::tr("Port: ") + port;
    showTexts();
}

void StatusLine::setFolder(const QString& folder)
{
    folder_ = folder;
    folderText_ = folder.isEmpty() ? Texts::tr("No download folder") : Texts::tr("Folder: ") + folder;
    showTexts();
}

void StatusLine::setResult(const QString& result, const QString& file)
{
    result_ = result;
    file_ = file;
    showTexts();
}

QString StatusLine::text() const
{
    QStringList parts{portText_, folderText_};
    if (!result_.isEmpty())
        parts << result_ + (file_.isEmpty() ? QString() : QStringLiteral(" ") + QDir::toNativeSeparators(file_));
    return parts.join(QStringLiteral(" | "));
}

void StatusLine::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    showTexts();
}

void StatusLine::showTexts()
{
    const auto fit = [](QLabel* label, const QString& text) {
        label->setText(label->fontMetrics().elidedText(text, Qt::ElideMiddle, std::max(label->width(), 40)));
        label->setToolTip(text);
    };
    fit(port_, portText_);
    // A long path loses its start, never the folder the files go to; the tooltip holds it whole.
    fit(folderLabel_, folderText_);
    if (!folder_.isEmpty()) {
        const QString prefix = Texts::tr("Folder: ");
        const QFontMetrics fm = folderLabel_->fontMetrics();
        const int room = std::max(folderLabel_->width(), 40) - fm.horizontalAdvance(prefix);
        folderLabel_->setText(prefix + fm.elidedText(folder_, Qt::ElideLeft, std::max(room, 20)));
    }
    const QString file = QDir::toNativeSeparators(file_);
    const QString whole = result_ + (file.isEmpty() ? QString() : QStringLiteral(" ") + file);
    resultLabel_->setToolTip(whole);
    const QFontMetrics fm = resultLabel_->fontMetrics();
    const int room = std::max(resultLabel_->width(), 40);
    if (file.isEmpty()) {
        resultLabel_->setText(fm.elidedText(result_, Qt::ElideMiddle, room).toHtmlEscaped());
        return;
    }
    // The file's name stays whole as long as it can; its folder gives way first, then the
    // middle of a long text before it.
    const QString lead = fm.elidedText(result_, Qt::ElideMiddle, std::max(room / 2, 40));
    const QString link = fm.elidedText(file, Qt::ElideLeft, std::max(room - fm.horizontalAdvance(lead + QLatin1Char(' ')), 40));
    resultLabel_->setText(lead.toHtmlEscaped() + QStringLiteral(" <a href=\"open\">") + link.toHtmlEscaped() +
                          QStringLiteral("</a>"));
}

} // namespace tarvelon
