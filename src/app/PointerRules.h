#pragma once

#include <QCursor>
#include <QObject>
#include <QSet>
#include <optional>

class MainWindowLayout;
class QWidget;

// The main window's mouse pointer: default, busy (hourglass) or the hover
// pointer. Moving over the hover buttons shows the hover pointer, moving over
// the window background, destinationFrame, destinationEdit or intervalList restores the default, and
// a busy pointer stays until the work that set it ends.
class PointerRules : public QObject {
    Q_OBJECT
public:
    enum class Pointer { Default, Busy, Hover };

    // Watches every control of the form; the form owns the rules.
    explicit PointerRules(MainWindowLayout& form);

    // The image of the hover pointer; without one the hover pointer looks like the default.
    void setHoverCursor(const QCursor& image);
    // Busy shows the hourglass; ending it brings back the default pointer.
    void setBusy(bool busy);
    Pointer pointer() const { return m_pointer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void mouseMovedOver(QWidget& receiver);
    QWidget* controlConcerned(QWidget& receiver) const;
    void setPointer(Pointer pointer);

    MainWindowLayout& m_form;
    QSet<const QWidget*> m_controls;
    QSet<const QWidget*> m_hoverControls;
    QSet<const QWidget*> m_resetControls;
    std::optional<QCursor> m_hoverImage;
    Pointer m_pointer = Pointer::Default;
};
