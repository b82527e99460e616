#pragma once
// The framework's class registry: a stored layout names the class of every
// object it holds, and the reader looks the name up here. A class that can
// be made on its own registers a factory for the base it is made as; a class
// of sub-objects, which only their owner makes, registers its name.

#include <any>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "framework/core/Exceptions.h"

namespace fw {

class EClassNotFound : public Exception {
public:
    explicit EClassNotFound(const std::string& className) : Exception("Class " + className + " not found") {}
};

class TClassRegistry {
public:
    template <typename Base>
    using Factory = std::function<std::unique_ptr<Base>()>;

    // Registering a name again replaces its entry.
    template <typename Base>
    void Register(const std::string& name, Factory<Base> factory) {
        entries_[name] = std::move(factory);
    }
    void RegisterName(const std::string& name) { entries_[name] = std::any(); }

    bool IsRegistered(const std::string& name) const { return entries_.count(name) != 0; }
    // Whether name can be made as a Base.
    template <typename Base>
    bool CanCreate(const std::string& name) const {
        const auto it = entries_.find(name);
        return it != entries_.end() && std::any_cast<Factory<Base>>(&it->second) != nullptr;
    }
    // A new object of the named class; EClassNotFound when the name is not
    // registered as a class made as a Base.
    template <typename Base>
    std::unique_ptr<Base> Create(const std::string& name) const {
        const auto it = entries_.find(name);
        const auto* factory = it == entries_.end() ? nullptr : std::any_cast<Factory<Base>>(&it->second);
        if (!factory) throw EClassNotFound(name);
        return (*factory)();
    }

private:
    std::map<std::string, std::any> entries_;
};

// The application's registry.
TClassRegistry& ClassRegistry();

}  // namespace fw
