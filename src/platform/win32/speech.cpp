// Speech on Windows: SAPI's voice, on when a screen reader runs or
// KELMOT_SPEECH=1 is set (KELMOT_SPEECH=0 keeps it off). The voice lives on a
// thread of its own: creating it loads SAPI and its voices, which must not hold
// up the game, and that thread can wait for a result to end while the game
// goes on. The game's thread only hands sentences over.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/speech.h"
#include "platform/win32/sapi_voice.h"

namespace {

// Every sentence is plain text, never SAPI's markup, whatever it holds.
constexpr DWORD passingFlags = SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_NOT_XML;
constexpr DWORD resultFlags = SPF_ASYNC | SPF_IS_NOT_XML;
// How often a passing sentence that waits behind a result looks whether it has ended.
constexpr DWORD waitingLook = 50;

struct Speech {
    HANDLE thread = nullptr;
    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE changed = CONDITION_VARIABLE_INIT;
    // Handed over by the game, taken by the voice's thread.
    std::vector<std::string> results;
    std::string passing;
    bool passingWaits = false;
    bool ending = false;
    bool voiceFailed = false;
};
Speech speech;

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), length);
    return wide;
}

bool Say(SapiVoice* voice, const std::string& text, DWORD flags) {
    return SUCCEEDED(voice->voice->Speak(Wide(text).c_str(), flags, nullptr));
}

// The voice's thread. Results are said whole, one after the other: the passing
// sentence being said when one comes is stopped, and a passing sentence that
// comes while a result is still being said waits (only the latest) until it
// has been said. A passing sentence otherwise stops whatever is being said.
DWORD WINAPI SpeakAlong(void*) {
    SapiVoice voice;
    const bool opened = OpenSapiVoice(&voice);
    bool resultBeingSaid = false;
    AcquireSRWLockExclusive(&speech.lock);
    speech.voiceFailed = !opened;
    while (opened && !speech.ending) {
        if (!speech.results.empty()) {
            std::vector<std::string> results;
            results.swap(speech.results);
            ReleaseSRWLockExclusive(&speech.lock);
            if (resultBeingSaid) resultBeingSaid = SapiVoiceBusy(&voice);
            // Speaking nothing with a purge stops what is being said.
            if (!resultBeingSaid)
                voice.voice->Speak(nullptr, SPF_ASYNC | SPF_PURGEBEFORESPEAK, nullptr);
            for (const std::string& result : results)
                if (Say(&voice, result, resultFlags)) resultBeingSaid = true;
            AcquireSRWLockExclusive(&speech.lock);
        } else if (speech.passingWaits) {
            if (resultBeingSaid) {
                ReleaseSRWLockExclusive(&speech.lock);
                resultBeingSaid = SapiVoiceBusy(&voice);
                AcquireSRWLockExclusive(&speech.lock);
            }
            if (resultBeingSaid) {
                SleepConditionVariableSRW(&speech.changed, &speech.lock, waitingLook, 0);
                continue;
            }
            const std::string passing = std::move(speech.passing);
            speech.passingWaits = false;
            ReleaseSRWLockExclusive(&speech.lock);
            Say(&voice, passing, passingFlags);
            AcquireSRWLockExclusive(&speech.lock);
        } else {
            SleepConditionVariableSRW(&speech.changed, &speech.lock, INFINITE, 0);
        }
    }
    ReleaseSRWLockExclusive(&speech.lock);
    if (opened) CloseSapiVoice(&voice);
    return 0;
}

bool WantsSpeech() {
    char value[4];
    const DWORD length = GetEnvironmentVariableA("KELMOT_SPEECH", value, sizeof value);
    if (length == 1 && value[0] == '0') return false;
    if (length == 1 && value[0] == '1') return true;
    BOOL screenReader = FALSE;
    return SystemParametersInfoW(SPI_GETSCREENREADER, 0, &screenReader, 0) && screenReader;
}

} // namespace

void StartSpeech() {
    if (!WantsSpeech()) return;
    speech.thread = CreateThread(nullptr, 0, SpeakAlong, nullptr, 0, nullptr);
}

void SpeakSentence(const char* sentence, SpeechKind kind) {
    if (speech.thread == nullptr || sentence == nullptr) return;
    AcquireSRWLockExclusive(&speech.lock);
    if (!speech.voiceFailed) {
        if (kind == SpeechKind::result) {
            speech.results.emplace_back(sentence);
            // Said after the result, a passing sentence handed over before it
            // would be out of date.
            speech.passingWaits = false;
        } else {
            speech.passing = sentence;
            speech.passingWaits = true;
        }
    }
    ReleaseSRWLockExclusive(&speech.lock);
    WakeConditionVariable(&speech.changed);
}

void EndSpeech() {
    if (speech.thread == nullptr) return;
    AcquireSRWLockExclusive(&speech.lock);
    speech.ending = true;
    ReleaseSRWLockExclusive(&speech.lock);
    WakeConditionVariable(&speech.changed);
    // A voice still being created does not keep the game from ending.
    WaitForSingleObject(speech.thread, 2000);
    CloseHandle(speech.thread);
    speech.thread = nullptr;
}
