#include "settings/settings.h"

const SettingsEntry settingsEntries[settingsCount] = {
    {"gofirst", &Settings::gofirst},
    {"xoro", &Settings::xoro},
    {"controls", &Settings::controls},
    {"whofirst", &Settings::whofirst},
    {"player1xoro", &Settings::player1xoro},
    {"player1controls", &Settings::player1controls},
    {"player2controls", &Settings::player2controls},
    {"configpanel", &Settings::configpanel},
    {"res", &Settings::res},
    {"bpp", &Settings::bpp},
    {"fullscreen", &Settings::fullscreen},
};

Settings settings;
