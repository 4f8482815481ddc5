// Speech in the browser: the page's live regions, which the player's screen
// reader reads out as their text changes (kelmotPage.say). A page cannot tell
// whether a screen reader runs, so the game always speaks there; the regions
// are hidden from sight and cost nothing on the screen.

#include <emscripten.h>

#include "platform/speech.h"

namespace {

// clang-format off
EM_JS(void, PageSay, (const char* sentence, int result), {
    kelmotPage.say(UTF8ToString(sentence), result != 0);
});
EM_JS(void, PageFallSilent, (), { kelmotPage.fallSilent(); });
// clang-format on

} // namespace

void StartSpeech() {}

void SpeakSentence(const char* sentence, SpeechKind kind) {
    PageSay(sentence, kind == SpeechKind::result ? 1 : 0);
}

void EndSpeech() { PageFallSilent(); }
