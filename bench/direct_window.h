// The baselines' window, made with direct calls: its pixels live in a
// memory context held for the window's whole life and reach the screen by
// one BitBlt of the painted rectangle; its child controls take their
// colours and their painting from this window's procedure.
#pragma once

#include <windows.h>

#include <cstdint>

namespace bench {

struct DirectWindow {
  HWND hwnd;
  HDC memory;      // the held context, with `bitmap` selected
  HBITMAP bitmap;
  HGDIOBJ previousBitmap;
};
extern DirectWindow direct;

// What a child control of the direct window is painted with, by control id.
struct ChildColours {
  COLORREF text, back;
  HBRUSH brush;  // null: the system's colours
};
constexpr int MAX_CHILD_ID = 64;
extern ChildColours childColours[MAX_CHILD_ID];

// Opens the window hidden, with a held surface of the given size filled in
// `colour`. One direct window at a time.
void OpenDirect(int x, int y, int width, int height, DWORD style, const char* caption,
                int surfaceWidth, int surfaceHeight, COLORREF colour);
void CloseDirect();

// The rectangle of the held surface goes to the screen now: invalidated,
// then painted by UpdateWindow.
void ShowRect(int left, int top, int right, int bottom);

// Runs what is queued for the thread until nothing is left.
void DrainMessages();

}  // namespace bench
