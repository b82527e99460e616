#pragma once
// TPersistent: the base of objects that copy each other with Assign and name
// their class. Assigning between unrelated classes is an error, reported with
// the framework's conversion error, as a stored layout would report it.

#include <functional>
#include <string>

#include "framework/core/Exceptions.h"

namespace fw {

class TPersistent;

// A change notification; the sender is the object that changed.
using TNotifyEvent = std::function<void(TPersistent* sender)>;

class TPersistent {
public:
    virtual ~TPersistent() = default;

    virtual std::string ClassName() const = 0;

    // Copies source into this object. The base lets the source try (AssignTo)
    // and fails when neither side knows the other.
    virtual void Assign(const TPersistent& source) { source.AssignTo(*this); }

protected:
    TPersistent() = default;
    TPersistent(const TPersistent&) = default;
    TPersistent& operator=(const TPersistent&) = default;

    virtual void AssignTo(TPersistent& dest) const {
        throw EConvertError("Cannot assign a " + ClassName() + " to a " + dest.ClassName());
    }
};

}  // namespace fw
