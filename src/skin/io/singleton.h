#pragma once
#include "skin/io/log.h"

namespace stellaro {

// Base of the classes with one process-wide instance (the application, the document): the
// pointer is set by the constructor and cleared by the destructor; a second instance is fatal.
template <typename T>
class Singleton {
public:
    static T* instance() { return static_cast<T*>(current); }

protected:
    Singleton()
    {
        if (current)
            fatal(u"Singleton is already instantiated", u"Singleton::Singleton()");
        // Kept as the base: the derived object is not made yet, so it cannot be pointed at as one.
        current = this;
    }
    ~Singleton() { current = nullptr; }
    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

private:
    static inline Singleton* current = nullptr;
};

} // namespace stellaro
