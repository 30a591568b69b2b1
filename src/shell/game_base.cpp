#include "shell/game_base.h"

#include "platform/clock.h"
#include "platform/utf.h"
#include "shell/application.h"
#include "shell/display_rotation.h"
#include "shell/running_instance.h"
#include "skin/elements/keys.h"
#include "skin/io/log.h"

#include <algorithm>
#include <cstdlib>

namespace stellaro {

namespace {

void log_step(const char* text)
{
    log() << tick_count() << text << "\n";
}

} // namespace

GameBase::GameBase(std::u16string title, const WindowSettings& settings)
    : title(std::move(title)), scheduler_([] { SdlWindow::wake(); }), clock(tick_count())
{
    turns = ((settings.orientation % 4) + 4) % 4;
    log_step(" GameBase 0");
    log_step(" GameBase 1");
    log_step(" GameBase 3");
    if (settings.headless) {
        headless_size = {std::max(settings.width, 1), std::max(settings.height, 1)};
        error = "headless";
        return;
    }
    std::string why;
    window = SdlWindow::open(utf16_to_utf8(this->title), std::max(settings.width, 1), std::max(settings.height, 1), why);
    if (!window) {
        error = why;
        log() << "GameBase: " << why << "\n";
        return;
    }
    log_step(" GameBase 5");
    // Holds taken before the window existed count from now on.
    if (BacklightHold::count() > 0)
        window->hold_screensaver(true);
    info = screen_info();
    update_frame_timer();
}

GameBase::~GameBase()
{
    window.reset();
}

Size GameBase::frame_size() const
{
    int width = headless_size.width;
    int height = headless_size.height;
    if (window)
        window->client_size(width, height);
    int frame_width = 0;
    int frame_height = 0;
    rotated_size(width, height, turns, frame_width, frame_height);
    return {frame_width, frame_height};
}

ScreenInfo GameBase::screen_info() const
{
    const Size size = frame_size();
    ScreenInfo area;
    area.screen_width = size.width;
    area.screen_height = size.height;
    area.client_width = size.width;
    area.client_height = size.height;
    area.orientation = turns;
    return area;
}

void GameBase::set_orientation(int32_t quarter_turns)
{
    const int32_t normal = ((quarter_turns % 4) + 4) % 4;
    if (normal == turns)
        return;
    turns = normal;
    resolution_changed();
}

void GameBase::update_frame_timer()
{
    const bool want = window && !paused_ && !idle_;
    if (want == timer_running)
        return;
    timer_running = want;
    // The clock restarts with the timer, so a long pause does not count as one slow frame.
    if (want)
        clock = FrameClock(tick_count());
    window->set_frame_timer(want ? FRAME_MS : 0);
}

int GameBase::wait_timeout()
{
    const uint32_t now = tick_count();
    const uint32_t next_timer = scheduler_.run_timers(now);
    const auto poll = static_cast<int32_t>(next_hand_over_poll - now);
    int timeout = std::max(poll, 0);
    if (next_timer != CActiveScheduler::NO_TIMER)
        timeout = std::min(timeout, static_cast<int>(next_timer));
    return timeout;
}

void GameBase::take_command_lines()
{
    const uint32_t now = tick_count();
    if (static_cast<int32_t>(now - next_hand_over_poll) < 0)
        return;
    next_hand_over_poll = now + HAND_OVER_POLL_MS;
    for (const std::u16string& line : take_handed_command_lines()) {
        log() << "Application::EnumProc window found hwnd=" << line << "\n";
        if (ApplicationListener* listener = Application::instance() ? Application::instance()->listener() : nullptr)
            listener->on_command_line(line);
    }
}

void GameBase::run()
{
    if (!window)
        return;
    quitting = false;
    render_and_present();
    while (!quitting) {
        take_command_lines();
        WindowEvent event;
        if (window->wait_event(event, wait_timeout()))
            handle_event(event);
    }
}

void GameBase::frame(uint32_t now_tick, bool force)
{
    Application* application = Application::instance();
    if (!application)
        return;
    application->advance(clock.step(now_tick));
    if (force || application->needs_redraw(true))
        render_and_present();
}

void GameBase::render_and_present()
{
    Application* application = Application::instance();
    const Size size = frame_size();
    if (!application || size.width <= 0 || size.height <= 0)
        return;
    // The frame lives from frame to frame and is only made again when the size changes.
    if (!back.has_buffer() || back.size() != size) {
        back.recreate(size);
        if (!back.has_buffer())
            return;
    }
    application->render(back, tick_count());
    if (!window)
        return;
    const PixelBuffer& pixels = *back.buffer();
    if (turns == 0) {
        window->present(reinterpret_cast<const uint16_t*>(pixels.bits()), size.width, size.height, static_cast<int>(pixels.pitch()));
        return;
    }
    int width = 0;
    int height = 0;
    rotated_size(size.width, size.height, turns, width, height);
    turned.resize(static_cast<size_t>(width) * height);
    rotate_frame(reinterpret_cast<const uint16_t*>(pixels.bits()), size.width, size.height, static_cast<int>(pixels.pitch() / 2),
                 turned.data(), turns);
    window->present(turned.data(), width, height, width * 2);
}

Point GameBase::to_frame(int x, int y) const
{
    const Size size = frame_size();
    Point point;
    window_to_frame(x, y, size.width, size.height, turns, point.x, point.y);
    return point;
}

void GameBase::handle_event(const WindowEvent& event)
{
    Application* application = Application::instance();
    if (!application)
        return;
    ApplicationListener* listener = application->listener();
    using Kind = WindowEvent::Kind;
    switch (event.kind) {
    case Kind::QUIT:
        if (!listener || listener->on_close())
            quitting = true;
        break;
    case Kind::TICK:
        if (!paused_ && !idle_)
            frame(tick_count());
        break;
    case Kind::WAKE:
        scheduler_.process_actives();
        break;
    case Kind::POINTER_DOWN:
        pointer_button(event, true);
        break;
    case Kind::POINTER_UP:
        pointer_button(event, false);
        break;
    case Kind::CAPTURE_LOST:
        if (pressed)
            release(last_release.x == NO_RELEASE && last_release.y == NO_RELEASE, event.time);
        break;
    case Kind::POINTER_MOVE: {
        idle_ = false;
        update_frame_timer();
        const Point point = to_frame(event.x, event.y);
        PointerEvent move;
        move.x = point.x;
        move.y = point.y;
        move.time = event.time;
        application->screens().pointer_move(move);
        break;
    }
    case Kind::WHEEL:
        idle_ = false;
        update_frame_timer();
        if (listener)
            listener->on_wheel(to_frame(event.x, event.y), event.wheel);
        break;
    case Kind::KEY_DOWN:
    case Kind::KEY_UP:
        key(event);
        break;
    case Kind::TEXT:
        text(event);
        break;
    case Kind::ACTIVATED:
        paused_ = false;
        idle_ = false;
        update_frame_timer();
        application->set_needs_redraw();
        if (listener)
            listener->on_activated();
        break;
    case Kind::DEACTIVATED:
        paused_ = true;
        update_frame_timer();
        if (listener)
            listener->on_deactivated();
        break;
    case Kind::RESIZED:
        resolution_changed();
        break;
    case Kind::EXPOSED:
        render_and_present();
        break;
    case Kind::NONE:
        break;
    }
}

void GameBase::pointer_button(const WindowEvent& event, bool down)
{
    idle_ = false;
    update_frame_timer();
    if (down) {
        last_release = {NO_RELEASE, NO_RELEASE};
        pressed = true;
        const Point point = to_frame(event.x, event.y);
        PointerEvent press;
        press.x = point.x;
        press.y = point.y;
        press.time = event.time;
        press.down = true;
        Application::instance()->screens().pointer_button(press);
        return;
    }
    if (!pressed)
        return;
    last_release = to_frame(event.x, event.y);
    // The release goes out as the capture ends.
    release(false, event.time);
}

void GameBase::release(bool cancelled, uint32_t time)
{
    pressed = false;
    PointerEvent event;
    event.x = last_release.x;
    event.y = last_release.y;
    event.time = time;
    event.down = false;
    event.cancelled = cancelled;
    Application::instance()->screens().pointer_button(event);
}

void GameBase::key(const WindowEvent& event)
{
    idle_ = false;
    update_frame_timer();
    const bool down = event.kind == WindowEvent::Kind::KEY_DOWN;
    const uint32_t virtual_key = rotate_arrow_key(event.virtual_key, turns);
    KeyEvent key_event;
    key_event.code = key_from_virtual_key(virtual_key);
    key_event.down = down;
    key_event.first = !(down && event.repeat);
    // Bit 30 of the key message parameter tells a repeat, as on the system the log lines come from.
    const uint32_t parameter = down && event.repeat ? 0x40000001u : 1u;
    log() << (down ? "WM_KEYDOWN = " : "WM_KEYUP = ") << virtual_key << "(" << key_name(key_event.code).value_or("")
          << ")" << " lParam=" << parameter << " ticks=" << tick_count() << "\n";
    Application* application = Application::instance();
    if (ApplicationListener* listener = application->listener(); listener && listener->filter_key(key_event))
        return;
    application->screens().key(key_event);
}

void GameBase::text(const WindowEvent& event)
{
    const std::u16string typed = utf8_to_utf16(event.text);
    for (size_t i = 0; i < typed.size(); ++i) {
        // One character at a time; a surrogate pair is one character.
        const size_t length = (typed[i] >= 0xD800 && typed[i] < 0xDC00 && i + 1 < typed.size()) ? 2 : 1;
        const std::u16string_view character(typed.data() + i, length);
        i += length - 1;
        log() << "WM_CHAR=" << character << " lParam=1 ticks=" << tick_count() << "\n";
        if (character[0] < 32)
            continue;
        Application::instance()->screens().text(character);
    }
}

void GameBase::resolution_changed()
{
    const ScreenInfo now = screen_info();
    Application* application = Application::instance();
    const bool changed = now.screen_width != info.screen_width || now.screen_height != info.screen_height ||
                         now.orientation != info.orientation || now.dpi != info.dpi;
    info = now;
    if (changed) {
        log() << "Application::ResolutionChanged 2\n";
        if (ApplicationListener* listener = application->listener())
            listener->on_resolution_changed();
    }
    application->set_needs_redraw();
    render_and_present();
}

void GameBase::suspend_frames()
{
    idle_ = true;
    update_frame_timer();
}

void GameBase::minimize()
{
    if (window)
        window->minimize();
}

void GameBase::bring_to_front()
{
    if (window)
        window->bring_to_front();
}

void GameBase::hold_screensaver(bool hold)
{
    if (window)
        window->hold_screensaver(hold);
}

void GameBase::start_text_input(Point origin, Size size)
{
    if (!window)
        return;
    const Size frame = frame_size();
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    frame_to_window(origin.x, origin.y, frame.width, frame.height, turns, x0, y0);
    frame_to_window(origin.x + std::max(size.width, 1) - 1, origin.y + std::max(size.height, 1) - 1, frame.width,
                    frame.height, turns, x1, y1);
    window->start_text_input(std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0) + 1, std::abs(y1 - y0) + 1);
}

bool GameBase::end_text_input()
{
    if (!window)
        return false;
    const bool keyboard_up = window->screen_keyboard_shown();
    window->end_text_input();
    return keyboard_up;
}

void GameBase::add_timer(uint32_t delay_ms, CActive& object)
{
    scheduler_.add_timer(tick_count() + delay_ms, object);
    // The loop's wait is cut short so that the new timer is looked at in time.
    SdlWindow::wake();
}

void GameBase::message_box(std::u16string_view text) const
{
    show_message(utf16_to_utf8(title), utf16_to_utf8(text));
}

} // namespace stellaro
