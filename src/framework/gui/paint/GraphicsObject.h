#pragma once
// Base of the framework's pen, brush and font: a value object that tells one
// listener (OnChange) after each change of its values. Setters compare first,
// so setting a value that is already there tells nobody.

#include "framework/core/Persistent.h"

namespace fw {

class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    TGraphicsObject() = default;
    explicit TGraphicsObject(TNotifyEvent onChange) : OnChange(std::move(onChange)) {}
    // Copies of a graphics object carry its values, not its listener.
    TGraphicsObject(const TGraphicsObject&) : TPersistent() {}
    TGraphicsObject& operator=(const TGraphicsObject&) { return *this; }

    void Changed() {
        if (OnChange) OnChange(this);
    }

    // Stores value into field and tells the listener when it differs.
    template <typename T>
    void SetAndNotify(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Changed();
    }
};

}  // namespace fw
