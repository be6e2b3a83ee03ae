#pragma once

#include <QList>
#include <QRect>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class RichTextBox;
class QTimer;
class QTreeView;
class QTreeWidget;

// The main window: every control, its caption, container, position and look.
// Behaviour is wired from outside; the controls are public for that purpose
// and carry the same names as their objectName().
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);

    // Every control placed on the window (not Timer1), top to bottom.
    QList<QWidget*> controls() const;

    // The backup-set column: header text and 5500 twips width. Call once the
    // list has its model (the text goes through the model's setHeaderData).
    void setUpBackupSetColumn();

    int twipsToPixelsX(int twips) const;
    int twipsToPixelsY(int twips) const;
    QRect twipsToPixels(const QRect& twips) const;

    QGroupBox* Frame1 = nullptr; // its title is the status caption
    QProgressBar* ProgressBar1 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QTreeView* ListView1 = nullptr;
    QPushButton* PushButton7 = nullptr;
    QPushButton* PushButton4 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QLineEdit* Text5 = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    QCheckBox* Check6 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check4 = nullptr;
    QCheckBox* Check8 = nullptr;
    QTreeWidget* ListView2 = nullptr;
    QPushButton* PushButton5 = nullptr;
    QPushButton* PushButton6 = nullptr;
    QPushButton* PushButton3 = nullptr;
    QPushButton* PushButton8 = nullptr;
    QTimer* Timer1 = nullptr;
    RichTextBox* RichTextBox1 = nullptr; // lies right of the client area, never seen

private:
    template <typename Control> Control* place(QWidget* container, const char* name, const QRect& twips);
    QPushButton* placeButton(
        QWidget* container, const char* name, const QString& caption, const QRect& twips);
    QGroupBox* placeFrame(const char* name, const QString& caption, const QRect& twips);
    QRadioButton* placeOption(
        QWidget* container, const char* name, const QString& caption, const QRect& twips);
    QCheckBox* placeCheck(const char* name, const QString& caption, const QRect& twips);
    void setUpList(QTreeView& list);
};
