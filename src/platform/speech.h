#pragma once

#include <cstdint>

// Speech, for players who play by ear: each system says the game's sentences
// through its own voice (or its screen reader). The shared announcer
// (shell/announcer.h) decides what to say and calls SpeakSentence at most once
// per frame, on the game's own thread.

enum class SpeechKind : uint8_t {
    passing, // a highlighted row, the cursor's cell, a move: the next sentence
             // cuts it off, and it never waits behind another passing sentence
    result   // a game's result: said whole; nothing cuts it off, and a passing
             // sentence that comes meanwhile waits until it is said
};

// Decides whether the game speaks at all: when a screen reader runs, or when
// KELMOT_SPEECH=1 is set. Called once, before the first frame; must not hold
// up the start (where asking the system takes time, it asks in the background).
// With speech off no speech library is loaded.
void StartSpeech();

// Says sentence (UTF-8) as kind says; nothing when speech is off. Never blocks.
void SpeakSentence(const char* sentence, SpeechKind kind);

// Stops speaking and lets go of what StartSpeech took. Called once, at the end.
void EndSpeech();
