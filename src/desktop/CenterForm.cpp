#include "CenterForm.h"

#include <QEvent>
#include <QWidget>
#include <QtMath>

void centerForm(QWidget& window, const QRect& screenGeometry)
{
    const QSize outer = window.frameGeometry().size();
    const double left = (screenGeometry.width() - outer.width()) / 2.0;
    const double top = (screenGeometry.height() - outer.height()) / 2.0;
    window.move(screenGeometry.x() + qRound(left), screenGeometry.y() + qRound(top));
}

namespace {

// Watches the window until its frame is known, centres it then, and goes.
class FrameWatch : public QObject {
public:
    FrameWatch(QWidget& window, const QRect& screenGeometry)
        : QObject(&window)
        , m_window(window)
        , m_screen(screenGeometry)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The frame arrives with the showing, or later with a move or resize
        // when the window manager reports it.
        const QEvent::Type type = event->type();
        if (watched == &m_window && (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize)
            && m_window.isVisible() && m_window.frameGeometry().size() != m_window.size()) {
            m_window.removeEventFilter(this);
            centerForm(m_window, m_screen);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& m_window;
    QRect m_screen;
};

} // namespace

void centerFormOnceFramed(QWidget& window, const QRect& screenGeometry)
{
    centerForm(window, screenGeometry);
    new FrameWatch(window, screenGeometry);
}
