#include "QtDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QWidget>

namespace {

// The program's texts use Windows-style line breaks; a label wants plain newlines.
QString withNewlines(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

QtDialogs::QtDialogs(QWidget* owner)
    : m_owner(owner)
{
}

void QtDialogs::showMessage(const QString& caption, const QString& text, MessageIcon icon)
{
    const QString shown = withNewlines(text);
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    if (icon == MessageIcon::Exclamation)
        boxIcon = QMessageBox::Warning;
    else if (icon == MessageIcon::Critical)
        boxIcon = QMessageBox::Critical;
    QMessageBox box(boxIcon, caption, shown, QMessageBox::Ok, m_owner);
    box.exec();
}

void QtDialogs::setOwner(QWidget* owner)
{
    m_owner = owner;
}

QString QtDialogs::openFiles(const QString& title, const QString& filter)
{
    // "Name (*.*)|*.*|" becomes Qt's "Name (*)".
    QString qtFilter = filter.section(QLatin1Char('|'), 0, 0);
    qtFilter.replace(QLatin1String("*.*"), QLatin1String("*"));
    const QStringList picked = QFileDialog::getOpenFileNames(m_owner, title, QString(), qtFilter);
    if (picked.isEmpty())
        return QString();
    if (picked.size() == 1)
        return picked.front();
    QString folder = QFileInfo(picked.front()).absolutePath();
    QString result = folder;
    for (const QString& path : picked)
        result += QChar(u'\0') + QFileInfo(path).fileName();
    return result;
}

QString QtDialogs::browseForFolder(const QString& title)
{
    return QFileDialog::getExistingDirectory(m_owner, title, QString(), QFileDialog::ShowDirsOnly);
}

QString QtDialogs::inputBox(const QString& caption, const QString& prompt, const QString& defaultReply)
{
    bool ok = false;
    const QString reply
        = QInputDialog::getText(m_owner, caption, withNewlines(prompt), QLineEdit::Normal, defaultReply, &ok);
    return ok ? reply : QString();
}
