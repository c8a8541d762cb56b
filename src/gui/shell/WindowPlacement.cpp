#include "gui/shell/WindowPlacement.h"

#include "core/runtime/SettingsStore.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ondal {

void setUpOwnWindow(QWidget &window, const QString &objectName, const QString &title)
{
    window.setObjectName(objectName);
    window.setWindowTitle(title);
    window.setWindowFlag(Qt::Window);
    window.setAttribute(Qt::WA_DeleteOnClose);
}

QMargins frameMarginsOf(const QWidget &window)
{
    const QRect client = window.geometry();
    const QRect outer = window.frameGeometry();
    return QMargins(client.left() - outer.left(), client.top() - outer.top(),
                    outer.right() - client.right(), outer.bottom() - client.bottom());
}

QList<QRect> attachedScreenAreas()
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

WindowPlacement::WindowPlacement(QWidget &window, const PlacementKeys &keys,
                                 ScreenAreas screenAreas)
    : m_window(window), m_keys(keys),
      m_screenAreas(screenAreas ? std::move(screenAreas) : ScreenAreas(&attachedScreenAreas))
{}

void WindowPlacement::restore(const SettingsStore &store)
{
    const Placement stored = loadPlacement(store, m_keys);
    applyOuterGeometry(toPixels(fittedPlacement(stored, m_screenAreas(), m_keys.defaults)));
}

std::optional<Placement> WindowPlacement::placementNow() const
{
    if (m_window.isMinimized())
        return std::nullopt;
    QRect outer = m_window.frameGeometry();
    // A maximized window fills the screen area it is maximized on, but the
    // window manager tells its new size and frame a moment later than its
    // state: closed at once, the frame reported may still be the normal
    // window's, or the maximized one in the normal window's margins. The
    // screens are the real ones, where the window manager put the window.
    if (m_window.isMaximized())
        outer = maximizedFrame(outer, attachedScreenAreas());
    return fromPixels(outer);
}

std::optional<SettingsValues> WindowPlacement::values() const
{
    const std::optional<Placement> placement = placementNow();
    if (!placement)
        return std::nullopt;
    return placementValues(*placement, m_keys);
}

QString WindowPlacement::save(SettingsStore &store) const
{
    const std::optional<Placement> placement = placementNow();
    return placement ? savePlacement(store, *placement, m_keys) : QString();
}

void WindowPlacement::applyOuterGeometry(const QRect &outer)
{
    // The position is that of the frame.
    m_outerTarget = outer;
    const QMargins frame = frameMarginsOf(m_window);
    m_window.move(outer.topLeft());
    m_window.resize(outer.size().shrunkBy(frame));
    m_clientRequested = m_window.size();
    m_frameSettled = !frame.isNull();
}

void WindowPlacement::settleFrame()
{
    if (m_frameSettled || !m_window.isVisible() || m_window.windowState() != Qt::WindowNoState)
        return;
    const QMargins frame = frameMarginsOf(m_window);
    if (frame.isNull())
        return; // not framed yet
    m_frameSettled = true;
    // Leave a window alone that the user has already resized.
    if (m_window.size() != m_clientRequested)
        return;
    m_window.resize(m_outerTarget.size().shrunkBy(frame));
    if (m_window.pos() != m_outerTarget.topLeft())
        m_window.move(m_outerTarget.topLeft());
}

void WindowPlacement::follow(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
    case QEvent::UpdateRequest:
        settleFrame();
        break;
    default:
        break;
    }
}

} // namespace ondal
