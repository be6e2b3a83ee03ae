#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <QStringList>

// The backup set: the ordered file paths every run copies, and the selected
// row. backupSetList only shows it. Duplicates are allowed and every path is kept
// exactly as given. After a removal nothing is selected, so a stray second
// double-click cannot take out the row that moved up.
class BackupSetModel : public QAbstractListModel {
    Q_OBJECT
public:
    // Runs, the stored form and the restore count rows with a signed 16-bit index.
    static constexpr int MaxEntries = 32767;

    enum class AppendResult {
        Added,
        RefusedSemicolon, // ";" separates the stored entries, so such a path could not be restored
        RefusedFull,
    };

    // capacity: at most MaxEntries.
    explicit BackupSetModel(QObject* parent = nullptr, int capacity = MaxEntries);

    // False for a path the stored form could not give back as one entry.
    static bool canStore(QStringView path) { return !path.contains(u';'); }
    // How many more paths fit.
    int roomLeft() const { return m_capacity - entryCount(); }

    AppendResult appendEntry(const QString& path);
    // Puts path in at row (clamped to the set's end), the rows from there on
    // moving down; the selection stays on the entry it was on.
    AppendResult insertEntry(int row, const QString& path);
    // Appends every acceptable path in one insertion; one result per path, in order.
    QList<AppendResult> appendEntries(const QStringList& paths);
    // Removes the selected row; does nothing when no row is selected.
    void removeSelectedEntry();
    int entryCount() const;
    // The text of row 1..entryCount(); "" outside that range.
    QString entryText(int row1Based) const;

    QStringList entries() const { return m_entries; }
    int capacity() const { return m_capacity; }
    // 0-based; -1 when nothing is selected.
    int selectedRow() const { return m_selectedRow; }
    // A row outside the list selects nothing.
    void setSelectedRow(int row);
    void setHeaderText(const QString& text);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // The window sets the column's header text this way.
    bool setHeaderData(
        int section, Qt::Orientation orientation, const QVariant& value, int role = Qt::EditRole) override;

signals:
    void selectedRowChanged(int row);

private:
    AppendResult check(const QString& path, qsizetype countSoFar) const;

    QStringList m_entries;
    int m_capacity;
    int m_selectedRow = -1;
    QString m_headerText;
};
