#include "RestoreWindow.h"

#include "TabOrder.h"
#include "engine/DateText.h"
#include "engine/PathPieces.h"
#include "engine/Restorer.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Launcher.h"
#include "support/DialogHelpers.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <optional>

namespace {

QString caption()
{
    return RestoreWindow::tr("Restore");
}

// The note before the place: paths are long, and a note should not need scrolling to.
enum Column { MadeColumn, SizeColumn, NoteColumn, WhereColumn, ColumnCount };

QStringList inColumns(const QString& made, const QString& size, const QString& note, const QString& where)
{
    QStringList texts(ColumnCount);
    texts[MadeColumn] = made;
    texts[SizeColumn] = size;
    texts[NoteColumn] = note;
    texts[WhereColumn] = where;
    return texts;
}

QPushButton* button(const QString& caption)
{
    auto* made = new QPushButton(caption);
    made->setAccessibleName(caption);
    // Enter presses the button that has the focus, as in a dialog.
    made->setAutoDefault(true);
    return made;
}

// The pointer shows the wait while an archive is read or a large file copied.
template <typename Step> auto whileBusy(Step step)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restored = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    return step();
}

} // namespace

RestoreWindow::RestoreWindow(RestoreWindowServices services, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_services(std::move(services))
{
    setObjectName(QStringLiteral("RestoreWindow"));
    setWindowTitle(caption());
    buildLayout();

    connect(filterEdit, &QLineEdit::textChanged, this, &RestoreWindow::applyFilter);
    connect(fileList, &QListWidget::itemSelectionChanged, this, [this] { showVersions(nullptr); });
    connect(versionList, &QTreeWidget::itemSelectionChanged, this, &RestoreWindow::updateButtons);
    versionList->installEventFilter(this);
    connect(restoreButton, &QPushButton::clicked, this, &RestoreWindow::restoreSelected);
    connect(restoreToButton, &QPushButton::clicked, this, &RestoreWindow::restoreSelectedTo);
    connect(openButton, &QPushButton::clicked, this, &RestoreWindow::openSelected);
    connect(showInFolderButton, &QPushButton::clicked, this, &RestoreWindow::showSelectedInFolder);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    updateButtons();
}

void RestoreWindow::buildLayout()
{
    filterEdit = new QLineEdit;
    filterEdit->setObjectName(QStringLiteral("filterEdit"));
    filterEdit->setPlaceholderText(tr("Filter"));
    filterEdit->setClearButtonEnabled(true);
    filterEdit->setAccessibleName(tr("Filter"));
    filterEdit->setAccessibleDescription(tr("Shows only the files whose path holds this text"));

    fileList = new QListWidget;
    fileList->setObjectName(QStringLiteral("fileList"));
    fileList->setAccessibleName(tr("Files"));
    fileList->setSelectionMode(QAbstractItemView::SingleSelection);

    versionList = new QTreeWidget;
    versionList->setObjectName(QStringLiteral("versionList"));
    versionList->setAccessibleName(tr("Versions"));
    versionList->setAccessibleDescription(tr("Newest first; Enter restores the selected one"));
    versionList->setRootIsDecorated(false);
    versionList->setItemsExpandable(false);
    versionList->setUniformRowHeights(true);
    versionList->setSelectionMode(QAbstractItemView::SingleSelection);
    versionList->setSelectionBehavior(QAbstractItemView::SelectRows);
    versionList->setHeaderLabels(inColumns(tr("Made"), tr("Size"), tr("Note"), tr("Where")));
    versionList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    versionList->header()->setStretchLastSection(false);

    restoreButton = button(tr("Restore..."));
    restoreToButton = button(tr("Restore To..."));
    openButton = button(tr("Open"));
    showInFolderButton = button(tr("Show in Folder"));
    closeButton = button(tr("Close"));

    auto* left = new QVBoxLayout;
    auto* filesLabel = new QLabel(tr("Files in the backup set:"));
    filesLabel->setBuddy(fileList);
    left->addWidget(filesLabel);
    left->addWidget(filterEdit);
    left->addWidget(fileList);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* each : { restoreButton, restoreToButton, openButton, showInFolderButton })
        buttons->addWidget(each);
    buttons->addStretch();
    buttons->addWidget(closeButton);

    auto* right = new QVBoxLayout;
    auto* versionsLabel = new QLabel(tr("Versions of the selected file, newest first:"));
    versionsLabel->setBuddy(versionList);
    right->addWidget(versionsLabel);
    right->addWidget(versionList);
    right->addLayout(buttons);

    auto* whole = new QHBoxLayout(this);
    whole->addLayout(left, 2);
    whole->addLayout(right, 3);

    chainTabOrder({ filterEdit, fileList, versionList, restoreButton, restoreToButton, openButton,
        showInFolderButton, closeButton });
    resize(960, 420);
}

void RestoreWindow::setFiles(const QStringList& files)
{
    const QString selected = selectedFile();
    const QSignalBlocker quiet(fileList);
    fileList->clear();
    QStringList listed;
    for (const QString& file : files) {
        if (listed.contains(file))
            continue;
        listed << file;
        fileList->addItem(file);
    }
    applyFilter();
    // Quietly cleared, so the versions follow here.
    if (selected.isEmpty() || !listed.contains(selected))
        showVersions(nullptr);
    else
        selectFile(selected);
}

void RestoreWindow::selectFile(const QString& file)
{
    const QList<QListWidgetItem*> found
        = fileList->findItems(file, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found.isEmpty()) {
        fileList->clearSelection();
        return;
    }
    if (found.front()->isHidden())
        filterEdit->clear();
    {
        // Listed once below, even when it was selected already.
        const QSignalBlocker quiet(fileList);
        fileList->setCurrentItem(found.front(), QItemSelectionModel::ClearAndSelect);
    }
    fileList->scrollToItem(found.front());
    showVersions(nullptr);
}

