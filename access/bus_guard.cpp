// SPDX-License-Identifier: MIT
// Keeps the program alive when a screen reader or an inspection tool asks an object of the
// window for all its properties at once: org.freedesktop.DBus.Properties.GetAll on the
// accessibility bus. Qt's bridge handles the Properties interface by reading an interface
// name and a property name from the call, and GetAll carries only the first: it reads past the
// end of the call's arguments, which kills the program or not depending on the heap. Qt 6.4
// (Debian 12) does so, and Qt 6.8 (Debian 13) still does: without the guard it crashed there on
// the first GetAll, on any object; Qt 5.15's bridge reads the call the same way. So every build
// carries the guard, whatever its Qt.
//
// The bridge sits behind one D-Bus message filter per connection, which Qt registers with
// libdbus. This file stands in for libdbus's dbus_connection_add_filter in the executable:
// each time Qt adds its filter, ours goes in before it. Ours answers GetAll on the bridge's
// object paths with the same "unknown method" error that Qt gives for calls it does not
// implement, so the faulty code never runs; every other message goes on to Qt untouched.
// The executables export this one symbol (see access/CMakeLists.txt) so that libQt6DBus
// binds to it.
#include <dlfcn.h>

#include <cstring>

extern "C" {

struct DBusConnection;
struct DBusMessage;
using DBusFreeFunction = void (*)(void*);
enum DBusHandlerResult { DBUS_HANDLER_RESULT_HANDLED, DBUS_HANDLER_RESULT_NOT_YET_HANDLED };
using DBusHandleMessageFunction = DBusHandlerResult (*)(DBusConnection*, DBusMessage*, void*);

unsigned dbus_connection_add_filter(DBusConnection* connection, DBusHandleMessageFunction function,
                                    void* userData, DBusFreeFunction freeUserData);
}

namespace {

struct DBus {
    decltype(&dbus_connection_add_filter) addFilter;
    unsigned (*isMethodCall)(DBusMessage*, const char*, const char*);
    const char* (*path)(DBusMessage*);
    DBusMessage* (*newError)(DBusMessage*, const char*, const char*);
    unsigned (*send)(DBusConnection*, DBusMessage*, unsigned*);
    void (*unref)(DBusMessage*);
};

template <class F> void resolve(F& f, void* handle, const char* name) {
    f = reinterpret_cast<F>(dlsym(handle, name));
}

// From libdbus as Qt loaded it, which need not be among the program's global symbols (Qt 5
// loads it with its platform plugin).
const DBus& dbus() {
    static const DBus d = [] {
        DBus r{};
        void* lib = dlopen("libdbus-1.so.3", RTLD_LAZY | RTLD_NOLOAD);
        if (!lib)
            return r;
        resolve(r.addFilter, lib, "dbus_connection_add_filter");
        resolve(r.isMethodCall, lib, "dbus_message_is_method_call");
        resolve(r.path, lib, "dbus_message_get_path");
        resolve(r.newError, lib, "dbus_message_new_error");
        resolve(r.send, lib, "dbus_connection_send");
        resolve(r.unref, lib, "dbus_message_unref");
        return r;
    }();
    return d;
}

constexpr const char* bridgePaths = "/org/a11y/atspi/";

DBusHandlerResult answerGetAll(DBusConnection* connection, DBusMessage* message, void*) {
    const DBus& d = dbus();
    if (!d.isMethodCall || !d.path || !d.newError || !d.send || !d.unref ||
        !d.isMethodCall(message, "org.freedesktop.DBus.Properties", "GetAll"))
        return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
    const char* path = d.path(message);
    if (!path || std::strncmp(path, bridgePaths, std::strlen(bridgePaths)) != 0)
        return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
    if (DBusMessage* error = d.newError(message, "org.freedesktop.DBus.Error.UnknownMethod",
                                        "GetAll is not supported here; use Get")) {
        d.send(connection, error, nullptr);
        d.unref(error);
    }
    return DBUS_HANDLER_RESULT_HANDLED;
}

} // namespace

extern "C" unsigned dbus_connection_add_filter(DBusConnection* connection,
                                               DBusHandleMessageFunction function, void* userData,
                                               DBusFreeFunction freeUserData) {
    const DBus& d = dbus();
    if (!d.addFilter)
        return 0;
    // Filters run in the order they were added: ours first, then the one asked for.
    if (function != answerGetAll)
        d.addFilter(connection, answerGetAll, nullptr, nullptr);
    return d.addFilter(connection, function, userData, freeUserData);
}
