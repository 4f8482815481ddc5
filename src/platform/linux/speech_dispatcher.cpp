// speech-dispatcher's priorities do what the game's two kinds of sentence ask:
// a message of priority "text" cancels the "text" message being said before it
// and never waits behind one; a message of priority "message" is not cut off
// by "text" messages, and those that come while it waits or is said are
// postponed until it has been said. Only the few calls used are declared here,
// as libspeechd.so.2 exports them.

#include "platform/linux/speech_dispatcher.h"

#include <dlfcn.h>

#include <cstdlib>

namespace {

constexpr int priorityMessage = 2; // SPD_MESSAGE
constexpr int priorityText = 3;    // SPD_TEXT
constexpr int modeSingle = 0;      // SPD_MODE_SINGLE: no thread of the library's own

struct Speechd {
    void* (*open)(const char*, const char*, const char*, int, const void*, int, char**);
    int (*say)(void*, int, const char*);
    int (*cancel)(void*);
    void (*close)(void*);
};

Speechd speechd{};
void* connection = nullptr;

template <typename Function> bool Find(void* library, const char* name, Function* function) {
    *function = reinterpret_cast<Function>(dlsym(library, name));
    return *function != nullptr;
}

} // namespace

bool OpenSpeechServer() {
    void* library = dlopen("libspeechd.so.2", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return false;
    if (!Find(library, "spd_open2", &speechd.open) || !Find(library, "spd_say", &speechd.say) ||
        !Find(library, "spd_cancel", &speechd.cancel) ||
        !Find(library, "spd_close", &speechd.close))
        return false;
    // The address comes from SPEECHD_ADDRESS, or the server's usual socket.
    char* error = nullptr;
    connection = speechd.open("kelmot", "main", nullptr, modeSingle, nullptr, 1, &error);
    std::free(error);
    return connection != nullptr;
}

bool SayOnServer(const char* sentence, bool result) {
    return connection != nullptr &&
           speechd.say(connection, result ? priorityMessage : priorityText, sentence) >= 0;
}

void CloseSpeechServer() {
    if (connection == nullptr) return;
    speechd.cancel(connection);
    speechd.close(connection);
    connection = nullptr;
}
