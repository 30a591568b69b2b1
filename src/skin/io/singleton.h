#pragma once
#include "skin/io/log.h"

namespace stellaro {

// Base of the classes with one process-wide instance (the application, the document): the
// pointer is set by the constructor and cleared by the destructor; a second instance is fatal.
template <typename T>
class Singleton {
public:
    static T* instance() { return current; }

protected:
    Singleton()
    {
        if (current)
            fatal(u"Singleton is already instantiated", u"Singleton::Singleton()");
        current = static_cast<T*>(this);
    }
    ~Singleton() { current = nullptr; }
    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

private:
    static inline T* current = nullptr;
};

} // namespace stellaro
