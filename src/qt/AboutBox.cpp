#include "qt/AboutBox.h"

#include "qt/Artwork.h"
#include "view/Window.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornix::qt {

AboutBox::AboutBox(Window& window, QWidget* parent) : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About Vornix"));

    auto* icon = new QLabel;
    icon->setPixmap(gameIcon().pixmap(48, 48));
    auto* title = new QLabel(QStringLiteral("<b>3D Vornix</b>"));
    version_ = new QLabel(QStringLiteral("Version " VORNIX_VERSION));
    auto* description = new QLabel(QStringLiteral(
        "Noughts and crosses on a four by four by four cube, written for the fun of seeing how well a few simple "
        "strategies play a game whose first player can force a win. Morvid, at a good depth, is hard to beat."));
    description->setWordWrap(true);
    auto* disclaimer = new QLabel(QStringLiteral("This game is offered as it is, with no warranty of any kind."));
    disclaimer->setWordWrap(true);
    auto* divider = new QFrame;
    divider->setFrameShape(QFrame::HLine);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    auto* systemInfo = new QPushButton(QStringLiteral("&System Info..."));
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    // This platform has no system-information tool to start.
    connect(systemInfo, &QPushButton::clicked, this,
            [&window] { window.messageBox("System Information Is Unavailable At This Time"); });

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(version_);
    text->addWidget(description);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(systemInfo);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(disclaimer, 1);
    bottom->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(divider);
    layout->addLayout(bottom);
    setFixedWidth(400);
}

} // namespace vornix::qt
