// What the window tests share: a window opened as the player sees it, and the mouse as Qt sends it.
#pragma once

#include "qt/CellLabel.h"
#include "qt/MainWindow.h"

#include <QApplication>
#include <QMouseEvent>

#include <memory>

namespace vornix::testing {

inline std::unique_ptr<qt::MainWindow> openWindow()
{
    auto window = std::make_unique<qt::MainWindow>();
    window->view().setSilent(true);
    window->show();
    QApplication::setActiveWindow(window.get());
    return window;
}

inline int pieces(qt::MainWindow& w)
{
    int n = 0;
    for (int c = 0; c < 64; ++c)
        n += !w.cell(c)->caption().isEmpty();
    return n;
}

inline void mouse(QEvent::Type type, qt::CellLabel* cell, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, at, cell->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(cell, &event);
}

} // namespace vornix::testing
