// "About Vornix": what the game is, its version; OK discards the box.
#pragma once

#include <QDialog>

class QLabel;

namespace vornix {
class Window;
}

namespace vornix::qt {

class AboutBox : public QDialog {
    Q_OBJECT

public:
    AboutBox(Window& window, QWidget* parent);

    QLabel* versionLabel() const { return version_; }

private:
    QLabel* version_ = nullptr;
};

} // namespace vornix::qt
