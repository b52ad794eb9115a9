// The main window's event handler and the seven commands it runs.
#pragma once

#include <cstdint>

namespace ampliwind {

// Control ids of the commands.
constexpr int32_t CMD_NEW = 8;
constexpr int32_t CMD_OPEN = 9;
constexpr int32_t CMD_SAVE = 10;
constexpr int32_t CMD_ABOUT = 11;
constexpr int32_t CMD_CALCULATE = 20;
constexpr int32_t CMD_50_HERTZ = 50;
constexpr int32_t CMD_60_HERTZ = 60;

constexpr char CAPTION_50_HERTZ[] = "Ampliwind  -  50 Hertz";
constexpr char CAPTION_60_HERTZ[] = "Ampliwind  -  60 Hertz";
constexpr char ABOUT_CAPTION[] = "Ampliwind";
constexpr char ABOUT_TEXT[] =
    "Ampliwind"
    "\r\n\r\n"
    "Written by the Ampliwind developers."
    "\r\n\r\n"
    "Versions: 2026.";

// Answers closing, creation and the commands; returns 0 for every event.
int32_t MainHandler();

int32_t ClearAllFields();     // fields 1 to 7
int32_t ClearResultFields();  // fields 4 to 7
int32_t ShowAbout();

}  // namespace ampliwind
