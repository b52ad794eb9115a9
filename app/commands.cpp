#include "app/commands.h"

#include "app/fields.h"
#include "app/main_window.h"
#include "app/panel.h"
#include "app/sizing.h"

namespace ampliwind {
namespace {

typedef int32_t (*Routine)();

int32_t ClearFields(int32_t first, int32_t last) {
  for (int32_t id = first; id <= last; ++id) hv::SetControlText(&mainWindow, id, "");
  return 0;
}

// After a command no control keeps the keyboard focus: the window has it.
int32_t FocusWindow() { return hv::SetControlFocus(&mainWindow, 0); }

int32_t New() {
  BlankSizingPanel();
  ClearAllFields();
  ResetValues();
  return FocusWindow();
}

// The program reads and writes no files: the buttons are there, the commands do nothing.
int32_t Open() { return 0; }
int32_t Save() { return 0; }

int32_t Calculate() {
  BlankSizingPanel();
  inputValid = 0;
  ResetValues();
  ClearResultFields();
  ReadInputs();
  ComputeSizing();
  ShowResults();
  DrawSizingPanel();
  return FocusWindow();
}

// The radio buttons check themselves; the caption and the frequency follow.
int32_t ChooseFrequency(const char* caption, float hertz) {
  hv::SetCaption(&mainWindow, caption);
  freq = hertz;
  return 0;
}
int32_t Choose50Hertz() { return ChooseFrequency(CAPTION_50_HERTZ, 50.0f); }
int32_t Choose60Hertz() { return ChooseFrequency(CAPTION_60_HERTZ, 60.0f); }

struct Command {
  int32_t id;
  Routine run;
};
// Every notification of these controls runs the command: in practice, a click.
const Command commands[] = {
    {CMD_NEW, New},
    {CMD_OPEN, Open},
    {CMD_SAVE, Save},
    {CMD_ABOUT, ShowAbout},
    {CMD_CALCULATE, Calculate},
    {CMD_50_HERTZ, Choose50Hertz},
    {CMD_60_HERTZ, Choose60Hertz},
};

int32_t RunCommand() {
  for (const Command& command : commands)
    if (command.id == hv::eventState.eventControl) return command.run();
  return 0;
}

// The window goes only when asked: nothing else ends the program.
int32_t CloseMainWindow() { return hv::CloseWindow(&mainWindow); }
int32_t CenterMainWindow() { return hv::CenterWindow(&mainWindow); }

struct EventRoute {
  int32_t code;
  Routine run;
};
const EventRoute routes[] = {
    {hv::EV_CLOSEWINDOW, CloseMainWindow},
    {hv::EV_CREATE, CenterMainWindow},
    {hv::EV_CONTROL, RunCommand},
};

}  // namespace

int32_t ClearAllFields() { return ClearFields(FIELD_POWER, FIELD_SECONDARY_CURRENT); }
int32_t ClearResultFields() { return ClearFields(FIELD_PRIMARY_TURNS, FIELD_SECONDARY_CURRENT); }

int32_t ShowAbout() {
  hv::ShowMessage(&mainWindow, ABOUT_TEXT, ABOUT_CAPTION, MB_ICONINFORMATION);
  return 0;
}

int32_t MainHandler() {
  for (const EventRoute& route : routes)
    if (route.code == hv::eventState.eventCode) {
      route.run();
      break;
    }
  return 0;
}

}  // namespace ampliwind
