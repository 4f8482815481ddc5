#include "platform/win32/sapi_voice.h"

namespace {

using CoInitializeExFunction = HRESULT(WINAPI*)(void*, DWORD);
using CoUninitializeFunction = void(WINAPI*)();
using CoCreateInstanceFunction = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);

template <typename Function> Function Find(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

} // namespace

bool OpenSapiVoice(SapiVoice* voice) {
    *voice = SapiVoice{};
    voice->ole32 = LoadLibraryExW(L"ole32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (voice->ole32 == nullptr) return false;
    const auto initialize = Find<CoInitializeExFunction>(voice->ole32, "CoInitializeEx");
    const auto create = Find<CoCreateInstanceFunction>(voice->ole32, "CoCreateInstance");
    if (initialize != nullptr && create != nullptr) {
        voice->comStarted = SUCCEEDED(initialize(nullptr, COINIT_MULTITHREADED));
        void* created = nullptr;
        if (voice->comStarted &&
            SUCCEEDED(create(__uuidof(SpVoice), nullptr, CLSCTX_ALL, __uuidof(ISpVoice), &created)))
            voice->voice = static_cast<ISpVoice*>(created);
    }
    if (voice->voice != nullptr) return true;
    CloseSapiVoice(voice);
    return false;
}

void CloseSapiVoice(SapiVoice* voice) {
    if (voice->voice != nullptr) voice->voice->Release();
    if (voice->comStarted) {
        if (const auto end = Find<CoUninitializeFunction>(voice->ole32, "CoUninitialize")) end();
    }
    if (voice->ole32 != nullptr) FreeLibrary(voice->ole32);
    *voice = SapiVoice{};
}

bool SapiVoiceBusy(SapiVoice* voice) {
    SPVOICESTATUS status{};
    // A voice that cannot tell is taken as done, so that nothing waits on it forever.
    if (FAILED(voice->voice->GetStatus(&status, nullptr))) return false;
    return status.dwRunningState != SPRS_DONE;
}
