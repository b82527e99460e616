#pragma once
// Every event handler of the window runs inside RunHandler, so that no error
// ever reaches Qt: errors are shown in the error box and the window goes on.

#include <exception>
#include <functional>
#include <string>

#include "framework/gui/window/DialogService.h"

namespace fw {

// The text the error box shows for a message: "." appended when the message is
// not empty and its last character's code is above that of ".".
std::string ErrorBoxText(const std::string& message);

// Shows an error: the box text above, the application title as caption, the stop
// icon. An EAbort is silent. A std::bad_alloc shows the out-of-memory message.
void ShowError(DialogService& dialogs, const std::exception_ptr& error);

// Runs handler and shows whatever it throws.
void RunHandler(DialogService& dialogs, const std::function<void()>& handler) noexcept;

}  // namespace fw
