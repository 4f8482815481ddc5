#pragma once

// The numbers of the program's resources and of the start-up dialog's controls,
// shared by the resource script and the code.
#define KELMOT_ICON 1
#define CONFIG_DIALOG 105
#define BANNER_BITMAP 118
#define RESOLUTION_1280X1024 1002
#define RESOLUTION_1024X768 1003
#define RESOLUTION_800X600 1004
#define RESOLUTION_640X480 1008
#define DEPTH_16_BIT 1009
#define DEPTH_32_BIT 1010
#define FULLSCREEN_BOX 1011
#define OK_BUTTON 1012
