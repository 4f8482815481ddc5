#pragma once

#include <gtk/gtk.h>

#include "platform/linux/config_dialog_view.h"
#include "platform/linux/config_dialog_widgets.h"

// The controllers in the start-up dialog: what keys says they pressed moves the
// focus and presses as those keys do on the dialog.
struct DialogKeyWatch {
    DialogKeyCheck keys;
    ConfigDialog* dialog;
};

// A timer's function: asks watch->keys once and acts on its answer.
gboolean FollowDialogKeys(gpointer watch);
