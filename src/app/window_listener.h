#pragma once
#include "shell/application.h"
#include "shell/application_listener.h"
#include "sky/stars.h"

#include <optional>

namespace stellaro {

// What the running program does with the application's calls when its screen does not answer
// them itself: a later start brings the window forward, the wheel zooms the sky (when the
// screen shows one) and the screen is kept from blanking while the window is active.
class WindowListener : public ApplicationListener {
public:
    WindowListener(Application& application, Stars* sky);

    void on_command_line(std::u16string_view) override { application.bring_to_front(); }
    bool on_close() override { return true; }
    bool on_wheel(Point, int steps) override;
    void on_screen_closed(Element*, ScreenClosing) override {}
    void on_resolution_changed() override {}
    void on_help() override {}
    void on_deactivated() override { backlight.reset(); }
    void on_activated() override;
    bool filter_key(const KeyEvent&) override { return false; }

private:
    Application& application;
    Stars* stars;
    std::optional<BacklightHold> backlight;
};

} // namespace stellaro
