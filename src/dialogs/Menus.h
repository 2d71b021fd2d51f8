// The menu bar's captions, shortcuts, check marks and enabled states. The rules read and write the
// marks here; the window only mirrors them.
#pragma once

#include "dialogs/MenuItem.h"
#include "view/Window.h"

#include <array>
#include <string_view>

namespace vornix {

std::string_view menuCaption(MenuItem item);
// The shortcuts in the portable text form, the main one first and any others after "; "
// ("F2; Ctrl+N", "Ctrl+F12"), or "" for none.
std::string_view menuShortcut(MenuItem item);
// Whether the item carries a check mark when it is chosen (the check items and radio groups).
bool isCheckItem(MenuItem item);

class MenuModel {
public:
    explicit MenuModel(Window& window);

    bool checked(MenuItem item) const { return checked_[index(item)]; }
    bool enabled(MenuItem item) const { return enabled_[index(item)]; }
    void check(MenuItem item, bool on);
    void enable(MenuItem item, bool on);

    // Tells the window the state of every item, e.g. once its widgets exist.
    void publishAll() const;

private:
    static constexpr int index(MenuItem item) { return static_cast<int>(item); }
    void publish(MenuItem item) const;

    Window& window_;
    std::array<bool, kMenuItemCount> checked_{};
    std::array<bool, kMenuItemCount> enabled_{};
};

} // namespace vornix
