#include "PointerRules.h"

#include "MainWindowLayout.h"

#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

PointerRules::PointerRules(MainWindowLayout& form)
    : QObject(&form)
    , m_form(form)
{
    m_hoverControls = { form.chooseFolderButton, form.viewFolderButton, form.autoBackupButton,
        form.backupNowButton, form.addFilesButton };
    m_resetControls = { &form, form.destinationFrame, form.destinationEdit, form.intervalList };
    for (QWidget* control : form.controls())
        m_controls.insert(control);

    // Every widget of the window reports moves, the inner parts of the lists
    // (viewport, header, scroll bars) included; moves without a button held
    // reach a widget only when it tracks the mouse.
    QList<QWidget*> watched = form.findChildren<QWidget*>();
    watched.append(&form);
    for (QWidget* widget : watched) {
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
    }
}

void PointerRules::setHoverCursor(const QCursor& image)
{
    m_hoverImage = image;
    if (m_pointer == Pointer::Hover)
        setPointer(Pointer::Hover);
}

void PointerRules::setBusy(bool busy)
{
    setPointer(busy ? Pointer::Busy : Pointer::Default);
}

bool PointerRules::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && watched->isWidgetType()) {
        auto& receiver = static_cast<QWidget&>(*watched);
        const auto* move = static_cast<QMouseEvent*>(event);
        // A move that a child left unhandled travels on to its parents; only
        // the widget under the mouse itself counts.
        if (!receiver.childAt(move->position().toPoint()))
            mouseMovedOver(receiver);
    }
    return false;
}

void PointerRules::mouseMovedOver(QWidget& receiver)
{
    if (m_pointer == Pointer::Busy)
        return;
    const QWidget* control = controlConcerned(receiver);
    if (m_hoverControls.contains(control))
        setPointer(Pointer::Hover);
    else if (m_resetControls.contains(control))
        setPointer(Pointer::Default);
}

QWidget* PointerRules::controlConcerned(QWidget& receiver) const
{
    // The inner parts of a control report for the control; a disabled control
    // reports nothing, so its container (frame or window) has the mouse.
    QWidget* widget = &receiver;
    while (widget && widget != &m_form && !(m_controls.contains(widget) && widget->isEnabled()))
        widget = widget->parentWidget();
    return widget;
}

void PointerRules::setPointer(Pointer pointer)
{
    m_pointer = pointer;
    switch (pointer) {
    case Pointer::Busy:
        m_form.setCursor(Qt::WaitCursor);
        break;
    case Pointer::Hover:
        if (m_hoverImage) {
            m_form.setCursor(*m_hoverImage);
            break;
        }
        // Without an image of its own the hover pointer is the default one.
        m_form.unsetCursor();
        break;
    case Pointer::Default:
        m_form.unsetCursor();
        break;
    }
}
