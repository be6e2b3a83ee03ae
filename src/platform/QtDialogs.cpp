#include "QtDialogs.h"

#include "StopRequest.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>
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
    if (stopped())
        return;
    const QString shown = withNewlines(text);
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    if (icon == MessageIcon::Exclamation)
        boxIcon = QMessageBox::Warning;
    else if (icon == MessageIcon::Critical)
        boxIcon = QMessageBox::Critical;
    QMessageBox box(boxIcon, caption, shown, QMessageBox::Ok, m_owner);
    execUnlessStopped(box);
}

bool QtDialogs::askYesNo(const QString& caption, const QString& text)
{
    if (stopped())
        return false;
    QMessageBox box(
        QMessageBox::Question, caption, withNewlines(text), QMessageBox::Yes | QMessageBox::No, m_owner);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return execUnlessStopped(box) == QMessageBox::Yes;
}

int QtDialogs::execUnlessStopped(QMessageBox& box)
{
    // A close request while the box is open (a termination signal, the
    // session ending) must not wait for someone to answer it.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &box, [this, &box] {
        if (stopped())
            box.done(-1);
    });
    watch.start(50);
    const int result = box.exec();
    return stopped() ? -1 : result;
}

void QtDialogs::setOwner(QWidget* owner)
{
    m_owner = owner;
}

void QtDialogs::setStopRequest(const StopRequest* stop)
{
    m_stop = stop;
}

bool QtDialogs::stopped() const
{
    return m_stop && m_stop->requested();
}

QStringList QtDialogs::openFiles(const QString& title, const QString& filter)
{
    // "Name (*.*)|*.*|" becomes Qt's "Name (*)".
    QString qtFilter = filter.section(QLatin1Char('|'), 0, 0);
    qtFilter.replace(QLatin1String("*.*"), QLatin1String("*"));
    if (stopped())
        return {};
    // Qt gives every picked file with its own full path; the selection may
    // span folders (recent files, search results), so no name is rebuilt.
    return QFileDialog::getOpenFileNames(m_owner, title, QString(), qtFilter);
}

QString QtDialogs::browseForFolder(const QString& title, const QString& startFolder)
{
    if (stopped())
        return {};
    return QFileDialog::getExistingDirectory(m_owner, title, startFolder, QFileDialog::ShowDirsOnly);
}

QString QtDialogs::inputBox(const QString& caption, const QString& prompt, const QString& defaultReply)
{
    bool ok = false;
    const QString reply
        = QInputDialog::getText(m_owner, caption, withNewlines(prompt), QLineEdit::Normal, defaultReply, &ok);
    return ok ? reply : QString();
}
