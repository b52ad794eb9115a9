// Who deletes the pen or font that SetFrontPen or SetFont leaves selected.
//
// Ordinary case (the operation's own bracket was the outermost): EndDraw has
// adopted a copy and deselected the object, so it is deleted at once.
//
// An outer bracket stays open: the object must stay selected in the open
// context. It becomes the record's own pen or font right away, and the
// record's previous one, which it displaced from the context, is deleted
// now. The outermost EndDraw then replaces (and deletes) the new object like
// any record object, so each is deleted exactly once and CloseWindow finds
// only the record's current handles to delete.
//
// A lent context (background erase): EndDraw takes nothing back, so the
// record keeps its objects and the new one stays selected in the lent
// context until the event ends. It is remembered here with that context;
// a later SetFrontPen/SetFont in the same event that displaces it deletes it
// at once, and ReleaseLentObjects deletes the rest when the erase handler has
// restored the context. Events nest only a few levels deep, so a small table
// does; should it ever be full, the lent context gets its previous object
// back and the new one is deleted, rather than leaking it.
#include "runtime/draw/draw.h"
#include "runtime/draw/draw_internal.h"

namespace hv {
namespace {

struct LentObject {
  HDC context;
  HGDIOBJ object;
};
constexpr int LENT_OBJECTS = 16;
LentObject lentObjects[LENT_OBJECTS];

void KeepLentObject(HDC context, HGDIOBJ created, HGDIOBJ displaced) {
  for (LentObject& lent : lentObjects)
    if (lent.object && lent.context == context && lent.object == displaced) {
      DeleteObject(displaced);
      lent.object = created;
      return;
    }
  for (LentObject& lent : lentObjects)
    if (!lent.object) {
      lent = LentObject{context, created};
      return;
    }
  SelectObject(context, displaced);
  DeleteObject(created);
}

}  // namespace

void SettleSelectedObject(WindowRecord* record, HDC context, bool lent, HGDIOBJ created,
                          HGDIOBJ displaced, HGDIOBJ* owned) {
  if (lent) {
    KeepLentObject(context, created, displaced);
  } else if (!record->drawDC) {
    DeleteObject(created);
  } else {
    HGDIOBJ previous = *owned;
    *owned = created;
    if (previous != created) DeleteObject(previous);
  }
}

void ReleaseLentObjects(HDC context) {
  for (LentObject& lent : lentObjects)
    if (lent.object && lent.context == context) {
      DeleteObject(lent.object);
      lent = LentObject{};
    }
}

}  // namespace hv
