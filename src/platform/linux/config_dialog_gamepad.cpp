#include "platform/linux/config_dialog_gamepad.h"

#include "shell/gamepad_keys.h"

gboolean FollowDialogKeys(gpointer data) {
    const auto* watch = static_cast<DialogKeyWatch*>(data);
    GtkWidget* window = watch->dialog->window;
    // The controllers act only while the dialog is the window the keyboard
    // types into, not from behind another program.
    const uint32_t keys = watch->keys(gtk_window_is_active(GTK_WINDOW(window)) ? 1 : 0);
    if (keys == 0) return G_SOURCE_CONTINUE;
    // Tab, Shift+Tab and the arrow keys are the window's own focus moves; an
    // arrow that reaches another button of a group checks it.
    constexpr struct {
        DialogKey key;
        GtkDirectionType direction;
    } moves[] = {{dialogShiftTab, GTK_DIR_TAB_BACKWARD},
                 {dialogTab, GTK_DIR_TAB_FORWARD},
                 {dialogLeft, GTK_DIR_LEFT},
                 {dialogRight, GTK_DIR_RIGHT}};
    for (const auto& move : moves)
        if ((keys & 1u << move.key) != 0)
            g_signal_emit_by_name(window, "move-focus", move.direction);
    // Space activates the focused control, and Enter presses OK wherever the
    // focus is.
    GtkWidget* focused = gtk_window_get_focus(GTK_WINDOW(window));
    if ((keys & 1u << dialogSpace) != 0 && focused != nullptr) gtk_widget_activate(focused);
    if ((keys & 1u << dialogEnter) != 0) gtk_button_clicked(GTK_BUTTON(watch->dialog->ok));
    // The focus shows from now on, as it does once the keyboard moves it.
    gtk_window_set_focus_visible(GTK_WINDOW(window), TRUE);
    return G_SOURCE_CONTINUE;
}
