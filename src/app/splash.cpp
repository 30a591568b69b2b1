#include "app/splash.h"

#include "app/load_report.h"
#include "app/place_and_moment.h"
#include "app/program_setup.h"
#include "app/screen_factory.h"
#include "app/window_listener.h"
#include "platform/utf.h"
#include "screens/main_screen.h"
#include "skin/io/log.h"
#include "skin/props/skincore.h"

namespace stellaro {

const char16_t* const NO_LANGUAGES = u"No languages, please reinstall\n"
                                     u"\u041d\u0435 \u043d\u0430\u0439\u0434\u0435\u043d\u044b \u044f\u0437\u044b\u043a\u043e\u0432\u044b\u0435 "
                                     u"\u0444\u0430\u0439\u043b\u044b, \u043d\u0443\u0436\u043d\u0430 "
                                     u"\u043f\u0435\u0440\u0435\u0443\u0441\u0442\u0430\u043d\u043e\u0432\u043a\u0430\n";

// The splash's element: each update after its children's steps the start-up on.
class Splash::Screen : public Element {
public:
    explicit Screen(Splash& splash) : splash(splash) {}

    void update(double elapsed) override
    {
        Element::update(elapsed);
        splash.advance();
    }

private:
    Splash& splash;
};

Splash::Splash(Application& application, Properties& splash_skin, StartupOptions options)
    : application(application), options(std::move(options)), owned_screen(std::make_unique<Screen>(*this)),
      screen(owned_screen.get())
{
    if (!screen->load_from_skin(splash_skin, u"Splash"))
        throw skincore::NodeNotFoundInSkin(u"Splash");
    screen->set_visible(true);
    screen->set_id(u"Splash");
    application.push_screen(std::move(owned_screen), ScreenKind::OVERLAY);
}

Splash::~Splash()
{
    if (application.listener() == fallback_listener.get() ||
        application.listener() == dynamic_cast<ApplicationListener*>(main_screen_))
        application.set_listener(nullptr);
    if (main_screen_)
        application.remove_screen(main_screen_);
    main_screen_ = nullptr;
    fallback_listener.reset();
    document_.reset();
    remove_screen();
}

Stars* Splash::sky() const { return main_screen_ ? sky_of(*main_screen_) : nullptr; }

void Splash::remove_screen()
{
    if (!owned_screen)
        owned_screen = application.remove_screen(screen);
}

void Splash::fail(std::u16string_view message)
{
    remove_screen();
    failed_ = true;
    application.message_box(message);
    application.quit();
}

void Splash::advance()
{
    if (started || application.screens().dim_level() != ScreenStack::DIMMED_LEVEL)
        return;
    started = true;
    start();
}

void Splash::start()
{
    log() << " WinMain splash 0\n";
    try {
        if (!load_language(interface_skin_, "run", options.language) && interface_skin_.language().loaded_path().empty()) {
            fail(NO_LANGUAGES);
            return;
        }
    } catch (const std::exception& error) {
        fail(utf8_to_utf16(error.what()));
        return;
    }
    log() << " WinMain splash 1\n";
    if (const SkinLoad skin = interface_skin_.load_skin(u"%app_path%/skins/bin/default.skin", DOTS_PER_INCH); !skin) {
        report_load_problem("run", skin.file, skin.problem);
        fail(interface_skin_.translate(u"NoSkins"));
        return;
    }
    log() << " WinMain splash 1.5\n";
    document_.reset();
    document_ = std::make_unique<Document>();
    report_cities("run", *document_);
    if (options.adjust_document)
        options.adjust_document(*document_);
    if (document_->night_mode)
        interface_skin_.to_night_colors();
    log() << " WinMain splash 2\n";
    std::unique_ptr<Element> made;
    try {
        made = make_screen(interface_skin_, options.screen, ScreenUse::WINDOW);
    } catch (const ScreenError& error) {
        fail(utf8_to_utf16(error.what()));
        return;
    }
    if (Stars* sky = sky_of(*made))
        report_sky("run", *sky);
    main_screen_ = made.get();
    if (auto* main = dynamic_cast<MainScreen*>(main_screen_)) {
        Document& document = *document_;
        main->set_command_line_handler([&document](std::u16string_view text) { apply_handed_command_line(text, document); });
    }
    log() << " WinMain splash 3\n";
    document_->notify(DocumentChange{false});
    auto* listener = dynamic_cast<ApplicationListener*>(main_screen_);
    if (!listener) {
        fallback_listener = std::make_unique<WindowListener>(application, sky_of(*main_screen_));
        listener = fallback_listener.get();
    }
    application.set_listener(listener);
    listener->on_resolution_changed();
    application.push_screen(std::move(made));
    remove_screen();
    log() << " WinMain splash 4\n";
}

} // namespace stellaro
