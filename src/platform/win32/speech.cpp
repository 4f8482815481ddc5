#include "platform/speech.h"

void StartSpeech() {}
void SpeakSentence(const char*, SpeechKind) {}
void EndSpeech() {}
