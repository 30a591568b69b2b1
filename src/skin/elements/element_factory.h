#pragma once
#include "skin/elements/element.h"
#include "skin/props/properties.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace stellaro {

// The process-wide registry of element kinds, keyed by the type names skins give in "type".
using ElementFactory = std::function<std::unique_ptr<Element>(Element* parent)>;

// Throws skincore::NodeAlreadyRegistered when the name is taken.
void register_node(std::u16string_view type_name, ElementFactory factory);
// Forgets a kind (at shutdown); nothing when it is not registered.
void unregister_node(std::u16string_view type_name);
bool is_node_registered(std::u16string_view type_name);
// A new element of the kind; throws skincore::NodeNotRegistered for an unknown name.
std::unique_ptr<Element> create_node(std::u16string_view type_name, Element* parent);

// The element a skin block describes: made by the kind named by its string "type", initialised
// from the block and shown.
std::unique_ptr<Element> create_element(Properties& properties, const SkinBlock* block, Element* parent);

// Registers a kind for its lifetime.
class NodeRegistration {
public:
    NodeRegistration(std::u16string type_name, ElementFactory factory);
    ~NodeRegistration();
    NodeRegistration(const NodeRegistration&) = delete;
    NodeRegistration& operator=(const NodeRegistration&) = delete;

private:
    std::u16string name;
};

// A factory for a kind whose constructor takes the parent.
template <typename T>
ElementFactory factory_of()
{
    return [](Element* parent) -> std::unique_ptr<Element> { return std::make_unique<T>(parent); };
}

} // namespace stellaro
