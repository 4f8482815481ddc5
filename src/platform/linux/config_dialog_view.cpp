#include "platform/linux/config_dialog_view.h"

#include <cstdio>

#include "platform/linux/config_dialog_gamepad.h"
#include "platform/linux/config_dialog_widgets.h"

namespace {

struct QuitWatch {
    DialogQuitCheck quitRequested;
    int32_t gaveUp;
};

gboolean CheckForQuit(gpointer data) {
    auto* watch = static_cast<QuitWatch*>(data);
    if (watch->quitRequested() == 0) return G_SOURCE_CONTINUE;
    watch->gaveUp = 1;
    return G_SOURCE_REMOVE;
}

} // namespace

int32_t RunGtkConfigDialog(Settings* options, DisplayChoice* mode, DialogQuitCheck quitRequested,
                           DialogKeyCheck keys) {
    // The game formats and reads its own numbers; GTK must not change the locale.
    gtk_disable_setlocale();
    if (!gtk_init_check(nullptr, nullptr)) {
        std::fprintf(stderr, "kelmot: the start-up dialog cannot be shown: no display for GTK\n");
        return 0;
    }

    // OK writes into copies, so that giving up changes nothing.
    Settings chosenOptions = *options;
    DisplayChoice chosenMode = *mode;
    ConfigDialog dialog;
    BuildConfigDialog(&dialog, &chosenOptions, &chosenMode);
    gtk_widget_show_all(dialog.window);

    QuitWatch watch{quitRequested, 0};
    guint timer = 0;
    if (quitRequested != nullptr) timer = g_timeout_add(100, CheckForQuit, &watch);
    DialogKeyWatch keyWatch{keys, &dialog};
    const guint keyTimer = keys != nullptr ? g_timeout_add(20, FollowDialogKeys, &keyWatch) : 0;
    while (dialog.finished == 0 && watch.gaveUp == 0) gtk_main_iteration();
    if (timer != 0 && watch.gaveUp == 0) g_source_remove(timer);
    if (keyTimer != 0) g_source_remove(keyTimer);
    const int32_t finished = dialog.finished;

    // Take the dialog off the screen before the game window opens. GTK keeps its
    // connection to the display (it cannot close its default display cleanly),
    // but nothing of it runs again.
    DestroyConfigDialog(&dialog);
    while (gtk_events_pending()) gtk_main_iteration();

    if (finished == 0) return -1;
    *options = chosenOptions;
    *mode = chosenMode;
    return 1;
}
