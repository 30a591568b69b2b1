#pragma once
#include "platform/utf.h"

#include <stdexcept>
#include <string>

namespace stellaro {

// The toolkit's exceptions: missing or duplicate nodes and element kinds. Each carries the
// names concerned as wide strings; what() gives them as UTF-8 for diagnostics.
namespace skincore {

class SkinError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A screen asked for a named node that the skin lacks.
class NodeNotFoundInSkin : public SkinError {
public:
    explicit NodeNotFoundInSkin(std::u16string name)
        : SkinError("node {" + utf16_to_utf8(name) + "} not found in skin"), name(std::move(name))
    {
    }
    std::u16string name;
};

// An element was asked for a descendant that does not exist.
class NodeNotFound : public SkinError {
public:
    NodeNotFound(std::u16string parent, std::u16string name)
        : SkinError("node {" + utf16_to_utf8(name) + "} not found under {" + utf16_to_utf8(parent) + "}"),
          parent(std::move(parent)), name(std::move(name))
    {
    }
    std::u16string parent;
    std::u16string name;
};

// No element kind of that name is registered.
class NodeNotRegistered : public SkinError {
public:
    explicit NodeNotRegistered(std::u16string type_name)
        : SkinError("element kind {" + utf16_to_utf8(type_name) + "} is not registered"),
          type_name(std::move(type_name))
    {
    }
    std::u16string type_name;
};

// An element kind of that name is registered already.
class NodeAlreadyRegistered : public SkinError {
public:
    explicit NodeAlreadyRegistered(std::u16string type_name)
        : SkinError("element kind {" + utf16_to_utf8(type_name) + "} is already registered"),
          type_name(std::move(type_name))
    {
    }
    std::u16string type_name;
};

} // namespace skincore

} // namespace stellaro
