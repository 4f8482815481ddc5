// Speech on Linux: speech-dispatcher, on when KELMOT_SPEECH=1 or a screen
// reader runs (KELMOT_SPEECH=0 keeps it off). A thread of its own asks the
// accessibility bus, loads the client and talks to the server, so that neither
// the start nor a frame waits on a socket; the game hands it sentences through
// a mailbox that keeps every result and only the newest passing sentence
// after them, as the server would cut the older ones off anyway.

#include "platform/speech.h"

#include <pthread.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

#include "platform/linux/screen_reader.h"
#include "platform/linux/speech_dispatcher.h"

namespace {

struct Mailbox {
    std::mutex lock;
    std::condition_variable changed;
    std::deque<std::string> results;
    std::string passing;
    bool hasPassing = false;
    bool ending = false;   // the game is closing
    bool finished = false; // the speaking thread has let go of the server
};

// Made by StartSpeech and never freed: a thread stuck on a server that stopped
// answering may still hold it after EndSpeech has given up waiting.
Mailbox* mailbox = nullptr;
// Whether sentences are still taken: cleared once the thread finds that the
// game does not speak, or cannot.
std::atomic<bool> listening{false};

constexpr auto endWait = std::chrono::seconds(1);

void Finish() {
    listening = false;
    std::lock_guard<std::mutex> hold(mailbox->lock);
    mailbox->results.clear();
    mailbox->hasPassing = false;
    mailbox->finished = true;
    mailbox->changed.notify_all();
}

// The next sentence to say, waiting for one; false when the game closes.
bool NextSentence(std::string* sentence, bool* result) {
    std::unique_lock<std::mutex> hold(mailbox->lock);
    mailbox->changed.wait(
        hold, [] { return mailbox->ending || !mailbox->results.empty() || mailbox->hasPassing; });
    if (mailbox->ending) return false;
    *result = !mailbox->results.empty();
    if (*result) {
        *sentence = std::move(mailbox->results.front());
        mailbox->results.pop_front();
    } else {
        *sentence = std::move(mailbox->passing);
        mailbox->hasPassing = false;
    }
    return true;
}

void Speak(bool wanted) {
    // A server that goes away makes the next write fail with EPIPE instead of
    // ending the game with SIGPIPE (the signal goes to the writing thread).
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);

    if ((wanted || ScreenReaderRuns()) && OpenSpeechServer()) {
        std::string sentence;
        bool result = false;
        while (NextSentence(&sentence, &result) && SayOnServer(sentence.c_str(), result)) {
        }
        CloseSpeechServer();
    }
    Finish();
}

} // namespace

void StartSpeech() {
    const char* choice = std::getenv("KELMOT_SPEECH");
    if (choice != nullptr && std::strcmp(choice, "0") == 0) return;
    mailbox = new Mailbox;
    // Until the thread knows, sentences wait in the mailbox: the first screen
    // is said once a screen reader is found. A thread that cannot be made
    // leaves the game silent.
    try {
        std::thread(Speak, choice != nullptr && std::strcmp(choice, "1") == 0).detach();
        listening = true;
    } catch (const std::system_error&) {
        mailbox->finished = true;
    }
}

void SpeakSentence(const char* sentence, SpeechKind kind) {
    if (!listening) return;
    std::lock_guard<std::mutex> hold(mailbox->lock);
    if (mailbox->finished || mailbox->ending) return;
    // A result cuts off a passing sentence not yet said, as the server would.
    mailbox->hasPassing = kind == SpeechKind::passing;
    if (kind == SpeechKind::result)
        mailbox->results.emplace_back(sentence);
    else
        mailbox->passing = sentence;
    mailbox->changed.notify_all();
}

void EndSpeech() {
    if (mailbox == nullptr) return;
    std::unique_lock<std::mutex> hold(mailbox->lock);
    mailbox->ending = true;
    mailbox->changed.notify_all();
    mailbox->changed.wait_for(hold, endWait, [] { return mailbox->finished; });
}
