// A stand-in for SAPI's voice, registered in the speech test's Wine prefix as
// the COM server of CLSID_SpVoice: it records what the game asks it to say, one
// "KIND<TAB>SENTENCE" line per sentence in speech.txt in the working folder
// (the game's folder), which tests/e2e/judge_speech.py reads.
//
// The kind comes from the flags the game speaks with: a sentence that purges
// what was before it (SPF_PURGEBEFORESPEAK) is one the next may cut off in turn,
// "passing"; one queued behind whatever is still being said, cutting nothing
// off, is a "result". A sentence spoken without SPF_ASYNC would hold the game
// until said: "waiting". Nothing spoken with a purge is a stop, not a sentence.
// Each sentence sounds for 20 ms a character after those queued before it; a
// purge while a result still sounds is recorded as "cut" with that result.

#include <windows.h>

#include <sapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr ULONGLONG millisecondsPerCharacter = 20;

void Record(const char* kind, const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string sentence(size_t(length > 0 ? length : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, sentence.data(), length, nullptr, nullptr);
    if (FILE* file = std::fopen("speech.txt", "ab")) {
        std::fprintf(file, "%s\t%s\n", kind, sentence.c_str());
        std::fclose(file);
    }
}

struct Voice final : ISpVoice {
    LONG references = 1;
    ULONG streams = 0;
    ULONGLONG soundsUntil = 0;
    ULONGLONG resultSoundsUntil = 0;
    std::wstring result;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id != __uuidof(IUnknown) && id != __uuidof(ISpVoice)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&references)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references);
        if (left == 0) delete this;
        return ULONG(left);
    }

    HRESULT STDMETHODCALLTYPE Speak(LPCWSTR text, DWORD flags, ULONG* stream) override {
        const ULONGLONG now = GetTickCount64();
        if (flags & SPF_PURGEBEFORESPEAK) {
            if (now < resultSoundsUntil) Record("cut", result.c_str());
            soundsUntil = resultSoundsUntil = 0;
        }
        if (stream != nullptr) *stream = ++streams;
        if (text == nullptr || *text == L'\0') return S_OK;
        soundsUntil = std::max(now, soundsUntil) + millisecondsPerCharacter * wcslen(text);
        const char* kind = !(flags & SPF_ASYNC)             ? "waiting"
                           : (flags & SPF_PURGEBEFORESPEAK) ? "passing"
                                                            : "result";
        if (kind[0] == 'r') {
            resultSoundsUntil = soundsUntil;
            result = text;
        }
        Record(kind, text);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetStatus(SPVOICESTATUS* status, LPWSTR* bookmark) override {
        *status = SPVOICESTATUS{};
        status->ulLastStreamQueued = status->ulCurrentStream = streams;
        status->dwRunningState = GetTickCount64() < soundsUntil ? SPRS_IS_SPEAKING : SPRS_DONE;
        if (bookmark != nullptr) *bookmark = nullptr;
        return S_OK;
    }

    // The rest of the voice, which the game does not use.
    HRESULT STDMETHODCALLTYPE SetNotifySink(ISpNotifySink*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetNotifyWindowMessage(HWND, UINT, WPARAM, LPARAM) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetNotifyCallbackFunction(SPNOTIFYCALLBACK*, WPARAM,
                                                        LPARAM) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetNotifyCallbackInterface(ISpNotifyCallback*, WPARAM,
                                                         LPARAM) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetNotifyWin32Event() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE WaitForNotifyEvent(DWORD) override { return E_NOTIMPL; }
    HANDLE STDMETHODCALLTYPE GetNotifyEventHandle() override { return nullptr; }
    HRESULT STDMETHODCALLTYPE SetInterest(ULONGLONG, ULONGLONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetEvents(ULONG, SPEVENT*, ULONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetInfo(SPEVENTSOURCEINFO*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetOutput(IUnknown*, WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetOutputObjectToken(ISpObjectToken**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetOutputStream(ISpStreamFormat**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Pause() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Resume() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetVoice(ISpObjectToken*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVoice(ISpObjectToken**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SpeakStream(IStream*, DWORD, ULONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Skip(LPCWSTR, LONG, ULONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPriority(SPVPRIORITY) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPriority(SPVPRIORITY*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetAlertBoundary(SPEVENTENUM) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAlertBoundary(SPEVENTENUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetRate(LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetRate(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetVolume(USHORT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVolume(USHORT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE WaitUntilDone(ULONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetSyncSpeakTimeout(ULONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSyncSpeakTimeout(ULONG*) override { return E_NOTIMPL; }
    HANDLE STDMETHODCALLTYPE SpeakCompleteEvent() override { return nullptr; }
    HRESULT STDMETHODCALLTYPE IsUISupported(LPCWSTR, void*, ULONG, WINBOOL*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DisplayUI(HWND, LPCWSTR, LPCWSTR, void*, ULONG) override {
        return E_NOTIMPL;
    }
};

// Makes voices; lives as long as the library.
struct Factory final : IClassFactory {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        *object = id == __uuidof(IUnknown) || id == __uuidof(IClassFactory) ? this : nullptr;
        return *object != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID id, void** object) override {
        *object = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        Voice* voice = new Voice;
        const HRESULT result = voice->QueryInterface(id, object);
        voice->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(WINBOOL) override { return S_OK; }
};
Factory factory;

} // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI
    DllGetClassObject(REFCLSID server, REFIID id, void** object) {
    *object = nullptr;
    if (server != __uuidof(SpVoice)) return CLASS_E_CLASSNOTAVAILABLE;
    return factory.QueryInterface(id, object);
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllCanUnloadNow() { return S_FALSE; }
