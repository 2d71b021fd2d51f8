// "How to play": the rules and a few hints in five paragraphs; "Done" only hides it.
#pragma once

#include <QDialog>

namespace vornix::qt {

class HowToPlay : public QDialog {
    Q_OBJECT

public:
    explicit HowToPlay(QWidget* parent);
};

} // namespace vornix::qt
