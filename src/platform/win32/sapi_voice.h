#pragma once

#include <windows.h>

#include <sapi.h>

// SAPI's voice, reached through COM from ole32.dll loaded at run time, so that a
// game that does not speak loads neither ole32 nor SAPI.

struct SapiVoice {
    HMODULE ole32 = nullptr;
    bool comStarted = false;
    ISpVoice* voice = nullptr;
};

// Loads ole32, starts COM on the calling thread (multithreaded: that thread
// needs no message loop) and creates the voice. False, with nothing held, when
// any of it fails (no SAPI, no voice installed).
bool OpenSapiVoice(SapiVoice* voice);

// Lets go of the voice (which stops it), COM and ole32.
void CloseSapiVoice(SapiVoice* voice);

// Whether the voice is still saying something it was given.
bool SapiVoiceBusy(SapiVoice* voice);
