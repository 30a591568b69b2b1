#include "shell/game_base.h"

#include "platform/clock.h"
#include "platform/utf.h"
#include "shell/application.h"
#include "shell/display_rotation.h"
#include "shell/running_instance.h"
#include "skin/elements/keys.h"
#include "skin/io/log.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace stellaro {

namespace {

void log_step(const char* text)
{
    log() << tick_count() << text << "\n";
}

} // namespace

GameBase::GameBase(std::u16string title, const WindowSettings& settings)
    : title(std::move(title)), scheduler_([] { SdlWindow::wake(); }), clock(tick_count()),
      interval_ms(stellaro::frame_interval_ms(DEFAULT_DISPLAY_HZ))
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
    interval_ms = stellaro::frame_interval_ms(window->refresh_rate_hz());
    paced_tick = tick_count();
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
    // The first picture is a whole frame step: the screens are updated before they are drawn.
    frame(tick_count(), true);
    while (!quitting) {
        take_command_lines();
        std::optional<uint32_t> due = next_frame_tick();
        int timeout = wait_timeout();
        if (due)
            timeout = std::clamp(static_cast<int>(static_cast<int32_t>(*due - tick_count())), 0, timeout);
        // Waiting input is taken before a frame, so that slow frames cannot starve it.
        WindowEvent event;
        if (window->wait_event(event, timeout)) {
            handle_event(event);
            continue;
        }
        due = next_frame_tick();
        const uint32_t now = tick_count();
        if (due && static_cast<int32_t>(*due - now) <= 0)
            frame(now);
    }
}

std::optional<uint32_t> GameBase::next_frame_tick() const
{
    const Application* application = Application::instance();
    if (!window || !application || hidden_ || idle_)
        return std::nullopt;
    if (animating || application->needs_redraw())
        return paced_tick;
    if (!wake_tick)
        return std::nullopt;
    // A wait asked for never makes frames faster than the display's.
    return static_cast<int32_t>(*wake_tick - paced_tick) > 0 ? *wake_tick : paced_tick;
}

void GameBase::collect_frame_wait(uint32_t now_tick)
{
    Application* application = Application::instance();
    if (!application)
        return;
    const double wait = application->screens().take_frame_wait_seconds();
    if (wait >= Element::NO_FRAME_WAIT)
        return;
    double wait_ms = wait * 1000.0;
    // A cadence slows down out of focus; a request for the very next frame is motion and keeps its pace.
    if (paused_ && wait_ms > 0.0)
        wait_ms = std::max(wait_ms, UNFOCUSED_WAIT_MS);
    const uint32_t end = now_tick + static_cast<uint32_t>(std::min(wait_ms, 86400000.0));
    if (!wake_tick || static_cast<int32_t>(end - *wake_tick) < 0)
        wake_tick = end;
}

double GameBase::frame_step(uint32_t now_tick, bool asked, bool force)
{
    if (animating)
        return clock.step(now_tick);
    if (asked || force || !wake_tick) {
        // The time spent resting is no motion: what starts now starts with one frame.
        clock = FrameClock(now_tick);
        return interval_ms * 0.001;
    }
    const double waited = std::max(static_cast<int32_t>(*wake_tick - clock.last()), 0) * 0.001;
    return clock.step(now_tick, waited + FrameClock::MAX_STEP);
}

void GameBase::pace_after(uint32_t now_tick)
{
    // On time, the next frame is one interval after this one was due; late or after a rest,
    // one interval from now.
    const auto late = static_cast<int32_t>(now_tick - paced_tick);
    if (late < 0 || late >= interval_ms) {
        paced_tick = now_tick;
        paced_fraction = 0.0;
    }
    const double next = paced_fraction + interval_ms;
    const double whole = std::floor(next);
    paced_tick += static_cast<uint32_t>(whole);
    paced_fraction = next - whole;
}

void GameBase::note_motion(uint32_t now_tick, bool shown, bool changed)
{
    if (shown) {
        if (motion_frames == 0)
            motion_start = now_tick;
        motion_end = now_tick;
        ++motion_frames;
    }
    if (changed)
        return;
    if (motion_frames > 1)
        log() << "GameBase: " << motion_frames << " frames in " << (motion_end - motion_start) << " ms\n";
    motion_frames = 0;
}

void GameBase::frame(uint32_t now_tick, bool force)
{
    Application* application = Application::instance();
    if (!application)
        return;
    const double dt = frame_step(now_tick, application->needs_redraw(), force);
    wake_tick.reset();
    application->advance(dt);
    const bool changed = application->needs_redraw();
    const bool shown = force || changed;
    if (shown)
        render_and_present();
    animating = changed;
    pace_after(now_tick);
    collect_frame_wait(now_tick);
    note_motion(now_tick, shown, changed);
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
    ++drawn;
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
        application->set_needs_redraw();
        if (listener)
            listener->on_activated();
        break;
    case Kind::DEACTIVATED:
        paused_ = true;
        if (listener)
            listener->on_deactivated();
        break;
    case Kind::SHOWN:
        hidden_ = false;
        application->set_needs_redraw();
        break;
    case Kind::HIDDEN:
        hidden_ = true;
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
    collect_frame_wait(tick_count());
}

void GameBase::pointer_button(const WindowEvent& event, bool down)
{
    idle_ = false;
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
    // The window may have gone to another display.
    if (window)
        interval_ms = stellaro::frame_interval_ms(window->refresh_rate_hz());
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
