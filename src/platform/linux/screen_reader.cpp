// Asks the accessibility bus (org.a11y.Bus on the session bus) whether a screen
// reader runs. libdbus is loaded only to ask, so that the game has no link to it
// and a desktop without it costs nothing; it stays loaded afterwards, as its
// global state is not made to be unloaded. Only the few
// calls and constants used are declared here; they are libdbus's stable ABI.

#include "platform/linux/screen_reader.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using DbusBool = uint32_t;

// DBusError's layout: two strings, a word of flags and a pointer.
struct DbusError {
    const char* name;
    const char* message;
    unsigned int flags;
    void* padding;
};

// DBusMessageIter is opaque to its users; this is more room than it takes.
struct alignas(8) DbusIter {
    unsigned char room[128];
};

constexpr int busSession = 0;
constexpr int typeInvalid = 0;
constexpr int typeBoolean = 'b';
constexpr int typeString = 's';
constexpr int typeVariant = 'v';
constexpr int replyTimeoutMs = 1000;

struct Dbus {
    void (*errorInit)(DbusError*);
    void (*errorFree)(DbusError*);
    void* (*busGetPrivate)(int, DbusError*);
    void (*setExitOnDisconnect)(void*, DbusBool);
    void (*connectionClose)(void*);
    void (*connectionUnref)(void*);
    void* (*newMethodCall)(const char*, const char*, const char*, const char*);
    void (*setAutoStart)(void*, DbusBool);
    DbusBool (*appendArgs)(void*, int, ...);
    void* (*sendWithReplyAndBlock)(void*, void*, int, DbusError*);
    void (*messageUnref)(void*);
    DbusBool (*iterInit)(void*, DbusIter*);
    int (*iterArgType)(DbusIter*);
    void (*iterRecurse)(DbusIter*, DbusIter*);
    void (*iterGetBasic)(DbusIter*, void*);
};

template <typename Function> bool Find(void* library, const char* name, Function* function) {
    *function = reinterpret_cast<Function>(dlsym(library, name));
    return *function != nullptr;
}

bool FindAll(void* library, Dbus* dbus) {
    return Find(library, "dbus_error_init", &dbus->errorInit) &&
           Find(library, "dbus_error_free", &dbus->errorFree) &&
           Find(library, "dbus_bus_get_private", &dbus->busGetPrivate) &&
           Find(library, "dbus_connection_set_exit_on_disconnect", &dbus->setExitOnDisconnect) &&
           Find(library, "dbus_connection_close", &dbus->connectionClose) &&
           Find(library, "dbus_connection_unref", &dbus->connectionUnref) &&
           Find(library, "dbus_message_new_method_call", &dbus->newMethodCall) &&
           Find(library, "dbus_message_set_auto_start", &dbus->setAutoStart) &&
           Find(library, "dbus_message_append_args", &dbus->appendArgs) &&
           Find(library, "dbus_connection_send_with_reply_and_block",
                &dbus->sendWithReplyAndBlock) &&
           Find(library, "dbus_message_unref", &dbus->messageUnref) &&
           Find(library, "dbus_message_iter_init", &dbus->iterInit) &&
           Find(library, "dbus_message_iter_get_arg_type", &dbus->iterArgType) &&
           Find(library, "dbus_message_iter_recurse", &dbus->iterRecurse) &&
           Find(library, "dbus_message_iter_get_basic", &dbus->iterGetBasic);
}

// Whether a session bus can be reached without starting one: libdbus would
// otherwise launch a bus of its own through X11 and leave it running.
bool SessionBusKnown() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address != nullptr && address[0] != '\0') return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat status {};
    return runtime != nullptr && runtime[0] != '\0' &&
           stat((std::string(runtime) + "/bus").c_str(), &status) == 0 && S_ISSOCK(status.st_mode);
}

// The property's value from a Get reply: a variant holding a boolean.
bool ReadEnabled(const Dbus& dbus, void* reply) {
    DbusIter top{};
    DbusIter inside{};
    if (dbus.iterInit(reply, &top) == 0 || dbus.iterArgType(&top) != typeVariant) return false;
    dbus.iterRecurse(&top, &inside);
    if (dbus.iterArgType(&inside) != typeBoolean) return false;
    DbusBool enabled = 0;
    dbus.iterGetBasic(&inside, &enabled);
    return enabled != 0;
}

bool AskBus(const Dbus& dbus) {
    DbusError error{};
    dbus.errorInit(&error);
    void* connection = dbus.busGetPrivate(busSession, &error);
    if (connection == nullptr) {
        dbus.errorFree(&error);
        return false;
    }
    dbus.setExitOnDisconnect(connection, 0);
    bool enabled = false;
    void* call = dbus.newMethodCall("org.a11y.Bus", "/org/a11y/bus",
                                    "org.freedesktop.DBus.Properties", "Get");
    const char* interface = "org.a11y.Status";
    const char* property = "ScreenReaderEnabled";
    if (call != nullptr) {
        // An accessibility bus that is not running is not started for this.
        dbus.setAutoStart(call, 0);
        if (dbus.appendArgs(call, typeString, &interface, typeString, &property, typeInvalid) !=
            0) {
            void* reply = dbus.sendWithReplyAndBlock(connection, call, replyTimeoutMs, &error);
            if (reply != nullptr) {
                enabled = ReadEnabled(dbus, reply);
                dbus.messageUnref(reply);
            }
        }
        dbus.messageUnref(call);
    }
    dbus.errorFree(&error);
    dbus.connectionClose(connection);
    dbus.connectionUnref(connection);
    return enabled;
}

} // namespace

bool ScreenReaderRuns() {
    if (!SessionBusKnown()) return false;
    void* library = dlopen("libdbus-1.so.3", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return false;
    Dbus dbus{};
    return FindAll(library, &dbus) && AskBus(dbus);
}
