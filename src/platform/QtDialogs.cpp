#include "QtDialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

QtDialogs::QtDialogs(QWidget* owner)
    : m_owner(owner)
{
}

void QtDialogs::showMessage(const QString& caption, const QString& text, MessageIcon icon)
{
    // Messages use Windows-style line breaks; a label wants plain newlines.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
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

QStringList QtDialogs::openFiles(const QString& title, const QString& filter)
{
    // "Name (*.*)|*.*|" becomes Qt's "Name (*)".
    QString qtFilter = filter.section(QLatin1Char('|'), 0, 0);
    qtFilter.replace(QLatin1String("*.*"), QLatin1String("*"));
    // Qt gives every picked file with its own full path; the selection may
    // span folders (recent files, search results), so no name is rebuilt.
    return QFileDialog::getOpenFileNames(m_owner, title, QString(), qtFilter);
}

QString QtDialogs::browseForFolder(const QString& title)
{
    return QFileDialog::getExistingDirectory(m_owner, title, QString(), QFileDialog::ShowDirsOnly);
}
