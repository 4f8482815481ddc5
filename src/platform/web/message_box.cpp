// Message boxes in the browser: a modal box of the page, captioned "Error",
// with the text and one OK, which Enter answers; the game waits for it. The
// window layer's reports carry a warning sign, as they do on Windows.

#include <emscripten.h>

#include "platform/message_box.h"

namespace {

// clang-format off
EM_ASYNC_JS(void, ShowPageBox, (const char* text, int warning), {
    await kelmotPage.showMessage(UTF8ToString(text), warning != 0);
});
// clang-format on

} // namespace

void ShowErrorBox(const char* text, ReportOwner owner) {
    ShowPageBox(text, owner == ReportOwner::none ? 1 : 0);
}
