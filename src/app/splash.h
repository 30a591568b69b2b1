#pragma once
#include "document/document.h"
#include "shell/application.h"
#include "shell/application_listener.h"
#include "skin/elements/element.h"
#include "skin/props/properties.h"
#include "sky/stars.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace stellaro {

// The text of the start-up failure: no language file (or no splash skin) could be loaded.
extern const char16_t* const NO_LANGUAGES;

// What the start-up is asked to do beyond the ordinary.
struct StartupOptions {
    // The screen to show instead of the main screen (a node of the default skin), when not "Main".
    std::string screen = "Main";
    // The language to load instead of the start-up choice.
    std::optional<std::string> language;
    // Changes to the new document before the screens are made (a place or moment given).
    std::function<void(Document&)> adjust_document;
};

// The rest of the start-up, behind the splash screen: once the application has dimmed the empty
// frame behind the splash halfway, it loads the language and the default skin, makes the
// document and the main screen, shows the main screen and takes the splash away. It owns what it
// made (the interface's skin, the document and the main screen) for the whole run and takes
// them down in the reverse order.
class Splash {
public:
    // Builds the splash screen from the "Splash" node of the splash skin and opens it on the
    // application's screen stack as an overlay. Throws skincore::NodeNotFoundInSkin without the node.
    Splash(Application& application, Properties& splash_skin, StartupOptions options);
    ~Splash();
    Splash(const Splash&) = delete;
    Splash& operator=(const Splash&) = delete;

    // Runs the rest of the start-up once the dimming has come halfway.
    void advance();

    // Whether the start-up failed (and ended the run).
    bool failed() const { return failed_; }
    // What the start-up made: the document (null before it), the interface's skin and the sky
    // of the screen shown (null without one).
    Document* document() const { return document_.get(); }
    Properties& interface_skin() { return interface_skin_; }
    Stars* sky() const;

private:
    class Screen;
    void start();
    // Takes the splash off the screen, tells the user and ends the run.
    void fail(std::u16string_view message);
    void remove_screen();

    Application& application;
    StartupOptions options;
    std::unique_ptr<Element> owned_screen;
    Element* screen = nullptr;
    Properties interface_skin_;
    std::unique_ptr<Document> document_;
    Element* main_screen_ = nullptr;
    std::unique_ptr<ApplicationListener> fallback_listener;
    bool started = false;
    bool failed_ = false;
};

} // namespace stellaro
