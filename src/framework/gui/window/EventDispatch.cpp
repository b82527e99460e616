#include "framework/gui/window/EventDispatch.h"

#include <new>

#include "framework/core/Exceptions.h"
#include "framework/gui/window/ApplicationTitle.h"

namespace fw {

std::string ErrorBoxText(const std::string& message) {
    // Compared as unsigned so that a non-ASCII last byte counts as above ".".
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.')) {
        return message + ".";
    }
    return message;
}

void ShowError(DialogService& dialogs, const std::exception_ptr& error) {
    std::string message;
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        return;
    } catch (const Exception& e) {
        message = e.Message();
    } catch (const std::bad_alloc&) {
        message = EOutOfMemory().Message();
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
        // Not one of ours and without a text; still better shown than lost.
        message = "Unknown error";
    }
    dialogs.ShowMessageBox(ApplicationTitle(), ErrorBoxText(message), MessageBoxIcon::Stop);
}

void RunHandler(DialogService& dialogs, const std::function<void()>& handler) noexcept {
    try {
        handler();
    } catch (...) {
        ShowError(dialogs, std::current_exception());
    }
}

}  // namespace fw