QString RestoreWindow::selectedFile() const
{
    const QList<QListWidgetItem*> selected = fileList->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

void RestoreWindow::applyFilter()
{
    const QString wanted = filterEdit->text();
    for (int row = 0; row < fileList->count(); ++row) {
        QListWidgetItem* item = fileList->item(row);
        item->setHidden(!item->text().contains(wanted, Qt::CaseInsensitive));
    }
    // A file the filter hides is no longer chosen.
    const QList<QListWidgetItem*> selected = fileList->selectedItems();
    if (!selected.isEmpty() && selected.front()->isHidden())
        fileList->clearSelection();
}

void RestoreWindow::showVersions(const FileVersion* keep)
{
    const QString file = selectedFile();
    m_versions = file.isEmpty() ? QList<FileVersion>()
                                : whileBusy([&] { return m_services.restorer.versionsOf(file); });
    const QSignalBlocker quiet(versionList);
    versionList->clear();
    for (qsizetype i = 0; i < m_versions.size(); ++i) {
        const FileVersion& version = m_versions[i];
        auto* item = new QTreeWidgetItem(versionList,
            inColumns(madeText(version), m_services.locale.formattedDataSize(version.facts.size),
                noteOf(version), version.whereText()));
        item->setData(MadeColumn, Qt::UserRole, qlonglong(i));
        item->setTextAlignment(SizeColumn, Qt::AlignRight | Qt::AlignVCenter);
        item->setToolTip(WhereColumn, version.whereText());
        if (keep && version.path == keep->path && version.entry == keep->entry)
            item->setSelected(true);
    }
    if (versionList->topLevelItemCount() > 0)
        versionList->setCurrentItem(versionList->topLevelItem(0), 0, QItemSelectionModel::NoUpdate);
    updateButtons();
}

void RestoreWindow::updateButtons()
{
    const bool chosen = selectedVersion() != nullptr;
    for (QPushButton* each : { restoreButton, restoreToButton, openButton, showInFolderButton })
        each->setEnabled(chosen);
}

const FileVersion* RestoreWindow::selectedVersion() const
{
    const QList<QTreeWidgetItem*> selected = versionList->selectedItems();
    if (selected.isEmpty())
        return nullptr;
    const qsizetype index = selected.front()->data(MadeColumn, Qt::UserRole).toLongLong();
    return index >= 0 && index < m_versions.size() ? &m_versions[index] : nullptr;
}

QString RestoreWindow::madeText(const FileVersion& version) const
{
    return generalDateText(version.made.toLocalTime(), m_services.locale);
}

QString RestoreWindow::noteOf(const FileVersion& version) const
{
    QStringList notes;
    if (version.kind == FileVersion::Kind::PlainBackup)
        notes << tr("the plain backup copy");
    if (version.sameAsCurrent)
        notes << tr("same as the current file");
    if (version.kind == FileVersion::Kind::FoundByName)
        notes << tr("(found by name; may be another file of the same name)");
    return notes.join(u' ');
}

bool RestoreWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == versionList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (selectedVersion())
                restoreSelected();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void RestoreWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape closes, from whichever control has the focus.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

std::optional<RestoreWindow::Choice> RestoreWindow::choice() const
{
    const FileVersion* chosen = selectedVersion();
    const QString source = selectedFile();
    if (!chosen || source.isEmpty())
        return std::nullopt;
    return Choice { *chosen, source };
}

void RestoreWindow::restoreSelected()
{
    const std::optional<Choice> chosen = choice();
    if (!chosen
        || !m_services.dialogs.askYesNo(caption(),
            tr("Put back %1 as it was at %2? The current file is first kept as a backup.")
                .arg(fileNameOf(chosen->source), madeText(chosen->version))))
        return;
    if (told(whileBusy([&] { return m_services.restorer.restore(chosen->version, chosen->source); })))
        return;
    showVersions(&chosen->version);
}

void RestoreWindow::restoreSelectedTo()
{
    const std::optional<Choice> chosen = choice();
    if (!chosen)
        return;
    const QString folder = m_services.dialogs.browseForFolder(tr("Restore To"));
    if (folder.isEmpty())
        return;
    const QString target
        = (folder.endsWith(NativeSeparator) ? folder : folder + NativeSeparator) + fileNameOf(chosen->source);
    if (m_services.files.fileExists(target)
        && !m_services.dialogs.askYesNo(caption(), tr("\"%1\" already exists. Replace it?").arg(target)))
        return;
    if (told(whileBusy(
            [&] { return m_services.restorer.restoreTo(chosen->version, chosen->source, folder); })))
        return;
    if (target == chosen->source)
        showVersions(&chosen->version); // put back in place: the current file was kept
}

void RestoreWindow::openSelected()
{
    const std::optional<Choice> chosen = choice();
    if (!chosen)
        return;
    QString copy;
    if (told(whileBusy(
            [&] { return m_services.restorer.temporaryCopy(chosen->version, chosen->source, copy); })))
        return;
    openShowingFailures(m_services.launcher, m_services.dialogs, copy, this, caption());
}

void RestoreWindow::showSelectedInFolder()
{
    const FileVersion* chosen = selectedVersion();
    if (!chosen)
        return;
    // The folder of the copy, or of the archive that holds the version.
    openShowingFailures(
        m_services.launcher, m_services.dialogs, sourceFolderOf(chosen->path), this, caption());
}

bool RestoreWindow::told(const FileResult& result)
{
    if (!result)
        tell(result.description);
    return !result;
}

void RestoreWindow::tell(const QString& problem)
{
    m_services.dialogs.showMessage(caption(), problem, MessageIcon::Exclamation);
}
