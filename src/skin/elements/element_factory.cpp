#include "skin/elements/element_factory.h"

#include "skin/props/skincore.h"

#include <map>

namespace stellaro {

namespace {

std::map<std::u16string, ElementFactory, std::less<>>& registry()
{
    static std::map<std::u16string, ElementFactory, std::less<>> kinds;
    return kinds;
}

} // namespace

void register_node(std::u16string_view type_name, ElementFactory factory)
{
    if (!registry().emplace(std::u16string(type_name), std::move(factory)).second)
        throw skincore::NodeAlreadyRegistered(std::u16string(type_name));
}

void unregister_node(std::u16string_view type_name)
{
    const auto found = registry().find(type_name);
    if (found != registry().end())
        registry().erase(found);
}

bool is_node_registered(std::u16string_view type_name) { return registry().find(type_name) != registry().end(); }

std::unique_ptr<Element> create_node(std::u16string_view type_name, Element* parent)
{
    const auto found = registry().find(type_name);
    if (found == registry().end() || !found->second)
        throw skincore::NodeNotRegistered(std::u16string(type_name));
    std::unique_ptr<Element> element = found->second(parent);
    if (element)
        element->set_kind(std::u16string(type_name));
    return element;
}

std::unique_ptr<Element> create_element(Properties& properties, const SkinBlock* block, Element* parent)
{
    std::unique_ptr<Element> element = create_node(properties.get_string(block, u"type", u""), parent);
    if (!element)
        return nullptr;
    element->init_from_skin(properties, block);
    element->set_visible(true);
    return element;
}

NodeRegistration::NodeRegistration(std::u16string type_name, ElementFactory factory) : name(std::move(type_name))
{
    register_node(name, std::move(factory));
}

NodeRegistration::~NodeRegistration() { unregister_node(name); }

} // namespace stellaro
